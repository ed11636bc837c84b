// SPDX-License-Identifier: MIT
// lvwSysInfo on a comctl32 list view in report view.
#pragma once

#include <windows.h>
#undef MessageBox  // the core has an interface of that name

#include "runtime/views.h"

namespace bsi::win32 {

class Win32ListView final : public ListView {
 public:
  /// Wraps an existing list view control; does not own it.
  explicit Win32ListView(HWND list) : list_(list) {}

  WindowHandle hWnd() override { return reinterpret_cast<WindowHandle>(list_); }
  void SetView(std::int32_t view) override;
  std::int32_t ItemCount() override;
  void AddItem(const Text& text) override;
  void RemoveItem(std::int32_t index) override;
  void ClearItems() override;
  Text ItemText(std::int32_t index) override { return CellText(index, 0); }
  Text SubItem(std::int32_t index) override { return CellText(index, 1); }
  void SetSubItem(std::int32_t index, const Text& value) override;
  std::int32_t SelectedIndex() override;
  std::int32_t ColumnCount() override;
  void AddColumn(const Text& heading) override;
  void ClearColumns() override;

 private:
  int CheckedRow(std::int32_t index);
  Text CellText(std::int32_t index, int column);

  HWND list_;
};

/// The text of one cell of any list view (also for tests that read a list of another thread).
Text ListViewCellText(HWND list, int row, int column);

}  // namespace bsi::win32
