// SPDX-License-Identifier: MIT
// The per-run holder of query objects: created on first use, reused, all released at the end on every path.
#include <gtest/gtest.h>

#include "query/query_session.h"
#include "support/scripted_library.h"

namespace bsi::test {
namespace {

TEST(QuerySession, CreatesOnFirstUseAndReuses) {
  ScriptedLibrary library;
  {
    QuerySession session(library);
    EXPECT_EQ(library.Creations(QueryClass::NetworkInfo), 0);
    NetworkInfo& first = session.Get<NetworkInfo>();
    NetworkInfo& again = session.Get<NetworkInfo>();
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(library.Creations(QueryClass::NetworkInfo), 1);
    EXPECT_EQ(library.LiveObjects(), 1);
  }
  EXPECT_EQ(library.LiveObjects(), 0);
}

TEST(QuerySession, ReleasesLatestFirstAndCanStartAgain) {
  CallLog log;
  ScriptedLibrary library(&log);
  QuerySession session(library);
  session.Get<MemoryInfo>();
  session.Get<UserInfo>();
  session.Get<DriveInfo>();
  session.ReleaseAll();
  EXPECT_EQ(log.Matching("release "),
            (std::vector<std::string>{"release DriveInfo", "release UserInfo", "release MemoryInfo"}));
  EXPECT_EQ(library.LiveObjects(), 0);
  session.ReleaseAll();  // nothing left: no second release
  EXPECT_EQ(log.Matching("release ").size(), 3u);
  session.Get<MemoryInfo>();
  EXPECT_EQ(library.Creations(QueryClass::MemoryInfo), 2);
}

TEST(QuerySession, FailingCreationRaisesAndIsTriedAgain) {
  ScriptedLibrary library;
  QuerySession session(library);
  session.Get<UserInfo>();
  library.FailCreate(QueryClass::SoundInfo);
  try {
    session.Get<SoundInfo>();
    FAIL() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), 429);
    EXPECT_EQ(error.description(), u"ActiveX component can't create object");
  }
  library.ClearFailures();
  session.Get<SoundInfo>();
  EXPECT_EQ(library.Creations(QueryClass::SoundInfo), 1);
  EXPECT_EQ(library.log().Matching("create SoundInfo").size(), 2u);
}

TEST(QuerySession, ReleasesOnUnwinding) {
  ScriptedLibrary library;
  library.Fail("UserInfo.UserName", 5);
  try {
    QuerySession session(library);
    session.Get<MemoryInfo>();
    session.Get<UserInfo>().UserName();
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), 5);
  }
  EXPECT_EQ(library.LiveObjects(), 0);
}

// A library that answers with nothing, or with the wrong class.
class OddLibrary final : public QueryLibrary {
 public:
  std::unique_ptr<QueryObject> Create(QueryClass cls) override {
    if (cls == QueryClass::UserInfo) return nullptr;
    struct Stranger final : QueryObject {};
    return std::make_unique<Stranger>();
  }
};

TEST(QuerySession, NoObjectIs429AndAWrongClassIs13) {
  OddLibrary library;
  QuerySession session(library);
  try {
    session.Get<UserInfo>();
    FAIL();
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), 429);
  }
  try {
    session.Get<MemoryInfo>();
    FAIL();
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), 13);
  }
}

TEST(QueryLibrary, ClassNamesInSlotOrder) {
  EXPECT_EQ(QueryClassName(QueryClass::RegistryReader), "RegistryReader");
  EXPECT_EQ(QueryClassName(QueryClass::DefaultBrowserInfo), "DefaultBrowserInfo");
  EXPECT_EQ(QueryClassName(QueryClass::ProgressBarColors), "ProgressBarColors");
  EXPECT_EQ(QueryClassName(static_cast<QueryClass>(kQueryClassCount)), "?");
  EXPECT_EQ(kQueryClassCount, 18);
}

}  // namespace
}  // namespace bsi::test
