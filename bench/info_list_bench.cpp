// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include "info_list/load_sys_info.h"
#include "support/fakes.h"

namespace bsi::test {
namespace {

// One full LoadSysInfo over the in-memory list view and the scripted library, with the log switched off.
void BM_LoadSysInfo(benchmark::State& state) {
  WindowRig rig;
  rig.log.recording = false;
  MemoryListView list;
  FakeBattery battery;
  battery.status = Battery::kHigh;
  battery.percent = 80;
  const InfoListContext context{list,    rig.window_system, rig.message_box, rig.screen,
                                battery, rig.strings,       rig.locale,      rig.library};
  for (auto _ : state) {
    LoadSysInfo(context);
    benchmark::DoNotOptimize(list.ItemCount());
  }
}
BENCHMARK(BM_LoadSysInfo);

}  // namespace
}  // namespace bsi::test
