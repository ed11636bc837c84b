// SPDX-License-Identifier: MIT
// The memory tick: its order, the gauges, percentages and colour bands, the failures it lives through, and the nine
// live rows at their offsets from the first memory row.
#include <gtest/gtest.h>

#include <map>

#include "core/open_window.h"

namespace bsi::test {
namespace {

constexpr const char* kPhysicalBar = "8193";  // handles of the fake gauges
constexpr const char* kVirtualBar = "8194";
constexpr const char* kPagefileBar = "8195";

std::string SetColors(const char* bar, std::int32_t colour) {
  return std::string("ProgressBarColors.SetColors(") + bar + "," + std::to_string(colour) + ",16777215)";
}

TEST(MemoryTimer, OneTickInOrder) {
  OpenWindow w;
  w.Load();
  w.form->tmrMemory_Timer();
  const std::vector<std::string> expected = {
      "DoEvents",
      "create MemoryInfo",
      "MemoryInfo.VirtualTotal",
      "MemoryInfo.VirtualFree",
      "ctlProgressVirtual.Fill=0.125",
      "MemoryInfo.PhysicalTotal",
      "MemoryInfo.PhysicalFree",
      "ctlProgressPhysical.Fill=0.750",
      "MemoryInfo.PageFileTotal",
      "MemoryInfo.PageFileFree",
      "ctlProgressPagefile.Fill=0.500",
      "lblPhysicalMemory.Caption=Physischer Speicher belegt (3.221.225.472 von 4294967296)",
      "lblVirtualMemory.Caption=Virtueller Speicher belegt (268.304.384 von 2147352576)",
      "lblPageFileMemory.Caption=Auslagerungsdatei belegt (4.294.967.296 von 8.589.934.592)",
      "lblPhysicalPercent.Caption=75%",
      "lblVirtualPercent.Caption=12%",
      "lblPagePercent.Caption=50%",
      "create ProgressBarColors",
      SetColors(kPhysicalBar, 0xC00000),
      SetColors(kVirtualBar, 0x008000),
      SetColors(kPagefileBar, 0xC00000),
      "SubItems(6)=4294967296 Byte",
      "SubItems(7)=1073741824 Byte",
      "SubItems(8)=2147352576 Byte",
      "SubItems(9)=1879048192 Byte",
      "create NetworkInfo",
      "NetworkInfo.LocalIP",
      "SubItems(15)=127.0.0.1",
      "NetworkInfo.LocalSubnetMask",
      "SubItems(16)=255.0.0.0",
      "NetworkInfo.NetworkIP",
      "SubItems(17)=192.168.1.20",
      "NetworkInfo.NetworkSubnetMask",
      "SubItems(18)=255.255.255.0",
      "create DisplayInfo",
      "DisplayInfo.Width",
      "DisplayInfo.Height",
      "DisplayInfo.BitsPerPixel",
      "SubItems(27)=1024x768 (32bit)",
      "release DisplayInfo",
      "release NetworkInfo",
      "release ProgressBarColors",
      "release MemoryInfo",
  };
  EXPECT_EQ(w.rig.log.entries(), expected);
  EXPECT_EQ(w.form->ctlProgressVirtual().Value(), 268304384.0f);
}

TEST(MemoryTimer, PhysicalEightHundredWithThreeHundredThirtySixFree) {
  for (UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
    OpenWindow w(language, language == UiLanguage::German ? Locale::German() : Locale::English());
    w.rig.library.Set("MemoryInfo.PhysicalTotal", u"800");
    w.rig.library.Set("MemoryInfo.PhysicalFree", u"336");
    w.Load();
    w.form->tmrMemory_Timer();
    EXPECT_EQ(w.form->ctlProgressPhysical().Value(), 464.0f);
    EXPECT_DOUBLE_EQ(w.view->physical_gauge.fill, 0.58);
    EXPECT_EQ(w.view->physical_percent.caption(), u"58%");
    EXPECT_EQ(w.view->physical_caption.caption(), language == UiLanguage::German
                                                      ? u"Physischer Speicher belegt (464 von 800)"
                                                      : u"Physical memory used (464 from 800)");
    EXPECT_EQ(w.Log("ProgressBarColors.SetColors(8193")[0], SetColors(kPhysicalBar, 0xC00000));
    EXPECT_EQ(w.rig.library.LiveObjects(), 0);
  }
}

struct BandCase {
  const char* gauge;  // "physical", "virtual" or "pagefile"
  const char* free;   // of a total of 1000, so that used / 10 is the percentage
  const char16_t* label;
  std::int32_t colour;  // -1: no call, the bar keeps its colours
};

TEST(MemoryTimer, ColourBands) {
  const BandCase cases[] = {
      {"physical", "550", u"45%", -1},       {"physical", "540", u"46%", 0xC00000},
      {"physical", "610", u"39%", 0x008000}, {"physical", "560", u"44%", 0x008000},
      {"physical", "250", u"75%", 0xC00000}, {"physical", "240", u"76%", 0x00C0C0},
      {"physical", "100", u"90%", 0x00C0C0}, {"physical", "90", u"91%", 0x0000C0},
      {"physical", "5", u"100%", 0x0000C0},  {"physical", "996", u"0%", 0x008000},
      {"virtual", "550", u"45%", -1},        {"virtual", "240", u"76%", 0x00C0C0},
      {"pagefile", "600", u"40%", -1},       {"pagefile", "550", u"45%", -1},
      {"pagefile", "610", u"39%", 0x008000}, {"pagefile", "540", u"46%", 0xC00000},
      {"pagefile", "90", u"91%", 0x0000C0},
  };
  const std::map<std::string, std::pair<std::string, const char*>> gauges = {{"physical", {"Physical", kPhysicalBar}},
                                                                             {"virtual", {"Virtual", kVirtualBar}},
                                                                             {"pagefile", {"PageFile", kPagefileBar}}};
  for (const BandCase& c : cases) {
    SCOPED_TRACE(std::string(c.gauge) + " free " + c.free);
    OpenWindow w;
    const auto& [figure, bar] = gauges.at(c.gauge);
    w.rig.library.Set("MemoryInfo." + figure + "Total", u"1000");
    w.rig.library.Set("MemoryInfo." + figure + "Free", FromAscii(c.free).c_str());
    w.Load();
    w.form->tmrMemory_Timer();
    Label& percent = std::string(c.gauge) == "physical"  ? w.view->physical_percent
                     : std::string(c.gauge) == "virtual" ? w.view->virtual_percent
                                                         : w.view->pagefile_percent;
    EXPECT_EQ(percent.Caption(), c.label);
    const auto calls = w.Log(std::string("ProgressBarColors.SetColors(") + bar + ",");
    if (c.colour < 0) {
      EXPECT_TRUE(calls.empty());
    } else {
      EXPECT_EQ(calls, std::vector<std::string>{SetColors(bar, c.colour)});
    }
    EXPECT_EQ(w.Log("SubItems(").size(), 9u) << "the tick went on to the live rows";
  }
}

TEST(MemoryTimer, ZeroTotalsAndZeroPercentagesLetTheTickGoOn) {
  OpenWindow w;
  w.rig.library.Set("MemoryInfo.PageFileTotal", u"0");  // no page file
  w.rig.library.Set("MemoryInfo.PageFileFree", u"0");
  w.rig.library.Set("MemoryInfo.VirtualTotal", u"140737488224256");  // a 64-bit address space
  w.rig.library.Set("MemoryInfo.VirtualFree", u"140737350000000");
  w.Load();
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.view->virtual_percent.caption(), u"0%");
  EXPECT_EQ(w.view->pagefile_percent.caption(), u"0%");
  EXPECT_EQ(w.view->pagefile_caption.caption(), u"Auslagerungsdatei belegt (0 von 0)");
  EXPECT_EQ(w.form->ctlProgressPagefile().Max(), 100.0f);
  EXPECT_EQ(w.form->ctlProgressPagefile().Value(), 0.0f);
  EXPECT_EQ(w.Log("ProgressBarColors.SetColors(8195,"), std::vector<std::string>{SetColors(kPagefileBar, 0x008000)});
  EXPECT_EQ(w.Log("SubItems(").size(), 9u);
}

TEST(MemoryTimer, AmountsOutsideTheRangeAreClamped) {
  OpenWindow w;
  w.rig.library.Set("MemoryInfo.PageFileTotal", u"1000");
  w.rig.library.Set("MemoryInfo.PageFileFree", u"0");
  w.Load();
  // The page file has grown since start-up, and physical free reads above its total.
  w.rig.library.Set("MemoryInfo.PageFileTotal", u"3000");
  w.rig.library.Set("MemoryInfo.PageFileFree", u"500");
  w.rig.library.Set("MemoryInfo.PhysicalFree", u"5000000000");
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.form->ctlProgressPagefile().Value(), 1000.0f);
  EXPECT_EQ(w.view->pagefile_percent.caption(), u"83%");
  EXPECT_EQ(w.form->ctlProgressPhysical().Value(), 0.0f);
  EXPECT_EQ(w.view->physical_caption.caption(), u"Physischer Speicher belegt (-705.032.704 von 4294967296)");
  EXPECT_EQ(w.view->physical_percent.caption(), u"16%");
  EXPECT_EQ(w.Log("SubItems(").size(), 9u);
}

