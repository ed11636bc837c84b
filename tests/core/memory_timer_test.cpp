// SPDX-License-Identifier: MIT
// The memory tick: its trace (a golden file), the gauges, percentages and colour bands, the failures it lives
// through, the nine live rows at their offsets in both languages, and re-entrancy through its yield; the progress
// bar model and the gauge texts at their edges.
#include <map>

#include "core/fixtures.h"
#include "runtime/progress_bar.h"
#include "sysinfo_window/gauge_texts.h"

namespace bsi::test {
namespace {

std::string SetColors(int bar, std::int32_t colour) {
  return "ProgressBarColors.SetColors(" + std::to_string(bar) + "," + std::to_string(colour) + ",16777215)";
}

TEST(MemoryTimer, OneTickMatchesItsGoldenTrace) {
  OpenWindow w;
  w.Load();
  w.form->tmrMemory_Timer();
  EXPECT_EQ(CompareGolden("core/tick_trace.txt", w.log.Lines()), "");
  EXPECT_EQ(w.form->ctlProgressVirtual().Value(), 268304384.0f);
  EXPECT_EQ(w.library.LiveObjects(), 0);
}

TEST(MemoryTimer, ColourBands) {
  struct Case {
    const char* figure;  // of a total of 1000, so that used / 10 is the percentage
    int bar;
    const char* free;
    const char16_t* percent;
    std::int32_t colour;  // -1: no call, the bar keeps its colours
  };
  const Case cases[] = {
      Case{"Physical", 8193, "550", u"45%", -1},       Case{"Physical", 8193, "540", u"46%", 0xC00000},
      Case{"Physical", 8193, "610", u"39%", 0x008000}, Case{"Physical", 8193, "560", u"44%", 0x008000},
      Case{"Physical", 8193, "250", u"75%", 0xC00000}, Case{"Physical", 8193, "240", u"76%", 0x00C0C0},
      Case{"Physical", 8193, "100", u"90%", 0x00C0C0}, Case{"Physical", 8193, "90", u"91%", 0x0000C0},
      Case{"Physical", 8193, "5", u"100%", 0x0000C0},  Case{"Physical", 8193, "996", u"0%", 0x008000},
      Case{"Virtual", 8194, "550", u"45%", -1},        Case{"Virtual", 8194, "240", u"76%", 0x00C0C0},
      Case{"PageFile", 8195, "600", u"40%", -1},       Case{"PageFile", 8195, "550", u"45%", -1},
      Case{"PageFile", 8195, "610", u"39%", 0x008000}, Case{"PageFile", 8195, "540", u"46%", 0xC00000},
      Case{"PageFile", 8195, "90", u"91%", 0x0000C0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.figure) + " free " + c.free);
    OpenWindow w;
    w.library.Set(std::string("MemoryInfo.") + c.figure + "Total", u"1000");
    w.library.Set(std::string("MemoryInfo.") + c.figure + "Free", FromAscii(c.free).c_str());
    w.Load();
    w.form->tmrMemory_Timer();
    RecordingLabel& percent = c.bar == 8193   ? w.view->physical_percent
                              : c.bar == 8194 ? w.view->virtual_percent
                                              : w.view->pagefile_percent;
    EXPECT_EQ(percent.caption(), c.percent);
    const auto calls = w.Log("ProgressBarColors.SetColors(" + std::to_string(c.bar) + ",");
    EXPECT_EQ(calls, c.colour < 0 ? std::vector<std::string>{} : std::vector<std::string>{SetColors(c.bar, c.colour)});
    EXPECT_EQ(w.Log("SubItems(").size(), 9u) << "the tick went on to the live rows";
  }
}

TEST(MemoryTimer, ZeroTotalsAndAmountsOutsideTheRange) {
  OpenWindow w;
  w.library.Set("MemoryInfo.PageFileTotal", u"0");  // no page file
  w.library.Set("MemoryInfo.PageFileFree", u"0");
  w.library.Set("MemoryInfo.VirtualTotal", u"140737488224256");  // a 64-bit address space
  w.library.Set("MemoryInfo.VirtualFree", u"140737350000000");
  w.Load();
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.view->virtual_percent.caption(), u"0%");
  EXPECT_EQ(w.view->pagefile_percent.caption(), u"0%");
  EXPECT_EQ(w.view->pagefile_caption.caption(), u"Auslagerungsdatei belegt (0 von 0)");
  EXPECT_EQ(w.form->ctlProgressPagefile().Max(), 100.0f);
  EXPECT_EQ(w.Log("ProgressBarColors.SetColors(8195,"), std::vector<std::string>{SetColors(8195, 0x008000)});
  EXPECT_EQ(w.Log("SubItems(").size(), 9u);

