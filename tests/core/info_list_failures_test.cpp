// SPDX-License-Identifier: MIT
// Every failure ends the build through one handler: rows so far kept, one message box, redraw resumed, no
// column fitting, every query object released; the per-run holder of query objects that makes that so.
#include "core/fixtures.h"
#include "info_list/error_report.h"
#include "query/query_session.h"

namespace bsi::test {
namespace {

// What every failed build has in common: one box, then the unlock, then nothing but releases.
void ExpectOneBoxThenReleases(ListFixture& f, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(f.message_box.shown.size(), 1u);
  EXPECT_EQ(f.message_box.shown[0].style, 16);
  const auto& e = f.log.entries();
  auto it = std::find_if(e.begin(), e.end(), [](const std::string& s) { return s.rfind("MsgBox(", 0) == 0; });
  ASSERT_NE(it, e.end());
  ASSERT_NE(++it, e.end());
  EXPECT_EQ(*it, "LockWindowUpdate(0)");
  for (++it; it != e.end(); ++it) EXPECT_EQ(it->rfind("release ", 0), 0u) << *it;
  EXPECT_EQ(f.library.LiveObjects(), 0);
  EXPECT_EQ(f.message_box.shown[0].title, f.strings.LoadResString(str::kError));
}

TEST(Failures, EachEndsTheBuildWhereItHappens) {
  class NotACollection final : public Object {};
  struct Case {
    const char* name;
    UiLanguage language;
    std::function<void(ListFixture&)> script;
    std::size_t kept;  // rows kept
    const char16_t* prompt;
  };
  const Case cases[] = {
      {"library absent", UiLanguage::German, [](ListFixture& f) { f.library.FailAllCreations(); }, 1,
       u"Beschreibung:ActiveX component can't create object\r\n\r\nNummer:429"},
      {"MAC address", UiLanguage::German,
       [](ListFixture& f) { f.library.Fail("NetworkInfo.MACAddress", -2147467259, u"Unbekannter Fehler"); }, 19,
       u"Beschreibung:Unbekannter Fehler\r\n\r\nNummer:-2147467259"},
      {"drives no collection", UiLanguage::English,
       [](ListFixture& f) {
         f.library.Set("DriveInfo.Drives", Variant::FromObject(std::make_shared<NotACollection>()));
       },
       38, u"Description:Type mismatch\r\n\r\nNumber:13"},
      {"later class", UiLanguage::German,
       [](ListFixture& f) { f.library.FailCreate(QueryClass::DisplayInfo, 429, u"nicht m\u00F6glich"); }, 27,
       u"Beschreibung:nicht m\u00F6glich\r\n\r\nNummer:429"},
      {"sound no condition", UiLanguage::German, [](ListFixture& f) { f.library.Set("SoundInfo.Installed", u"abc"); },
       33, u"Beschreibung:Type mismatch\r\n\r\nNummer:13"},
      {"computer name Null", UiLanguage::German,
       [](ListFixture& f) { f.library.Set("ComputerInfo.ComputerName", Variant::Null()); }, 11,
       u"Beschreibung:Invalid use of Null\r\n\r\nNummer:94"},
      {"fifth Add", UiLanguage::German, [](ListFixture& f) { f.list.FailOn("Add", 5, err::kIndexOutOfBounds); }, 4,
       u"Beschreibung:Index out of bounds\r\n\r\nNummer:35600"},
      {"CPU value", UiLanguage::German, [](ListFixture& f) { f.list.FailOn("SetSubItem", 2, err::kIndexOutOfBounds); },
       2, u"Beschreibung:Index out of bounds\r\n\r\nNummer:35600"},
      {"column fitting, after the last row", UiLanguage::German,
       [](ListFixture& f) { f.list.FailOn("ColumnCount", 1, err::kIndexOutOfBounds); }, 40,
       u"Beschreibung:Index out of bounds\r\n\r\nNummer:35600"},
      {"hWnd", UiLanguage::German, [](ListFixture& f) { f.list.FailOn("hWnd", 1, 91); }, 0,
       u"Beschreibung:Object variable or With block variable not set\r\n\r\nNummer:91"},
  };
  for (const Case& c : cases) {
    ListFixture f(c.language);
    c.script(f);
    f.Run();
    ExpectOneBoxThenReleases(f, c.name);
    EXPECT_EQ(f.message_box.shown[0].prompt, c.prompt) << c.name;
    ASSERT_EQ(f.rows().size(), c.kept) << c.name;
    EXPECT_TRUE(f.log.Matching("SendMessageA").empty()) << c.name;
    // Without the list's handle nothing was locked; the unlock comes all the same.
    EXPECT_EQ(f.log.Matching("LockWindowUpdate").size(), c.kept == 0 ? 1u : 2u) << c.name;
  }
}

TEST(Failures, OldRowsAreGoneEvenWhenTheRebuildFails) {
  ListFixture f;
  f.Run();
  f.library.FailAllCreations();
  f.Run();
  EXPECT_EQ(Dump(f.rows()), "Betriebssystem: | \n");
  EXPECT_EQ(f.list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
}

TEST(Failures, EveryOperationFailingInTurnReleasesEverything) {
  ListFixture probe;
  probe.Run();
  std::vector<std::string> operations;  // library calls and creations, by name
  for (const auto& entry : probe.log.entries()) {
    if (entry.find('.') == std::string::npos && entry.rfind("create ", 0) != 0) continue;
    if (entry.rfind("Add(", 0) == 0 || entry.rfind("SubItems(", 0) == 0) continue;
    const std::string op = entry.substr(0, entry.find('='));
    if (std::find(operations.begin(), operations.end(), op) == operations.end()) operations.push_back(op);
  }
  ASSERT_GE(operations.size(), 47u);
  for (const auto& op : operations) {
    ListFixture f;
    f.library.Fail(op, 1001, u"scripted");  // "create X" fails the creation
    f.Run();
    ExpectOneBoxThenReleases(f, op);
    EXPECT_EQ(f.message_box.shown[0].prompt, u"Beschreibung:scripted\r\n\r\nNummer:1001") << op;
    for (int i = 0; i < kQueryClassCount; ++i) EXPECT_LE(f.library.Creations(static_cast<QueryClass>(i)), 1) << op;
  }
  // Each list operation failing on each of its calls.
  for (const auto& [op, count] : probe.list.calls) {
    for (int nth = 1; nth <= count; ++nth) {
      ListFixture f;
      f.list.FailOn(op, nth, 1002);
      f.Run();
      ExpectOneBoxThenReleases(f, op + " #" + std::to_string(nth));
    }
  }
}

TEST(ErrorMessage, FetchesDescriptionWordThenNumberWordThenTitle) {
  ListFixture f;
  f.library.FailAllCreations();
  f.Run();
  const auto& e = f.log.entries();
  std::vector<std::string> strings;
  for (auto it = std::find(e.begin(), e.end(), "create RegistryReader"); it != e.end(); ++it) {
    if (it->rfind("LoadResString(", 0) == 0 || it->rfind("MsgBox(", 0) == 0) strings.push_back(*it);
  }
  EXPECT_EQ(strings, (std::vector<std::string>{"LoadResString(138)", "LoadResString(139)", "LoadResString(137)",
                                               "MsgBox(Fehler)"}));
}

TEST(ErrorMessage, FallsBackToEnglishAndABrokenBoxEndsQuietly) {
  class BrokenStrings final : public StringSource {
   public:
    Text LoadResString(std::int32_t id) override { RaiseResourceNotFound(id); }
  };
  CallLog log;
  RecordingMessageBox box(log);
  BrokenStrings strings;
  ShowErrorMessage(box, strings, RuntimeError(-2147024891, u"x"));
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].prompt, u"Description:x\r\n\r\nNumber:-2147024891");
  EXPECT_EQ(box.shown[0].title, u"Error");

