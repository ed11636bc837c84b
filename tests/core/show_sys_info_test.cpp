// SPDX-License-Identifier: MIT
// ShowSysInfo over the module's default window (error 400 while one is shown), frmSysInfo's start-up (the order
// of its steps, the gauge captions in both languages, what each failing step leaves behind), the resize rule, and
// how failures leave a COM method.
#include "core/fixtures.h"

namespace bsi::test {
namespace {

TEST(ShowSysInfo, EachCallLoadsAFreshWindowAndReturnsEmptyHoweverItIsClosed) {
  const std::vector<std::function<void(frmSysInfo&)>> closers = {
      [](frmSysInfo& f) { f.cmdOK_Click(); }, [](frmSysInfo& f) { f.Form_KeyDown(frmSysInfo::kKeyF4, 0); },
      [](frmSysInfo& f) { f.CloseBox(); }};
  WindowRig rig;
  SysInfoModule module;
  ctlBrindtSysInfo control(module);
  std::vector<Text> cpus;
  for (const auto& close : closers) {
    rig.windows.while_sysinfo_shown = [&](frmSysInfo& form, FakeSysInfoWindow& view) {
      EXPECT_EQ(module.DefaultInstance(), &form);
      cpus.push_back(view.list.rows().rows()[1].value);
      close(form);
    };
    rig.library.Set("ProcessorInfo.Description", FromAscii("CPU " + std::to_string(cpus.size())).c_str());
    EXPECT_TRUE(control.ShowSysInfo(rig.context()).IsEmpty());
    EXPECT_EQ(module.DefaultInstance(), nullptr);
    EXPECT_EQ(rig.library.LiveObjects(), 0);
  }
  EXPECT_EQ(cpus, (std::vector<Text>{u"CPU 0", u"CPU 1", u"CPU 2"}));
  EXPECT_EQ(rig.windows.sysinfo_windows, 3);
  EXPECT_TRUE(rig.log.Matching("frmSysInfo left open").empty());
}

TEST(ShowSysInfo, ACallWhileTheWindowIsShownRaises400AndChangesNothing) {
  WindowRig rig;
  SysInfoModule module;
  ctlBrindtSysInfo control(module);
  int refused = 0, shown = 0;
  rig.windows.while_sysinfo_shown = [&](frmSysInfo& form, FakeSysInfoWindow& view) {
    if (++shown > 1) return form.cmdOK_Click();  // a second window: the call was not refused
    const auto rows = view.list.rows().rows();
    for (int i = 0; i < 2; ++i) {
      try {
        control.ShowSysInfo(rig.context());
      } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 400);
        EXPECT_EQ(error.description(), u"Form already displayed; can't show modally");
        EXPECT_EQ(ErrorHResult(error), static_cast<std::int32_t>(0x800A0190u));
        ++refused;
      }
    }
    EXPECT_EQ(module.DefaultInstance(), &form);
    EXPECT_EQ(view.list.rows().rows(), rows);
    EXPECT_FALSE(view.form.unloaded());
    form.cmdOK_Click();
  };
  EXPECT_TRUE(control.ShowSysInfo(rig.context()).IsEmpty());
  EXPECT_EQ(refused, 2);
  EXPECT_EQ(rig.windows.sysinfo_windows, 1);
  EXPECT_TRUE(control.ShowSysInfo(rig.context()).IsEmpty()) << "once closed, the next call opens it again";
  EXPECT_EQ(rig.windows.sysinfo_windows, 2);
}

TEST(ShowSysInfo, ACallWhileTheWindowIsStillLoadingRaises400Too) {
  // The list builder's message box runs a message loop during start-up, where the host may call again.
  struct CallingMessageBox final : MsgBox {
    void Show(const Text&, std::int32_t, const Text&) override {
      if (!calling) calling = true, numbers.push_back(ErrorOf([&] { module->ShowSysInfo(*context); }));
    }
    bool calling = false;
    SysInfoModule* module = nullptr;
    const SysInfoWindowContext* context = nullptr;
    std::vector<std::int32_t> numbers;
  };
  WindowRig rig;
  rig.library.FailAllCreations();
  CallingMessageBox box;
  const SysInfoWindowContext context = rig.context(nullptr, nullptr, &box);
  SysInfoModule module;
  box.module = &module;
  box.context = &context;
  rig.windows.while_sysinfo_shown = [](frmSysInfo& form, FakeSysInfoWindow&) { form.cmdOK_Click(); };
  EXPECT_TRUE(module.ShowSysInfo(context).IsEmpty());
  EXPECT_EQ(box.numbers, std::vector<std::int32_t>{400});
  EXPECT_EQ(rig.windows.sysinfo_windows, 1);
}

