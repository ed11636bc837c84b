// SPDX-License-Identifier: MIT
// A watcher thread for the timing programs: waits until the information window is visible with a filled list,
// notes the time, and closes the window again.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cwchar>
#include <thread>

#include "BrindtSysInfo.h"
#include "ocx_support.h"

namespace ocx_bench {

using Clock = std::chrono::steady_clock;

struct Watch {
  std::atomic<bool> stop{false};
  std::atomic<long long> shown_ns{0};  // time of the last visible, filled window since `start`
  std::atomic<int> rows{0};
  Clock::time_point start;
};

inline BOOL CALLBACK MatchListView(HWND child, LPARAM context) {
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (std::wcscmp(name, WC_LISTVIEWW) != 0) return TRUE;
  *reinterpret_cast<HWND*>(context) = child;
  return FALSE;
}

inline HWND ListOf(HWND window) {
  HWND list = nullptr;
  EnumChildWindows(window, MatchListView, reinterpret_cast<LPARAM>(&list));
  return list;
}

/// One round: waits (polling every millisecond) for the window with at least one row, records the time,
/// closes it with the close box. Gives false when no window came within 30 seconds.
inline bool WatchOnce(Watch& watch) {
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  while (Clock::now() < deadline && !watch.stop) {
    HWND window = ocx_test::FindInfoWindow(GetCurrentProcessId());
    HWND list = window ? ListOf(window) : nullptr;
    DWORD_PTR count = 0;
    if (list && SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 1000, &count) && count > 0) {
      watch.shown_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - watch.start).count();
      watch.rows = static_cast<int>(count);
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      // Wait until it is gone, so that the next round does not find it again.
      while (IsWindow(window) && Clock::now() < deadline) Sleep(1);
      return true;
    }
    Sleep(1);
  }
  return false;
}

/// One call of ShowSysInfo while a watcher thread waits for the window, notes the time and closes it. `seen`
/// tells whether the window came.
inline HRESULT ShowWatched(_ctlBrindtSysInfo* control, Watch& watch, bool& seen) {
  watch.start = Clock::now();
  seen = false;
  std::thread watcher([&] { seen = WatchOnce(watch); });
  VARIANT result;
  VariantInit(&result);
  const HRESULT hr = control->ShowSysInfo(&result);
  watch.stop = true;
  watcher.join();
  VariantClear(&result);
  return hr;
}

}  // namespace ocx_bench
