// SPDX-License-Identifier: MIT
// Every failure ends the build through one handler: rows so far kept, one message box, redraw resumed, no
// column fitting, every query object released.
#include <gtest/gtest.h>

#include <memory>

#include "info_list/error_report.h"
#include "list_fixture.h"

namespace bsi::test {
namespace {

// What every failed build has in common; `rows` are the rows the list must keep.
void ExpectFailedBuild(ListFixture& f, const Rows& rows, const Text& prompt, const Text& title) {
  EXPECT_TRUE(SameRows(rows, f.rows()));
  ASSERT_EQ(f.message_box.shown.size(), 1u);
  EXPECT_EQ(Shown(f.message_box.shown[0].prompt), Shown(prompt));
  EXPECT_EQ(f.message_box.shown[0].style, 16);
  EXPECT_EQ(f.message_box.shown[0].title, title);
  // After the box: redraw resumed, no column widths, then the objects are released.
  EXPECT_TRUE(f.log.Matching("SendMessageA").empty());
  const auto& e = f.log.entries();
  const auto box = std::find_if(e.begin(), e.end(), [](const std::string& s) { return s.rfind("MsgBox(", 0) == 0; });
  ASSERT_NE(box, e.end());
  ASSERT_NE(box + 1, e.end());
  EXPECT_EQ(*(box + 1), "LockWindowUpdate(0)");
  for (auto it = box + 2; it != e.end(); ++it) EXPECT_EQ(it->rfind("release ", 0), 0u) << *it;
  EXPECT_EQ(f.library.LiveObjects(), 0);
}

TEST(Failures, LibraryAbsentKeepsOneRowAndReports429) {
  ListFixture f;
  f.library.FailAllCreations();
  f.Run();
  ExpectFailedBuild(f, {{u"Betriebssystem:", u""}},
                    u"Beschreibung:ActiveX component can't create object\r\n\r\nNummer:429", u"Fehler");
  EXPECT_EQ(f.list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
}

TEST(Failures, LibraryAbsentInEnglish) {
  ListFixture f(UiLanguage::English);
  f.library.FailAllCreations();
  f.Run();
  ExpectFailedBuild(f, {{u"OS Version:", u""}}, u"Description:ActiveX component can't create object\r\n\r\nNumber:429",
                    u"Error");
}

TEST(Failures, MacAddressFailing) {
  ListFixture f;
  f.library.Fail("NetworkInfo.MACAddress", -2147467259, u"Unbekannter Fehler");
  f.Run();
  ASSERT_GE(f.rows().size(), 2u);
  EXPECT_EQ(f.rows().back(), (Row{u"MAC Adresse:", u""}));
  EXPECT_EQ(f.rows()[f.rows().size() - 2], (Row{u"Netzwerk Subnetzmaske:", u"255.255.255.0"}));
  const Rows kept = f.rows();
  EXPECT_EQ(kept.size(), 19u);  // no battery, firmware rows present: B = 6, the MAC row at B+13
  ExpectFailedBuild(f, kept, u"Beschreibung:Unbekannter Fehler\r\n\r\nNummer:-2147467259", u"Fehler");
  EXPECT_EQ(f.log.Matching("DialUpInfo"), std::vector<std::string>{});
}

TEST(Failures, DrivesObjectThatIsNoCollection) {
  class NotACollection final : public Object {};
  ListFixture f(UiLanguage::English);
  f.library.Set("DriveInfo.Drives", Variant::FromObject(std::make_shared<NotACollection>()));
  f.Run();
  EXPECT_EQ(f.rows().back(), (Row{u"Available drives:", u""}));
  ExpectFailedBuild(f, f.rows(), u"Description:Type mismatch\r\n\r\nNumber:13", u"Error");
}

TEST(Failures, FailingCreationOfALaterClass) {
  ListFixture f;
  f.library.FailCreate(QueryClass::DisplayInfo, 429, u"Objekterstellung durch ActiveX-Komponente nicht m\u00F6glich");
  f.Run();
  EXPECT_EQ(f.rows().back(), (Row{u"Bildschirmaufl\u00F6sung:", u""}));
  ExpectFailedBuild(f, f.rows(),
                    u"Beschreibung:Objekterstellung durch ActiveX-Komponente nicht m\u00F6glich\r\n\r\nNummer:429",
                    u"Fehler");
  EXPECT_EQ(f.library.Creations(QueryClass::DefaultPrinterInfo), 0);
}

TEST(Failures, ComputerNameNullIsInvalidUseOfNull) {
  ListFixture f;
  f.library.Set("ComputerInfo.ComputerName", Variant::Null());
  f.Run();
  EXPECT_EQ(f.rows().back(), (Row{u"Computername:", u""}));
  ExpectFailedBuild(f, f.rows(), u"Beschreibung:Invalid use of Null\r\n\r\nNummer:94", u"Fehler");
}

TEST(Failures, FailingListOperations) {
  {
    // The fifth Add is the battery-less spacer before the memory rows.
    ListFixture f;
    f.list.FailOn("Add", 5, err::kIndexOutOfBounds);
    f.Run();
    EXPECT_EQ(f.rows().size(), 4u);
    ExpectFailedBuild(f, f.rows(), u"Beschreibung:Index out of bounds\r\n\r\nNummer:35600", u"Fehler");
  }
  {
    // Writing the CPU value fails: the CPU row stays without value.
    ListFixture f;
    f.list.FailOn("SetSubItem", 2, err::kIndexOutOfBounds);
    f.Run();
    EXPECT_EQ(f.rows().back(), (Row{u"CPU:", u""}));
    ExpectFailedBuild(f, f.rows(), u"Beschreibung:Index out of bounds\r\n\r\nNummer:35600", u"Fehler");
  }
  {
    // hWnd fails at the very start: nothing locked, no rows, the box, then the unlock.
    ListFixture f;
    f.list.FailOn("hWnd", 1, 91);
    f.Run();
    ExpectFailedBuild(f, {}, u"Beschreibung:Object variable or With block variable not set\r\n\r\nNummer:91",
                      u"Fehler");
    EXPECT_EQ(f.log.Matching("LockWindowUpdate"), std::vector<std::string>{"LockWindowUpdate(0)"});
  }
}

TEST(Failures, AdjustColumnWidthFailingKeepsEveryRow) {
  ListFixture f;
  f.list.FailOn("ColumnCount", 1, 438);
  f.Run();
  EXPECT_EQ(f.rows().size(), 40u);
  ExpectFailedBuild(f, f.rows(), u"Beschreibung:Application-defined or object-defined error\r\n\r\nNummer:438",
                    u"Fehler");
}

TEST(Failures, OldRowsAreGoneEvenWhenTheRebuildFails) {
  ListFixture f;
  f.Run();
  f.library.FailAllCreations();
  f.Run();
  EXPECT_TRUE(SameRows({{u"Betriebssystem:", u""}}, f.rows()));
  EXPECT_EQ(f.list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
}

TEST(Failures, EveryOperationFailingInTurnReleasesEverything) {
  // Each library operation the build calls, failing on its own: the build stops right there, the message
  // carries the number, and no object outlives the run.
  ListFixture probe;
  probe.Run();
  std::vector<std::string> operations;
  for (const auto& entry : probe.LibraryCalls()) {
    if (entry.rfind("create ", 0) == 0 || entry.rfind("release ", 0) == 0) continue;
    const std::string op = entry.substr(0, entry.find('='));
    if (std::find(operations.begin(), operations.end(), op) == operations.end()) operations.push_back(op);
  }
  ASSERT_GE(operations.size(), 30u);
  for (const auto& op : operations) {
    ListFixture f;
    f.library.Fail(op, 1000 + static_cast<int>(operations.size()), u"scripted " + FromUtf8(op));
    f.Run();
    ASSERT_EQ(f.message_box.shown.size(), 1u) << op;
    EXPECT_EQ(f.message_box.shown[0].prompt,
              u"Beschreibung:scripted " + FromUtf8(op) + u"\r\n\r\nNummer:" + Decimal(1000 + operations.size()))
        << op;
    EXPECT_EQ(f.library.LiveObjects(), 0) << op;
    EXPECT_TRUE(f.log.Matching("SendMessageA").empty()) << op;
    for (int i = 0; i < kQueryClassCount; ++i) EXPECT_LE(f.library.Creations(static_cast<QueryClass>(i)), 1) << op;
  }
}

TEST(ErrorMessage, FetchesDescriptionWordThenNumberWordThenTitle) {
  ListFixture f;
  f.library.FailAllCreations();
  f.Run();
  std::vector<std::string> strings;
  const auto& e = f.log.entries();
  const auto first_create = std::find(e.begin(), e.end(), "create RegistryReader");
  for (auto it = first_create; it != e.end(); ++it) {
    if (it->rfind("LoadResString(", 0) == 0 || it->rfind("MsgBox(", 0) == 0) strings.push_back(*it);
  }
  EXPECT_EQ(strings, (std::vector<std::string>{"LoadResString(138)", "LoadResString(139)", "LoadResString(137)",
                                               "MsgBox(Fehler)"}));
}

TEST(ErrorMessage, FallsBackToEnglishWhenTheStringsFail) {
  class BrokenStrings final : public StringSource {
   public:
    Text LoadResString(std::int32_t id) override { RaiseResourceNotFound(id); }
  };
  CallLog log;
  RecordingMessageBox box(log);
  BrokenStrings strings;
  ShowErrorMessage(box, strings, RuntimeError(5, u"x"));
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].prompt, u"Description:x\r\n\r\nNumber:5");
  EXPECT_EQ(box.shown[0].title, u"Error");
  EXPECT_EQ(box.shown[0].style, 16);
}

TEST(ErrorMessage, ABoxThatFailsEndsQuietly) {
  class BrokenBox final : public MsgBox {
   public:
    void Show(const Text&, std::int32_t, const Text&) override { Raise(5); }
  };
  BrokenBox box;
  Catalogue strings(UiLanguage::German);
  EXPECT_NO_THROW(ShowErrorMessage(box, strings, RuntimeError(6)));
}

TEST(ErrorMessage, NumbersInPlainDecimal) {
  Catalogue german(UiLanguage::German);
  EXPECT_EQ(ErrorMessageText(german, RuntimeError(-2147024891, u"Zugriff verweigert")),
            u"Beschreibung:Zugriff verweigert\r\n\r\nNummer:-2147024891");
  EXPECT_EQ(ErrorMessageText(german, RuntimeError(0, u"")), u"Beschreibung:\r\n\r\nNummer:0");
}

}  // namespace
}  // namespace bsi::test
