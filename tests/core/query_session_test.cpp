// SPDX-License-Identifier: MIT
// The per-run holder of query objects: created on first use, reused, all released at the end on every path.
#include <gtest/gtest.h>

#include "core/fixtures.h"
#include "query/query_session.h"

namespace bsi::test {
namespace {

TEST(QuerySession, CreatesOnFirstUseReusesAndReleasesLatestFirst) {
  CallLog log;
  ScriptedLibrary library(&log);
  {
    QuerySession session(library);
    EXPECT_EQ(&session.Get<MemoryInfo>(), &session.Get<MemoryInfo>());
    session.Get<UserInfo>();
    session.Get<DriveInfo>();
    session.ReleaseAll();
    session.ReleaseAll();  // nothing left: no second release
    EXPECT_EQ(log.Matching("release "),
              (std::vector<std::string>{"release DriveInfo", "release UserInfo", "release MemoryInfo"}));
    EXPECT_EQ(library.LiveObjects(), 0);
    session.Get<MemoryInfo>();
    EXPECT_EQ(library.Creations(QueryClass::MemoryInfo), 2);
  }
  EXPECT_EQ(library.LiveObjects(), 0) << "the session releases what it holds when it ends";
}

TEST(QuerySession, FailingCreationRaisesIsTriedAgainAndUnwindingReleases) {
  ScriptedLibrary library;
  library.FailCreate(QueryClass::SoundInfo);
  library.Fail("UserInfo.UserName", 5);
  {
    QuerySession session(library);
    session.Get<MemoryInfo>();
    EXPECT_EQ(ErrorOf([&] { session.Get<SoundInfo>(); }), 429);
    EXPECT_EQ(ErrorOf([&] { session.Get<UserInfo>().UserName(); }), 5);
    library.ClearFailures();
    session.Get<SoundInfo>();
    EXPECT_EQ(library.Creations(QueryClass::SoundInfo), 1);
    EXPECT_EQ(library.log().Matching("create SoundInfo").size(), 2u);
  }
  EXPECT_EQ(library.LiveObjects(), 0);
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
  EXPECT_EQ(QueryClassName(QueryClass::DefaultBrowserInfo), "DefaultBrowserInfo");
  EXPECT_EQ(QueryClassName(static_cast<QueryClass>(kQueryClassCount)), "?");
}

}  // namespace
}  // namespace bsi::test
