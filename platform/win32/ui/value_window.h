// SPDX-License-Identifier: MIT
// frmValue's native window: a fixed tool window with the row's label and value, a copy button and OK.
#pragma once

#include <memory>

#include "form_window.h"
#include "value_window/frm_value.h"
#include "widgets.h"

namespace bsi::win32 {

class Win32ValueWindow final : public FormWindow, public ValueWindowView {
 public:
  explicit Win32ValueWindow(frmValue& form);

  FormView& Form() override { return *this; }
  TextBox& txtLabel() override { return *label_; }
  TextBox& txtValue() override { return *value_; }
  CommandButton& cmdClipboard() override { return *clipboard_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool PreviewKey(WPARAM key, bool system_key) override;
  void OnQuitWhileShown() override { form_.CloseBox(); }
  void BeforeShow() override;

 private:
  frmValue& form_;
  HWND ok_ = nullptr;
  HWND owner_ = nullptr;
  std::unique_ptr<ToolTips> tips_;
  std::unique_ptr<Win32TextBox> label_;
  std::unique_ptr<Win32TextBox> value_;
  std::unique_ptr<Win32CommandButton> clipboard_;
  UniqueGdiObject picture_;
  UniqueGdiObject label_brush_;
};

}  // namespace bsi::win32
