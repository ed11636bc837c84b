// SPDX-License-Identifier: MIT
#include "widgets.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <climits>
#include <cmath>

#include "runtime/error.h"
#include "widget_handles.h"

namespace bsi::qt {

std::int16_t VirtualKey(const QKeyEvent& event) {
  const int key = event.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return static_cast<std::int16_t>(key);  // Qt's codes of these are their ASCII capitals and digits
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    case Qt::Key_Menu:
      return 93;
    default:
      return 0;
  }
}

std::int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
  std::int16_t shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= 1;
  if (modifiers & Qt::ControlModifier) shift |= 2;
  if (modifiers & Qt::AltModifier) shift |= 4;
  return shift;
}

QtListView::QtListView(QTreeWidget* tree, int default_column_width)
    : tree_(tree), handle_(RegisterWidget(tree)), default_column_width_(default_column_width) {
  tree_->setColumnCount(0);
}

std::int32_t QtListView::ItemCount() {
  return tree_->topLevelItemCount();
}

void QtListView::AddItem(const Text& text) {
  auto* item = new QTreeWidgetItem(tree_);
  item->setText(0, ToQString(text));
  // The list always has a selected row once it holds rows: the first one.
  if (tree_->topLevelItemCount() == 1) tree_->setCurrentItem(item);
}

QTreeWidgetItem* QtListView::Row(std::int32_t index) {
  if (index < 1 || index > tree_->topLevelItemCount()) Raise(err::kIndexOutOfBounds);
  return tree_->topLevelItem(index - 1);
}

void QtListView::RemoveItem(std::int32_t index) {
  Row(index);
  delete tree_->takeTopLevelItem(index - 1);
}

void QtListView::ClearItems() {
  tree_->clear();
}

void QtListView::SetSubItem(std::int32_t index, const Text& value) {
  // The timer rewrites nine rows every 1.5 s; a cell that already shows the text is not repainted.
  QTreeWidgetItem* row = Row(index);
  const QString text = ToQString(value);
  if (row->text(1) != text) row->setText(1, text);
}

std::int32_t QtListView::SelectedIndex() {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  return selected.isEmpty() ? 0 : tree_->indexOfTopLevelItem(selected.first()) + 1;
}

void QtListView::AddColumn(const Text& heading) {
  headings_.push_back(ToQString(heading));
  const int column = static_cast<int>(headings_.size()) - 1;
  tree_->setColumnCount(column + 1);
  tree_->headerItem()->setText(column, headings_.back());
  tree_->setColumnWidth(column, default_column_width_);
}

void QtListView::ClearColumns() {
  headings_.clear();
  tree_->setColumnCount(0);
}

void QtLabel::SetCaption(const Text& caption) {
  // The timer writes the same captions every 1.5 s; an unchanged text needs no measuring or repainting.
  if (caption == caption_ && !caption_.empty()) return;
  caption_ = caption;
  const QString text = ToQString(caption);
  if (max_width_ <= 0) {
    label_->setText(text);
    return;
  }
  const QFontMetrics metrics(label_->font());
  // One pixel of slack so that the last glyph is never clipped.
  const int wanted = metrics.horizontalAdvance(text) + 1;
  const bool fits = wanted <= max_width_;
  label_->resize(fits ? wanted : max_width_, label_->height());
  label_->setText(fits ? text : metrics.elidedText(text, Qt::ElideRight, max_width_));
  label_->setToolTip(fits ? QString() : text);
}

QtTextBox::QtTextBox(QLineEdit* edit) : edit_(edit) {
  // As large as the box allows; the copy-all text and long values do not depend on it.
  edit_->setMaxLength(INT_MAX);
}

QtGauge::QtGauge(QProgressBar* bar) : bar_(bar), handle_(RegisterWidget(bar)) {
  bar_->setRange(0, kScale);
  bar_->setValue(0);
  bar_->setTextVisible(false);
}

void QtGauge::ShowFill(double fraction) {
  const double clamped = fraction < 0 || std::isnan(fraction) ? 0 : (fraction > 1 ? 1 : fraction);
  bar_->setValue(static_cast<int>(std::lround(clamped * kScale)));
}

}  // namespace bsi::qt