TEST(MemoryTimer, ZeroAmountCaptionShowsZero) {
  OpenWindow w(UiLanguage::English, Locale::English());
  w.Load();
  w.rig.library.Set("MemoryInfo.PhysicalFree", u"4294967296");
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.view->physical_caption.caption(), u"Physical memory used (0 from 4294967296)");
  EXPECT_EQ(w.view->physical_percent.caption(), u"0%");
}

TEST(MemoryTimer, OtherErrorsEndTheTickSilentlyWhereTheyHappen) {
  OpenWindow w;
  w.Load();
  w.rig.library.Set("MemoryInfo.PhysicalFree", u"abc");
  w.form->tmrMemory_Timer();
  // The virtual gauge came first and stays set; nothing after the failing conversion was written.
  EXPECT_EQ(w.form->ctlProgressVirtual().Value(), 268304384.0f);
  EXPECT_EQ(w.form->ctlProgressPhysical().Value(), 0.0f);
  EXPECT_TRUE(w.Log("lbl").empty());
  EXPECT_TRUE(w.Log("SubItems(").empty());

  w.rig.library.Set("MemoryInfo.PhysicalFree", u"1073741824");
  w.rig.library.Fail("NetworkInfo.NetworkIP", 5);
  w.rig.log.Clear();
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.Log("SubItems(").size(), 6u) << "four memory rows and two network rows";
  EXPECT_TRUE(w.Log("DisplayInfo").empty());

  w.rig.library.ClearFailures();
  w.rig.library.FailAllCreations();
  w.form->tmrMemory_Timer();
  EXPECT_TRUE(w.rig.message_box.shown.empty());
  EXPECT_EQ(w.rig.library.LiveObjects(), 0);
  EXPECT_TRUE(w.form->IsLoaded());
}

