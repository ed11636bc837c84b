// SPDX-License-Identifier: MIT
// 200 ShowSysInfo cycles (open, list filled, close) in one process, under Wine, with the process's private bytes,
// handles and GDI/USER objects after each 25 cycles; the growth after the warm-up shows a leak:
//   WINEPREFIX=... wine64 build/windows/bin/ocx_cycles_bench.exe [cycles]
#include <windows.h>

#include <oleauto.h>
#include <psapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "BrindtSysInfo.h"
#include "ocx_window_watch.h"

using Microsoft::WRL::ComPtr;

namespace {

struct Sample {
  SIZE_T private_bytes;
  SIZE_T commit;
  DWORD handles;
  DWORD gdi;
  DWORD user;
};

// Private bytes as the address space shows them: committed pages of private regions. Wine's process counters
// may report no private usage, so the program counts them itself.
SIZE_T CommittedPrivateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region{};
  const char* address = nullptr;
  while (VirtualQuery(address, &region, sizeof(region)) == sizeof(region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return total;
}

Sample Measure() {
  Sample sample{};
  sample.private_bytes = CommittedPrivateBytes();
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory))) sample.commit = memory.PagefileUsage;
  GetProcessHandleCount(GetCurrentProcess(), &sample.handles);
  sample.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  sample.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  return sample;
}

void Print(int cycle, const Sample& s) {
  std::printf("cycle %3d: private %8.1f KiB, commit %8.1f KiB, handles %4lu, GDI %4lu, USER %4lu\n", cycle,
              static_cast<double>(s.private_bytes) / 1024, static_cast<double>(s.commit) / 1024, s.handles, s.gdi,
              s.user);
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const int warm_up = std::min(25, cycles);
  OleInitialize(nullptr);
  int status = 0;
  {
    ComPtr<_ctlBrindtSysInfo> control;
    HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
    if (FAILED(hr)) {
      std::fprintf(stderr, "cannot create the control: %#lx\n", hr);
      return 1;
    }
    Print(0, Measure());
    Sample after_warm_up{};
    for (int cycle = 1; cycle <= cycles; ++cycle) {
      ocx_bench::Watch watch;
      bool seen = false;
      hr = ocx_bench::ShowWatched(control.Get(), watch, seen);
      if (FAILED(hr) || !seen) {
        std::fprintf(stderr, "cycle %d: hr %#lx, window %s\n", cycle, hr, seen ? "seen" : "not seen");
        status = 1;
        break;
      }
      if (cycle == warm_up) after_warm_up = Measure();
      if (cycle % 25 == 0 || cycle == cycles) Print(cycle, Measure());
    }
    const Sample end = Measure();
    std::printf("growth after cycle %d: private %+.1f KiB, commit %+.1f KiB, handles %+ld, GDI %+ld, USER %+ld\n",
                warm_up,
                (static_cast<double>(end.private_bytes) - static_cast<double>(after_warm_up.private_bytes)) / 1024,
                (static_cast<double>(end.commit) - static_cast<double>(after_warm_up.commit)) / 1024,
                static_cast<long>(end.handles) - static_cast<long>(after_warm_up.handles),
                static_cast<long>(end.gdi) - static_cast<long>(after_warm_up.gdi),
                static_cast<long>(end.user) - static_cast<long>(after_warm_up.user));
  }
  OleUninitialize();
  return status;
}
