// SPDX-License-Identifier: MIT
// frmValue: one row of the information list on its own, with a copy button. Opened by a double-click on the
// list, a new window every time, shown modally and released when it closes.
#pragma once

#include <cstdint>
#include <memory>

#include "resources/strings.h"
#include "runtime/window_views.h"

namespace bsi {

/// The controls of one value window, as the platform builds them (layout in value_window/value_layout.h).
class ValueWindowView {
 public:
  virtual ~ValueWindowView() = default;
  virtual FormView& Form() = 0;
  virtual TextBox& txtLabel() = 0;
  virtual TextBox& txtValue() = 0;
  virtual CommandButton& cmdClipboard() = 0;
};

class frmValue;

class ValueWindowFactory {
 public:
  virtual ~ValueWindowFactory() = default;
  /// The native window of a new frmValue, hidden; the platform routes its events to `form`.
  virtual std::unique_ptr<ValueWindowView> CreateValueWindow(frmValue& form) = 0;
};

/// What a value window reaches outside itself.
struct ValueWindowContext {
  ValueWindowFactory& windows;
  Clipboard& clipboard;
  MsgBox& message_box;
  StringSource& strings;
};

class frmValue {
 public:
  static constexpr std::int16_t kKeyF4 = 115;

  /// Creates the native window; it is not loaded yet.
  explicit frmValue(const ValueWindowContext& context);
  frmValue(const frmValue&) = delete;
  frmValue& operator=(const frmValue&) = delete;
  ~frmValue();

  // What the opener fills in before it shows the window.
  TextBox& txtLabel() { return view_->txtLabel(); }
  TextBox& txtValue() { return view_->txtValue(); }
  void SetCaption(const Text& caption) { view_->Form().SetCaption(caption); }
  /// Shows the window modally; returns once it has been unloaded. Raises what the platform raises.
  void Show() { view_->Form().ShowModal(); }
  bool IsLoaded() const { return loaded_; }

  // Event handlers. The platform calls them; none lets an error out (the last guard reports it), and an event
  // that arrives after the window was unloaded does nothing.
  /// Loads the window: the copy button's tool tip, string 144.
  void Form_Load() noexcept;
  /// Copies what txtValue holds now, edits included; never the label.
  void cmdClipboard_Click() noexcept;
  void cmdOK_Click() noexcept;
  /// F4 unloads; the shift state is ignored and every other key does nothing. Returns true for F4, the window's
  /// own key, which the platform keeps from the focused control.
  bool Form_KeyDown(std::int16_t key_code, std::int16_t shift) noexcept;
  void txtLabel_GotFocus() noexcept;
  void txtValue_GotFocus() noexcept;
  /// The close button of the caption bar.
  void CloseBox() noexcept;

 private:
  template <class Handler>
  void Handle(Handler&& handler) noexcept;
  void Unload();

  ValueWindowContext context_;
  std::unique_ptr<ValueWindowView> view_;
  bool loaded_ = false;
};

/// The label without its last character (its trailing ":"), as the value window's label and caption show it.
/// A last character written as a surrogate pair is dropped whole, so the text never ends in half a character.
Text ValueWindowLabel(TextView label);

}  // namespace bsi
