// SPDX-License-Identifier: MIT
// Time from calling ShowSysInfo to a visible window with its list filled, 20 rounds in one process, under Wine:
//   WINEPREFIX=... wine64 build/windows/bin/ocx_show_bench.exe [rounds]
// Prints every round and the median, minimum and maximum in milliseconds.
#include <windows.h>

#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BrindtSysInfo.h"
#include "ocx_window_watch.h"

using Microsoft::WRL::ComPtr;

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  OleInitialize(nullptr);
  int status = 0;
  {
    ComPtr<_ctlBrindtSysInfo> control;
    HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
    if (FAILED(hr)) {
      std::fprintf(stderr, "cannot create the control: %#lx\n", hr);
      return 1;
    }
    std::vector<double> times;
    for (int round = 1; round <= rounds; ++round) {
      ocx_bench::Watch watch;
      bool seen = false;
      hr = ocx_bench::ShowWatched(control.Get(), watch, seen);
      if (FAILED(hr) || !seen) {
        std::fprintf(stderr, "round %d: hr %#lx, window %s\n", round, hr, seen ? "seen" : "not seen");
        status = 1;
        break;
      }
      const double ms = static_cast<double>(watch.shown_ns.load()) / 1e6;
      times.push_back(ms);
      std::printf("round %2d: %8.2f ms (%d rows)\n", round, ms, watch.rows.load());
    }
    if (!times.empty()) {
      std::sort(times.begin(), times.end());
      const std::size_t n = times.size();
      const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
      std::printf("ShowSysInfo to a visible filled list, %zu rounds: median %.2f ms, min %.2f ms, max %.2f ms\n", n,
                  median, times.front(), times.back());
    }
  }
  OleUninitialize();
  return status;
}
