// SPDX-License-Identifier: MIT
// The widgets and run-time services that the windows' event handlers reach, beyond the list view.
// A platform supplies them (and a message loop and a timer) and routes its events to the handlers;
// every decision about texts, numbers and failures stays with the handlers.
#pragma once

#include <cstdint>

#include "runtime/text.h"
#include "runtime/views.h"

namespace bsi {

/// A label: one line of text.
class Label {
 public:
  virtual ~Label() = default;
  virtual Text Caption() = 0;
  virtual void SetCaption(const Text& caption) = 0;
};

/// A menu or menu item (mnuFile and its items).
class Menu {
 public:
  virtual ~Menu() = default;
  virtual void SetCaption(const Text& caption) = 0;
};

/// A single-line text box.
class TextBox {
 public:
  virtual ~TextBox() = default;
  /// What the box holds now, edits included. A native box may hold less than it was given (its length limit).
  virtual Text GetText() = 0;
  virtual void SetText(const Text& text) = 0;
  /// SelStart and SelLength, in UTF-16 units.
  virtual void Select(std::int32_t start, std::int32_t length) = 0;
};

/// A command button; only its tool tip is ever set at run time.
class CommandButton {
 public:
  virtual ~CommandButton() = default;
  virtual void SetToolTipText(const Text& text) = 0;
};

/// The native bar behind a ProgressBar (see runtime/progress_bar.h), which keeps Min, Max and Value.
class GaugeView {
 public:
  virtual ~GaugeView() = default;
  /// The native control that ProgressBarColors.SetColors draws on.
  virtual WindowHandle hWnd() = 0;
  /// Shows the bar filled to `fraction`: 0 empty, 1 full, never outside 0..1.
  virtual void ShowFill(double fraction) = 0;
};

/// The native side of a form.
class FormView {
 public:
  /// PopupMenu flag: the items can be chosen with the right mouse button as well as the left.
  static constexpr std::int32_t kPopupMenuRightButton = 2;

  virtual ~FormView() = default;
  virtual WindowHandle hWnd() = 0;
  virtual void SetCaption(const Text& caption) = 0;
  /// Shows the window modally with no owner (modal flag 1) and runs its message loop; returns once the window
  /// has been unloaded. Events arriving meanwhile go to the form's handlers.
  virtual void ShowModal() = 0;
  /// Hides the window and ends its modal display; its timers stop. The widgets stay valid until the view is
  /// destroyed, so a handler still on the stack can finish without touching freed controls.
  virtual void Unload() = 0;
  /// Pops `menu` up as a context menu at the mouse position, its left top corner there, with no default item;
  /// returns when it closed. `flags` is 0 or kPopupMenuRightButton.
  virtual void PopupMenu(Menu& menu, std::int32_t flags) = 0;
};

/// The clipboard, as plain text.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void Clear() = 0;
  /// Puts `text` on the clipboard in the default text format.
  virtual void SetText(const Text& text) = 0;
};

/// The shell's object-properties call (shell32 ordinal 178). A platform without it shows what it has.
class Shell {
 public:
  static constexpr std::int32_t kShopFilePath = 2;

  virtual ~Shell() = default;
  /// The result is ignored by every caller.
  virtual std::int32_t SHObjectProperties(WindowHandle window, std::int32_t object_type, const Text& object_name,
                                          const Text& page_name) = 0;
};

/// The message loop of the user-interface thread.
class MessageLoop {
 public:
  virtual ~MessageLoop() = default;
  /// Lets every pending message run (DoEvents); handlers, and nested modal windows, may run inside.
  virtual void DoEvents() = 0;
};

}  // namespace bsi
