// SPDX-License-Identifier: MIT
// Speed of the information window's handlers: one memory tick and one copy-all, over the test fakes with their
// log switched off and a library that answers at once, so that the figures are the handlers' own.
// Run: build/linux/bench/bsi_core_bench --benchmark_filter='Tick|CopyAll'
#include <benchmark/benchmark.h>

#include "support/fakes.h"

namespace bsi::test {
namespace {

// The four classes a tick uses, answering at once and logging nothing; every other class comes from the
// scripted library.
class FixedMemory final : public MemoryInfo {
 public:
  Text PhysicalTotal() override { return u"4294967296"; }
  Text PhysicalFree() override { return u"1073741824"; }
  Text PageFileTotal() override { return u"8589934592"; }
  Text PageFileFree() override { return u"4294967296"; }
  Text VirtualTotal() override { return u"2147352576"; }
  Text VirtualFree() override { return u"1879048192"; }
};
class FixedNetwork final : public NetworkInfo {
 public:
  Text LocalIP() override { return u"127.0.0.1"; }
  Text NetworkIP() override { return u"192.168.1.20"; }
  Text LocalSubnetMask() override { return u"255.0.0.0"; }
  Text NetworkSubnetMask() override { return u"255.255.255.0"; }
  Text MACAddress() override { return u"00-1A-2B-3C-4D-5E"; }
};
class FixedDisplay final : public DisplayInfo {
 public:
  Currency BitsPerPixel() override { return Currency::FromWhole(32); }
  std::int32_t Width() override { return 1024; }
  std::int32_t Height() override { return 768; }
};
class NullColors final : public ProgressBarColors {
 public:
  void SetColors(WindowHandle, std::int32_t, std::int32_t) override {}
};
class FixedLibrary final : public QueryLibrary {
 public:
  explicit FixedLibrary(QueryLibrary& others) : others_(others) {}
  std::unique_ptr<QueryObject> Create(QueryClass cls) override {
    switch (cls) {
      case QueryClass::MemoryInfo:
        return std::make_unique<FixedMemory>();
      case QueryClass::NetworkInfo:
        return std::make_unique<FixedNetwork>();
      case QueryClass::DisplayInfo:
        return std::make_unique<FixedDisplay>();
      case QueryClass::ProgressBarColors:
        return std::make_unique<NullColors>();
      default:
        return others_.Create(cls);
    }
  }

 private:
  QueryLibrary& others_;
};

// A loaded window over the fakes, recording nothing.
struct QuietWindow {
  QuietWindow() {
    rig.log.recording = false;
    form.Form_Load();
  }
  WindowRig rig;
  FixedLibrary library{rig.library};
  frmSysInfo form{rig.context(nullptr, &library)};
};

// One tick of a loaded window over the full list.
void BM_Tick(benchmark::State& state) {
  QuietWindow window;
  for (auto _ : state) window.form.tmrMemory_Timer();
  benchmark::DoNotOptimize(window.rig.windows.last_sysinfo->pagefile_percent.caption());
}
BENCHMARK(BM_Tick);

// Copy-all of a 60-row list with typical label and value lengths.
void BM_CopyAll60Rows(benchmark::State& state) {
  QuietWindow window;
  MemoryListView& list = window.rig.windows.last_sysinfo->list.rows();
  list.ClearItems();
  for (int i = 0; i < 60; ++i) {
    list.AddItem(u"Installierte Schriftarten:");
    list.SetSubItem(i + 1, u"C:\\Windows\\system32 (value " + Decimal(i) + u")");
  }
  for (auto _ : state) window.form.mnuCopyAllToClipboard_Click();
  benchmark::DoNotOptimize(window.rig.clipboard.text.data());
}
BENCHMARK(BM_CopyAll60Rows);

}  // namespace
}  // namespace bsi::test
