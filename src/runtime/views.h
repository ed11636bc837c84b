// SPDX-License-Identifier: MIT
// What the core needs of the widgets and system calls of a window, named after what they stand for.
// A platform implements these; tests use fakes; memory_list_view.h is an in-memory list view.
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace bsi {

/// An opaque native window handle (HWND on Windows); 0 is "no window".
using WindowHandle = std::uintptr_t;

/// The list view lvwSysInfo: rows (ListItems) with a label and one sub-item, and column headings.
/// Row indexes are 1-based; an index that names no row raises 35600 (index out of bounds).
class ListView {
 public:
  static constexpr std::int32_t kReportView = 3;

  virtual ~ListView() = default;

  virtual WindowHandle hWnd() = 0;
  virtual void SetView(std::int32_t view) = 0;

  virtual std::int32_t ItemCount() = 0;
  /// Appends a row with this label (ListItems.Add with only its text).
  virtual void AddItem(const Text& text) = 0;
  virtual void RemoveItem(std::int32_t index) = 0;
  virtual void ClearItems() = 0;
  virtual Text ItemText(std::int32_t index) = 0;
  /// SubItems(1) of a row: its value.
  virtual Text SubItem(std::int32_t index) = 0;
  virtual void SetSubItem(std::int32_t index, const Text& value) = 0;
  /// The index of SelectedItem, or 0 when no row is selected.
  virtual std::int32_t SelectedIndex() = 0;

  virtual std::int32_t ColumnCount() = 0;
  virtual void AddColumn(const Text& heading) = 0;
  virtual void ClearColumns() = 0;
};

/// The two user32 functions the list helpers call. Results are ignored by every caller.
class WindowSystem {
 public:
  static constexpr std::uint32_t kLvmSetColumnWidth = 0x101E;
  // Widths of LVM_SETCOLUMNWIDTH. LVSCW_AUTOSIZE: the column's widest text. LVSCW_AUTOSIZE_USEHEADER: the wider
  // of that and its heading, except that comctl32 stretches the last column to the list's edge instead, and may
  // cut a wider text there.
  static constexpr std::int32_t kLvscwAutosize = -1;
  static constexpr std::int32_t kLvscwAutosizeUseHeader = -2;
  /// Ours, not comctl32's, for the last column: the widest of its heading, its widest text and the rest of the
  /// list. A platform translates it into what its list control understands.
  static constexpr std::int32_t kAutosizeLastColumn = -3;

  virtual ~WindowSystem() = default;
  virtual std::int32_t LockWindowUpdate(WindowHandle window) = 0;
  virtual std::int32_t SendMessageA(WindowHandle window, std::uint32_t message, std::int32_t wparam,
                                    std::int32_t lparam) = 0;
};

/// A modal message box. Style 16 is the critical-stop icon with one OK button.
class MsgBox {
 public:
  static constexpr std::int32_t kCritical = 16;

  virtual ~MsgBox() = default;
  virtual void Show(const Text& prompt, std::int32_t style, const Text& title) = 0;
};

/// The form run time's Screen object.
class Screen {
 public:
  virtual ~Screen() = default;
  /// The number of fonts the platform offers for the screen, at most 32767.
  virtual std::int16_t FontCount() = 0;
};

/// The battery facts of the SysInfo control.
class Battery {
 public:
  static constexpr std::int16_t kHigh = 1;
  static constexpr std::int16_t kLow = 2;
  static constexpr std::int16_t kCritical = 4;
  static constexpr std::int16_t kCharging = 8;
  static constexpr std::int16_t kNoBattery = 128;
  static constexpr std::int16_t kUnknown = 255;

  virtual ~Battery() = default;
  /// 1 high, 2 low, 4 critical, 8 charging (combinable), 128 no system battery, 255 unknown.
  virtual std::int16_t BatteryStatus() = 0;
  /// 0 to 100, or 255 when the charge cannot be determined.
  virtual std::int16_t BatteryLifePercent() = 0;
};

}  // namespace bsi
