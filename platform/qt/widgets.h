// SPDX-License-Identifier: MIT
// The intrinsic controls of the forms over Qt widgets: list view, label, text box, command button, gauge, menu.
#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QString>
#include <QTreeWidget>
#include <vector>

#include "runtime/views.h"
#include "runtime/window_views.h"

namespace bsi::qt {

inline QString ToQString(const Text& text) {
  return QString::fromStdU16String(text);
}
inline Text FromQString(const QString& text) {
  return text.toStdU16String();
}

/// The virtual-key code that the form handlers take for a Qt key (letters and digits as themselves, F1 = 112,
/// Enter 13, Esc 27 ...); 0 for a key without one.
std::int16_t VirtualKey(const QKeyEvent& event);
/// The shift state of an event as the handlers take it: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftState(Qt::KeyboardModifiers modifiers);

/// lvwSysInfo over a QTreeWidget in report form: rows of a label and one value, 1-based as the core counts.
class QtListView final : public ListView {
 public:
  /// `default_column_width`: pixels of a new column (1440 twips).
  QtListView(QTreeWidget* tree, int default_column_width);

  WindowHandle hWnd() override { return handle_; }
  void SetView(std::int32_t) override {}  // always the report view
  std::int32_t ItemCount() override;
  void AddItem(const Text& text) override;
  void RemoveItem(std::int32_t index) override;
  void ClearItems() override;
  Text ItemText(std::int32_t index) override { return FromQString(Row(index)->text(0)); }
  Text SubItem(std::int32_t index) override { return FromQString(Row(index)->text(1)); }
  void SetSubItem(std::int32_t index, const Text& value) override;
  std::int32_t SelectedIndex() override;
  std::int32_t ColumnCount() override { return static_cast<std::int32_t>(headings_.size()); }
  void AddColumn(const Text& heading) override;
  void ClearColumns() override;

 private:
  /// The row of a 1-based index; 35600 for an index that names no row.
  QTreeWidgetItem* Row(std::int32_t index);

  QTreeWidget* tree_;
  WindowHandle handle_;
  int default_column_width_;
  std::vector<QString> headings_;
};

/// A label. With auto-size on it takes the width of its text, up to `max_width` pixels; a longer text is kept
/// whole (Caption returns it all), drawn ending in an ellipsis, with the whole text as its tool tip.
class QtLabel final : public Label {
 public:
  QtLabel(QLabel* label, int max_width) : label_(label), max_width_(max_width) {}
  Text Caption() override { return caption_; }
  void SetCaption(const Text& caption) override;

 private:
  QLabel* label_;
  int max_width_;
  Text caption_;
};

class QtTextBox final : public TextBox {
 public:
  explicit QtTextBox(QLineEdit* edit);
  Text GetText() override { return FromQString(edit_->text()); }
  void SetText(const Text& text) override { edit_->setText(ToQString(text)); }
  void Select(std::int32_t start, std::int32_t length) override { edit_->setSelection(start, length); }

 private:
  QLineEdit* edit_;
};

class QtCommandButton final : public CommandButton {
 public:
  explicit QtCommandButton(QPushButton* button) : button_(button) {}
  void SetToolTipText(const Text& text) override { button_->setToolTip(ToQString(text)); }

 private:
  QPushButton* button_;
};

/// A QProgressBar driven over a fixed 0 to 10000 scale: memory totals pass the bar's int range, so the core's
/// ProgressBar keeps the real figures and this only shows the fill.
class QtGauge final : public GaugeView {
 public:
  static constexpr int kScale = 10000;
  explicit QtGauge(QProgressBar* bar);
  WindowHandle hWnd() override { return handle_; }
  void ShowFill(double fraction) override;

 private:
  QProgressBar* bar_;
  WindowHandle handle_;
};

/// One item of the popup menu; its shortcut is shown, not bound (the form's key handler owns the keys).
class QtMenuItem final : public Menu {
 public:
  explicit QtMenuItem(QAction* action) : action_(action) {}
  void SetCaption(const Text& caption) override { action_->setText(ToQString(caption)); }
  QAction* action() const { return action_; }

 private:
  QAction* action_;
};

/// The popup menu mnuFile; its own caption is never shown.
class QtPopupMenu final : public Menu {
 public:
  explicit QtPopupMenu(QMenu* menu) : menu_(menu) {}
  void SetCaption(const Text& caption) override { menu_->setTitle(ToQString(caption)); }
  QMenu* menu() const { return menu_; }

 private:
  QMenu* menu_;
};

}  // namespace bsi::qt
