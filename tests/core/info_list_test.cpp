// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "info_list/load_sys_info.h"
#include "support/fake_views.h"
#include "support/scripted_library.h"

namespace bsi::test {
namespace {

struct ListFixture {
  explicit ListFixture(UiLanguage language = UiLanguage::German) : strings(language) {}
  CallLog log;
  ScriptedLibrary library{&log};
  RecordingListView list{log};
  RecordingWindowSystem window_system{log};
  RecordingMessageBox message_box{log};
  FakeScreen screen;
  FakeBattery battery;
  Catalogue strings;
  Locale locale = Locale::German();
  InfoListContext context() {
    return InfoListContext{list, window_system, message_box, screen, battery, strings, locale, library};
  }
};

TEST(LoadSysInfo, BuildsTheCompleteListWithoutMessage) {
  ListFixture f;
  LoadSysInfo(f.context());
  EXPECT_TRUE(f.message_box.shown.empty());
  EXPECT_EQ(f.list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
  EXPECT_EQ(f.list.rows().rows().front().text, u"Betriebssystem:");
  EXPECT_EQ(f.library.LiveObjects(), 0);
}

}  // namespace
}  // namespace bsi::test
