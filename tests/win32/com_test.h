// SPDX-License-Identifier: MIT
// Helpers of the COM test programs: one check of "HRESULT / run-time error N" for both ends of COM (the server's
// HRESULT with its IErrorInfo, the client's RuntimeError), and the information window shown through COM, found and
// closed from outside its modal loop.
#pragma once

#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <oaidl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "../../platform/win32/ui/resource_ids.h"

#include "wine_test.h"
#if __has_include("runtime/error.h")
#include "runtime/error.h"
#define COM_TEST_RUNTIME_ERRORS 1
#endif

namespace com_test {

using wine_test::Narrow;
using wine_test::Where;

template <class Interface>
Microsoft::WRL::ComPtr<Interface> Create(REFCLSID clsid, Where where = Where::current()) {
  Microsoft::WRL::ComPtr<Interface> object;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
  ok_at(where, hr == S_OK, "CoCreateInstance: expected S_OK, got %#lx\n", static_cast<unsigned long>(hr));
  return object;
}

template <class Interface>
void ExpectLastRelease(Microsoft::WRL::ComPtr<Interface>& object, const char* what, Where where = Where::current()) {
  if (!object) return;
  const ULONG left = object.Detach()->Release();
  ok_at(where, left == 0, "%s: expected the last Release to give 0, got %lu\n", what, left);
}

inline VARIANT LongArg(LONG value) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

/// The description and source of the thread's error information, taken (and cleared); empty when there is none.
struct ErrorText {
  std::wstring description;
  std::wstring source;
};
inline ErrorText TakeErrorInfo() {
  ErrorText text;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return text;
  BSTR value = nullptr;
  if (SUCCEEDED(info->GetDescription(&value))) text.description = wine_test::TakeBstr(value);
  value = nullptr;
  if (SUCCEEDED(info->GetSource(&value))) text.source = wine_test::TakeBstr(value);
  info->Release();
  return text;
}

/// The HRESULT that carries run-time error `number` across COM: 0x800A0000 + number.
constexpr HRESULT ErrorHresult(int number) {
  return static_cast<HRESULT>(0x800A0000u + static_cast<unsigned>(number));
}

/// `hr` is run-time error `number` (0x800A0000 + number); the thread's error information is taken and says
/// `description`.
inline void ExpectError(HRESULT hr, int number, const wchar_t* description, const char* what,
                        Where where = Where::current()) {
  const ErrorText error = TakeErrorInfo();
  ok_at(where, hr == ErrorHresult(number), "%s: expected error %d, got hr %#lx\n", what, number,
        static_cast<unsigned long>(hr));
  ok_at(where, error.description == description, "%s: expected the description \"%s\", got \"%s\"\n", what,
        Narrow(description).c_str(), Narrow(error.description).c_str());
}

#ifdef COM_TEST_RUNTIME_ERRORS
/// `body` raises run-time error `number` described as `description` (any description when nullptr).
template <class Body>
void ExpectRaises(Body&& body, std::int32_t number, const char16_t* description, const char* what,
                  Where where = Where::current()) {
  std::int32_t got = 0;
  bsi::Text text = u"<no error>";
  try {
    body();
  } catch (const bsi::RuntimeError& error) {
    got = error.number();
    text = error.description();
  }
  ok_at(where, got == number && (description == nullptr || text == description),
        "%s: expected error %d \"%s\", got %d \"%s\"\n", what, number,
        description ? bsi::ToUtf8(description).c_str() : "*", got, bsi::ToUtf8(text).c_str());
}
#endif

}  // namespace com_test

namespace ocx_test {

/// The visible information window of `process` (0: any process), found by its class: FindWindowEx sends the
/// window nothing, so a busy window thread does not hold the search up. `count` tells how many there are.
inline HWND FindInfoWindow(DWORD process, int* count = nullptr) {
  HWND found = nullptr;
  int n = 0;
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, BSI_INFO_WINDOW_CLASS, nullptr)) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((process == 0 || owner == process) && IsWindowVisible(window)) {
      if (!found) found = window;
      ++n;
    }
  }
  if (count) *count = n;
  return found;
}

