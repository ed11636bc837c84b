// SPDX-License-Identifier: MIT
// frmValue's Qt window: one row with a copy button, its events routed to the form's handlers.
#pragma once

#include <memory>

#include "form_window.h"
#include "value_window/frm_value.h"
#include "widgets.h"

namespace bsi::qt {

class QtValueWindow final : public QtForm, public ValueWindowView {
 public:
  explicit QtValueWindow(frmValue& form);

  FormView& Form() override { return *this; }
  TextBox& txtLabel() override { return *label_; }
  TextBox& txtValue() override { return *value_; }
  CommandButton& cmdClipboard() override { return *clipboard_; }

 protected:
  bool PreviewKey(std::int16_t key, std::int16_t shift) override { return form_.Form_KeyDown(key, shift); }
  bool FormKey(QWidget* target, const QKeyEvent& event) override;
  void CloseBox() override { form_.CloseBox(); }
  void BeforeShow() override;
  void WidgetEvent(QWidget* widget, QEvent* event) override;

 private:
  frmValue& form_;
  QPointer<QWidget> owner_;
  QPushButton* ok_ = nullptr;
  QLineEdit* label_edit_ = nullptr;
  QLineEdit* value_edit_ = nullptr;
  std::unique_ptr<QtTextBox> label_;
  std::unique_ptr<QtTextBox> value_;
  std::unique_ptr<QtCommandButton> clipboard_;
};

}  // namespace bsi::qt
