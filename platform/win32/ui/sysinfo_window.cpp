// SPDX-License-Identifier: MIT
#include "sysinfo_window.h"

#include <commctrl.h>

#include "resource_ids.h"
#include "sysinfo_window/sysinfo_layout.h"

namespace bsi::win32 {
namespace {

namespace layout = sysinfo_layout;

enum ControlId : int {
  kListId = BSI_ID_LIST,
  kSystemId = BSI_ID_SYSTEM,
  kOkId = BSI_ID_OK,
  kFrameId = BSI_ID_FRAME,
  kCaptionId = BSI_ID_CAPTION,  // three
  kGaugeId = BSI_ID_GAUGE,
  kPercentId = BSI_ID_PERCENT,
  kCreditId = kPercentId + 3,
  kTempId,
  kCopyValueCommand = BSI_CMD_COPY_VALUE,
  kCopyAllCommand = BSI_CMD_COPY_ALL,
};

constexpr UINT_PTR kMemoryTimer = 1;
constexpr wchar_t kClassName[] = BSI_INFO_WINDOW_CLASS;
constexpr wchar_t kCredit[] = L"Brindt SysInfo \u00b7 \u00a9 Brindt";

// A control inside fraMemory sits at its frame-relative place.
Rect InFrame(const Rect& inner) {
  return Rect{layout::kFraMemory.left + inner.left, layout::kFraMemory.top + inner.top, inner.width, inner.height};
}

HICON LoadFormIcon() {
  return static_cast<HICON>(
      LoadImageW(ThisModule(), MAKEINTRESOURCEW(BSI_IDI_FORM_ICON), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
}

FormWindow::Style WindowStyle() {
  return FormWindow::Style{kClassName,
                           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                           0,
                           layout::kClientWidth,
                           layout::kClientHeight,
                           static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                           nullptr};
}

}  // namespace

Win32SysInfoWindow::Win32SysInfoWindow(frmSysInfo& form, UINT memory_timer_ms)
    : FormWindow(WindowStyle()), form_(form), icon_(LoadFormIcon()) {
  if (icon_) {
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
  }
  SetCaption(layout::kCaption);
  tips_ = std::make_unique<ToolTips>(window());

  // Created in tab order: the dialog manager tabs through the controls in the order they were made.
  list_window_ =
      CreateChild(WC_LISTVIEWW, L"", WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                  layout::kLvwSysInfo, kListId, WS_EX_CLIENTEDGE);
  SendMessageW(list_window_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP,
               LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  list_ = std::make_unique<Win32ListView>(list_window_);
  CreateChild(L"BUTTON", reinterpret_cast<const wchar_t*>(layout::kCmdSystemCaption),
              WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, layout::kCmdSystem, kSystemId);
  CreateChild(L"BUTTON", reinterpret_cast<const wchar_t*>(layout::kCmdOKCaption),
              WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, layout::kCmdOK, kOkId);
  frame_ = CreateChild(L"BUTTON", L"", WS_VISIBLE | BS_GROUPBOX, layout::kFraMemory, kFrameId);

  // A gauge caption grows with its text up to the gauges; the percent labels up to the frame's edge.
  const int caption_limit =
      Pixels(layout::kCtlProgressPhysical.left - layout::kLblPhysicalMemory.left - layout::kLblPhysicalMemory.left);
  const int percent_limit =
      Pixels(layout::kFraMemory.width - layout::kLblPhysicalPercent.left) - GetSystemMetrics(SM_CXEDGE) * 2;
  const Rect caption_rects[3] = {layout::kLblPhysicalMemory, layout::kLblVirtualMemory, layout::kLblPageFileMemory};
  const char16_t* caption_texts[3] = {layout::kPhysicalMemoryCaption, layout::kVirtualMemoryCaption,
                                      layout::kPageFileMemoryCaption};
  const Rect gauge_rects[3] = {layout::kCtlProgressPhysical, layout::kCtlProgressVirtual, layout::kCtlProgressPagefile};
  const Rect percent_rects[3] = {layout::kLblPhysicalPercent, layout::kLblVirtualPercent, layout::kLblPagePercent};
  for (int i = 0; i < 3; ++i) {
    HWND caption = CreateChild(L"STATIC", reinterpret_cast<const wchar_t*>(caption_texts[i]),
                               WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | SS_NOTIFY,
                               InFrame(caption_rects[i]), kCaptionId + i);
    captions_[i] = std::make_unique<Win32Label>(caption, tips_.get(), true, caption_limit);
    captions_[i]->SetCaption(caption_texts[i]);
  }
  for (int i = 0; i < 3; ++i) {
    HWND bar = CreateChild(PROGRESS_CLASSW, L"", WS_VISIBLE | PBS_SMOOTH, InFrame(gauge_rects[i]), kGaugeId + i);
    gauges_[i] = std::make_unique<Win32Gauge>(bar);
  }
  for (int i = 0; i < 3; ++i) {
    HWND percent = CreateChild(L"STATIC", reinterpret_cast<const wchar_t*>(layout::kPercentCaption),
                               WS_VISIBLE | SS_LEFT | SS_NOPREFIX, InFrame(percent_rects[i]), kPercentId + i);
    percents_[i] = std::make_unique<Win32Label>(percent, nullptr, true, percent_limit);
    percents_[i]->SetCaption(layout::kPercentCaption);
  }
  credit_ = CreateChild(L"STATIC", kCredit, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, layout::kLabel1, kCreditId);
  HWND temp = CreateChild(L"EDIT", L"", ES_AUTOHSCROLL, layout::kTxtTemp, kTempId);
  // As large as the control allows; the copy-all text does not depend on it.
  SendMessageW(temp, EM_SETLIMITTEXT, 0, 0);
  temp_ = std::make_unique<Win32TextBox>(temp);
  // The frame is drawn below the controls that stand in it.
  SetWindowPos(frame_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  menu_handle_.reset(CreatePopupMenu());
  AppendMenuW(menu_handle_.get(), MF_STRING, kCopyValueCommand, L"");
  AppendMenuW(menu_handle_.get(), MF_STRING, kCopyAllCommand, L"");
  menu_ = std::make_unique<Win32PopupMenu>(menu_handle_.get());
  copy_value_ = std::make_unique<Win32MenuItem>(menu_handle_.get(), kCopyValueCommand, ControlShortcutName(L'C'));
  copy_all_ = std::make_unique<Win32MenuItem>(menu_handle_.get(), kCopyAllCommand, Text());
  copy_value_->SetCaption(layout::kMnuCopyValueCaption);
  copy_all_->SetCaption(layout::kMnuCopyAllCaption);

  // The timer counts from the window's creation; its first tick runs once a message loop does.
  if (SetTimer(window(), kMemoryTimer, memory_timer_ms, nullptr) != 0) timers_.push_back(kMemoryTimer);
}

Win32SysInfoWindow::~Win32SysInfoWindow() {
  for (UINT_PTR timer : timers_) KillTimer(window(), timer);
}

void Win32SysInfoWindow::BeforeShow() {
  CentreOver(nullptr);
  SetFocus(list_window_);
}

bool Win32SysInfoWindow::PreviewKey(WPARAM key, bool /*system_key*/) {
  // A key the form calls its own does not reach the focused control as well (no type-ahead jump on C, no
  // system-menu beep on Alt+C, no second close on Alt+F4).
  return form_.Form_KeyDown(static_cast<std::int16_t>(key), ShiftState());
}

void Win32SysInfoWindow::OpenContextMenuFromKeyboard() {
  // Shift+F10 or the menu key: the menu opens at the selected row, or at the list's corner.
  POINT at{Pixels(120), Pixels(120)};
  const auto row = SendMessageW(list_window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  RECT item{};
  item.left = LVIR_LABEL;
  if (row >= 0 &&
      SendMessageW(list_window_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item))) {
    at = POINT{item.left, item.bottom};
  } else {
    at = POINT{0, 0};
  }
  ClientToScreen(list_window_, &at);
  SetPopupAnchor(at);
  form_.lvwSysInfo_MouseDown(frmSysInfo::kRightButton, 0);
}

LRESULT Win32SysInfoWindow::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != list_window_) return 0;
  switch (header.code) {
    case NM_DBLCLK:
      form_.lvwSysInfo_DblClick();
      return 0;
    case NM_RCLICK:
      form_.lvwSysInfo_MouseDown(frmSysInfo::kRightButton, ShiftState());
      return 0;
    default:
      return 0;
  }
}

LRESULT Win32SysInfoWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam == kMemoryTimer) form_.tmrMemory_Timer();
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case kOkId:
        case IDCANCEL:  // Esc: OK is the window's cancel button
          form_.cmdOK_Click();
          return 0;
        case kSystemId:
          form_.cmdSystem_Click();
          return 0;
        case kCopyValueCommand:
          if (lparam == 0) form_.mnuCopyValueToClipboard_Click();
          return 0;
        case kCopyAllCommand:
          if (lparam == 0) form_.mnuCopyAllToClipboard_Click();
          return 0;
        default:
          return 0;
      }
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) == list_window_ && lparam == -1) OpenContextMenuFromKeyboard();
      return 0;
    case WM_CLOSE:
      form_.CloseBox();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Labels and buttons stand on the white form; the credit line is drawn greyed.
      const auto dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, RGB(255, 255, 255));
      SetTextColor(
          dc, reinterpret_cast<HWND>(lparam) == credit_ ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    default:
      return FormWindow::OnMessage(message, wparam, lparam);
  }
}

}  // namespace bsi::win32
