// SPDX-License-Identifier: MIT
// frmSysInfo start-up: the order of its steps, the gauge captions in both languages, and what each failing
// step leaves behind.
#include <gtest/gtest.h>

#include "core/fixtures.h"

namespace bsi::test {
namespace {

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
  // The list reports its own failure: one row, then the message.
  EXPECT_EQ(Dump(w.rows()), "OS Version: | \n");
  ASSERT_EQ(w.message_box.shown.size(), 1u);
  EXPECT_EQ(w.message_box.shown[0].prompt, u"Description:ActiveX component can't create object\r\n\r\nNumber:429");
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

}  // namespace
}  // namespace bsi::test
