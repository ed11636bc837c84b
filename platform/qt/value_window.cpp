// SPDX-License-Identifier: MIT
#include "value_window.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QWindow>

#include "value_window/value_layout.h"

namespace bsi::qt {

namespace layout = value_layout;

QtValueWindow::QtValueWindow(frmValue& form)
    : QtForm("frmValue", layout::kClientWidth, layout::kClientHeight,
             Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      form_(form),
      // The window opens over the one that is active when it is made: the information window.
      owner_(QApplication::activeWindow()) {
  ok_ = new QPushButton(QString::fromStdU16String(layout::kCmdOKCaption), this);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  ok_->setGeometry(Place(layout::kCmdOK));
  ok_->setAutoDefault(false);
  label_edit_ = new QLineEdit(this);
  label_edit_->setObjectName(QStringLiteral("txtLabel"));
  label_edit_->setGeometry(Place(layout::kTxtLabel));
  // txtLabel reads like a label: the button face behind its text.
  QPalette face = label_edit_->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  label_edit_->setPalette(face);
  value_edit_ = new QLineEdit(this);
  value_edit_->setObjectName(QStringLiteral("txtValue"));
  value_edit_->setGeometry(Place(layout::kTxtValue));
  auto* copy = new QPushButton(this);
  copy->setObjectName(QStringLiteral("cmdClipboard"));
  copy->setGeometry(Place(layout::kCmdClipboard));
  copy->setAutoDefault(false);
  copy->setIcon(
      QIcon::fromTheme(QStringLiteral("edit-copy"), style()->standardIcon(QStyle::SP_FileDialogContentsView)));
  copy->setIconSize(QSize(16, 16));
  label_ = std::make_unique<QtTextBox>(label_edit_);
  value_ = std::make_unique<QtTextBox>(value_edit_);
  clipboard_ = std::make_unique<QtCommandButton>(copy);
  connect(ok_, &QPushButton::clicked, this, [this] { form_.cmdOK_Click(); });
  connect(copy, &QPushButton::clicked, this, [this] { form_.cmdClipboard_Click(); });
}

void QtValueWindow::BeforeShow() {
  CentreOver(owner_);
  // The window manager keeps the tool window above the information window.
  if (owner_ && owner_->windowHandle() != nullptr) {
    winId();
    windowHandle()->setTransientParent(owner_->windowHandle());
  }
  // cmdOK comes first in the tab order: it holds the focus when the window opens.
  ok_->setFocus(Qt::OtherFocusReason);
}

bool QtValueWindow::FormKey(QWidget* target, const QKeyEvent& event) {
  if (event.key() == Qt::Key_Escape) {  // OK is the window's cancel button
    form_.cmdOK_Click();
    return true;
  }
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(target)) {
      button->click();
      return true;
    }
  }
  return false;
}

void QtValueWindow::WidgetEvent(QWidget* widget, QEvent* event) {
  if (event->type() != QEvent::FocusIn) return;
  if (widget == label_edit_) form_.txtLabel_GotFocus();
  if (widget == value_edit_) form_.txtValue_GotFocus();
}

}  // namespace bsi::qt
