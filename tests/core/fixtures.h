// SPDX-License-Identifier: MIT
// What the core tests share: a list build over the recording fakes, an information window over them, the error
// number a call raises, and rows as text for messages and golden files.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "info_list/load_sys_info.h"
#include "support/fakes.h"
#include "support/golden.h"

namespace bsi::test {

using Row = MemoryListView::Row;
using Rows = std::vector<Row>;

inline const Text kCurrentVersionKey = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline const Text kSystemKey = u"HARDWARE\\DESCRIPTION\\System";
inline constexpr UiLanguage kBothLanguages[] = {UiLanguage::German, UiLanguage::English};

/// The run-time error number a call raises, 0 when it raises none.
template <class Fn>
std::int32_t ErrorOf(Fn&& fn) {
  try {
    fn();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

/// What a call gives, as text (numbers in their shortest form), or "error N" for the run-time error it raises.
template <class Fn>
std::string Outcome(Fn&& fn) {
  try {
    const auto value = fn();
    char buffer[32];
    if constexpr (std::is_same_v<decltype(value), const bool>) {
      return value ? "true" : "false";
    } else if constexpr (std::is_same_v<decltype(value), const Text>) {
      return ToUtf8(value);
    } else {
      return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value)).ptr);
    }
  } catch (const RuntimeError& error) {
    return "error " + std::to_string(error.number());
  }
}

/// A text with its control characters visible.
inline std::string Shown(const Text& text) {
  std::string out;
  for (char16_t unit : text) {
    out += unit == u'\0' ? "\\0" : unit == u'\r' ? "\\r" : unit == u'\n' ? "\\n" : ToUtf8(Text(1, unit));
  }
  return out;
}

/// One line per row, "label | value".
inline std::string Dump(const Rows& rows) {
  std::string out;
  for (const Row& row : rows) out += Shown(row.text) + " | " + Shown(row.value) + "\n";
  return out;
}

/// One list build: the recording list view and the rig's fakes, with every LoadResString in the log.
struct ListFixture : WindowRig {
  explicit ListFixture(UiLanguage language = UiLanguage::German) : WindowRig(language, true) {}
  InfoListContext context() {
    return InfoListContext{list, window_system, message_box, screen, battery, strings, locale, library};
  }
  void Run() { LoadSysInfo(context()); }
  const Rows& rows() { return list.rows().rows(); }
  /// The 1-based position of the first row with this label, 0 when there is none.
  int Position(const Text& label) {
    const auto found = std::find_if(rows().begin(), rows().end(), [&](const Row& row) { return row.text == label; });
    return found == rows().end() ? 0 : static_cast<int>(found - rows().begin()) + 1;
  }
  /// The value of the first row with this label.
  Text Value(const Text& label) {
    const int position = Position(label);
    return position == 0 ? u"<no row " + label + u">" : rows()[static_cast<std::size_t>(position - 1)].value;
  }

  RecordingListView list{log};
  FakeBattery battery;
};

/// An information window, created and loaded when the test has scripted the library; the log then starts afresh.
struct OpenWindow : WindowRig {
  using WindowRig::WindowRig;
  void Load() {
    form = std::make_unique<frmSysInfo>(context());
    view = windows.last_sysinfo;
    form->Form_Load();
    log.Clear();
  }
  const Rows& rows() { return view->list.rows().rows(); }
  /// Replaces the list's rows by these (label, value) pairs.
  void SetRows(const std::vector<std::pair<Text, Text>>& rows) {
    view->list.rows().ClearItems();
    for (const auto& [label, value] : rows) {
      view->list.rows().AddItem(label);
      if (!value.empty()) view->list.rows().SetSubItem(view->list.rows().ItemCount(), value);
    }
  }
  std::vector<std::string> Log(const std::string& prefix) { return log.Matching(prefix); }

  std::unique_ptr<frmSysInfo> form;
  FakeSysInfoWindow* view = nullptr;
};

}  // namespace bsi::test