TEST(MemoryTimer, WithoutMemoryRowsTheTickStopsBeforeTheRows) {
  OpenWindow w;
  w.Load();
  w.SetRows({{u"CPU:", u"x"}});
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.Log("lblPagePercent.Caption=").size(), 1u);
  EXPECT_EQ(w.Log("ProgressBarColors.SetColors").size(), 3u);
  // The first live row is item 0, which does not exist: the tick ends there.
  EXPECT_EQ(w.Log("SubItems("), std::vector<std::string>{"SubItems(0)=4294967296 Byte"});
  EXPECT_TRUE(w.Log("create NetworkInfo").empty());
  EXPECT_EQ(w.Rows()[0].value, u"x");
}

// Checks that one tick with changed figures rewrote exactly the nine live rows and nothing else.
void ExpectOnlyLiveRowsRewritten(OpenWindow& w, UiLanguage language, std::int32_t first) {
  const auto before = w.Rows();
  w.rig.library.Set("MemoryInfo.PhysicalTotal", u"8000000000");
  w.rig.library.Set("MemoryInfo.PhysicalFree", u"7000000000");
  w.rig.library.Set("MemoryInfo.VirtualTotal", u"3000000000");
  w.rig.library.Set("MemoryInfo.VirtualFree", u"2000000000");
  w.rig.library.Set("NetworkInfo.LocalIP", u"10.0.0.7");
  w.rig.library.Set("NetworkInfo.LocalSubnetMask", u"255.255.0.0");
  w.rig.library.Set("NetworkInfo.NetworkIP", u"80.1.2.3");
  w.rig.library.Set("NetworkInfo.NetworkSubnetMask", u"255.255.255.128");
  w.rig.library.Set("DisplayInfo.Width", Variant::Long(1920));
  w.rig.library.Set("DisplayInfo.Height", Variant::Long(1080));
  w.rig.library.Set("DisplayInfo.BitsPerPixel", Variant::FromCurrency(Currency::FromWhole(24)));
  w.rig.log.Clear();
  w.form->tmrMemory_Timer();

  Catalogue s(language);
  const std::map<std::int32_t, std::pair<Text, Text>> live = {
      {0, {s.LoadResString(str::kPhysicalMemory), u"8000000000 Byte"}},
      {1, {s.LoadResString(str::kPhysicalMemoryFree), u"7000000000 Byte"}},
      {2, {s.LoadResString(str::kVirtualMemory), u"3000000000 Byte"}},
      {3, {s.LoadResString(str::kVirtualMemoryFree), u"2000000000 Byte"}},
      {9, {s.LoadResString(str::kLocalIp), u"10.0.0.7"}},
      {10, {s.LoadResString(str::kLocalSubnetMask), u"255.255.0.0"}},
      {11, {s.LoadResString(str::kNetworkIp), u"80.1.2.3"}},
      {12, {s.LoadResString(str::kNetworkSubnetMask), u"255.255.255.128"}},
      {21, {s.LoadResString(str::kScreenResolution), u"1920x1080 (24bit)"}},
  };
  auto expected = before;
  for (const auto& [offset, row] : live) {
    auto& target = expected[static_cast<std::size_t>(first + offset - 1)];
    EXPECT_EQ(target.text, row.first) << "offset " << offset;
    target.value = row.second;
  }
  EXPECT_EQ(w.Rows(), expected);
  EXPECT_EQ(w.Log("SubItems(").size(), 9u);
}

