// SPDX-License-Identifier: MIT
// Speed of the information window's handlers: one memory tick and one copy-all.
// Run: build/linux/bench/bsi_core_bench --benchmark_filter='Tick|CopyAll'
#include <benchmark/benchmark.h>

#include "support/fake_window_views.h"

namespace bsi::test {
namespace {

// Views that keep what they are given and record nothing, so that the figures are the handlers' own.
class KeepingLabel final : public Label {
 public:
  Text Caption() override { return caption_; }
  void SetCaption(const Text& caption) override { caption_ = caption; }

 private:
  Text caption_ = u"0%";
};
class NullGauge final : public GaugeView {
 public:
  WindowHandle hWnd() override { return 1; }
  void ShowFill(double) override {}
};
class KeepingTextBox final : public TextBox {
 public:
  Text GetText() override { return text_; }
  void SetText(const Text& text) override { text_ = text; }
  void Select(std::int32_t, std::int32_t) override {}

 private:
  Text text_;
};
class NullMenu final : public Menu {
 public:
  void SetCaption(const Text&) override {}
};
class NullForm final : public FormView {
 public:
  WindowHandle hWnd() override { return 2; }
  void SetCaption(const Text&) override {}
  void ShowModal() override {}
  void Unload() override {}
  void PopupMenu(Menu&, std::int32_t) override {}
};
class LeanWindow final : public SysInfoWindowView {
 public:
  FormView& Form() override { return form; }
  ListView& lvwSysInfo() override { return list; }
  GaugeView& ctlProgressPhysical() override { return gauge; }
  GaugeView& ctlProgressVirtual() override { return gauge; }
  GaugeView& ctlProgressPagefile() override { return gauge; }
  Label& lblPhysicalMemory() override { return labels[0]; }
  Label& lblVirtualMemory() override { return labels[1]; }
  Label& lblPageFileMemory() override { return labels[2]; }
  Label& lblPhysicalPercent() override { return labels[3]; }
  Label& lblVirtualPercent() override { return labels[4]; }
  Label& lblPagePercent() override { return labels[5]; }
  TextBox& txtTemp() override { return temp; }
  Menu& mnuFile() override { return menu; }
  Menu& mnuCopyValueToClipboard() override { return menu; }
  Menu& mnuCopyAllToClipboard() override { return menu; }
  Battery& SysInfo() override { return battery; }

  NullForm form;
  MemoryListView list;
  NullGauge gauge;
  KeepingLabel labels[6];
  KeepingTextBox temp;
  NullMenu menu;
  FakeBattery battery;
};
class LeanPlatform final : public SysInfoWindowFactory, public ValueWindowFactory {
 public:
  std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo&) override {
    auto window = std::make_unique<LeanWindow>();
    last = window.get();
    return window;
  }
  std::unique_ptr<ValueWindowView> CreateValueWindow(frmValue&) override { return nullptr; }
  LeanWindow* last = nullptr;
};
class NullClipboard final : public Clipboard {
 public:
  void Clear() override {}
  void SetText(const Text& text) override { benchmark::DoNotOptimize(text.data()); }
};
class NullShell final : public Shell {
 public:
  std::int32_t SHObjectProperties(WindowHandle, std::int32_t, const Text&, const Text&) override { return 1; }
};
class NullLoop final : public MessageLoop {
 public:
  void DoEvents() override {}
};
class NullMessageBox final : public MsgBox {
 public:
  void Show(const Text&, std::int32_t, const Text&) override {}
};
class NullWindowSystem final : public WindowSystem {
 public:
  std::int32_t LockWindowUpdate(WindowHandle) override { return 1; }
  std::int32_t SendMessageA(WindowHandle, std::uint32_t, std::int32_t, std::int32_t) override { return 1; }
};

// The four classes a tick uses, answering at once; every other class comes from the scripted library.
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
        return scripted.Create(cls);
    }
  }
  ScriptedLibrary scripted;
};

struct LeanRig {
  SysInfoWindowContext context() {
    return SysInfoWindowContext{platform,      platform, library,   strings, locale, message_box,
                                window_system, screen,   clipboard, shell,   loop,   kVersion};
  }
  LeanPlatform platform;
  FixedLibrary library;
  Catalogue strings{UiLanguage::German};
  Locale locale = Locale::German();
  NullMessageBox message_box;
  NullWindowSystem window_system;
  FakeScreen screen;
  NullClipboard clipboard;
  NullShell shell;
  NullLoop loop;
};

// One tick of a loaded window over the full list: answers as fast as a library can give them.
void BM_Tick(benchmark::State& state) {
  LeanRig rig;
  frmSysInfo form(rig.context());
  form.Form_Load();
  for (auto _ : state) form.tmrMemory_Timer();
  benchmark::DoNotOptimize(rig.platform.last->labels[5].Caption());
}
BENCHMARK(BM_Tick);

// The same tick over the scripted test library, which logs every call it answers.
void BM_Tick_ScriptedLibrary(benchmark::State& state) {
  WindowRig rig;
  frmSysInfo form(rig.context());
  form.Form_Load();
  for (auto _ : state) {
    form.tmrMemory_Timer();
    rig.log.Clear();
  }
}
BENCHMARK(BM_Tick_ScriptedLibrary);

// Copy-all of a 60-row list with typical label and value lengths.
void BM_CopyAll60Rows(benchmark::State& state) {
  LeanRig rig;
  frmSysInfo form(rig.context());
  form.Form_Load();
  MemoryListView& list = rig.platform.last->list;
  list.ClearItems();
  for (int i = 0; i < 60; ++i) {
    list.AddItem(u"Installierte Schriftarten:");
    list.SetSubItem(i + 1, u"C:\\Windows\\system32 (value " + Decimal(i) + u")");
  }
  for (auto _ : state) form.mnuCopyAllToClipboard_Click();
}
BENCHMARK(BM_CopyAll60Rows);

}  // namespace
}  // namespace bsi::test