  // The page file has grown since start-up, and physical free reads above its total: the gauges show the ends.
  OpenWindow g;
  g.library.Set("MemoryInfo.PageFileTotal", u"1000");
  g.library.Set("MemoryInfo.PageFileFree", u"0");
  g.Load();
  g.library.Set("MemoryInfo.PageFileTotal", u"3000");
  g.library.Set("MemoryInfo.PageFileFree", u"500");
  g.library.Set("MemoryInfo.PhysicalFree", u"5000000000");
  g.form->tmrMemory_Timer();
  EXPECT_EQ(g.form->ctlProgressPagefile().Value(), 1000.0f);
  EXPECT_EQ(g.view->pagefile_percent.caption(), u"83%");
  EXPECT_EQ(g.form->ctlProgressPhysical().Value(), 0.0f);
  EXPECT_EQ(g.view->physical_caption.caption(), u"Physischer Speicher belegt (-705.032.704 von 4294967296)");
  EXPECT_EQ(g.view->physical_percent.caption(), u"16%");
  EXPECT_EQ(g.Log("SubItems(").size(), 9u);
}

TEST(MemoryTimer, OtherErrorsEndTheTickSilentlyWhereTheyHappen) {
  OpenWindow w;
  w.Load();
  w.library.Set("MemoryInfo.PhysicalFree", u"abc");
  w.form->tmrMemory_Timer();
  // The virtual gauge came first and stays set; nothing after the failing conversion was written.
  EXPECT_EQ(w.form->ctlProgressVirtual().Value(), 268304384.0f);
  EXPECT_EQ(w.form->ctlProgressPhysical().Value(), 0.0f);
  EXPECT_TRUE(w.Log("lbl").empty());
  EXPECT_TRUE(w.Log("SubItems(").empty());

  w.library.Set("MemoryInfo.PhysicalFree", u"1073741824");
  w.library.Fail("NetworkInfo.NetworkIP", 5);
  w.log.Clear();
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.Log("SubItems(").size(), 6u) << "four memory rows and two network rows";
  EXPECT_TRUE(w.Log("DisplayInfo").empty());

  w.library.ClearFailures();
  w.library.FailAllCreations();
  w.form->tmrMemory_Timer();
  EXPECT_TRUE(w.message_box.shown.empty());
  EXPECT_EQ(w.library.LiveObjects(), 0);
  EXPECT_TRUE(w.form->IsLoaded());

  // Without memory rows the first live row is item 0, which does not exist: the tick ends there.
  w.library.ClearFailures();
  w.SetRows({{u"CPU:", u"x"}});
  w.log.Clear();
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.Log("ProgressBarColors.SetColors").size(), 3u);
  EXPECT_EQ(w.Log("SubItems("), std::vector<std::string>{"SubItems(0)=4294967296 Byte"});
  EXPECT_TRUE(w.Log("create NetworkInfo").empty());
}

// One tick with changed figures rewrites exactly the nine live rows, at their offsets from `first`.
void ExpectOnlyLiveRowsRewritten(OpenWindow& w, std::int32_t first) {
  auto expected = w.rows();
  for (const auto& [operation, value] : {std::pair{"MemoryInfo.PhysicalTotal", u"8000000000"},
                                         {"MemoryInfo.PhysicalFree", u"7000000000"},
                                         {"MemoryInfo.VirtualTotal", u"3000000000"},
                                         {"MemoryInfo.VirtualFree", u"2000000000"},
                                         {"NetworkInfo.LocalIP", u"10.0.0.7"},
                                         {"NetworkInfo.LocalSubnetMask", u"255.255.0.0"},
                                         {"NetworkInfo.NetworkIP", u"80.1.2.3"},
                                         {"NetworkInfo.NetworkSubnetMask", u"255.255.255.128"}}) {
    w.library.Set(operation, value);
  }
  w.library.Set("DisplayInfo.Width", Variant::Long(1920));
  w.library.Set("DisplayInfo.BitsPerPixel", Variant::FromCurrency(Currency::FromWhole(24)));
  w.log.Clear();
  w.form->tmrMemory_Timer();
  const std::map<std::int32_t, std::pair<std::int32_t, Text>> live = {
      {0, {113, u"8000000000 Byte"}}, {1, {114, u"7000000000 Byte"}},  {2, {115, u"3000000000 Byte"}},
      {3, {116, u"2000000000 Byte"}}, {9, {121, u"10.0.0.7"}},         {10, {122, u"255.255.0.0"}},
      {11, {123, u"80.1.2.3"}},       {12, {124, u"255.255.255.128"}}, {21, {130, u"1920x768 (24bit)"}}};
  for (const auto& [offset, row] : live) {
    auto& target = expected[static_cast<std::size_t>(first + offset - 1)];
    EXPECT_EQ(target.text, w.strings.LoadResString(row.first)) << "offset " << offset;
    target.value = row.second;
  }
  EXPECT_EQ(Dump(w.rows()), Dump(expected));
  EXPECT_EQ(w.Log("SubItems(").size(), 9u);
}

