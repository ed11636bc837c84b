// SPDX-License-Identifier: MIT
#include "form_window.h"

#include "runtime/error.h"
#include "widgets.h"

namespace bsi::win32 {
namespace {

constexpr wchar_t kFormProperty[] = L"BrindtSysInfo.Form";

void RegisterClassOnce(const FormWindow::Style& style, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(ThisModule(), style.class_name, &existing)) return;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = ThisModule();
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = style.background;
  window_class.lpszClassName = style.class_name;
  if (!RegisterClassExW(&window_class)) Raise(err::kOutOfMemory);
}

// The dialog font of the platform: MS Shell Dlg at 8 points maps to the system's dialog face.
HFONT CreateDialogFont(int dpi) {
  return CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Shell Dlg");
}

struct DisabledWindows {
  HWND keep;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM state) {
  auto& disabled = *reinterpret_cast<DisabledWindows*>(state);
  if (window != disabled.keep && IsWindowEnabled(window) && IsWindowVisible(window)) {
    EnableWindow(window, FALSE);
    disabled.windows.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::int16_t ShiftState() {
  std::int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

FormWindow::FormWindow(const Style& style) {
  RegisterClassOnce(style, &FormWindow::WindowProc);
  {
    WindowDc screen(nullptr);
    if (screen.get() != nullptr) dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSX);
  }
  RECT rect{0, 0, Pixels(style.client_width), Pixels(style.client_height)};
  AdjustWindowRectEx(&rect, style.style, FALSE, style.ex_style);
  // WindowProc takes the window into window_ at WM_NCCREATE, so that the messages of creation reach the form.
  if (CreateWindowExW(style.ex_style | WS_EX_CONTROLPARENT, style.class_name, L"", style.style, CW_USEDEFAULT,
                      CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, ThisModule(),
                      this) == nullptr) {
    window_.release();  // a creation that failed after WM_NCCREATE has destroyed the window already
    Raise(err::kOutOfMemory, u"The window could not be created");
  }
  ++live_;
  font_.reset(CreateDialogFont(dpi_));
  if (style.icon != nullptr) {
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(style.icon));
    SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(style.icon));
  }
}

FormWindow::~FormWindow() {
  if (window_) {
    --live_;
    RemovePropW(window(), kFormProperty);
    SetWindowLongPtrW(window(), GWLP_USERDATA, 0);
  }
  // window_ goes before font_, which the window's controls still use.
}

FormWindow* FormWindow::FromWindow(HWND window) {
  if (window == nullptr) return nullptr;
  HWND root = GetAncestor(window, GA_ROOT);
  return root != nullptr ? static_cast<FormWindow*>(GetPropW(root, kFormProperty)) : nullptr;
}

HWND FormWindow::CreateChild(const wchar_t* window_class, const wchar_t* text, DWORD style, const Rect& twips, int id,
                             DWORD ex_style) {
  HWND child = CreateWindowExW(ex_style, window_class, text, WS_CHILD | style, Pixels(twips.left), Pixels(twips.top),
                               Pixels(twips.width), Pixels(twips.height), window(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
  if (child == nullptr) Raise(err::kOutOfMemory, u"A control of the window could not be created");
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return child;
}

void FormWindow::CentreOver(HWND over) {
  RECT area{};
  if (over != nullptr && IsWindowVisible(over)) {
    GetWindowRect(over, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT self{};
  GetWindowRect(window(), &self);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  int left = area.left + (area.right - area.left - width) / 2;
  int top = area.top + (area.bottom - area.top - height) / 2;
  // Never place the caption bar off the screen.
  RECT screen{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
  if (left < screen.left) left = screen.left;
  if (top < screen.top) top = screen.top;
  SetWindowPos(window(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::SetCaption(const Text& caption) {
  SetWindowTextW(window(), Wide(caption));
}

void FormWindow::ShowModal() {
  // Modal: every other enabled window of the thread takes no input until this one closes.
  HWND previously_active = GetActiveWindow();
  DisabledWindows disabled{window(), {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabled));
  shown_ = true;
  BeforeShow();
  ShowWindow(window(), SW_SHOW);
  SetForegroundWindow(window());

  bool quit = false;
  WPARAM exit_code = 0;
  MSG message{};
  while (shown_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      quit = true;
      exit_code = message.wParam;
      break;
    }
    if (got == -1) break;
    Dispatch(message);
  }
  for (HWND window : disabled.windows) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  // The window that was active before gets the activation back once it takes input again.
  if (previously_active != nullptr && IsWindow(previously_active)) SetActiveWindow(previously_active);
  if (quit) {
    if (shown_) OnQuitWhileShown();
    // The application asked to end: the loop that called us must see the WM_QUIT too.
    PostQuitMessage(static_cast<int>(exit_code));
  }
  shown_ = false;
}

void FormWindow::Unload() {
  for (UINT_PTR timer : timers_) KillTimer(window(), timer);
  ShowWindow(window(), SW_HIDE);
  shown_ = false;
  // Wake GetMessage so the modal loop sees that it has ended.
  PostMessageW(window(), WM_NULL, 0, 0);
}

void FormWindow::PopupMenu(Menu& menu, std::int32_t flags) {
  auto* popup = dynamic_cast<Win32PopupMenu*>(&menu);
  if (popup == nullptr) return;
  POINT at{};
  if (has_anchor_) {
    at = popup_anchor_;
    has_anchor_ = false;
  } else {
    GetCursorPos(&at);
  }
  const UINT buttons = (flags & kPopupMenuRightButton) != 0 ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON;
  const UINT track = TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | buttons;
  // The chosen item's click runs before PopupMenu returns, as the handlers expect.
  const UINT command = static_cast<UINT>(TrackPopupMenuEx(popup->handle(), track, at.x, at.y, window(), nullptr));
  if (command != 0) SendMessageW(window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void FormWindow::Dispatch(MSG& message) {
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && message.hwnd != nullptr) {
    if (FormWindow* form = FromWindow(message.hwnd)) {
      if (form->PreviewKey(message.wParam, message.message == WM_SYSKEYDOWN)) return;
    }
  }
  if (FormWindow* form = FromWindow(message.hwnd); form != nullptr && IsDialogMessageW(form->window(), &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void FormWindow::PumpPendingMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave it for the loop that owns the thread.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    SetPropW(window, kFormProperty, form);
    form->window_.reset(window);
  }
  auto* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return form->OnMessage(message, wparam, lparam);
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window(), message, wparam, lparam);
}

}  // namespace bsi::win32
