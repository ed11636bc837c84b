// SPDX-License-Identifier: MIT
// ShowSysInfo over the module's default window, the resize rule, and how failures leave a COM method.
#include <gtest/gtest.h>

#include <climits>

#include "support/fake_window_views.h"

namespace bsi::test {
namespace {

TEST(ShowSysInfo, ReturnsEmptyHoweverTheWindowIsClosed) {
  const std::vector<std::function<void(frmSysInfo&)>> closers = {
      [](frmSysInfo& f) { f.cmdOK_Click(); },
      [](frmSysInfo& f) { f.Form_KeyDown(frmSysInfo::kKeyF4, 0); },
      [](frmSysInfo& f) { f.CloseBox(); },
  };
  for (const auto& close : closers) {
    WindowRig rig;
    SysInfoModule module;
    ctlBrindtSysInfo control(module);
    rig.windows.while_sysinfo_shown = [&](frmSysInfo& form, FakeSysInfoWindow&) {
      EXPECT_EQ(module.DefaultInstance(), &form);
      close(form);
    };
    const Variant result = control.ShowSysInfo(rig.context());
    EXPECT_TRUE(result.IsEmpty());
    EXPECT_EQ(module.DefaultInstance(), nullptr);
    EXPECT_TRUE(rig.log.Matching("frmSysInfo left open").empty());
    EXPECT_EQ(rig.library.LiveObjects(), 0);
  }
}

TEST(ShowSysInfo, EachCallLoadsAFreshWindowAndList) {
  WindowRig rig;
  SysInfoModule module;
  std::vector<std::vector<MemoryListView::Row>> lists;
  std::vector<frmSysInfo*> forms;
  rig.windows.while_sysinfo_shown = [&](frmSysInfo& form, FakeSysInfoWindow& view) {
    lists.push_back(view.list.rows().rows());
    forms.push_back(&form);
    form.cmdOK_Click();
  };
  module.ShowSysInfo(rig.context());
  rig.library.Set("ProcessorInfo.Description", u"Second CPU");
  module.ShowSysInfo(rig.context());
  EXPECT_EQ(rig.windows.sysinfo_windows, 2);
  ASSERT_EQ(lists.size(), 2u);
  EXPECT_EQ(lists[0].size(), lists[1].size()) << "nothing of the first list survives";
  EXPECT_EQ(lists[1][1].value, u"Second CPU");
  // Each opening runs start-up: the caption is set and the list built, in this order, before the show.
  const auto log = rig.log.Matching("frmSysInfo.");
  EXPECT_EQ(log, (std::vector<std::string>{"frmSysInfo.Caption=Brindt SysInfo 2.1.8", "frmSysInfo.Show(1)",
                                           "frmSysInfo.Unload", "frmSysInfo.Caption=Brindt SysInfo 2.1.8",
                                           "frmSysInfo.Show(1)", "frmSysInfo.Unload"}));
}

TEST(ShowSysInfo, ACallWhileTheWindowIsShownRaises400AndChangesNothing) {
  WindowRig rig;
  SysInfoModule module;
  ctlBrindtSysInfo control(module);
  rig.windows.while_sysinfo_shown = [&](frmSysInfo& form, FakeSysInfoWindow& view) {
    const auto rows = view.list.rows().rows();
    const int windows = rig.windows.sysinfo_windows;
    try {
      control.ShowSysInfo(rig.context());
      ADD_FAILURE() << "no error raised";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), 400);
      EXPECT_EQ(error.description(), u"Form already displayed; can't show modally");
      EXPECT_EQ(ErrorHResult(error), static_cast<std::int32_t>(0x800A0190u));
    }
    EXPECT_EQ(rig.windows.sysinfo_windows, windows);
    EXPECT_EQ(module.DefaultInstance(), &form);
    EXPECT_EQ(view.list.rows().rows(), rows);
    EXPECT_FALSE(view.form.unloaded());
    form.cmdOK_Click();
  };
  EXPECT_TRUE(control.ShowSysInfo(rig.context()).IsEmpty());
  // Once closed, the next call opens the window again.
  EXPECT_TRUE(control.ShowSysInfo(rig.context()).IsEmpty());
  EXPECT_EQ(rig.windows.sysinfo_windows, 2);
}

TEST(ShowSysInfo, ACallWhileTheWindowIsStillLoadingRaises400Too) {
  // The list builder's message box runs a message loop during start-up, where the host may call again.
  class CallingMessageBox final : public MsgBox {
   public:
    void Show(const Text&, std::int32_t, const Text&) override {
      try {
        module->ShowSysInfo(*context);
      } catch (const RuntimeError& error) {
        numbers.push_back(error.number());
      }
    }
    SysInfoModule* module = nullptr;
    const SysInfoWindowContext* context = nullptr;
    std::vector<std::int32_t> numbers;
  };
  WindowRig rig;
  rig.library.FailAllCreations();
  CallingMessageBox box;
  const SysInfoWindowContext context{rig.windows,       rig.windows, rig.library,   rig.strings, rig.locale, box,
                                     rig.window_system, rig.screen,  rig.clipboard, rig.shell,   rig.loop,   kVersion};
  SysInfoModule module;
  box.module = &module;
  box.context = &context;
  rig.windows.while_sysinfo_shown = [](frmSysInfo& form, FakeSysInfoWindow&) { form.cmdOK_Click(); };
  EXPECT_TRUE(module.ShowSysInfo(context).IsEmpty());
  EXPECT_EQ(box.numbers, std::vector<std::int32_t>{400});
  EXPECT_EQ(rig.windows.sysinfo_windows, 1);
}

TEST(ShowSysInfo, APlatformFailureWhileCreatingReachesTheCaller) {
  class NoWindows final : public SysInfoWindowFactory {
   public:
    std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo&) override { Raise(err::kOutOfMemory); }
  };
  WindowRig rig;
  NoWindows none;
  SysInfoWindowContext context{none,          rig.windows,     rig.library,       rig.strings,
                               rig.locale,    rig.message_box, rig.window_system, rig.screen,
                               rig.clipboard, rig.shell,       rig.loop,          kVersion};
  SysInfoModule module;
  EXPECT_THROW(module.ShowSysInfo(context), RuntimeError);
  EXPECT_EQ(module.DefaultInstance(), nullptr);
}

TEST(ControlSize, AlwaysSixHundredTwipsSquare) {
  for (Extent asked : {Extent{510, 525}, Extent{0, 0}, Extent{-15, 99999}, Extent{INT_MAX, INT_MIN}}) {
    EXPECT_EQ(ctlBrindtSysInfo::UserControl_Resize(asked), (Extent{600, 600}));
  }
}

TEST(ControlErrors, EachNumberHasOneHResultAndBack) {
  struct Case {
    std::int32_t number;
    std::uint32_t hresult;
    std::int32_t back;  // the run-time error the HRESULT carries back
  };
  const Case cases[] = {
      {0, 0x80004005u, 0},  // no error number: E_FAIL
      {5, 0x800A0005u, 5},
      {400, 0x800A0190u, 400},
      {65535, 0x800AFFFFu, 65535},
      {65536, 0x80004005u, 0},         // masked to 16 bits it would read as error 0
      {70000, 0x80004005u, 0},         // masked it would read as error 4464
      {-2147024891, 0x80070005u, 0},   // E_ACCESSDENIED travels as itself
      {-2146828275, 0x800A000Du, 13},  // so does an HRESULT that is a run-time error already
  };
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
