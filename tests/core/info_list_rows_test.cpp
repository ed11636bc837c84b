// SPDX-License-Identifier: MIT
// The rows of a build: the complete list and its call trace (golden files), the offsets the timer relies on, the
// compositions of the values, the conditional rows, and the column fitting after the last row.
#include "core/fixtures.h"
#include "info_list/list_view_helpers.h"

namespace bsi::test {
namespace {

TEST(CompleteList, BothLanguagesAndTheCallTraceMatchTheirGoldenFiles) {
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
  }
  // Every library call, row step, string fetch, lock and release of a German build, in order: the label before
  // the library, the value after it, strings fetched where the expressions evaluate them (the firmware date is
  // read before the date word is fetched), each class created once and released.
  ListFixture f;
  f.Run();
  EXPECT_EQ(CompareGolden("core/build_trace.txt", f.log.Lines()), "");
}

// B is the position of the row labelled 113; the timer writes at fixed offsets from it. A firmware row is left
// out when its version is empty or missing (the date is read all the same); a battery adds two rows and a spacer.
TEST(Offsets, TimerRowsStandAtFixedDistancesFromTheFirstMemoryRow) {
  struct Case {
    bool battery;
    const char16_t *bios, *video;  // nullptr: the value is missing
    int b;
  };
  const auto value = [](const char16_t* text) {
    return text != nullptr ? std::optional(Variant::String(text)) : std::nullopt;
  };
  for (const Case c : {Case{true, u"B", u"V", 9}, Case{true, nullptr, nullptr, 7}, Case{false, u"B", u"V", 6},
                       Case{false, u"", nullptr, 4}, Case{false, nullptr, u"V", 5}, Case{false, u"B", u"", 5}}) {
    for (UiLanguage language : kBothLanguages) {
      SCOPED_TRACE(testing::Message() << c.b << c.battery << static_cast<int>(language));
      ListFixture f(language);
      if (c.battery) f.battery.status = 8, f.battery.percent = 40;
      f.library.SetRegistry(kSystemKey, u"SystemBiosVersion", value(c.bios));
      f.library.SetRegistry(kSystemKey, u"VideoBiosVersion", value(c.video));
      f.Run();
      const int b = f.Position(CatalogueText(language, 113));
      EXPECT_EQ(b, c.b);
      EXPECT_EQ(f.Position(CatalogueText(language, 103)) > 0, c.bios != nullptr && *c.bios != u'\0');
      EXPECT_EQ(f.Position(CatalogueText(language, 104)) > 0, c.video != nullptr && *c.video != u'\0');
      EXPECT_EQ(f.log.Matching("RegistryReader.ValueName=SystemBiosDate").size(), 1u);
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
        {"SoundInfo.Installed", Variant::String(u" false ")},  // a condition, as the run time reads one
        {"Fonts", Variant::Long(0)}}},
      {en,
       {{"ComputerInfo.ComputerName", Variant::Double(1.5)},
        {"DialUpInfo.Active", Variant::Integer(-1)},
        {"SoundInfo.Installed", Variant::Integer(0)},
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

// The two battery values (charge, state) per status and charge, German then English; "-" where a row is missing
// (a status of 128 means no battery), a charge of 255 means unknown.
TEST(ConditionalRows, BatteryValuesMatchTheirGoldenFile) {
  std::string out;
  for (const auto& [status, percent] : {std::pair<std::int16_t, std::int16_t>{128, 80},
                                        {1, 255},
                                        {8, 255},
                                        {1, 100},
                                        {2, 12},
                                        {4, 3},
                                        {8, 57},
                                        {9, 99},
                                        {0, 0},
                                        {255, 57},
                                        {3, 50},
                                        {-1, 50}}) {
    out += std::to_string(status) + " " + std::to_string(percent) + ":";
    for (UiLanguage language : kBothLanguages) {
      ListFixture f(language);
      f.battery.status = status;
      f.battery.percent = percent;
      f.Run();
      for (std::int32_t id : {str::kBatteryCharge, str::kBatteryState}) {
        const int at = f.Position(CatalogueText(language, id));
        out += " | " + (at == 0 ? "-" : Shown(f.rows()[static_cast<std::size_t>(at - 1)].value));
      }
    }
    out += "\n";
  }
  EXPECT_EQ(CompareGolden("core/battery.txt", out), "");
}

// No drives, or an empty collection, leave the heading alone; a Count that changes after the first read is read
// once, and the drive rows carry the item as text and no value.
TEST(ConditionalRows, DrivesNoneEmptyAndCountReadOnce) {
  for (Variant none : {Variant(), Variant::FromObject(std::make_shared<ScriptedCollection>(std::vector<Variant>{}))}) {
    ListFixture f;
    f.library.Set("DriveInfo.Drives", none);
    f.Run();
    EXPECT_EQ(f.rows().back(), (Row{u"Verf\u00FCgbare Laufwerke:", u""}));
    EXPECT_TRUE(f.message_box.shown.empty());
  }
  class Growing final : public Collection {
   public:
    std::int32_t Count() override { return ++count_reads == 1 ? 3 : 5; }
    Variant Item(std::int32_t index) override {
      return index == 2 ? Variant::Long(7) : Variant::String(u"Drive " + Decimal(index));
    }
    int count_reads = 0;
  };
  auto drives = std::make_shared<Growing>();
  ListFixture f;
  f.library.Set("DriveInfo.Drives", Variant::FromObject(drives));
  f.Run();
  EXPECT_EQ(drives->count_reads, 1);
  EXPECT_EQ(Dump(Rows(f.rows().end() - 4, f.rows().end())),
            "Verf\u00FCgbare Laufwerke: | \nDrive 1 | \n7 | \nDrive 3 | \n");
  EXPECT_EQ(f.log.Matching("SubItems(").back(), "SubItems(36)=W. Europe Standard Time");
}

// LVM_SETCOLUMNWIDTH (4126) for each column up to the count less the exclusion; with headers the last column
// fills the list. The bound and the counter are 16-bit: 6 before any message when the bound does not fit.
TEST(AdjustColumnWidth, MessagesForEachExclusionHeaderSettingAndSixteenBitEdge) {
  constexpr std::int16_t kMin = std::numeric_limits<std::int16_t>::min();
  constexpr std::int16_t kMax = std::numeric_limits<std::int16_t>::max();
  struct Case {
    std::int32_t columns;
    std::int16_t account, exclude;
    const char* messages;  // wparam,lparam) of each message, or their count, then the error raised
  };
  for (const Case& c : {Case{2, -1, 1, "0,-2) 1,-3) "},
                        Case{2, -1, 0, "0,-2) 1,-3) 2,-2) "},
                        Case{2, -1, 2, "0,-2) "},
                        Case{2, -1, 3, ""},
                        Case{2, -1, 30000, ""},
                        Case{0, 1, 1, ""},
                        Case{0, 1, 0, "0,-2) "},
                        Case{5, 0, -1, "7 messages "},
                        Case{2, 0, 1, "0,-1) 1,-1) "},
                        Case{2, 256, 1, "0,-2) 1,-3) "},
                        Case{32768, 0, 1, "32768 messages error 6"},
                        Case{32767, 0, 0, "32768 messages error 6"},
                        Case{32767, 0, 1, "32767 messages "},
                        Case{32768, 0, 0, "error 6"},
                        Case{40000, 0, 1, "error 6"},
                        Case{0, 0, kMin, "error 6"},
                        Case{-1, 0, kMax, ""},
                        Case{-2, 0, kMax, "error 6"},
                        Case{INT32_MAX, 0, -1, "error 6"},
                        Case{INT32_MIN, 0, 1, "error 6"}}) {
    ListFixture f;
    f.list.column_count = c.columns;
    const std::int32_t error = ErrorOf([&] { AdjustColumnWidth(f.list, f.window_system, c.account, c.exclude); });
    const auto& sent = f.log.entries();
    std::string out = sent.size() > 3 ? std::to_string(sent.size()) + " messages " : "";
    for (std::size_t i = 0; sent.size() <= 3 && i < sent.size(); ++i)
      out += sent[i].substr(std::size("SendMessageA(4096,4126,") - 1) + " ";
    EXPECT_EQ(error != 0 ? out + "error " + std::to_string(error) : out, c.messages) << c.columns << " " << c.exclude;
  }
}

}  // namespace
}  // namespace bsi::test