TEST(ShowSysInfo, APlatformFailureWhileCreatingReachesTheCaller) {
  struct NoWindows final : SysInfoWindowFactory {
    std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo&) override { Raise(err::kOutOfMemory); }
  };
  WindowRig rig;
  NoWindows none;
  const SysInfoWindowContext context = rig.context(&none);
  SysInfoModule module;
  EXPECT_EQ(ErrorOf([&] { module.ShowSysInfo(context); }), err::kOutOfMemory);
  EXPECT_EQ(module.DefaultInstance(), nullptr);
}

TEST(FormLoad, RunsItsStepsInOrderAndBuildsTheListLast) {
  OpenWindow w;
  w.form = std::make_unique<frmSysInfo>(w.context());
  w.view = w.windows.last_sysinfo;
  w.log.Clear();
  w.form->Form_Load();
  std::string steps;
  for (const auto& entry : w.log.entries()) {
    if (entry.rfind("LockWindowUpdate", 0) == 0) break;
    steps += entry + "\n";
  }
  EXPECT_EQ(CompareGolden("core/form_load_trace.txt", steps), "");
  EXPECT_EQ(w.form->ctlProgressPhysical().Max(), 4294967296.0f);
  EXPECT_EQ(w.form->ctlProgressVirtual().Max(), 2147352576.0f);
  EXPECT_EQ(w.form->ctlProgressPagefile().Max(), 8589934592.0f);
  EXPECT_EQ(w.form->ctlProgressPhysical().Value(), 0.0f);  // the timer sets the values
  EXPECT_EQ(w.view->physical_percent.caption(), u"0%");
  EXPECT_EQ(w.rows().front().text, u"Betriebssystem:");
  EXPECT_TRUE(w.message_box.shown.empty());
  EXPECT_EQ(w.library.LiveObjects(), 0);
}

TEST(FormLoad, WithoutTheLibraryTheWindowStillOpensWithItsDesignGauges) {
  OpenWindow w(UiLanguage::English);
  w.library.FailAllCreations();
  w.Load();
  for (ProgressBar* bar :
       {&w.form->ctlProgressPhysical(), &w.form->ctlProgressVirtual(), &w.form->ctlProgressPagefile()}) {
    EXPECT_EQ(bar->Min(), 0.0f);
    EXPECT_EQ(bar->Max(), 100.0f);
    EXPECT_EQ(bar->Value(), 0.0f);
  }
  // The design captions are German whatever the UI language; the menus and the caption are localized.
  EXPECT_EQ(w.view->physical_caption.caption(), u"Physischer Speicher belegt");
  EXPECT_EQ(w.view->virtual_caption.caption(), u"Virtueller Speicher belegt");
  EXPECT_EQ(w.view->pagefile_caption.caption(), u"Auslagerungsdatei belegt");
  EXPECT_EQ(w.view->copy_all_menu.caption(), u"Copy all values to clipboard");
  EXPECT_EQ(w.rows().size(), 1u) << "the list reports its own failure";
  EXPECT_TRUE(w.form->IsLoaded());

  // The caption follows whatever version the module carries, without the build number.
  SysInfoWindowContext context = w.context();
  context.app = VersionRecord{3, 0, 0, 12};
  frmSysInfo form(context);
  form.Form_Load();
  EXPECT_EQ(w.windows.last_sysinfo->form.caption(), u"Brindt SysInfo 3.0.12");
}

