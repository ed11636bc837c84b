// SPDX-License-Identifier: MIT
// A list view held in memory: for tests, benchmarks and a headless front end.
#pragma once

#include <vector>

#include "runtime/views.h"

namespace bsi {

class MemoryListView final : public ListView {
 public:
  struct Row {
    Text text;
    Text value;
    friend bool operator==(const Row&, const Row&) = default;
  };

  explicit MemoryListView(WindowHandle handle = 0x1000) : handle_(handle) {}

  WindowHandle hWnd() override { return handle_; }
  void SetView(std::int32_t view) override { view_ = view; }
  std::int32_t ItemCount() override { return static_cast<std::int32_t>(rows_.size()); }
  void AddItem(const Text& text) override;
  void RemoveItem(std::int32_t index) override;
  void ClearItems() override;
  Text ItemText(std::int32_t index) override { return At(index).text; }
  Text SubItem(std::int32_t index) override { return At(index).value; }
  void SetSubItem(std::int32_t index, const Text& value) override { At(index).value = value; }
  std::int32_t SelectedIndex() override { return selected_; }
  std::int32_t ColumnCount() override { return static_cast<std::int32_t>(columns_.size()); }
  void AddColumn(const Text& heading) override { columns_.push_back(heading); }
  void ClearColumns() override { columns_.clear(); }

  /// Selects a row (0 for none); raises 35600 for an index that names no row.
  void Select(std::int32_t index);

  const std::vector<Row>& rows() const { return rows_; }
  const std::vector<Text>& columns() const { return columns_; }
  std::int32_t view() const { return view_; }

 private:
  Row& At(std::int32_t index);

  WindowHandle handle_;
  std::int32_t view_ = 0;
  std::int32_t selected_ = 0;
  std::vector<Row> rows_;
  std::vector<Text> columns_;
};

}  // namespace bsi