TEST(MemoryTimer, NineLiveRowsAtTheirOffsetsInBothLanguages) {
  for (UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
    SCOPED_TRACE(language == UiLanguage::German ? "German" : "English");
    OpenWindow w(language, language == UiLanguage::German ? Locale::German() : Locale::English());
    w.Load();
    ExpectOnlyLiveRowsRewritten(w, language, 6);
  }
}

TEST(MemoryTimer, LiveRowsFoundAgainAfterARebuildWithABattery) {
  OpenWindow w;
  w.Load();
  w.view->battery.status = Battery::kHigh;
  w.view->battery.percent = 80;
  w.form->Form_KeyDown(frmSysInfo::kKeyF5, 0);
  ExpectOnlyLiveRowsRewritten(w, UiLanguage::German, 9);
}

TEST(MemoryTimer, LiveRowsWithoutBatteryAndFirmwareRows) {
  OpenWindow w(UiLanguage::English, Locale::English());
  w.rig.library.SetRegistry(u"HARDWARE\\DESCRIPTION\\System", u"SystemBiosVersion", std::nullopt);
  w.rig.library.SetRegistry(u"HARDWARE\\DESCRIPTION\\System", u"VideoBiosVersion", Variant::String(u""));
  w.Load();
  ExpectOnlyLiveRowsRewritten(w, UiLanguage::English, 4);
}