// The timer finds the first memory row by its upper-cased prefix, so a label in lower case still matches.
TEST(MemoryTimer, NineLiveRowsAtTheirOffsetsInBothLanguages) {
  OpenWindow w(UiLanguage::English);  // German plain: the tick trace
  w.Load();
  ExpectOnlyLiveRowsRewritten(w, 6);
  OpenWindow english(UiLanguage::English);
  english.strings.replaced[str::kPhysicalMemory] = u"physical memory:";
  english.library.SetRegistry(kSystemKey, u"SystemBiosVersion", std::nullopt);
  english.library.SetRegistry(kSystemKey, u"VideoBiosVersion", Variant::String(u""));
  english.Load();
  ExpectOnlyLiveRowsRewritten(english, 4);
  // After a rebuild that added the battery rows, the rows are found again.
  OpenWindow german;
  german.Load();
  german.view->battery.status = Battery::kHigh;
  german.view->battery.percent = 80;
  german.form->Form_KeyDown(frmSysInfo::kKeyF5, 0);
  ExpectOnlyLiveRowsRewritten(german, 9);
}

TEST(MemoryTimer, TickEndsAtOnceWhenTheWindowClosedWhileItYielded) {
  OpenWindow w;
  frmSysInfo early(w.context());
  w.log.Clear();
  early.tmrMemory_Timer();  // a timer message before start-up is ignored
  EXPECT_TRUE(w.log.entries().empty());
  w.Load();
  w.loop.pending.push_back([&] { w.form->Form_KeyDown(frmSysInfo::kKeyF4, 0); });
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.log.entries(), (std::vector<std::string>{"DoEvents", "frmSysInfo.Unload"}));
  w.form->tmrMemory_Timer();  // a late timer message for the unloaded window
  EXPECT_EQ(w.log.entries().size(), 2u);
}

TEST(MemoryTimer, TicksNestInsideAModalWindowOpenedWhileATickYields) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(2);
  int inner_ticks = 0;
  w.windows.while_value_shown = [&](frmValue& value, FakeValueWindow&) {
    w.form->tmrMemory_Timer();  // complete in itself: nothing pending in its own yield
    ++inner_ticks;
    value.cmdOK_Click();
  };
  w.loop.pending.push_back([&] { w.form->lvwSysInfo_DblClick(); });
  w.form->tmrMemory_Timer();
  EXPECT_EQ(inner_ticks, 1);
  const auto& log = w.log.entries();
  const auto shown = std::find(log.begin(), log.end(), "frmValue.Show(1)");
  const auto closed = std::find(log.begin(), log.end(), "frmValue.Unload");
  ASSERT_NE(closed, log.end());
  // The inner tick ran whole between the value window's show and close; the outer one after it.
  EXPECT_EQ(std::count(shown, closed, "release MemoryInfo"), 1);
  EXPECT_EQ(std::count(closed, log.end(), "release MemoryInfo"), 1);
  EXPECT_EQ(std::count(closed, log.end(), "SubItems(27)=1024x768 (32bit)"), 1);
  EXPECT_EQ(w.library.LiveObjects(), 0);
}

TEST(ProgressBar, RejectsWhatTheControlRejectsAndKeepsItsState) {
  CallLog log;
  RecordingGauge view(log, "bar", 7);
  ProgressBar bar(view);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(ErrorOf([&] { bar.SetValue(100.5f); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetValue(-1); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetValue(nan); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetMax(0); }), 380) << "a page file of zero keeps the design range";
  EXPECT_EQ(ErrorOf([&] { bar.SetMax(-4096); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetMax(nan); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetMin(100); }), 380);
  EXPECT_EQ(bar.Min(), 0.0f);
  EXPECT_EQ(bar.Max(), 100.0f);
  EXPECT_EQ(bar.Value(), 0.0f);
  EXPECT_TRUE(log.entries().empty()) << "nothing rejected is drawn";

  bar.SetMax(800);
  bar.SetValue(464);
  bar.SetValue(800);
  bar.SetValue(0);
  EXPECT_EQ(log.entries(),
            (std::vector<std::string>{"bar.Fill=0.000", "bar.Fill=0.580", "bar.Fill=1.000", "bar.Fill=0.000"}));
  bar.SetValue(600);
  bar.SetMax(500);  // the value follows a range that shrinks below it
  EXPECT_EQ(bar.Value(), 500.0f);
  bar.SetMax(std::numeric_limits<float>::max());
  bar.SetMin(-std::numeric_limits<float>::max());
  EXPECT_GE(view.fill, 0.0);
  EXPECT_LE(view.fill, 1.0);
}

TEST(GaugeTexts, PercentagesRoundHalvesAwayFromZero) {
  // clang-format off
  for (auto [used, total, percent] : {
      std::tuple{464.0, 800.0, 58}, {995, 1000, 100}, {985, 1000, 99}, {4, 1000, 0}, {-464, 800, 58}, {5, 0, 0},
      {0, 0, 0}
  }) {
    // clang-format on
    EXPECT_EQ(WholePercent(used, total), percent) << used << "/" << total;  // halves away from zero
  }
  EXPECT_EQ(ErrorOf([] { WholePercent(1e308, 1e-300); }), 6);
  EXPECT_EQ(PercentCaption(1e20), u"100000000000000000000%");
}

}  // namespace
}  // namespace bsi::test
