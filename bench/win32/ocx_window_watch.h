// SPDX-License-Identifier: MIT
// A watcher thread for the timing programs: finds the window from outside (FindWindowEx by class sends the window
// nothing, so a busy window thread does not slow the search down), counts its list's rows with LVM_GETITEMCOUNT
// until all are there, notes when the last one came, and closes the window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../../platform/win32/ui/resource_ids.h"
#include "BrindtSysInfo.h"

namespace ocx_bench {

using Clock = std::chrono::steady_clock;
using Texts = std::vector<std::pair<std::wstring, std::wstring>>;

struct Watch {
  const wchar_t* window_class = BSI_INFO_WINDOW_CLASS;
  int expected_rows = 0;   // 0: all rows are there once the count has held still for 300 ms
  Texts* texts = nullptr;  // when set, receives the list's cells before the window is closed
  std::atomic<bool> stop{false};
  std::atomic<long long> shown_ns{0};  // from `start` to the moment the last row was seen in the visible window
  std::atomic<int> rows{0};
  Clock::time_point start = Clock::now();
};

inline std::wstring CellText(HWND list, int row, int column) {
  wchar_t text[1024] = {};
  ListView_GetItemText(list, row, column, text, 1024);
  return text;
}

/// One round: waits for the visible window of this process and its rows, notes the time, closes it with
/// WM_CLOSE. Gives false when it did not come within 30 seconds.
inline bool WatchOnce(Watch& watch) {
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  int last = -1;
  Clock::time_point last_change;
  for (; Clock::now() < deadline && !watch.stop; Sleep(1)) {
    HWND window = nullptr;
    for (HWND w = nullptr; !window && (w = FindWindowExW(nullptr, w, watch.window_class, nullptr)) != nullptr;) {
      DWORD process = 0;
      GetWindowThreadProcessId(w, &process);
      if (process == GetCurrentProcessId() && IsWindowVisible(w)) window = w;
    }
    HWND list = window ? GetDlgItem(window, BSI_ID_LIST) : nullptr;
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &count)) continue;
    const auto now = Clock::now();
    if (static_cast<int>(count) != last) {
      last = static_cast<int>(count);
      last_change = now;
      watch.rows = last;
      watch.shown_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now - watch.start).count();
    }
    const bool all = watch.expected_rows > 0 ? last >= watch.expected_rows
                                             : last > 0 && now - last_change > std::chrono::milliseconds(300);
    if (!all) continue;
    if (watch.texts) {
      watch.texts->clear();
      for (int i = 0; i < last; ++i) watch.texts->emplace_back(CellText(list, i, 0), CellText(list, i, 1));
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    return true;
  }
  return false;
}

/// Runs `show` (which shows the window modally on this thread) while a watcher thread times it and closes it.
/// `seen` tells whether the window came.
template <typename Show>
HRESULT ShowWatched(Show show, Watch& watch, bool& seen) {
  watch.start = Clock::now();
  seen = false;
  std::thread watcher([&] { seen = WatchOnce(watch); });
  const HRESULT hr = show();
  watch.stop = true;
  watcher.join();
  return hr;
}

/// One call of ShowSysInfo on the control, watched.
inline HRESULT ShowWatched(_ctlBrindtSysInfo* control, Watch& watch, bool& seen) {
  return ShowWatched(
      [control] {
        VARIANT result;
        VariantInit(&result);
        const HRESULT hr = control->ShowSysInfo(&result);
        VariantClear(&result);
        return hr;
      },
      watch, seen);
}

}  // namespace ocx_bench
