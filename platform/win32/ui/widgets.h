// SPDX-License-Identifier: MIT
// The intrinsic controls of the forms on Win32: label, text box, command button, gauge, menu item.
#pragma once

#include <windows.h>

#include "runtime/window_views.h"
#include "unique_handle.h"

namespace bsi::win32 {

/// A tool-tip control that serves every control of one form.
class ToolTips {
 public:
  explicit ToolTips(HWND form);
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;
  /// Shows `text` over `control`; an empty text removes the tip.
  void Set(HWND control, const Text& text);

 private:
  HWND form_;
  UniqueHwnd tips_;
};

/// A static text. With auto-size on it takes the width of its text, up to `max_width` pixels; a longer text
/// is kept whole (Caption returns it all), drawn ending in an ellipsis, with the whole text as its tool tip.
class Win32Label final : public Label {
 public:
  Win32Label(HWND label, ToolTips* tips, bool auto_size, int max_width)
      : label_(label), tips_(tips), auto_size_(auto_size), max_width_(max_width) {}
  Text Caption() override { return caption_; }
  void SetCaption(const Text& caption) override;
  HWND hwnd() const { return label_; }

 private:
  HWND label_;
  ToolTips* tips_;
  bool auto_size_;
  int max_width_;
  Text caption_;
};

/// A single-line edit control.
class Win32TextBox final : public TextBox {
 public:
  explicit Win32TextBox(HWND edit) : edit_(edit) {}
  Text GetText() override;
  void SetText(const Text& text) override;
  void Select(std::int32_t start, std::int32_t length) override;
  HWND hwnd() const { return edit_; }

 private:
  HWND edit_;
};

class Win32CommandButton final : public CommandButton {
 public:
  Win32CommandButton(HWND button, ToolTips& tips) : button_(button), tips_(tips) {}
  void SetToolTipText(const Text& text) override { tips_.Set(button_, text); }
  HWND hwnd() const { return button_; }

 private:
  HWND button_;
  ToolTips& tips_;
};

/// A msctls_progress32 bar driven over a fixed 0 to 10000 scale: memory totals pass the native control's
/// 32-bit range, so the ProgressBar model keeps the real figures and this only shows the fill.
class Win32Gauge final : public GaugeView {
 public:
  static constexpr int kScale = 10000;
  explicit Win32Gauge(HWND bar);
  WindowHandle hWnd() override { return reinterpret_cast<WindowHandle>(bar_); }
  void ShowFill(double fraction) override;

 private:
  HWND bar_;
};

/// One item of a popup menu. `shortcut` is shown right-aligned after the caption (e.g. "Ctrl+C").
class Win32MenuItem final : public Menu {
 public:
  Win32MenuItem(HMENU menu, UINT id, Text shortcut) : menu_(menu), id_(id), shortcut_(std::move(shortcut)) {}
  void SetCaption(const Text& caption) override;

 private:
  HMENU menu_;
  UINT id_;
  Text shortcut_;
};

/// A popup menu (mnuFile) whose items are chosen by command id.
class Win32PopupMenu final : public Menu {
 public:
  explicit Win32PopupMenu(HMENU menu) : menu_(menu) {}
  void SetCaption(const Text&) override {}  // never shown as a menu bar
  HMENU handle() const { return menu_; }

 private:
  HMENU menu_;
};

/// The localized name of Ctrl+<letter> as menus show it ("Ctrl+C", "Strg+C").
Text ControlShortcutName(wchar_t letter);

/// The width in pixels of `text` in the control's font.
int TextWidth(HWND control, const Text& text);

}  // namespace bsi::win32