/// Rows of the window's list; -1 without a list.
inline int RowCount(HWND window) {
  HWND list = GetDlgItem(window, BSI_ID_LIST);
  return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

inline std::wstring CellText(HWND window, int row, int column) {
  wchar_t text[1024] = {};
  ListView_GetItemText(GetDlgItem(window, BSI_ID_LIST), row, column, text, 1024);
  return text;
}

enum class CloseBy { Ok, F4, CloseBox, Escape, WmClose };

inline const char* Name(CloseBy how) {
  constexpr const char* names[] = {"OK", "F4", "close box", "Escape", "WM_CLOSE"};
  return names[static_cast<int>(how)];
}

/// Closes the window from outside its modal loop: a click on OK, F4 or Escape on the focused control, the close
/// box, or WM_CLOSE.
inline void CloseInfoWindow(HWND window, CloseBy how) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  HWND focus =
      GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus ? info.hwndFocus : window;
  // Right after a child window closed, the focus may still name one of its (destroyed) controls: a key posted
  // there would be lost. The window previews the keys of all its controls, so it takes them itself then.
  if (focus != window && !IsChild(window, focus)) focus = window;
  const WPARAM key = how == CloseBy::F4 ? VK_F4 : VK_ESCAPE;
  switch (how) {
    case CloseBy::Ok:
      PostMessageW(GetDlgItem(window, BSI_ID_OK), BM_CLICK, 0, 0);
      break;
    case CloseBy::F4:
    case CloseBy::Escape:
      PostMessageW(focus, WM_KEYDOWN, key, 1);
      PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
      break;
    case CloseBy::CloseBox:
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case CloseBy::WmClose:
      PostMessageW(window, WM_CLOSE, 0, 0);
      break;
  }
}

/// What the show-and-close harness saw: the information window (gone by the time the call returned), the rows of
/// its list when it was found, and "title: text" of a message box of the thread, which it answered with OK.
struct Shown {
  HWND window = nullptr;
  int rows = -1;
  std::wstring box;
  bool timed_out = false;
  CloseBy how = CloseBy::Ok;
  std::function<void(HWND)> visit;
  ULONGLONG start = GetTickCount64();
};
inline Shown* g_shown = nullptr;

inline void CALLBACK VisitTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  Shown& v = *g_shown;
  if (GetTickCount64() - v.start > 20000) {
    // Neither shown nor closed in time: end it so that the test goes on.
    v.timed_out = true;
    KillTimer(nullptr, timer);
    if (HWND window = FindInfoWindow(GetCurrentProcessId())) DestroyWindow(window);
    return;
  }
  for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr;) {
    if (GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId() || !IsWindowVisible(box)) continue;
    wchar_t title[256] = {}, text[1024] = {};
    GetWindowTextW(box, title, 256);
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    v.box += std::wstring(title) + L": " + text;
    return (void)PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  if (v.window) {
    // A window that a nested call showed (it should have been refused) is closed too, so that the test goes on.
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, BSI_INFO_WINDOW_CLASS, nullptr)) != nullptr;) {
      if (w != v.window && IsWindowVisible(w)) PostMessageW(w, WM_CLOSE, 0, 0);
    }
  } else if ((v.window = FindInfoWindow(GetCurrentProcessId())) != nullptr) {
    v.rows = RowCount(v.window);
    if (v.visit) v.visit(v.window);
    CloseInfoWindow(v.window, v.how);
  }
}

/// Calls `show` (a call that shows the information window modally on this thread) while a thread timer, which
/// runs inside the window's own loop, finds the window, runs `visit` on it and closes it `how`. Checks for the
/// caller that the window came and is gone when the call returns, that the message box `box` came before it (none
/// when empty), and gives the call's result.
template <typename Show>
auto ShowAndClose(CloseBy how, Show show, std::function<void(HWND)> visit = {}, Shown* seen = nullptr,
                  const std::wstring& box = L"", wine_test::Where where = wine_test::Where::current()) {
  Shown v;
  v.how = how;
  v.visit = std::move(visit);
  Shown* outer = std::exchange(g_shown, &v);
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, VisitTimer);
  const auto result = show();
  KillTimer(nullptr, timer);
  g_shown = outer;
  ok_at(where, v.window && !v.timed_out, "%s: expected the window shown and closed, got window %p%s\n", Name(how),
        static_cast<void*>(v.window), v.timed_out ? ", timed out" : "");
  ok_at(where, !IsWindow(v.window), "%s: expected the window unloaded with the call, it is still there\n", Name(how));
  ok_at(where, v.box == box, "expected the message box \"%s\", got \"%s\"\n", wine_test::Narrow(box).c_str(),
        wine_test::Narrow(v.box).c_str());
  if (seen) *seen = std::move(v);
  return result;
}

}  // namespace ocx_test
