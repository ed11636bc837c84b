// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include "info_list/load_sys_info.h"
#include "runtime/memory_list_view.h"
#include "support/fake_views.h"
#include "support/scripted_library.h"

namespace bsi::test {
namespace {

class NullWindowSystem final : public WindowSystem {
 public:
  std::int32_t LockWindowUpdate(WindowHandle) override { return 1; }
  std::int32_t SendMessageA(WindowHandle, std::uint32_t, std::int32_t, std::int32_t) override { return 1; }
};

class NullMessageBox final : public MsgBox {
 public:
  void Show(const Text&, std::int32_t, const Text&) override {}
};

// One full LoadSysInfo over the in-memory list view and the scripted library.
void BM_LoadSysInfo(benchmark::State& state) {
  CallLog log;
  ScriptedLibrary library(&log);
  MemoryListView list;
  NullWindowSystem window_system;
  NullMessageBox message_box;
  FakeScreen screen;
  FakeBattery battery;
  battery.status = Battery::kHigh;
  battery.percent = 80;
  Catalogue strings(UiLanguage::German);
  const Locale locale = Locale::German();
  const InfoListContext context{list, window_system, message_box, screen, battery, strings, locale, library};
  for (auto _ : state) {
    LoadSysInfo(context);
    log.Clear();
    benchmark::DoNotOptimize(list.ItemCount());
  }
}
BENCHMARK(BM_LoadSysInfo);

}  // namespace
}  // namespace bsi::test