TEST(FormLoad, EachFailingStepIsSkippedAlone) {
  OpenWindow w;
  w.library.Fail("MemoryInfo.PhysicalFree", 5);
  w.library.Set("MemoryInfo.VirtualTotal", u"100");
  w.library.Set("MemoryInfo.VirtualFree", u"300");
  w.library.Set("MemoryInfo.PageFileTotal", u"-2048");
  w.library.Set("MemoryInfo.PageFileFree", u"0");
  w.Load();
  // A failed read shows as nothing, never as 0; the range does not need the free figure.
  EXPECT_EQ(w.view->physical_caption.caption(), u"Physischer Speicher belegt ( von 4294967296)");
  EXPECT_EQ(w.form->ctlProgressPhysical().Max(), 4294967296.0f);
  // A free figure above its total gives a negative amount; only the page-file total is made positive.
  EXPECT_EQ(w.view->virtual_caption.caption(), u"Virtueller Speicher belegt (-200 von 100)");
  EXPECT_EQ(w.view->pagefile_caption.caption(), u"Auslagerungsdatei belegt (-2.048 von 2.048)");
  EXPECT_EQ(w.form->ctlProgressPagefile().Max(), 2048.0f);
  // Start-up reports nothing itself: the one message is the list builder's, whose memory row fails too.
  ASSERT_EQ(w.message_box.shown.size(), 1u);
  EXPECT_EQ(w.message_box.shown[0].prompt, u"Beschreibung:Invalid procedure call or argument\r\n\r\nNummer:5");

  OpenWindow odd;
  odd.library.Set("MemoryInfo.PhysicalTotal", u"n/a");
  odd.library.Set("MemoryInfo.VirtualTotal", u"1e60");  // a number, but beyond single precision
  odd.library.Set("MemoryInfo.PageFileTotal", u"1048576");
  odd.library.Set("MemoryInfo.PageFileFree", u"1048576");
  odd.Load();
  EXPECT_EQ(odd.view->physical_caption.caption(), u"Physischer Speicher belegt ( von n/a)");
  EXPECT_EQ(odd.view->pagefile_caption.caption(), u"Auslagerungsdatei belegt (0 von 1.048.576)");
  EXPECT_EQ(odd.form->ctlProgressPhysical().Max(), 100.0f);
  EXPECT_EQ(odd.form->ctlProgressVirtual().Max(), 100.0f);
  EXPECT_EQ(odd.library.LiveObjects(), 0);
}

TEST(ControlSize, AlwaysSixHundredTwipsSquare) {
  for (Extent asked : {Extent{510, 525}, Extent{0, 0}, Extent{-15, 99999}, Extent{INT32_MAX, INT32_MIN},
                       Extent{INT32_MIN, INT32_MAX}}) {
    EXPECT_EQ(ctlBrindtSysInfo::UserControl_Resize(asked), (Extent{600, 600}));
  }
}

TEST(ControlErrors, EachNumberHasOneHResultAndBack) {
  struct Case {
    std::int32_t number;
    std::uint32_t hresult;
    std::int32_t back;  // the run-time error the HRESULT carries back
  };
  // No error number gives E_FAIL, and so does one beyond 16 bits (masked, 65536 would read as error 0 and 70000
  // as 4464); E_ACCESSDENIED travels as itself, and so does an HRESULT that is a run-time error already.
  const Case cases[] = {{0, 0x80004005u, 0},           {5, 0x800A0005u, 5},           {400, 0x800A0190u, 400},
                        {65535, 0x800AFFFFu, 65535},   {65536, 0x80004005u, 0},       {70000, 0x80004005u, 0},
                        {-2147024891, 0x80070005u, 0}, {-2146828275, 0x800A000Du, 13}};
  for (const Case& c : cases) {
    const auto hresult = static_cast<std::int32_t>(c.hresult);
    EXPECT_EQ(ErrorHResult(RuntimeError(c.number, u"")), hresult) << c.number;
    EXPECT_EQ(RuntimeErrorNumber(hresult), c.back) << std::hex << c.hresult;
  }
  // Other facilities and success codes carry no run-time error.
  EXPECT_EQ(RuntimeErrorNumber(static_cast<std::int32_t>(0x800B0005u)), 0);
  EXPECT_EQ(RuntimeErrorNumber(0x000A0005), 0);
}

}  // namespace
}  // namespace bsi::test