  class BrokenBox final : public MsgBox {
   public:
    void Show(const Text&, std::int32_t, const Text&) override { Raise(5); }
  };
  BrokenBox broken;
  Catalogue german(UiLanguage::German);
  EXPECT_NO_THROW(ShowErrorMessage(broken, german, RuntimeError(6)));
}

// Created on first use and reused; released latest first when the run ends, not only when the holder goes; a
// failed creation raises and is tried again on the next use.
TEST(QuerySession, CreatesOnFirstUseReleasesLatestFirstAndRetriesAFailedCreation) {
  ScriptedLibrary library;
  library.FailCreate(QueryClass::SoundInfo);
  {
    QuerySession session(library);
    EXPECT_EQ(&session.Get<MemoryInfo>(), &session.Get<MemoryInfo>());
    session.Get<UserInfo>();
    EXPECT_EQ(ErrorOf([&] { session.Get<SoundInfo>(); }), 429);
    library.ClearFailures();
    session.Get<SoundInfo>();
    session.ReleaseAll();
    session.ReleaseAll();  // nothing left: no second release
    EXPECT_EQ(library.log().Matching("release "),
              (std::vector<std::string>{"release SoundInfo", "release UserInfo", "release MemoryInfo"}));
    EXPECT_EQ(library.LiveObjects(), 0);
    session.Get<MemoryInfo>();
    EXPECT_EQ(library.Creations(QueryClass::MemoryInfo), 2);
  }
  EXPECT_EQ(library.LiveObjects(), 0) << "the session releases what it holds when it ends";
}

TEST(QuerySession, NoObjectIs429AndAWrongClassIs13) {
  struct OddLibrary final : QueryLibrary {
    std::unique_ptr<QueryObject> Create(QueryClass cls) override {
      struct Stranger final : QueryObject {};
      return cls == QueryClass::UserInfo ? nullptr : std::make_unique<Stranger>();
    }
  };
  OddLibrary library;
  QuerySession session(library);
  EXPECT_EQ(ErrorOf([&] { session.Get<UserInfo>(); }), 429);
  EXPECT_EQ(ErrorOf([&] { session.Get<MemoryInfo>(); }), 13);
}

}  // namespace
}  // namespace bsi::test
