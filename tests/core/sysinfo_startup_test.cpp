// SPDX-License-Identifier: MIT
// frmSysInfo start-up: the order of its steps, the gauge captions in both languages, and what each failing
// step leaves behind.
#include <gtest/gtest.h>

#include "core/open_window.h"

namespace bsi::test {
namespace {

std::vector<std::string> UpToListBuild(const std::vector<std::string>& log) {
  std::vector<std::string> out;
  for (const auto& entry : log) {
    if (entry.rfind("LockWindowUpdate", 0) == 0) break;
    out.push_back(entry);
  }
  return out;
}

TEST(FormLoad, RunsItsStepsInOrderAndBuildsTheListLast) {
  OpenWindow w;
  w.form = std::make_unique<frmSysInfo>(w.rig.context());
  w.view = w.rig.windows.last_sysinfo;
  w.rig.log.Clear();
  w.form->Form_Load();

  const std::vector<std::string> expected = {
      "create MemoryInfo",
      "MemoryInfo.VirtualTotal",
      "MemoryInfo.VirtualFree",
      "MemoryInfo.PhysicalTotal",
      "MemoryInfo.PhysicalFree",
      "MemoryInfo.PageFileTotal",
      "MemoryInfo.PageFileFree",
      "ctlProgressPhysical.Fill=0.000",
      "ctlProgressVirtual.Fill=0.000",
      "ctlProgressPagefile.Fill=0.000",
      "MemoryInfo.PhysicalTotal",
      "ctlProgressPhysical.Fill=0.000",
      "MemoryInfo.VirtualTotal",
      "ctlProgressVirtual.Fill=0.000",
      "MemoryInfo.PageFileTotal",
      "ctlProgressPagefile.Fill=0.000",
      "MemoryInfo.PhysicalTotal",
      "lblPhysicalMemory.Caption=Physischer Speicher belegt (3.221.225.472 von 4294967296)",
      "MemoryInfo.VirtualTotal",
      "lblVirtualMemory.Caption=Virtueller Speicher belegt (268.304.384 von 2147352576)",
      "MemoryInfo.PageFileTotal",
      "lblPageFileMemory.Caption=Auslagerungsdatei belegt (4.294.967.296 von 8.589.934.592)",
      "mnuCopyAllToClipboard.Caption=Alles in Zwischenablage kopieren",
      "mnuCopyValueToClipboard.Caption=Wert in Zwischenablage kopieren",
      "frmSysInfo.Caption=Brindt SysInfo 2.1.8",
      "release MemoryInfo",
  };
  EXPECT_EQ(UpToListBuild(w.rig.log.entries()), expected);
  EXPECT_EQ(w.form->ctlProgressPhysical().Max(), 4294967296.0f);
  EXPECT_EQ(w.form->ctlProgressVirtual().Max(), 2147352576.0f);
  EXPECT_EQ(w.form->ctlProgressPagefile().Max(), 8589934592.0f);
  EXPECT_EQ(w.form->ctlProgressPhysical().Value(), 0.0f);  // the timer sets the values
  EXPECT_EQ(w.view->physical_percent.caption(), u"0%");
  EXPECT_EQ(w.Rows().front().text, u"Betriebssystem:");
  EXPECT_TRUE(w.rig.message_box.shown.empty());
  EXPECT_EQ(w.rig.library.LiveObjects(), 0);
}

TEST(FormLoad, EnglishCaptionsGroupWithCommas) {
  OpenWindow w(UiLanguage::English, Locale::English());
  w.rig.library.Set("MemoryInfo.PhysicalTotal", u"536870912");
  w.rig.library.Set("MemoryInfo.PhysicalFree", u"224415744");
  w.Load();
  EXPECT_EQ(w.view->physical_caption.caption(), u"Physical memory used (312,455,168 from 536870912)");
  EXPECT_EQ(w.view->virtual_caption.caption(), u"Virtual memory used (268,304,384 from 2147352576)");
  EXPECT_EQ(w.view->pagefile_caption.caption(), u"Swapfile used (4,294,967,296 from 8,589,934,592)");
  EXPECT_EQ(w.view->copy_all_menu.caption(), u"Copy all values to clipboard");
  EXPECT_EQ(w.view->copy_value_menu.caption(), u"Copy value to clipboard");
  EXPECT_EQ(w.view->form.caption(), u"Brindt SysInfo 2.1.8");
}

TEST(FormLoad, VersionCaptionLeavesOutTheBuildNumber) {
  OpenWindow w;
  w.rig.library.FailAllCreations();
  // The caption follows whatever version the module carries.
  SysInfoWindowContext context = w.rig.context();
  context.app = VersionRecord{3, 0, 0, 12};
  frmSysInfo form(context);
  form.Form_Load();
  EXPECT_EQ(w.rig.windows.last_sysinfo->form.caption(), u"Brindt SysInfo 3.0.12");
}

TEST(FormLoad, WithoutTheLibraryTheWindowStillOpensWithItsDesignGauges) {
  OpenWindow w(UiLanguage::English, Locale::English());
  w.rig.library.FailAllCreations();
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
  EXPECT_EQ(w.view->copy_value_menu.caption(), u"Copy value to clipboard");
  EXPECT_EQ(w.view->form.caption(), u"Brindt SysInfo 2.1.8");
  // The list reports its own failure: one row, then the message.
  ASSERT_EQ(w.Rows().size(), 1u);
  EXPECT_EQ(w.Rows()[0].text, u"OS Version:");
  EXPECT_EQ(w.Rows()[0].value, u"");
  ASSERT_EQ(w.rig.message_box.shown.size(), 1u);
  EXPECT_EQ(w.rig.message_box.shown[0].prompt, u"Description:ActiveX component can't create object\r\n\r\nNumber:429");
  EXPECT_EQ(w.rig.message_box.shown[0].title, u"Error");
  EXPECT_EQ(w.rig.message_box.shown[0].style, 16);
  EXPECT_TRUE(w.form->IsLoaded());
}

TEST(FormLoad, ZeroAmountsShowAsZeroAndAZeroTotalKeepsTheDesignRange) {
  OpenWindow german;
  german.rig.library.Set("MemoryInfo.PageFileTotal", u"1048576");
  german.rig.library.Set("MemoryInfo.PageFileFree", u"1048576");
  german.Load();
  EXPECT_EQ(german.view->pagefile_caption.caption(), u"Auslagerungsdatei belegt (0 von 1.048.576)");

  OpenWindow english(UiLanguage::English, Locale::English());
  english.rig.library.Set("MemoryInfo.PageFileTotal", u"0");
  english.rig.library.Set("MemoryInfo.PageFileFree", u"0");
  english.Load();
  EXPECT_EQ(english.view->pagefile_caption.caption(), u"Swapfile used (0 from 0)");
  EXPECT_EQ(english.form->ctlProgressPagefile().Max(), 100.0f);
}

TEST(FormLoad, EachFailingStepIsSkippedAlone) {
  OpenWindow w;
  w.rig.library.Fail("MemoryInfo.PhysicalFree", 5);
  w.rig.library.Set("MemoryInfo.VirtualTotal", u"100");
  w.rig.library.Set("MemoryInfo.VirtualFree", u"300");
  w.rig.library.Set("MemoryInfo.PageFileTotal", u"-2048");
  w.rig.library.Set("MemoryInfo.PageFileFree", u"0");
  w.Load();
  // A failed read shows as nothing, never as 0; the range does not need the free figure.
  EXPECT_EQ(w.view->physical_caption.caption(), u"Physischer Speicher belegt ( von 4294967296)");
  EXPECT_EQ(w.form->ctlProgressPhysical().Max(), 4294967296.0f);
  // A free figure above its total gives a negative amount; only the page-file total is made positive.
  EXPECT_EQ(w.view->virtual_caption.caption(), u"Virtueller Speicher belegt (-200 von 100)");
  EXPECT_EQ(w.view->pagefile_caption.caption(), u"Auslagerungsdatei belegt (-2.048 von 2.048)");
  EXPECT_EQ(w.form->ctlProgressPagefile().Max(), 2048.0f);
  EXPECT_EQ(w.view->form.caption(), u"Brindt SysInfo 2.1.8");
  // Start-up reports nothing itself: the one message is the list builder's, whose memory row fails too.
  ASSERT_EQ(w.rig.message_box.shown.size(), 1u);
  EXPECT_EQ(w.rig.message_box.shown[0].prompt, u"Beschreibung:Invalid procedure call or argument\r\n\r\nNummer:5");
}

TEST(FormLoad, NonNumericTotalIsShownAsDeliveredAndTheRangeStays) {
  OpenWindow w;
  w.rig.library.Set("MemoryInfo.PhysicalTotal", u"n/a");
  w.rig.library.Set("MemoryInfo.VirtualTotal", u"1e60");  // a number, but beyond single precision
  w.Load();
  EXPECT_EQ(w.view->physical_caption.caption(), u"Physischer Speicher belegt ( von n/a)");
  EXPECT_EQ(w.form->ctlProgressPhysical().Max(), 100.0f);
  EXPECT_EQ(w.form->ctlProgressVirtual().Max(), 100.0f);
  EXPECT_EQ(w.rig.library.LiveObjects(), 0);
}

}  // namespace
}  // namespace bsi::test