// The built-in English table with string 113 in lower case.
class LowerCaseMemoryLabel final : public StringSource {
 public:
  Text LoadResString(std::int32_t id) override {
    return id == str::kPhysicalMemory ? u"physical memory:" : table_.LoadResString(id);
  }

 private:
  Catalogue table_{UiLanguage::English};
};

TEST(MemoryTimer, LowerCaseLabelStillMatches) {
  OpenWindow w(UiLanguage::English, Locale::English());
  LowerCaseMemoryLabel strings;
  WindowRig& r = w.rig;
  frmSysInfo form(SysInfoWindowContext{r.windows, r.windows, r.library, strings, r.locale, r.message_box,
                                       r.window_system, r.screen, r.clipboard, r.shell, r.loop, kVersion});
  form.Form_Load();
  FakeSysInfoWindow& view = *w.rig.windows.last_sysinfo;
  ASSERT_EQ(view.list.rows().rows()[5].text, u"physical memory:");
  EXPECT_EQ(FirstMemoryRow(view.list), 6);
  w.rig.library.Set("NetworkInfo.LocalIP", u"10.9.8.7");
  form.tmrMemory_Timer();
  EXPECT_EQ(view.list.rows().rows()[14].value, u"10.9.8.7");
}

TEST(MemoryTimer, TickEndsAtOnceWhenTheWindowClosedWhileItYielded) {
  OpenWindow w;
  frmSysInfo early(w.rig.context());
  w.rig.log.Clear();
  early.tmrMemory_Timer();  // a timer message before start-up is ignored
  EXPECT_TRUE(w.rig.log.entries().empty());
  w.Load();
  w.rig.loop.pending.push_back([&] { w.form->Form_KeyDown(frmSysInfo::kKeyF4, 0); });
  w.form->tmrMemory_Timer();
  EXPECT_EQ(w.rig.log.entries(), (std::vector<std::string>{"DoEvents", "frmSysInfo.Unload"}));
  w.form->tmrMemory_Timer();  // a late timer message for the unloaded window
  EXPECT_EQ(w.rig.log.entries().size(), 2u);
}

TEST(MemoryTimer, TicksNestInsideAModalWindowOpenedWhileATickYields) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(2);
  int inner_ticks = 0;
  w.rig.windows.while_value_shown = [&](frmValue& value, FakeValueWindow&) {
    w.form->tmrMemory_Timer();  // complete in itself: nothing pending in its own yield
    ++inner_ticks;
    value.cmdOK_Click();
  };
  w.rig.loop.pending.push_back([&] { w.form->lvwSysInfo_DblClick(); });
  w.form->tmrMemory_Timer();
  EXPECT_EQ(inner_ticks, 1);
  const auto& log = w.rig.log.entries();
  const auto shown = std::find(log.begin(), log.end(), "frmValue.Show(1)");
  const auto closed = std::find(log.begin(), log.end(), "frmValue.Unload");
  ASSERT_NE(shown, log.end());
  ASSERT_NE(closed, log.end());
  // The inner tick ran whole between the value window's show and close; the outer one after it.
  EXPECT_EQ(std::count(shown, closed, "release MemoryInfo"), 1);
  EXPECT_EQ(std::count(closed, log.end(), "release MemoryInfo"), 1);
  EXPECT_EQ(std::count(closed, log.end(), "SubItems(27)=1024x768 (32bit)"), 1);
  EXPECT_EQ(w.rig.library.LiveObjects(), 0);
}

}  // namespace
}  // namespace bsi::test
