// SPDX-License-Identifier: MIT
// The rows of a build: the complete list and its call trace (golden files), the offsets the timer relies on, the
// compositions of the values, and the conditional rows.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "core/fixtures.h"

namespace bsi::test {
namespace {

TEST(CompleteList, BothLanguagesMatchTheirGoldenFiles) {
  for (UiLanguage language : kBothLanguages) {
    ListFixture f(language);
    f.battery.status = 1;
    f.battery.percent = 80;
    f.Run();
    EXPECT_EQ(CompareGolden(language == UiLanguage::German ? "core/list_de.txt" : "core/list_en.txt", Dump(f.rows())),
              "");
    EXPECT_TRUE(f.message_box.shown.empty());
    EXPECT_EQ(f.list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
    EXPECT_EQ(f.list.rows().view(), 3);
    EXPECT_EQ(f.library.LiveObjects(), 0);
  }
}

// Every library call, row step, string fetch, lock and release of a German build, in order: the label before
// the library, the value after it, strings fetched where the expressions evaluate them (the firmware date is read
// before the date word is fetched), each class created once.
TEST(CompleteList, CallTraceMatchesItsGoldenFile) {
  ListFixture f;
  f.Run();
  EXPECT_EQ(CompareGolden("core/build_trace.txt", f.log.Lines()), "");
}

TEST(CompleteList, SecondRunRemovesEveryRowThenSetsTheColumnsAfresh) {
  ListFixture f;
  f.Run();
  const Rows first = f.rows();
  f.log.Clear();
  f.Run();
  EXPECT_EQ(Dump(f.rows()), Dump(first));
  std::vector<std::string> expected{"LockWindowUpdate(4096)"};
  expected.insert(expected.end(), first.size(), "Remove(1)");
  expected.insert(expected.end(), {"Clear", "ClearColumns", "AddColumn(Name)", "AddColumn(Info)"});
  const auto& e = f.log.entries();
  ASSERT_GE(e.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(e.begin(), e.begin() + static_cast<long>(expected.size())), expected);
  EXPECT_EQ(f.list.rows().columns().size(), 2u);
  EXPECT_EQ(f.library.LiveObjects(), 0);
}

// B is the position of the row labelled 113; the timer writes at fixed offsets from it.
TEST(Offsets, TimerRowsStandAtFixedDistancesFromTheFirstMemoryRow) {
  struct Case {
    bool battery, firmware;
    int b;
  };
  for (const Case c : {Case{true, true, 9}, Case{true, false, 7}, Case{false, true, 6}, Case{false, false, 4}}) {
    for (UiLanguage language : kBothLanguages) {
      SCOPED_TRACE(testing::Message() << c.battery << c.firmware << static_cast<int>(language));
      ListFixture f(language);
      if (c.battery) f.battery.status = 8, f.battery.percent = 40;
      if (!c.firmware) {
        f.library.SetRegistry(kSystemKey, u"SystemBiosVersion", std::nullopt);
        f.library.SetRegistry(kSystemKey, u"VideoBiosVersion", std::nullopt);
      }
      f.Run();
      const int b = f.Position(CatalogueText(language, 113));
      EXPECT_EQ(b, c.b);
      const int offsets[] = {114, 1, 121, 9, 122, 10, 123, 11, 124, 12, 148, 13, 130, 21, 133, 27, 134, 28, 136, 32};
      for (std::size_t i = 0; i < std::size(offsets); i += 2) {
        EXPECT_EQ(f.Position(CatalogueText(language, offsets[i])), b + offsets[i + 1]) << offsets[i];
      }
      EXPECT_EQ(static_cast<int>(f.rows().size()), b + 32 + 2);  // two drives
      // Only rows 113 and 114 start with "PHYSI" when upper-cased: the timer finds B by that prefix.
      int physi = 0;
      for (const Row& row : f.rows()) physi += UpperCase(TextView(row.text).substr(0, 5)) == u"PHYSI";
      EXPECT_EQ(physi, 2);
    }
  }
}

// A scripted answer: "Class.Operation" for the library, "HKLM:Name" for a registry value (Null: missing), "Fonts".
using Answer = std::pair<std::string, Variant>;

void Apply(ListFixture& f, const Answer& answer) {
  const auto& [key, value] = answer;
  if (key == "Fonts") {
    f.screen.font_count = static_cast<std::int16_t>(value.AsLong());
  } else if (key.rfind("HKLM:", 0) == 0) {
    const Text name = FromAscii(key.substr(5));
    f.library.SetRegistry(name == u"CSDVersion" || name == u"BuildLab" ? kCurrentVersionKey : kSystemKey, name,
                          value.kind() == VariantKind::Null ? std::nullopt : std::optional(value));
  } else {
    f.library.Set(key, value);
  }
}

// Each variation scripts some answers; the golden file lists the rows whose values differ from the plain build's.
TEST(Compositions, RowValuesOfScriptedVariationsMatchTheirGoldenFile) {
  const auto de = UiLanguage::German, en = UiLanguage::English;
  const Variant none = Variant::Null(), empty = Variant::String(u"");
  auto screen = [](std::int32_t width, std::int32_t height, std::int64_t depth_scaled) {
    return std::vector<Answer>{{"DisplayInfo.Width", Variant::Long(width)},
                               {"DisplayInfo.Height", Variant::Long(height)},
                               {"DisplayInfo.BitsPerPixel", Variant::FromCurrency(Currency{depth_scaled})}};
  };
  const std::vector<std::pair<UiLanguage, std::vector<Answer>>> variations = {
      {de, {{"HKLM:CSDVersion", none}}},
      {de,
       {{"HKLM:BuildLab", none},
        {"OSVersionInfo.MajorVersion", Variant::Long(5)},
        {"OSVersionInfo.BuildNumber", Variant::Long(2600)}}},
      {de,
       {{"HKLM:CSDVersion", none},
        {"HKLM:BuildLab", none},
        {"OSVersionInfo.Name", empty},
        {"OSVersionInfo.MajorVersion", Variant::Long(-1)},
        {"OSVersionInfo.MinorVersion", Variant::Long(0)},
        {"OSVersionInfo.BuildNumber", Variant::Long(1234567)},
        {"HKLM:SystemBiosVersion", Variant::String(Text(u"A\0\0B\rC\r\nD\0", 10))},  // NUL and CR replaced
        {"HKLM:SystemBiosDate", Variant::String(u"01/02/03")},
        {"HKLM:VideoBiosVersion", Variant::String(Text(u"V1\0V2\rV3", 8))}}},  // kept as delivered
      {en, {{"HKLM:SystemBiosDate", none}}},
      {de,
       {{"ComputerInfo.ComputerName", Variant::Long(42)},
        {"AdminRightsInfo.IsAdmin", Variant::Boolean(false)},
        {"UserInfo.UserName", empty},
        {"MemoryInfo.PhysicalTotal", Variant::String(u" 01 234")},
        {"MemoryInfo.VirtualFree", empty},
        {"DialUpInfo.Active", Variant::Integer(1)},
        {"DefaultBrowserInfo.Name", empty},
        {"DefaultBrowserInfo.Detail", empty},
        {"NetworkInfo.LocalIP", empty},
        {"DefaultPrinterInfo.Name", empty},
        {"DefaultPrinterInfo.Detail1", empty},
        {"DefaultPrinterInfo.Detail2", empty},
        {"FolderInfo.SystemFolder", empty},
        {"UptimeInfo.RunningTime", Variant::String(u"  0 Tage, 00:00:01.5 ")},
        {"TimeZoneInfo.Name", empty},
        {"Fonts", Variant::Long(0)}}},
      {en,
       {{"ComputerInfo.ComputerName", Variant::Double(1.5)},
        {"DialUpInfo.Active", Variant::Integer(-1)},
        {"Fonts", Variant::Long(32767)}}},
      {de, screen(0, 0, 0)},
      {de, screen(1920, 1080, 245000)},
      {en, screen(1920, 1080, 245000)},
      {de, screen(-1, 2147483647, 1)},
      {en, screen(-1, 2147483647, 1)},
      {de, screen(12345, 6789, -80000)},
  };
  std::string out;
  for (const auto& [language, answers] : variations) {
    ListFixture plain(language), f(language);
    plain.Run();
    for (const Answer& answer : answers) Apply(f, answer);
    f.Run();
    EXPECT_TRUE(f.message_box.shown.empty());
    out += language == de ? "de:" : "en:";
    for (const Answer& answer : answers) out += " " + answer.first;
    out += "\n";
    for (std::size_t i = 0; i < f.rows().size(); ++i) {
      if (i >= plain.rows().size() || f.rows()[i] != plain.rows()[i]) out += "  " + Dump({f.rows()[i]});
    }
  }
  EXPECT_EQ(CompareGolden("core/variations.txt", out), "");
}

TEST(Compositions, SoundReadsTheVariantAsACondition) {
  // clang-format off
  const std::pair<Variant, const char*> cases[] = {
      {Variant::Null(), "Nein"}, {Variant(), "Nein"}, {Variant::Boolean(true), "Ja"}, {Variant::Integer(0), "Nein"},
      {Variant::Long(-1), "Ja"}, {Variant::Double(0.5), "Ja"}, {Variant::FromCurrency(Currency{1}), "Ja"},
      {Variant::String(u"  TRUE "), "Ja"}, {Variant::String(u"false"), "Nein"}, {Variant::String(u"0"), "Nein"},
      {Variant::String(u"0,5"), "Ja"}, {Variant::String(u"abc"), nullptr}, {Variant::String(u""), nullptr},
      {Variant::FromArray({Variant::Boolean(true)}), nullptr}
  };
  // clang-format on
  for (const auto& [installed, expected] : cases) {
    ListFixture f;
    f.library.Set("SoundInfo.Installed", installed);
    f.Run();
    if (expected != nullptr) {
      EXPECT_EQ(Shown(f.Value(u"Soundkarte installiert:")), expected);
      continue;
    }
    // Error 13 ends the build: the sound row stays without value and is the last row.
    EXPECT_EQ(f.rows().back(), (Row{u"Soundkarte installiert:", u""}));
    ASSERT_EQ(f.message_box.shown.size(), 1u);
    EXPECT_EQ(f.message_box.shown[0].prompt, u"Beschreibung:Type mismatch\r\n\r\nNummer:13");
  }
}

TEST(ConditionalRows, NoFirmwareRowsForEmptyOrMissingVersions) {
  ListFixture f;
  f.library.SetRegistry(kSystemKey, u"SystemBiosVersion", Variant::String(u""));
  f.library.SetRegistry(kSystemKey, u"VideoBiosVersion", std::nullopt);
  f.Run();
  EXPECT_EQ(f.rows()[2], (Row{u" ", u""}));
  EXPECT_EQ(f.rows()[3].text, u"Physischer Speicher:");
  EXPECT_EQ(f.log.Matching("RegistryReader.ValueName=SystemBiosDate").size(), 1u) << "the date is read all the same";

  ListFixture g;
  g.library.SetRegistry(kSystemKey, u"SystemBiosVersion", std::nullopt);
  g.Run();
  EXPECT_EQ(g.Position(u"Mainboard / BIOS:"), 0);
  EXPECT_EQ(g.rows()[2], (Row{u"Grafikkarte BIOS:", u"Hardware Version 0.0"}));
}

// Battery: status and charge as the SysInfo control gives them; a status of 128 means no battery and no rows.
TEST(ConditionalRows, BatteryMapping) {
  struct Case {
    std::int16_t status, percent;
    const char16_t *charge_de, *state_de, *charge_en, *state_en;
  };
  const Case cases[] = {{128, 80, nullptr, nullptr, nullptr, nullptr},
                        {128, 255, nullptr, nullptr, nullptr, nullptr},
                        {1, 255, u"nicht bekannt", u"nicht bekannt", u"n/a", u"n/a"},
                        {8, 255, u"nicht bekannt", u"nicht bekannt", u"n/a", u"n/a"},
                        {1, 100, u"100 %", u"VOLL", u"100 %", u"FULL"},
                        {2, 12, u"12 %", u"WENIG", u"12 %", u"LOW"},
                        {4, 3, u"3 %", u"KRITISCH", u"3 %", u"CRITICAL"},
                        {8, 57, u"57 %", u"L\u00C4DT ...", u"57 %", u"CHARGING ..."},
                        {9, 99, u"99 %", u"L\u00C4DT ...", u"99 %", u"CHARGING ..."},
                        {10, 30, u"30 %", u"L\u00C4DT ...", u"30 %", u"CHARGING ..."},
                        {0, 0, u"0 %", u"NORMAL", u"0 %", u"NORMAL"},
                        {0, 57, u"57 %", u"NORMAL", u"57 %", u"NORMAL"},
                        {255, 57, u"57 %", u"nicht bekannt", u"57 %", u"n/a"},
                        {3, 50, u"50 %", u"L\u00C4DT ...", u"50 %", u"CHARGING ..."},
                        {-1, 50, u"50 %", u"L\u00C4DT ...", u"50 %", u"CHARGING ..."}};
  for (const Case& c : cases) {
    for (UiLanguage language : kBothLanguages) {
      ListFixture f(language);
      f.battery.status = c.status;
      f.battery.percent = c.percent;
      f.Run();
      const bool german = language == UiLanguage::German;
      Rows expected{{u" ", u""}, {CatalogueText(language, 113), u"4294967296 Byte"}};
      if (c.charge_de != nullptr) {
        expected = {{u" ", u""},
                    {CatalogueText(language, 105), german ? c.charge_de : c.charge_en},
                    {CatalogueText(language, 106), german ? c.state_de : c.state_en},
                    {u" ", u""}};
      }
      EXPECT_EQ(Dump(Rows(f.rows().begin() + 4, f.rows().begin() + 4 + static_cast<long>(expected.size()))),
                Dump(expected))
          << c.status << " " << c.percent;
    }
  }
}

TEST(ConditionalRows, BatteryChargeIsReadAgainForTheValue) {
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

TEST(ConditionalRows, DrivesNoneEmptyAndCountReadOnce) {
  for (Variant none : {Variant(), Variant::FromObject(std::make_shared<ScriptedCollection>(std::vector<Variant>{}))}) {
    ListFixture f;
    f.library.Set("DriveInfo.Drives", none);
    f.Run();
    EXPECT_EQ(f.rows().back(), (Row{u"Verf\u00FCgbare Laufwerke:", u""}));
    EXPECT_TRUE(f.message_box.shown.empty());
  }
  // A collection whose Count grows after the first read: the build uses the first answer, rows carry text only.
  class Growing final : public Collection {
   public:
    std::int32_t Count() override { return ++count_reads == 1 ? 3 : 5; }
    Variant Item(std::int32_t index) override {
      items_read.push_back(index);
      return index == 2 ? Variant::Long(7) : Variant::String(u"Drive " + Decimal(index));
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
  EXPECT_EQ(Dump(Rows(f.rows().end() - 4, f.rows().end())),
            "Verf\u00FCgbare Laufwerke: | \nDrive 1 | \n7 | \nDrive 3 | \n");
  EXPECT_EQ(f.log.Matching("SubItems(").back(), "SubItems(36)=W. Europe Standard Time");
}

}  // namespace
}  // namespace bsi::test
