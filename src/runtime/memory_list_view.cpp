// SPDX-License-Identifier: MIT
#include "runtime/memory_list_view.h"

#include "runtime/error.h"

namespace bsi {

void MemoryListView::AddItem(const Text& text) {
  rows_.push_back(Row{text, {}});
  // A list view selects its first row once it holds rows.
  if (selected_ == 0) selected_ = 1;
}

void MemoryListView::RemoveItem(std::int32_t index) {
  At(index);
  rows_.erase(rows_.begin() + (index - 1));
  if (selected_ > ItemCount()) selected_ = ItemCount();
}

void MemoryListView::ClearItems() {
  rows_.clear();
  selected_ = 0;
}

void MemoryListView::Select(std::int32_t index) {
  if (index != 0) At(index);
  selected_ = index;
}

MemoryListView::Row& MemoryListView::At(std::int32_t index) {
  if (index < 1 || index > ItemCount()) Raise(err::kIndexOutOfBounds);
  return rows_[static_cast<std::size_t>(index - 1)];
}

}  // namespace bsi
