// SPDX-License-Identifier: MIT
// The rows of a complete build: order, offsets the timer relies on, exact value compositions, conditional rows.
#include <gtest/gtest.h>

#include <memory>

#include "list_fixture.h"

namespace bsi::test {
namespace {

// The scripted machine with a battery (status 1, charge 80), as the user sees it. Typed out by hand, not
// from the string table.
Rows GermanList() {
  return {
      {u"Betriebssystem:",
       u"Microsoft Windows 7 Professional  Service Pack 1    [Version: 6.1 - Build: 7601] "
       u"7601.win7sp1_gdr.130828-1532"},
      {u"CPU:", u"Intel(R) Core(TM) i5 CPU M 520 @ 2.40GHz"},
      {u"Mainboard / BIOS:", u"LENOVO - 1140 - Ver 1.00PARTTBL [Datum: 03/17/10]"},
      {u"Grafikkarte BIOS:", u"Hardware Version 0.0"},
      {u" ", u""},
      {u"Akku Ladezustand:", u"80 %"},
      {u"Akku Status:", u"VOLL"},
      {u" ", u""},
      {u"Physischer Speicher:", u"4294967296 Byte"},
      {u"Physischer Speicher frei:", u"1073741824 Byte"},
      {u"Virtueller Speicher:", u"2147352576 Byte"},
      {u"Virtueller Speicher frei:", u"1879048192 Byte"},
      {u" ", u""},
      {u"Computername:", u"WORKSTATION"},
      {u"Angemeldeter Benutzer:", u"Anna"},
      {u"Administratorrechte:", u"Ja"},
      {u" ", u""},
      {u"Lokale IP:", u"127.0.0.1"},
      {u"Lokale Subnetzmaske:", u"255.0.0.0"},
      {u"Netzwerk IP:", u"192.168.1.20"},
      {u"Netzwerk Subnetzmaske:", u"255.255.255.0"},
      {u"MAC Adresse:", u"00-1A-2B-3C-4D-5E"},
      {u" ", u""},
      {u"DFUE Verbindung:", u"Keine"},
      {u"Standardbrowser:", u"Firefox [C:\\Program Files\\Mozilla Firefox\\firefox.exe]"},
      {u" ", u""},
      {u"Windows Verzeichnis:", u"C:\\Windows"},
      {u"System Verzeichnis:", u"C:\\Windows\\system32"},
      {u" ", u""},
      {u"Bildschirmaufl\u00F6sung:", u"1024x768 (32bit)"},
      {u" ", u""},
      {u"Installierte Schriftarten:", u"187"},
      {u" ", u""},
      {u"Standarddrucker:", u"HP LaserJet 4 [HP LaserJet 4 PCL - LPT1:]"},
      {u" ", u""},
      {u"Soundkarte installiert:", u"Ja"},
      {u"Windows Laufzeit:", u"1 d 02:03:04"},
      {u" ", u""},
      {u"Eingestellte Zeitzone:", u"W. Europe Standard Time"},
      {u" ", u""},
      {u"Verf\u00FCgbare Laufwerke:", u""},
      {u"C:\\ Local Disk", u""},
      {u"D:\\ CD-ROM", u""},
  };
}

Rows EnglishList() {
  return {
      {u"OS Version:",
       u"Microsoft Windows 7 Professional  Service Pack 1    [Version: 6.1 - Build: 7601] "
       u"7601.win7sp1_gdr.130828-1532"},
      {u"CPU:", u"Intel(R) Core(TM) i5 CPU M 520 @ 2.40GHz"},
      {u"Motherboard / BIOS:", u"LENOVO - 1140 - Ver 1.00PARTTBL [Date: 03/17/10]"},
      {u"Video Adapter BIOS:", u"Hardware Version 0.0"},
      {u" ", u""},
      {u"Accu charge state:", u"80 %"},
      {u"Accu state:", u"FULL"},
      {u" ", u""},
      {u"Physical memory:", u"4294967296 Byte"},
      {u"Physical memory free:", u"1073741824 Byte"},
      {u"Virtual memory:", u"2147352576 Byte"},
      {u"Virtual memory free:", u"1879048192 Byte"},
      {u" ", u""},
      {u"Computername:", u"WORKSTATION"},
      {u"Logged on user:", u"Anna"},
      {u"Administrator permissions:", u"Yes"},
      {u" ", u""},
      {u"Local IP:", u"127.0.0.1"},
      {u"Local subnet mask:", u"255.0.0.0"},
      {u"Network IP:", u"192.168.1.20"},
      {u"Network subnet mask:", u"255.255.255.0"},
      {u"MAC adress:", u"00-1A-2B-3C-4D-5E"},
      {u" ", u""},
      {u"DFUE connection:", u"None"},
      {u"Standardbrowser:", u"Firefox [C:\\Program Files\\Mozilla Firefox\\firefox.exe]"},
      {u" ", u""},
      {u"Windows folder:", u"C:\\Windows"},
      {u"System folder:", u"C:\\Windows\\system32"},
      {u" ", u""},
      {u"Screen Resolution:", u"1024x768 (32bit)"},
      {u" ", u""},
      {u"Installed Fonts:", u"187"},
      {u" ", u""},
      {u"Standard printer:", u"HP LaserJet 4 [HP LaserJet 4 PCL - LPT1:]"},
      {u" ", u""},
      {u"Soundcard installed:", u"Yes"},
      {u"Windows running time:", u"1 d 02:03:04"},
      {u" ", u""},
      {u"Timezone:", u"W. Europe Standard Time"},
      {u" ", u""},
      {u"Available drives:", u""},
      {u"C:\\ Local Disk", u""},
      {u"D:\\ CD-ROM", u""},
  };
}

void GiveBattery(ListFixture& f, std::int16_t status = 1, std::int16_t percent = 80) {
  f.battery.status = status;
  f.battery.percent = percent;
}

TEST(CompleteList, GermanAsAWhole) {
  ListFixture f(UiLanguage::German);
  GiveBattery(f);
  f.Run();
  EXPECT_TRUE(SameRows(GermanList(), f.rows()));
  EXPECT_TRUE(f.message_box.shown.empty());
  EXPECT_EQ(f.list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
  EXPECT_EQ(f.list.rows().view(), 3);
  EXPECT_EQ(f.library.LiveObjects(), 0);
}

TEST(CompleteList, EnglishAsAWhole) {
  ListFixture f(UiLanguage::English);
  GiveBattery(f);
  f.Run();
  EXPECT_TRUE(SameRows(EnglishList(), f.rows()));
  EXPECT_TRUE(f.message_box.shown.empty());
  EXPECT_EQ(f.list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
}

TEST(CompleteList, SecondRunGivesTheSameListAndExactlyTwoColumns) {
  ListFixture f;
  GiveBattery(f);
  f.Run();
  const Rows first = f.rows();
  f.log.Clear();
  f.Run();
  EXPECT_TRUE(SameRows(first, f.rows()));
  EXPECT_EQ(f.list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
  // The second run removes row 1 once per old row, then clears, then sets the columns afresh.
  std::vector<std::string> expected_start{"LockWindowUpdate(4096)"};
  for (std::size_t i = 0; i < first.size(); ++i) expected_start.push_back("Remove(1)");
  for (const char* entry : {"Clear", "ClearColumns", "AddColumn(Name)", "AddColumn(Info)"}) {
    expected_start.push_back(entry);
  }
  const auto& entries = f.log.entries();
  ASSERT_GE(entries.size(), expected_start.size());
  EXPECT_EQ(std::vector<std::string>(entries.begin(), entries.begin() + static_cast<long>(expected_start.size())),
            expected_start);
  EXPECT_EQ(f.library.LiveObjects(), 0);
}

TEST(CompleteList, FrameLocksFitsTwoColumnsWithHeadersAndUnlocks) {
  ListFixture f;
  f.Run();
  const auto window = f.log.Matching("LockWindowUpdate");
  EXPECT_EQ(window, (std::vector<std::string>{"LockWindowUpdate(4096)", "LockWindowUpdate(0)"}));
  // AdjustColumnWidth(lvwSysInfo, True, 1): two columns with their headings, the last one filling the list, after
  // the last row.
  EXPECT_EQ(f.log.Matching("SendMessageA"),
            (std::vector<std::string>{"SendMessageA(4096,4126,0,-2)", "SendMessageA(4096,4126,1,-3)"}));
  // The last row, then the two messages, the unlock, and nothing but releases after it.
  const auto& e = f.log.entries();
  const auto unlock = std::find(e.begin(), e.end(), "LockWindowUpdate(0)");
  ASSERT_NE(unlock, e.end());
  ASSERT_GE(unlock - e.begin(), 3);
  EXPECT_EQ(std::vector<std::string>(unlock - 3, unlock + 1),
            (std::vector<std::string>{"Add(D:\\ CD-ROM)", "SendMessageA(4096,4126,0,-2)",
                                      "SendMessageA(4096,4126,1,-3)", "LockWindowUpdate(0)"}));
  ASSERT_NE(unlock + 1, e.end());
  for (auto it = unlock + 1; it != e.end(); ++it) EXPECT_EQ(it->rfind("release ", 0), 0u) << *it;
}

// B is the position of the row labelled 113; the timer writes at fixed offsets from it.
struct OffsetCase {
  bool battery;
  bool firmware;
  int expected_b;
};

class Offsets : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(Offsets, TimerRowsStandAtFixedDistancesFromTheFirstMemoryRow) {
  for (UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
    ListFixture f(language);
    if (GetParam().battery) GiveBattery(f, 8, 40);
    if (!GetParam().firmware) {
      f.library.SetRegistry(kSystemKey, u"SystemBiosVersion", std::nullopt);
      f.library.SetRegistry(kSystemKey, u"VideoBiosVersion", std::nullopt);
    }
    f.Run();
    const Text label_113 = CatalogueText(language, 113);
    const int b = f.Position(label_113);
    EXPECT_EQ(b, GetParam().expected_b);
    EXPECT_EQ(f.Position(CatalogueText(language, 121)), b + 9);
    EXPECT_EQ(f.Position(CatalogueText(language, 122)), b + 10);
    EXPECT_EQ(f.Position(CatalogueText(language, 123)), b + 11);
    EXPECT_EQ(f.Position(CatalogueText(language, 124)), b + 12);
    EXPECT_EQ(f.Position(CatalogueText(language, 148)), b + 13);
    EXPECT_EQ(f.Position(CatalogueText(language, 130)), b + 21);
    EXPECT_EQ(f.Position(CatalogueText(language, 133)), b + 27);
    EXPECT_EQ(f.Position(CatalogueText(language, 134)), b + 28);
    EXPECT_EQ(f.Position(CatalogueText(language, 136)), b + 32);
    EXPECT_EQ(static_cast<int>(f.rows().size()), b + 32 + 2);  // two drives
    // Only rows 113 and 114 start with "PHYSI" when upper-cased: the timer finds B by that prefix.
    std::vector<int> physi;
    for (std::size_t i = 0; i < f.rows().size(); ++i) {
      if (UpperCase(TextView(f.rows()[i].text).substr(0, 5)) == u"PHYSI") physi.push_back(static_cast<int>(i) + 1);
    }
    EXPECT_EQ(physi, (std::vector<int>{b, b + 1}));
  }
}

INSTANTIATE_TEST_SUITE_P(BatteryAndFirmware, Offsets,
                         ::testing::Values(OffsetCase{true, true, 9}, OffsetCase{true, false, 7},
                                           OffsetCase{false, true, 6}, OffsetCase{false, false, 4}));

TEST(SystemRows, OsValueSpacingWithServicePackAndBuildLabMissing) {
  ListFixture f;
  f.library.SetRegistry(kCurrentVersionKey, u"CSDVersion", std::nullopt);
  f.Run();
  EXPECT_EQ(f.Value(u"Betriebssystem:"),
            u"Microsoft Windows 7 Professional      [Version: 6.1 - Build: 7601] 7601.win7sp1_gdr.130828-1532");

  ListFixture g;
  g.library.SetRegistry(kCurrentVersionKey, u"BuildLab", std::nullopt);
  g.library.Set("OSVersionInfo.MajorVersion", Variant::Long(5));
  g.library.Set("OSVersionInfo.MinorVersion", Variant::Long(1));
  g.library.Set("OSVersionInfo.BuildNumber", Variant::Long(2600));
  g.Run();
  EXPECT_EQ(g.Value(u"Betriebssystem:"),
            u"Microsoft Windows 7 Professional  Service Pack 1    [Version: 5.1 - Build: 2600] ");

  ListFixture h;
  h.library.SetRegistry(kCurrentVersionKey, u"CSDVersion", std::nullopt);
  h.library.SetRegistry(kCurrentVersionKey, u"BuildLab", std::nullopt);
  h.library.Set("OSVersionInfo.Name", u"");
  h.library.Set("OSVersionInfo.MajorVersion", Variant::Long(-1));
  h.library.Set("OSVersionInfo.MinorVersion", Variant::Long(0));
  h.library.Set("OSVersionInfo.BuildNumber", Variant::Long(1234567));
  h.Run();
  EXPECT_EQ(h.Value(u"Betriebssystem:"), u"      [Version: -1.0 - Build: 1234567] ");
}

TEST(SystemRows, RegistryCallsInOrder) {
  ListFixture f;
  f.Run();
  std::vector<std::string> registry_and_os;
  for (const auto& entry : f.LibraryCalls()) {
    if (entry.find("RegistryReader") != std::string::npos || entry.find("OSVersionInfo") != std::string::npos ||
        entry.find("ProcessorInfo") != std::string::npos) {
      registry_and_os.push_back(entry);
    }
  }
  const std::vector<std::string> expected{
      "create RegistryReader",
      "RegistryReader.Root=-2147483646",
      "RegistryReader.KeyPath=SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
      "RegistryReader.ValueName=CSDVersion",
      "RegistryReader.ValueType=1",
      "RegistryReader.Exists",
      "RegistryReader.Value",
      "RegistryReader.ValueName=BuildLab",
      "RegistryReader.ValueType=1",
      "RegistryReader.Exists",
      "RegistryReader.Value",
      "create OSVersionInfo",
      "OSVersionInfo.Name",
      "OSVersionInfo.MajorVersion",
      "OSVersionInfo.MinorVersion",
      "OSVersionInfo.BuildNumber",
      "create ProcessorInfo",
      "ProcessorInfo.Description",
      // The BIOS rows never ask Exists.
      "RegistryReader.KeyPath=HARDWARE\\DESCRIPTION\\System",
      "RegistryReader.ValueName=SystemBiosVersion",
      "RegistryReader.ValueType=1",
      "RegistryReader.Value",
      "RegistryReader.ValueName=SystemBiosDate",
      "RegistryReader.ValueType=1",
      "RegistryReader.Value",
      "RegistryReader.KeyPath=HARDWARE\\DESCRIPTION\\System",
      "RegistryReader.ValueName=VideoBiosVersion",
      "RegistryReader.ValueType=1",
      "RegistryReader.Value",
      "release ProcessorInfo",
      "release OSVersionInfo",
      "release RegistryReader",
  };
  EXPECT_EQ(registry_and_os, expected);
}

TEST(SystemRows, MissingValuesAreNotAskedForWhenExistsIsFalse) {
  ListFixture f;
  f.library.SetRegistry(kCurrentVersionKey, u"CSDVersion", std::nullopt);
  f.Run();
  const auto calls = f.LibraryCalls();
  const auto csd = std::find(calls.begin(), calls.end(), "RegistryReader.ValueName=CSDVersion");
  ASSERT_NE(csd, calls.end());
  EXPECT_EQ(*(csd + 2), "RegistryReader.Exists");
  EXPECT_EQ(*(csd + 3), "RegistryReader.ValueName=BuildLab");
}

TEST(SystemRows, LabelFirstThenLibraryThenValue) {
  ListFixture f;
  f.Run();
  const auto& e = f.log.entries();
  const auto add = std::find(e.begin(), e.end(), "Add(Betriebssystem:)");
  const auto create = std::find(e.begin(), e.end(), "create RegistryReader");
  const auto set =
      std::find_if(e.begin(), e.end(), [](const std::string& s) { return s.rfind("SubItems(1)=", 0) == 0; });
  EXPECT_LT(add, create);
  EXPECT_LT(create, set);
  // The CPU row is appended before ProcessorInfo is asked.
  const auto cpu = std::find(e.begin(), e.end(), "Add(CPU:)");
  const auto description = std::find(e.begin(), e.end(), "ProcessorInfo.Description");
  EXPECT_LT(cpu, description);
}

TEST(SystemRows, FirmwareRowReplacesNulAndCrButTheVideoRowKeepsThem) {
  ListFixture f;
  f.library.SetRegistry(kSystemKey, u"SystemBiosVersion",
                        Variant::String(Text(u"A") + u'\0' + u'\0' + u"B\rC\r\nD" + u'\0'));
  f.library.SetRegistry(kSystemKey, u"SystemBiosDate", Variant::String(u"01/02/03"));
  f.library.SetRegistry(kSystemKey, u"VideoBiosVersion", Variant::String(Text(u"V1") + u'\0' + u"V2\rV3"));
  f.Run();
  EXPECT_EQ(Shown(f.Value(u"Mainboard / BIOS:")), Shown(u"A -  - B - C - \nD -  [Datum: 01/02/03]"));
  EXPECT_EQ(Shown(f.Value(u"Grafikkarte BIOS:")), Shown(Text(u"V1") + u'\0' + u"V2\rV3"));
}

TEST(SystemRows, DateWordAndEmptyDate) {
  ListFixture f(UiLanguage::English);
  f.library.SetRegistry(kSystemKey, u"SystemBiosDate", std::nullopt);
  f.Run();
  EXPECT_EQ(Shown(f.Value(u"Motherboard / BIOS:")), Shown(u"LENOVO - 1140 - Ver 1.00PARTTBL [Date: ]"));
}

TEST(SystemRows, DateValueIsReadBeforeTheDateWordIsFetched) {
  ListFixture f;
  f.Run();
  const auto& e = f.log.entries();
  const auto date_name = std::find(e.begin(), e.end(), "RegistryReader.ValueName=SystemBiosDate");
  ASSERT_NE(date_name, e.end());
  const auto value = std::find(date_name, e.end(), "RegistryReader.Value");
  const auto word = std::find(date_name, e.end(), "LoadResString(147)");
  EXPECT_LT(value, word);
  EXPECT_EQ(std::count(e.begin(), e.end(), "LoadResString(147)"), 1);
}

TEST(SystemRows, NoFirmwareRowsForEmptyVersions) {
  ListFixture f;
  f.library.SetRegistry(kSystemKey, u"SystemBiosVersion", Variant::String(u""));
  f.library.SetRegistry(kSystemKey, u"VideoBiosVersion", std::nullopt);
  f.Run();
  EXPECT_EQ(f.Position(u"Mainboard / BIOS:"), 0);
  EXPECT_EQ(f.Position(u"Grafikkarte BIOS:"), 0);
  EXPECT_EQ(f.rows()[2], (Row{u" ", u""}));
  EXPECT_EQ(f.rows()[3].text, u"Physischer Speicher:");
  // The date is still read, then discarded.
  EXPECT_EQ(f.log.Matching("RegistryReader.ValueName=SystemBiosDate").size(), 1u);

  ListFixture g;
  g.library.SetRegistry(kSystemKey, u"SystemBiosVersion", std::nullopt);
  g.Run();
  EXPECT_EQ(g.Position(u"Mainboard / BIOS:"), 0);
  EXPECT_EQ(g.rows()[2], (Row{u"Grafikkarte BIOS:", u"Hardware Version 0.0"}));
}

// Battery: status and charge as the SysInfo control gives them, with their own words for a present, idle battery (0)
// and an unknown state (255).
struct BatteryCase {
  std::int16_t status;
  std::int16_t percent;
  const char16_t* charge_de;  // nullptr: no battery rows at all
  const char16_t* state_de;
  const char16_t* charge_en;
  const char16_t* state_en;
};

class BatteryRows : public ::testing::TestWithParam<BatteryCase> {};

TEST_P(BatteryRows, ChargeAndState) {
  const BatteryCase& c = GetParam();
  for (UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
    ListFixture f(language);
    f.battery.status = c.status;
    f.battery.percent = c.percent;
    f.Run();
    const bool german = language == UiLanguage::German;
    const Text charge_label = german ? u"Akku Ladezustand:" : u"Accu charge state:";
    const Text state_label = german ? u"Akku Status:" : u"Accu state:";
    if (c.charge_de == nullptr) {
      EXPECT_EQ(f.Position(charge_label), 0);
      EXPECT_EQ(f.Position(state_label), 0);
      EXPECT_EQ(f.rows()[4], (Row{u" ", u""}));
      EXPECT_EQ(f.rows()[5].text, CatalogueText(language, 113));
      continue;
    }
    EXPECT_EQ(f.rows()[4], (Row{u" ", u""}));
    EXPECT_EQ(f.rows()[5], (Row{charge_label, german ? c.charge_de : c.charge_en}));
    EXPECT_EQ(f.rows()[6], (Row{state_label, german ? c.state_de : c.state_en}));
    EXPECT_EQ(f.rows()[7], (Row{u" ", u""}));
  }
}

INSTANTIATE_TEST_SUITE_P(Codes, BatteryRows,
                         ::testing::Values(BatteryCase{128, 80, nullptr, nullptr, nullptr, nullptr},
                                           BatteryCase{128, 255, nullptr, nullptr, nullptr, nullptr},
                                           BatteryCase{1, 255, u"nicht bekannt", u"nicht bekannt", u"n/a", u"n/a"},
                                           BatteryCase{8, 255, u"nicht bekannt", u"nicht bekannt", u"n/a", u"n/a"},
                                           BatteryCase{1, 100, u"100 %", u"VOLL", u"100 %", u"FULL"},
                                           BatteryCase{2, 12, u"12 %", u"WENIG", u"12 %", u"LOW"},
                                           BatteryCase{4, 3, u"3 %", u"KRITISCH", u"3 %", u"CRITICAL"},
                                           BatteryCase{8, 57, u"57 %", u"L\u00C4DT ...", u"57 %", u"CHARGING ..."},
                                           BatteryCase{9, 99, u"99 %", u"L\u00C4DT ...", u"99 %", u"CHARGING ..."},
                                           BatteryCase{10, 30, u"30 %", u"L\u00C4DT ...", u"30 %", u"CHARGING ..."},
                                           BatteryCase{0, 0, u"0 %", u"NORMAL", u"0 %", u"NORMAL"},
                                           BatteryCase{0, 57, u"57 %", u"NORMAL", u"57 %", u"NORMAL"},
                                           BatteryCase{255, 57, u"57 %", u"nicht bekannt", u"57 %", u"n/a"},
                                           BatteryCase{3, 50, u"50 %", u"L\u00C4DT ...", u"50 %", u"CHARGING ..."},
                                           BatteryCase{-1, 50, u"50 %", u"L\u00C4DT ...", u"50 %", u"CHARGING ..."}));

TEST(BatteryRows, StatusBeforeSpacerAndChargeReadAgainForTheValue) {
  // A battery whose charge changes between the two reads shows the second reading.
  class Drifting final : public Battery {
   public:
    std::int16_t BatteryStatus() override { return 1; }
    std::int16_t BatteryLifePercent() override { return reads++ == 0 ? 40 : 41; }
    int reads = 0;
  };
  ListFixture f;
  Drifting battery;
  LoadSysInfo(
      InfoListContext{f.list, f.window_system, f.message_box, f.screen, battery, f.strings, f.locale, f.library});
  EXPECT_EQ(battery.reads, 2);
  EXPECT_EQ(f.Value(u"Akku Ladezustand:"), u"41 %");
}

TEST(UserRows, ComputerNameAsTextAndNoAdmin) {
  ListFixture f;
  f.library.Set("ComputerInfo.ComputerName", Variant::Long(42));
  f.library.Set("AdminRightsInfo.IsAdmin", Variant::Boolean(false));
  f.library.Set("UserInfo.UserName", u"");
  f.Run();
  EXPECT_EQ(f.Value(u"Computername:"), u"42");
  EXPECT_EQ(f.Value(u"Angemeldeter Benutzer:"), u"");
  EXPECT_EQ(f.Value(u"Administratorrechte:"), u"Nein");

  ListFixture g(UiLanguage::English);
  g.library.Set("ComputerInfo.ComputerName", Variant::Double(1.5));
  g.Run();
  EXPECT_EQ(g.Value(u"Computername:"), u"1.5");  // the label is the same in English
}

TEST(MemoryRows, TextsAsDeliveredWithByte) {
  ListFixture f;
  f.library.Set("MemoryInfo.PhysicalTotal", u" 01 234");
  f.library.Set("MemoryInfo.VirtualFree", u"");
  f.Run();
  EXPECT_EQ(f.Value(u"Physischer Speicher:"), u" 01 234 Byte");
  EXPECT_EQ(f.Value(u"Virtueller Speicher frei:"), u" Byte");
}

TEST(NetworkRows, DialUpAndBrowserCompositions) {
  ListFixture f;
  f.library.Set("DialUpInfo.Active", Variant::Integer(1));
  f.library.Set("DefaultBrowserInfo.Name", u"");
  f.library.Set("DefaultBrowserInfo.Detail", u"");
  f.library.Set("NetworkInfo.LocalIP", u"");
  f.Run();
  EXPECT_EQ(f.Value(u"DFUE Verbindung:"), u"Aktiv");
  EXPECT_EQ(f.Value(u"Standardbrowser:"), u" []");
  EXPECT_EQ(f.Value(u"Lokale IP:"), u"");

  ListFixture g(UiLanguage::English);
  g.library.Set("DialUpInfo.Active", Variant::Integer(-1));
  g.Run();
  EXPECT_EQ(g.Value(u"DFUE connection:"), u"Activ");
  EXPECT_EQ(g.Position(u"Standardbrowser:"), g.Position(u"DFUE connection:") + 1);
}

// The screen row: width x height (depth bit), depth in its shortest decimal form.
struct ScreenCase {
  std::int32_t width;
  std::int32_t height;
  std::int64_t depth_scaled;
  const char16_t* german;
  const char16_t* english;
};

class ScreenRow : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenRow, Composition) {
  const ScreenCase& c = GetParam();
  for (UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
    ListFixture f(language);
    f.library.Set("DisplayInfo.Width", Variant::Long(c.width));
    f.library.Set("DisplayInfo.Height", Variant::Long(c.height));
    f.library.Set("DisplayInfo.BitsPerPixel", Variant::FromCurrency(Currency{c.depth_scaled}));
    f.Run();
    const bool german = language == UiLanguage::German;
    EXPECT_EQ(f.Value(german ? u"Bildschirmaufl\u00F6sung:" : u"Screen Resolution:"), german ? c.german : c.english);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Depths, ScreenRow,
    ::testing::Values(ScreenCase{1024, 768, 320000, u"1024x768 (32bit)", u"1024x768 (32bit)"},
                      ScreenCase{0, 0, 0, u"0x0 (0bit)", u"0x0 (0bit)"},
                      ScreenCase{800, 600, 160000, u"800x600 (16bit)", u"800x600 (16bit)"},
                      ScreenCase{1920, 1080, 240000, u"1920x1080 (24bit)", u"1920x1080 (24bit)"},
                      ScreenCase{1920, 1080, 245000, u"1920x1080 (24,5bit)", u"1920x1080 (24.5bit)"},
                      ScreenCase{-1, 2147483647, 1, u"-1x2147483647 (0,0001bit)", u"-1x2147483647 (0.0001bit)"},
                      ScreenCase{12345, 6789, -80000, u"12345x6789 (-8bit)", u"12345x6789 (-8bit)"}));

TEST(EnvironmentRows, CallOrderOfTheScreenAndPrinter) {
  ListFixture f;
  f.Run();
  std::vector<std::string> calls;
  for (const auto& entry : f.LibraryCalls()) {
    if (entry.rfind("DisplayInfo.", 0) == 0 || entry.rfind("DefaultPrinterInfo.", 0) == 0 ||
        entry.rfind("DefaultBrowserInfo.", 0) == 0) {
      calls.push_back(entry);
    }
  }
  EXPECT_EQ(calls,
            (std::vector<std::string>{"DefaultBrowserInfo.Name", "DefaultBrowserInfo.Detail", "DisplayInfo.Width",
                                      "DisplayInfo.Height", "DisplayInfo.BitsPerPixel", "DefaultPrinterInfo.Name",
                                      "DefaultPrinterInfo.Detail1", "DefaultPrinterInfo.Detail2"}));
}

TEST(EnvironmentRows, EmptyPrinterFontsZeroAndFolders) {
  ListFixture f;
  f.library.Set("DefaultPrinterInfo.Name", u"");
  f.library.Set("DefaultPrinterInfo.Detail1", u"");
  f.library.Set("DefaultPrinterInfo.Detail2", u"");
  f.library.Set("FolderInfo.SystemFolder", u"");
  f.screen.font_count = 0;
  f.Run();
  EXPECT_EQ(f.Value(u"Standarddrucker:"), u" [ - ]");
  EXPECT_EQ(f.Value(u"Installierte Schriftarten:"), u"0");
  EXPECT_EQ(f.Value(u"System Verzeichnis:"), u"");

  ListFixture g;
  g.screen.font_count = 32767;
  g.Run();
  EXPECT_EQ(g.Value(u"Installierte Schriftarten:"), u"32767");
}

// The sound row reads SoundInfo.Installed as a condition.
struct SoundCase {
  const char* name;
  Variant installed;
  const char16_t* expected;  // nullptr: type mismatch
};

class SoundRow : public ::testing::TestWithParam<SoundCase> {};

TEST_P(SoundRow, ReadsTheVariantAsACondition) {
  ListFixture f;
  f.library.Set("SoundInfo.Installed", GetParam().installed);
  f.Run();
  if (GetParam().expected != nullptr) {
    EXPECT_EQ(f.Value(u"Soundkarte installiert:"), GetParam().expected);
    EXPECT_TRUE(f.message_box.shown.empty());
    return;
  }
  // Error 13 ends the build: the sound row stays without value and is the last row.
  EXPECT_EQ(f.rows().back(), (Row{u"Soundkarte installiert:", u""}));
  ASSERT_EQ(f.message_box.shown.size(), 1u);
  EXPECT_EQ(f.message_box.shown[0].prompt, u"Beschreibung:Type mismatch\r\n\r\nNummer:13");
  EXPECT_EQ(f.library.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SoundRow,
    ::testing::Values(
        SoundCase{"Null", Variant::Null(), u"Nein"}, SoundCase{"Empty", Variant(), u"Nein"},
        SoundCase{"True", Variant::Boolean(true), u"Ja"}, SoundCase{"False", Variant::Boolean(false), u"Nein"},
        SoundCase{"IntegerOne", Variant::Integer(1), u"Ja"}, SoundCase{"IntegerZero", Variant::Integer(0), u"Nein"},
        SoundCase{"LongMinusOne", Variant::Long(-1), u"Ja"}, SoundCase{"LongZero", Variant::Long(0), u"Nein"},
        SoundCase{"DoubleHalf", Variant::Double(0.5), u"Ja"}, SoundCase{"DoubleZero", Variant::Double(0.0), u"Nein"},
        SoundCase{"CurrencyTiny", Variant::FromCurrency(Currency{1}), u"Ja"},
        SoundCase{"CurrencyZero", Variant::FromCurrency(Currency{0}), u"Nein"},
        SoundCase{"TextTrue", Variant::String(u"True"), u"Ja"},
        SoundCase{"TextFalseLower", Variant::String(u"false"), u"Nein"},
        SoundCase{"TextTrueSpaced", Variant::String(u"  TRUE "), u"Ja"},
        SoundCase{"TextZero", Variant::String(u"0"), u"Nein"}, SoundCase{"TextOne", Variant::String(u"1"), u"Ja"},
        SoundCase{"TextGermanFraction", Variant::String(u"0,5"), u"Ja"},
        SoundCase{"TextAbc", Variant::String(u"abc"), nullptr}, SoundCase{"TextEmpty", Variant::String(u""), nullptr},
        SoundCase{"Array", Variant::FromArray({Variant::Boolean(true)}), nullptr}),
    [](const ::testing::TestParamInfo<SoundCase>& info) { return std::string(info.param.name); });

TEST(TimeAndDriveRows, TextsAsDeliveredAndSpacers) {
  ListFixture f;
  f.library.Set("UptimeInfo.RunningTime", u"  0 Tage, 00:00:01.5 ");
  f.library.Set("TimeZoneInfo.Name", u"");
  f.Run();
  const int sound = f.Position(u"Soundkarte installiert:");
  EXPECT_EQ(f.rows()[static_cast<std::size_t>(sound)], (Row{u"Windows Laufzeit:", u"  0 Tage, 00:00:01.5 "}));
  EXPECT_EQ(f.rows()[static_cast<std::size_t>(sound + 1)], (Row{u" ", u""}));
  EXPECT_EQ(f.rows()[static_cast<std::size_t>(sound + 2)], (Row{u"Eingestellte Zeitzone:", u""}));
  EXPECT_EQ(f.rows()[static_cast<std::size_t>(sound + 3)], (Row{u" ", u""}));
  // Only the library's TimeZoneInfo.Name is asked of the seven operations.
  EXPECT_EQ(f.log.Matching("TimeZoneInfo."), (std::vector<std::string>{"TimeZoneInfo.Name"}));
}

TEST(TimeAndDriveRows, NoObjectAndEmptyCollectionLeaveTheHeadingLast) {
  ListFixture f;
  f.library.Set("DriveInfo.Drives", Variant());
  f.Run();
  EXPECT_EQ(f.rows().back(), (Row{u"Verf\u00FCgbare Laufwerke:", u""}));
  EXPECT_TRUE(f.message_box.shown.empty());

  ListFixture g;
  g.library.Set("DriveInfo.Drives", Variant::FromObject(std::make_shared<ScriptedCollection>(std::vector<Variant>{})));
  g.Run();
  EXPECT_EQ(g.rows().back(), (Row{u"Verf\u00FCgbare Laufwerke:", u""}));
  EXPECT_TRUE(g.message_box.shown.empty());
}

TEST(TimeAndDriveRows, OneRowPerDriveInOrderCountReadOnce) {
  // A collection whose Count grows after the first read: the build uses the first answer.
  class Growing final : public Collection {
   public:
    std::int32_t Count() override { return ++count_reads == 1 ? 3 : 5; }
    Variant Item(std::int32_t index) override {
      items_read.push_back(index);
      if (index == 2) return Variant::Long(7);
      return Variant::String(u"Drive " + Decimal(index));
    }
    int count_reads = 0;
    std::vector<std::int32_t> items_read;
  };
  auto drives = std::make_shared<Growing>();
  ListFixture f;
  f.library.Set("DriveInfo.Drives", Variant::FromObject(drives));
  f.Run();
  EXPECT_EQ(drives->count_reads, 1);
  EXPECT_EQ(drives->items_read, (std::vector<std::int32_t>{1, 2, 3}));
  const Rows tail(f.rows().end() - 4, f.rows().end());
  EXPECT_TRUE(
      SameRows((Rows{{u"Verf\u00FCgbare Laufwerke:", u""}, {u"Drive 1", u""}, {u"7", u""}, {u"Drive 3", u""}}), tail));
  // Drive rows are added with their text only; no value is written after the heading.
  const auto& e = f.log.entries();
  const auto heading = std::find(e.begin(), e.end(), "Add(" + ToUtf8(u"Verf\u00FCgbare Laufwerke:") + ")");
  ASSERT_NE(heading, e.end());
  EXPECT_EQ(std::count_if(heading, e.end(), [](const std::string& s) { return s.rfind("SubItems(", 0) == 0; }), 0);
}

TEST(QueryObjects, EachClassCreatedOnceAndAllReleased) {
  ListFixture f;
  GiveBattery(f);
  f.Run();
  for (int i = 0; i < kQueryClassCount; ++i) {
    const auto cls = static_cast<QueryClass>(i);
    const int expected = cls == QueryClass::ProgressBarColors ? 0 : 1;
    EXPECT_EQ(f.library.Creations(cls), expected) << QueryClassName(cls);
  }
  EXPECT_EQ(f.library.LiveObjects(), 0);
  EXPECT_EQ(f.log.Matching("release ").size(), 17u);
  // Nothing is released before the list is complete and unlocked.
  const auto& e = f.log.entries();
  const auto first_release =
      std::find_if(e.begin(), e.end(), [](const std::string& s) { return s.rfind("release ", 0) == 0; });
  EXPECT_EQ(*(first_release - 1), "LockWindowUpdate(0)");
  // A second run creates its own objects afresh.
  f.Run();
  EXPECT_EQ(f.library.Creations(QueryClass::NetworkInfo), 2);
  EXPECT_EQ(f.library.LiveObjects(), 0);
}

}  // namespace
}  // namespace bsi::test

namespace bsi::test {
namespace {

// The row steps of every row from the memory group on, with the library calls between them: label first,
// then the library, then the value of the last row.
TEST(RowSteps, EveryRowFromTheMemoryGroupOn) {
  struct Step {
    const char* label;  // UTF-8
    std::vector<std::string> calls;
    const char* value;  // nullptr: no value written
  };
  const std::vector<Step> steps{
      {" ", {}, nullptr},
      {"Physischer Speicher:", {"MemoryInfo.PhysicalTotal"}, "4294967296 Byte"},
      {"Physischer Speicher frei:", {"MemoryInfo.PhysicalFree"}, "1073741824 Byte"},
      {"Virtueller Speicher:", {"MemoryInfo.VirtualTotal"}, "2147352576 Byte"},
      {"Virtueller Speicher frei:", {"MemoryInfo.VirtualFree"}, "1879048192 Byte"},
      {" ", {}, nullptr},
      {"Computername:", {"ComputerInfo.ComputerName"}, "WORKSTATION"},
      {"Angemeldeter Benutzer:", {"UserInfo.UserName"}, "Anna"},
      {"Administratorrechte:", {"AdminRightsInfo.IsAdmin"}, "Ja"},
      {" ", {}, nullptr},
      {"Lokale IP:", {"NetworkInfo.LocalIP"}, "127.0.0.1"},
      {"Lokale Subnetzmaske:", {"NetworkInfo.LocalSubnetMask"}, "255.0.0.0"},
      {"Netzwerk IP:", {"NetworkInfo.NetworkIP"}, "192.168.1.20"},
      {"Netzwerk Subnetzmaske:", {"NetworkInfo.NetworkSubnetMask"}, "255.255.255.0"},
      {"MAC Adresse:", {"NetworkInfo.MACAddress"}, "00-1A-2B-3C-4D-5E"},
      {" ", {}, nullptr},
      {"DFUE Verbindung:", {"DialUpInfo.Active"}, "Keine"},
      {"Standardbrowser:",
       {"DefaultBrowserInfo.Name", "DefaultBrowserInfo.Detail"},
       "Firefox [C:\\Program Files\\Mozilla Firefox\\firefox.exe]"},
      {" ", {}, nullptr},
      {"Windows Verzeichnis:", {"FolderInfo.WindowsFolder"}, "C:\\Windows"},
      {"System Verzeichnis:", {"FolderInfo.SystemFolder"}, "C:\\Windows\\system32"},
      {" ", {}, nullptr},
      {"Bildschirmaufl\xC3\xB6sung:",
       {"DisplayInfo.Width", "DisplayInfo.Height", "DisplayInfo.BitsPerPixel"},
       "1024x768 (32bit)"},
      {" ", {}, nullptr},
      {"Installierte Schriftarten:", {}, "187"},
      {" ", {}, nullptr},
      {"Standarddrucker:",
       {"DefaultPrinterInfo.Name", "DefaultPrinterInfo.Detail1", "DefaultPrinterInfo.Detail2"},
       "HP LaserJet 4 [HP LaserJet 4 PCL - LPT1:]"},
      {" ", {}, nullptr},
      {"Soundkarte installiert:", {"SoundInfo.Installed"}, "Ja"},
      {"Windows Laufzeit:", {"UptimeInfo.RunningTime"}, "1 d 02:03:04"},
      {" ", {}, nullptr},
      {"Eingestellte Zeitzone:", {"TimeZoneInfo.Name"}, "W. Europe Standard Time"},
      {" ", {}, nullptr},
      {"Verf\xC3\xBCgbare Laufwerke:", {"DriveInfo.Drives"}, nullptr},
      {"C:\\ Local Disk", {}, nullptr},
      {"D:\\ CD-ROM", {}, nullptr},
  };
  ListFixture f;  // no battery, firmware rows: the memory group's spacer is row 5
  f.Run();
  std::vector<std::string> expected;
  int row = 4;
  for (const Step& step : steps) {
    ++row;
    expected.push_back(std::string("Add(") + step.label + ")");
    expected.insert(expected.end(), step.calls.begin(), step.calls.end());
    if (step.value != nullptr) expected.push_back("SubItems(" + std::to_string(row) + ")=" + step.value);
  }
  std::vector<std::string> got;
  const auto& e = f.log.entries();
  const auto start = std::find(e.begin(), e.end(), "Add( )");
  ASSERT_NE(start, e.end());
  for (auto it = start; it != e.end() && it->rfind("SendMessageA", 0) != 0; ++it) {
    if (it->rfind("LoadResString(", 0) == 0 || it->rfind("create ", 0) == 0) continue;
    got.push_back(*it);
  }
  EXPECT_EQ(got, expected);
}

TEST(RowSteps, ClassesAreCreatedInRowOrder) {
  ListFixture f;
  f.Run();
  EXPECT_EQ(
      f.log.Matching("create "),
      (std::vector<std::string>{"create RegistryReader", "create OSVersionInfo", "create ProcessorInfo",
                                "create MemoryInfo", "create ComputerInfo", "create UserInfo", "create AdminRightsInfo",
                                "create NetworkInfo", "create DialUpInfo", "create DefaultBrowserInfo",
                                "create FolderInfo", "create DisplayInfo", "create DefaultPrinterInfo",
                                "create SoundInfo", "create UptimeInfo", "create TimeZoneInfo", "create DriveInfo"}));
}

}  // namespace
}  // namespace bsi::test
