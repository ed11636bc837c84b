// SPDX-License-Identifier: MIT
#include "list_view.h"

#include <commctrl.h>

#include <vector>

#include "runtime/error.h"
#include "unique_handle.h"
#include "wide_text.h"

namespace bsi::win32 {
namespace {

// A new column gets the list view's default width of 1440 twips.
constexpr int kDefaultColumnWidthTwips = 1440;

}  // namespace

Text ListViewCellText(HWND list, int row, int column) {
  // LVM_GETITEMTEXTW truncates silently: grow the buffer until the text fits with room to spare.
  std::vector<wchar_t> buffer(256);
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto length = static_cast<std::size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < buffer.size() || buffer.size() >= (1u << 24)) return FromWide(buffer.data(), length);
    buffer.resize(buffer.size() * 4);
  }
}

void Win32ListView::SetView(std::int32_t view) {
  if (view != kReportView) return;
  const LONG_PTR style = GetWindowLongPtrW(list_, GWL_STYLE);
  SetWindowLongPtrW(list_, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | LVS_REPORT);
}

std::int32_t Win32ListView::ItemCount() {
  return static_cast<std::int32_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

void Win32ListView::AddItem(const Text& text) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = ItemCount();
  item.pszText = const_cast<wchar_t*>(Wide(text));
  const auto row = SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  if (row < 0) Raise(err::kOutOfMemory);
  // The list always has a selected row once it holds rows: the first one.
  if (row == 0) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  }
}

int Win32ListView::CheckedRow(std::int32_t index) {
  if (index < 1 || index > ItemCount()) Raise(err::kIndexOutOfBounds);
  return index - 1;
}

void Win32ListView::RemoveItem(std::int32_t index) {
  SendMessageW(list_, LVM_DELETEITEM, static_cast<WPARAM>(CheckedRow(index)), 0);
}

void Win32ListView::ClearItems() {
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
}

Text Win32ListView::CellText(std::int32_t index, int column) {
  return ListViewCellText(list_, CheckedRow(index), column);
}

void Win32ListView::SetSubItem(std::int32_t index, const Text& value) {
  // The timer rewrites nine rows every 1.5 s; a cell that already shows the text is not repainted.
  if (CellText(index, 1) == value) return;
  LVITEMW item{};
  item.iSubItem = 1;
  item.pszText = const_cast<wchar_t*>(Wide(value));
  SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(CheckedRow(index)), reinterpret_cast<LPARAM>(&item));
}

std::int32_t Win32ListView::SelectedIndex() {
  const auto row = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  return row < 0 ? 0 : static_cast<std::int32_t>(row) + 1;
}

std::int32_t Win32ListView::ColumnCount() {
  const auto header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
  return header != nullptr ? static_cast<std::int32_t>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void Win32ListView::AddColumn(const Text& heading) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(Wide(heading));
  column.iSubItem = ColumnCount();
  WindowDc dc(list_);
  column.cx = MulDiv(kDefaultColumnWidthTwips, GetDeviceCaps(dc.get(), LOGPIXELSX), 1440);
  if (SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column.iSubItem), reinterpret_cast<LPARAM>(&column)) <
      0) {
    Raise(err::kOutOfMemory);
  }
}

void Win32ListView::ClearColumns() {
  for (std::int32_t count = ColumnCount(); count > 0; --count) SendMessageW(list_, LVM_DELETECOLUMN, 0, 0);
}

}  // namespace bsi::win32
