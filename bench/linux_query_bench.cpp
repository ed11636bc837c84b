// SPDX-License-Identifier: MIT
// The Linux query library on this machine: one benchmark per class, each creating a fresh object and calling
// every member once (as one list build does), so that the slowest fact can be named; then the battery, the font
// count and the whole list. Run: build/linux/bench/bsi_linux_query_bench
#include <benchmark/benchmark.h>

#include <memory>

#include "info_list/load_sys_info.h"
#include "runtime/memory_list_view.h"
#include "sysquery/linux/linux_query_library.h"

namespace bsi::sysquery_linux {
namespace {

QueryLibrary& Library() {
  static const std::unique_ptr<QueryLibrary> library = CreateQueryLibrary("/", UiLanguage::English);
  return *library;
}

template <class T, class Calls>
void EveryMember(benchmark::State& state, Calls calls) {
  for (auto _ : state) {
    std::unique_ptr<QueryObject> object = Library().Create(T::kClass);
    calls(dynamic_cast<T&>(*object));
  }
}

template <class Value>
void Keep(const Value& value) {
  benchmark::DoNotOptimize(value);
}

void BM_RegistryReader(benchmark::State& state) {
  EveryMember<RegistryReader>(state, [](RegistryReader& reader) {
    reader.SetRoot(RegistryReader::kHkeyLocalMachine);
    reader.SetKeyPath(u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    for (const char16_t* name : {u"CSDVersion", u"BuildLab"}) {
      reader.SetValueName(name);
      Keep(reader.Exists());
      Keep(reader.Value());
    }
    reader.SetKeyPath(u"HARDWARE\\DESCRIPTION\\System");
    for (const char16_t* name : {u"SystemBiosVersion", u"SystemBiosDate", u"VideoBiosVersion"}) {
      reader.SetValueName(name);
      reader.SetValueType(RegistryReader::kRegSz);
      Keep(reader.Value());
    }
  });
}
void BM_OSVersionInfo(benchmark::State& state) {
  EveryMember<OSVersionInfo>(state, [](OSVersionInfo& os) {
    Keep(os.Name());
    Keep(os.MajorVersion() + os.MinorVersion() + os.BuildNumber());
  });
}
void BM_ProcessorInfo(benchmark::State& state) {
  EveryMember<ProcessorInfo>(state, [](ProcessorInfo& cpu) { Keep(cpu.Description()); });
}
void BM_MemoryInfo(benchmark::State& state) {
  EveryMember<MemoryInfo>(state, [](MemoryInfo& memory) {
    Keep(memory.PhysicalTotal());
    Keep(memory.PhysicalFree());
    Keep(memory.PageFileTotal());
    Keep(memory.PageFileFree());
    Keep(memory.VirtualTotal());
    Keep(memory.VirtualFree());
  });
}
void BM_ComputerInfo(benchmark::State& state) {
  EveryMember<ComputerInfo>(state, [](ComputerInfo& computer) { Keep(computer.ComputerName()); });
}
void BM_UserInfo(benchmark::State& state) {
  EveryMember<UserInfo>(state, [](UserInfo& user) { Keep(user.UserName()); });
}
void BM_AdminRightsInfo(benchmark::State& state) {
  EveryMember<AdminRightsInfo>(state, [](AdminRightsInfo& admin) { Keep(admin.IsAdmin()); });
}
void BM_NetworkInfo(benchmark::State& state) {
  EveryMember<NetworkInfo>(state, [](NetworkInfo& network) {
    Keep(network.LocalIP());
    Keep(network.NetworkIP());
    Keep(network.LocalSubnetMask());
    Keep(network.NetworkSubnetMask());
    Keep(network.MACAddress());
  });
}
void BM_DialUpInfo(benchmark::State& state) {
  EveryMember<DialUpInfo>(state, [](DialUpInfo& dial_up) { Keep(dial_up.Active()); });
}
void BM_DefaultBrowserInfo(benchmark::State& state) {
  EveryMember<DefaultBrowserInfo>(state, [](DefaultBrowserInfo& browser) {
    Keep(browser.Detail());
    Keep(browser.Executable());
    Keep(browser.Name());
  });
}
void BM_FolderInfo(benchmark::State& state) {
  EveryMember<FolderInfo>(state, [](FolderInfo& folders) {
    Keep(folders.WindowsFolder());
    Keep(folders.SystemFolder());
  });
}
void BM_DisplayInfo(benchmark::State& state) {
  EveryMember<DisplayInfo>(state, [](DisplayInfo& display) {
    Keep(display.BitsPerPixel());
    Keep(display.Width() + display.Height());
  });
}
void BM_DefaultPrinterInfo(benchmark::State& state) {
  EveryMember<DefaultPrinterInfo>(state, [](DefaultPrinterInfo& printer) {
    Keep(printer.Name());
    Keep(printer.Detail1());
    Keep(printer.Detail2());
  });
}
void BM_SoundInfo(benchmark::State& state) {
  EveryMember<SoundInfo>(state, [](SoundInfo& sound) { Keep(sound.Installed()); });
}
void BM_UptimeInfo(benchmark::State& state) {
  EveryMember<UptimeInfo>(state, [](UptimeInfo& uptime) { Keep(uptime.RunningTime()); });
}
void BM_TimeZoneInfo(benchmark::State& state) {
  EveryMember<TimeZoneInfo>(state, [](TimeZoneInfo& zone) {
    Keep(zone.Bias() + zone.StandardBias() + zone.DaylightBias());
    Keep(zone.StandardName());
    Keep(zone.DaylightName());
    Keep(zone.DaylightActive());
    Keep(zone.Name());
  });
}
void BM_DriveInfo(benchmark::State& state) {
  EveryMember<DriveInfo>(state, [](DriveInfo& drives) {
    auto collection = std::dynamic_pointer_cast<Collection>(drives.Drives());
    for (std::int32_t i = 1; i <= collection->Count(); ++i) Keep(collection->Item(i));
  });
}
void BM_ProgressBarColors(benchmark::State& state) {
  EveryMember<ProgressBarColors>(state, [](ProgressBarColors& colors) { colors.SetColors(0, 0xFF, 0xFFFFFF); });
}
BENCHMARK(BM_RegistryReader);
BENCHMARK(BM_OSVersionInfo);
BENCHMARK(BM_ProcessorInfo);
BENCHMARK(BM_MemoryInfo);
BENCHMARK(BM_ComputerInfo);
BENCHMARK(BM_UserInfo);
BENCHMARK(BM_AdminRightsInfo);
BENCHMARK(BM_NetworkInfo);
BENCHMARK(BM_DialUpInfo);
BENCHMARK(BM_DefaultBrowserInfo);
BENCHMARK(BM_FolderInfo);
BENCHMARK(BM_DisplayInfo);
BENCHMARK(BM_DefaultPrinterInfo);
BENCHMARK(BM_SoundInfo);
BENCHMARK(BM_UptimeInfo);
BENCHMARK(BM_TimeZoneInfo);
BENCHMARK(BM_DriveInfo);
BENCHMARK(BM_ProgressBarColors);

void BM_Battery(benchmark::State& state) {
  const auto battery = CreateBattery();
  for (auto _ : state) Keep(battery->BatteryStatus() + battery->BatteryLifePercent());
}
BENCHMARK(BM_Battery);

// fontconfig loads its configuration and font cache on every count.
void BM_FontCount(benchmark::State& state) {
  const auto screen = CreateScreen();
  for (auto _ : state) Keep(screen->FontCount());
}
BENCHMARK(BM_FontCount)->Unit(benchmark::kMillisecond);

class NoWindowSystem final : public WindowSystem {
 public:
  std::int32_t LockWindowUpdate(WindowHandle) override { return 1; }
  std::int32_t SendMessageA(WindowHandle, std::uint32_t, std::int32_t, std::int32_t) override { return 1; }
};

class NoMsgBox final : public MsgBox {
 public:
  void Show(const Text&, std::int32_t, const Text&) override {}
};

// The whole list as the report builds it, the font count included.
void BM_LoadSysInfo(benchmark::State& state) {
  MemoryListView list;
  NoWindowSystem window_system;
  NoMsgBox box;
  const auto screen = CreateScreen();
  const auto battery = CreateBattery();
  Catalogue strings(UiLanguage::English, Platform::Linux);
  const Locale locale = Locale::English();
  for (auto _ : state) {
    LoadSysInfo({list, window_system, box, *screen, *battery, strings, locale, Library()});
    Keep(list.ItemCount());
  }
}
BENCHMARK(BM_LoadSysInfo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bsi::sysquery_linux
