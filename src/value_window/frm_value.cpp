// SPDX-License-Identifier: MIT
#include "value_window/frm_value.h"

#include "forms/last_guard.h"
#include "runtime/error.h"

namespace bsi {
namespace {

// Select the whole text, as a box does on every focus arrival.
void SelectAll(TextBox& box) {
  const Text text = box.GetText();
  box.Select(0, static_cast<std::int32_t>(text.size()));
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

frmValue::frmValue(const ValueWindowContext& context) : context_(context) {
  view_ = context_.windows.CreateValueWindow(*this);
  if (!view_) Raise(err::kCannotCreateObject);
}

frmValue::~frmValue() = default;

template <class Handler>
void frmValue::Handle(Handler&& handler) noexcept {
  if (!loaded_) return;
  RunGuarded(context_.message_box, context_.strings, handler);
}

void frmValue::Form_Load() noexcept {
  loaded_ = true;
  RunGuarded(context_.message_box, context_.strings,
             [&] { view_->cmdClipboard().SetToolTipText(context_.strings.LoadResString(str::kCopyToClipboard)); });
}

void frmValue::cmdClipboard_Click() noexcept {
  Handle([&] {
    context_.clipboard.Clear();
    context_.clipboard.SetText(view_->txtValue().GetText());
  });
}

void frmValue::cmdOK_Click() noexcept {
  Handle([&] { Unload(); });
}

bool frmValue::Form_KeyDown(std::int16_t key_code, std::int16_t /*shift*/) noexcept {
  Handle([&] {
    if (key_code == kKeyF4) Unload();
  });
  return key_code == kKeyF4;
}

void frmValue::txtLabel_GotFocus() noexcept {
  Handle([&] { SelectAll(view_->txtLabel()); });
}

void frmValue::txtValue_GotFocus() noexcept {
  Handle([&] { SelectAll(view_->txtValue()); });
}

void frmValue::CloseBox() noexcept {
  Handle([&] { Unload(); });
}

void frmValue::Unload() {
  loaded_ = false;
  view_->Form().Unload();
}

Text ValueWindowLabel(TextView label) {
  if (label.empty()) return {};
  std::size_t keep = label.size() - 1;
  if (keep > 0 && IsLowSurrogate(label[keep]) && IsHighSurrogate(label[keep - 1])) --keep;
  return Text(label.substr(0, keep));
}

}  // namespace bsi
