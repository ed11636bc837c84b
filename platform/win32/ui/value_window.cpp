// SPDX-License-Identifier: MIT
#include "value_window.h"

#include "resource_ids.h"
#include "value_window/value_layout.h"

namespace bsi::win32 {
namespace {

namespace layout = value_layout;

enum ControlId : int {
  kOkId = BSI_ID_VALUE_OK,
  kLabelId = BSI_ID_VALUE_LABEL,
  kValueId = BSI_ID_VALUE_TEXT,
  kClipboardId = BSI_ID_VALUE_COPY
};

constexpr wchar_t kClassName[] = BSI_VALUE_WINDOW_CLASS;

FormWindow::Style WindowStyle() {
  return FormWindow::Style{kClassName,
                           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                           WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME,
                           layout::kClientWidth,
                           layout::kClientHeight,
                           GetSysColorBrush(COLOR_BTNFACE),
                           nullptr};
}

}  // namespace

Win32ValueWindow::Win32ValueWindow(frmValue& form) : FormWindow(WindowStyle()), form_(form) {
  // The window opens over the one that is active when it is made: the information window.
  owner_ = GetActiveWindow();
  tips_ = std::make_unique<ToolTips>(window());
  ok_ = CreateChild(L"BUTTON", reinterpret_cast<const wchar_t*>(layout::kCmdOKCaption),
                    WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, layout::kCmdOK, kOkId);
  HWND label = CreateChild(L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, layout::kTxtLabel, kLabelId,
                           WS_EX_CLIENTEDGE);
  HWND value = CreateChild(L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, layout::kTxtValue, kValueId,
                           WS_EX_CLIENTEDGE);
  HWND copy = CreateChild(L"BUTTON", L"", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, layout::kCmdClipboard,
                          kClipboardId);
  SendMessageW(label, EM_SETLIMITTEXT, 0, 0);
  SendMessageW(value, EM_SETLIMITTEXT, 0, 0);
  picture_.reset(LoadImageW(ThisModule(), MAKEINTRESOURCEW(BSI_IDB_COPY), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  if (picture_) SendMessageW(copy, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
  label_brush_.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  label_ = std::make_unique<Win32TextBox>(label);
  value_ = std::make_unique<Win32TextBox>(value);
  clipboard_ = std::make_unique<Win32CommandButton>(copy, *tips_);
}

void Win32ValueWindow::BeforeShow() {
  CentreOver(owner_);
  // cmdOK has the lowest tab index: it holds the focus when the window opens.
  SetFocus(ok_);
}

bool Win32ValueWindow::PreviewKey(WPARAM key, bool /*system_key*/) {
  // A key the form calls its own does not reach the focused control as well.
  return form_.Form_KeyDown(static_cast<std::int16_t>(key), ShiftState());
}

LRESULT Win32ValueWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const int code = HIWORD(wparam);
      if (id == kOkId || id == IDCANCEL) {  // Esc: OK is the window's cancel button
        if (code == BN_CLICKED) form_.cmdOK_Click();
      } else if (id == kClipboardId && code == BN_CLICKED) {
        form_.cmdClipboard_Click();
      } else if (id == kLabelId && code == EN_SETFOCUS) {
        form_.txtLabel_GotFocus();
      } else if (id == kValueId && code == EN_SETFOCUS) {
        form_.txtValue_GotFocus();
      }
      return 0;
    }
    case WM_CTLCOLOREDIT:
      // txtLabel reads like a label: the button face behind its text.
      if (reinterpret_cast<HWND>(lparam) == label_->hwnd()) {
        SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(label_brush_.get());
      }
      return FormWindow::OnMessage(message, wparam, lparam);
    case WM_CLOSE:
      form_.CloseBox();
      return 0;
    default:
      return FormWindow::OnMessage(message, wparam, lparam);
  }
}

}  // namespace bsi::win32
