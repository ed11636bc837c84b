// SPDX-License-Identifier: MIT
// A stand-in for the information window while the real one is built elsewhere: a modal window with the same
// caption, a two-column list with one row and an OK button, closed by OK, F4 or the close box. It keeps the
// contract of ShowSysInfoWindow (400 while shown) so that the control can be tested end to end.
#include <windows.h>

#include <commctrl.h>

#include "runtime/error.h"
#include "ui/show_sysinfo.h"

namespace bsi::win32 {
namespace {

constexpr wchar_t kClassName[] = L"BrindtSysInfoStandIn";
constexpr wchar_t kCaption[] = L"Brindt SysInfo 2.1.8";
constexpr int kListId = 1001;

thread_local bool t_shown = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) DestroyWindow(window);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&WindowProc), &module);
  return module;
}

void AddColumn(HWND list, int index, const wchar_t* text, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<wchar_t*>(text);
  column.cx = width;
  SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

HWND CreateStandIn(HINSTANCE module) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = module;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kClassName;
  if (!RegisterClassExW(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

  // 8670 x 6750 twips of client area at 15 twips a pixel.
  RECT frame{0, 0, 578, 450};
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_POPUP;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  HWND window =
      CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, kCaption, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, module, nullptr);
  if (!window) return nullptr;
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 8, 8, 561, 313,
                              window, reinterpret_cast<HMENU>(kListId), module, nullptr);
  AddColumn(list, 0, L"Name", 180);
  AddColumn(list, 1, L"Info", 360);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Version:");
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.iSubItem = 1;
  item.pszText = const_cast<wchar_t*>(L"2.1.0.8");
  SendMessageW(list, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
  CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 472, 416, 97, 25, window,
                  reinterpret_cast<HMENU>(IDOK), module, nullptr);
  return window;
}

// Runs the window's own message loop until it is gone; F4 closes it from whichever control has the focus.
void RunModal(HWND window) {
  MSG message;
  while (IsWindow(window)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      DestroyWindow(window);
      return;
    }
    if (got < 0) {
      DestroyWindow(window);
      return;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_F4 &&
        (message.hwnd == window || IsChild(window, message.hwnd))) {
      DestroyWindow(window);
      continue;
    }
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

void ShowSysInfoWindow() {
  if (t_shown) Raise(err::kFormAlreadyDisplayed);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND window = CreateStandIn(ThisModule());
  if (!window) Raise(err::kOutOfMemory);
  t_shown = true;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  RunModal(window);
  t_shown = false;
}

}  // namespace bsi::win32
