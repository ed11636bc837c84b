// SPDX-License-Identifier: MIT
// An information window over the fakes: created by the test, loaded when the test has scripted the library.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/fake_window_views.h"

namespace bsi::test {

struct OpenWindow {
  explicit OpenWindow(UiLanguage language = UiLanguage::German, Locale locale = Locale::German())
      : rig(language, locale) {}

  /// Creates the window and runs its start-up; the log then starts afresh.
  void Load() {
    form = std::make_unique<frmSysInfo>(rig.context());
    view = rig.windows.last_sysinfo;
    form->Form_Load();
    rig.log.Clear();
  }

  const std::vector<MemoryListView::Row>& Rows() { return view->list.rows().rows(); }
  /// The 1-based index of the row with this label, 0 when there is none.
  std::int32_t RowOf(const Text& label) {
    const auto& rows = Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].text == label) return static_cast<std::int32_t>(i + 1);
    }
    return 0;
  }
  /// Replaces the list's rows by these (label, value) pairs.
  void SetRows(const std::vector<std::pair<Text, Text>>& rows) {
    view->list.rows().ClearItems();
    for (const auto& [label, value] : rows) {
      view->list.rows().AddItem(label);
      if (!value.empty()) view->list.rows().SetSubItem(view->list.rows().ItemCount(), value);
    }
  }
  std::vector<std::string> Log(const std::string& prefix) { return rig.log.Matching(prefix); }

  WindowRig rig;
  std::unique_ptr<frmSysInfo> form;
  FakeSysInfoWindow* view = nullptr;
};

}  // namespace bsi::test
