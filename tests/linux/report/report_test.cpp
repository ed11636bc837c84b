// SPDX-License-Identifier: MIT
// The headless report over the scripted library: its rows against the core's golden lists, its copy-all text
// and error boxes against those of the window over the recording fakes, and the JSON form.
#include <functional>

#include "linux/report/report_fixture.h"

namespace bsi::test {
namespace {

// Whatever the library does, the report holds what the window holds and shows.
TEST(Report, RowsCopyAllAndErrorBoxesAreTheWindowsOwn) {
  struct Case {
    const char* name;
    std::function<void(ScriptedLibrary&)> script;
    std::size_t boxes;
  };
  const Case cases[] = {
      {"plausible machine", [](ScriptedLibrary&) {}, 0},
      {"no library", [](ScriptedLibrary& l) { l.FailAllCreations(); }, 1},
      {"hostile name", [](ScriptedLibrary& l) { l.Set("ComputerInfo.ComputerName", u"Ä \"x\"\r\n\t\\ \xD800"); }, 0},
  };
  for (const Case& c : cases) {
    for (UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
      SCOPED_TRACE(testing::Message() << c.name << ", language " << static_cast<int>(language));
      ReportRig rig(language);
      c.script(rig.library);
      const SysInfoReport report = rig.Report();
      EXPECT_EQ(ToUtf8(report.copy_all), ToUtf8(rig.WindowCopyAll()));
      std::vector<ShownBox> window_boxes;
      for (const auto& box : rig.message_box.shown) window_boxes.push_back(ShownBox{box.title, box.prompt});
      EXPECT_EQ(report.error_boxes, window_boxes);
      EXPECT_EQ(report.error_boxes.size(), c.boxes);
      if (c.name != cases[0].name) continue;
      std::string rows;
      for (const auto& row : report.rows) rows += ToUtf8(row.text) + " | " + ToUtf8(row.value) + "\n";
      EXPECT_EQ(CompareGolden(language == UiLanguage::German ? "core/list_de.txt" : "core/list_en.txt", rows), "");
    }
  }
}

// The drives fail last: every other row is there, and so is the error box.
TEST(ReportJson, MatchesItsGoldenFile) {
  ReportRig rig(UiLanguage::English);
  rig.library.Set("MemoryInfo.PhysicalFree", u"1500000000");  // 65.07 %: the number keeps what the label rounds
  rig.library.Fail("DriveInfo.Drives", 71, u"Disk not \"ready\"");
  EXPECT_EQ(CompareGolden("linux/report/report_en.json", ReportJson(rig.Report(), UiLanguage::English)), "");
}

TEST(ReportJson, EscapesEveryControlCharacterQuoteAndBackslash) {
  struct Case {
    Text text;
    const char* json;
  };
  const Case cases[] = {
      {u"C:\\Program Files \"x\"", R"("C:\\Program Files \"x\"")"},
      {u"\b\f\n\r\t", R"("\b\f\n\r\t")"},
      {Text(1, u'\0') + u"\x01\x1f\x7f\x80\x9f", R"("\u0000\u0001\u001f\u007f\u0080\u009f")"},
      {u" \x7e\xa0~", "\" ~\xC2\xA0~\""},
      {u"LÄDT \u20AC \U0001F600", "\"L\xC3\x84\x44T \xE2\x82\xAC \xF0\x9F\x98\x80\""},
      {u"\xDC00\"", "\"\xEF\xBF\xBD\\\"\""},
      {u"\xD83D\n\xDE00", "\"\xEF\xBF\xBD\\n\xEF\xBF\xBD\""},
  };
  for (const Case& c : cases) EXPECT_EQ(JsonString(c.text), c.json) << ToUtf8(c.text);
}

// Only a row blank in label and value is a spacer, written as an empty pair; nothing else loses a space.
TEST(ReportJson, SpacerRowsBecomeEmptyPairsAndNothingElseIsDropped) {
  SysInfoReport report;
  report.rows = {{u"", u"  "}, {u" ", u"value"}};
  EXPECT_NE(ReportJson(report, UiLanguage::German)
                .find("\"language\": \"de\",\n  \"rows\": [\n    {\"label\": \"\", \"value\": \"\"},\n"
                      "    {\"label\": \" \", \"value\": \"value\"}\n  ],\n"),
            std::string::npos);
}

}  // namespace
}  // namespace bsi::test
