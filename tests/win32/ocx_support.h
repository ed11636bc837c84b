// SPDX-License-Identifier: MIT
// Helpers of the control's tests and the timing programs: where the module lives, the information window found
// and closed from outside its modal loop, a harness that shows and closes it, and registry keys.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "../../platform/win32/ui/resource_ids.h"
#include "wine_test.h"

namespace ocx_test {

/// The folder of the running test program, with a trailing backslash; the modules are built beside it.
inline std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

inline std::wstring OcxPath() {
  return BinDir() + L"BrindtSysInfo.ocx";
}

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

enum class CloseBy { Ok, F4, CloseBox, Escape, WmClose };

/// Every way a user or a program closes the window, for tests that try each.
inline constexpr CloseBy kCloseWays[] = {CloseBy::Ok, CloseBy::F4, CloseBy::CloseBox, CloseBy::Escape,
                                         CloseBy::WmClose};

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

/// What the show-and-close harness saw: the information window (gone by the time the call returned) and the rows
/// of its list when it was found.
struct Shown {
  HWND window = nullptr;
  int rows = -1;
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
  } else if (v.window) {
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
/// caller that the window came and is gone when the call returns, and gives the call's result.
template <typename Show>
auto ShowAndClose(CloseBy how, Show show, std::function<void(HWND)> visit = {}, Shown* seen = nullptr,
                  wine_test::Where where = wine_test::Where::current()) {
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
  if (seen) *seen = std::move(v);
  return result;
}

/// The text of `value`, which it frees.
inline std::wstring TakeBstr(BSTR value) {
  std::wstring text = value ? std::wstring(value, SysStringLen(value)) : std::wstring();
  SysFreeString(value);
  return text;
}

inline bool ClassesKeyExists(const std::wstring& path, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

inline std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

}  // namespace ocx_test
