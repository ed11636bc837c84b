// SPDX-License-Identifier: MIT
// The window of one list build: recording views, a scripted library, and helpers to read the result.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "info_list/load_sys_info.h"
#include "support/fake_views.h"
#include "support/recording_strings.h"
#include "support/scripted_library.h"

namespace bsi::test {

using Row = MemoryListView::Row;
using Rows = std::vector<Row>;

inline const Text kCurrentVersionKey = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline const Text kSystemKey = u"HARDWARE\\DESCRIPTION\\System";

struct ListFixture {
  explicit ListFixture(UiLanguage language = UiLanguage::German)
      : strings(log, language), locale(language == UiLanguage::German ? Locale::German() : Locale::English()) {}

  CallLog log;
  ScriptedLibrary library{&log};
  RecordingListView list{log};
  RecordingWindowSystem window_system{log};
  RecordingMessageBox message_box{log};
  FakeScreen screen;
  FakeBattery battery;
  RecordingStrings strings;
  Locale locale;

  InfoListContext context() {
    return InfoListContext{list, window_system, message_box, screen, battery, strings, locale, library};
  }
  void Run() { LoadSysInfo(context()); }

  const Rows& rows() { return list.rows().rows(); }
  /// The 1-based position of the first row with this label, 0 when there is none.
  int Position(const Text& label) {
    for (std::size_t i = 0; i < rows().size(); ++i) {
      if (rows()[i].text == label) return static_cast<int>(i) + 1;
    }
    return 0;
  }
  /// The value of the first row with this label; fails the test when there is none.
  Text Value(const Text& label) {
    const int position = Position(label);
    EXPECT_NE(position, 0) << "no row " << ToUtf8(label);
    return position == 0 ? Text(u"<no row>") : rows()[static_cast<std::size_t>(position - 1)].value;
  }
  /// The log entries that are library calls, creations and releases (no view or string traffic).
  std::vector<std::string> LibraryCalls() {
    std::vector<std::string> out;
    for (const auto& entry : log.entries()) {
      if (entry.find('.') != std::string::npos && entry.rfind("Add(", 0) != 0 && entry.rfind("SubItems(", 0) != 0) {
        out.push_back(entry);
      } else if (entry.rfind("create ", 0) == 0 || entry.rfind("release ", 0) == 0) {
        out.push_back(entry);
      }
    }
    return out;
  }
};

/// Prints a text with its control characters visible, for failure messages.
inline std::string Shown(const Text& text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit == u'\0') {
      out += "\\0";
    } else if (unit == u'\r') {
      out += "\\r";
    } else if (unit == u'\n') {
      out += "\\n";
    } else {
      out += ToUtf8(Text(1, unit));
    }
  }
  return out;
}

/// Compares two row lists as a whole and prints both when they differ.
inline ::testing::AssertionResult SameRows(const Rows& expected, const Rows& got) {
  if (expected == got) return ::testing::AssertionSuccess();
  auto result = ::testing::AssertionFailure();
  const std::size_t n = std::max(expected.size(), got.size());
  for (std::size_t i = 0; i < n; ++i) {
    const std::string want = i < expected.size() ? Shown(expected[i].text) + " | " + Shown(expected[i].value) : "-";
    const std::string have = i < got.size() ? Shown(got[i].text) + " | " + Shown(got[i].value) : "-";
    result << (want == have ? "  " : "X ") << (i + 1) << ": expected [" << want << "] got [" << have << "]\n";
  }
  return result;
}

}  // namespace bsi::test
