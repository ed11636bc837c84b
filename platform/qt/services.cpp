// SPDX-License-Identifier: MIT
#include "services.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTreeWidget>
#include <algorithm>

#include "widget_handles.h"
#include "widgets.h"

namespace bsi::qt {
namespace {

QMessageBox::Icon IconOfStyle(std::int32_t style) {
  switch (style & 0x70) {
    case 16:
      return QMessageBox::Critical;
    case 32:
      return QMessageBox::Question;
    case 48:
      return QMessageBox::Warning;
    case 64:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// The pixels the rest of the list leaves to `column`: the viewport's width less the other columns.
int RestOfList(const QTreeWidget& tree, int column) {
  int others = 0;
  for (int i = 0; i < tree.columnCount(); ++i) {
    if (i != column) others += tree.columnWidth(i);
  }
  return tree.viewport()->width() - others;
}

// The widest text of `column` (QTreeView's own hint, public through its base).
int ContentWidth(const QTreeWidget& tree, int column) {
  return static_cast<const QAbstractItemView&>(tree).sizeHintForColumn(column);
}

// A desktop file of the XDG data folders (the GNOME control centre names its panels so).
bool HasDesktopFile(const QString& name) {
  return !QStandardPaths::locate(QStandardPaths::ApplicationsLocation, name).isEmpty();
}

}  // namespace

void QtMsgBox::Show(const Text& prompt, std::int32_t style, const Text& title) {
  QMessageBox box(IconOfStyle(style), ToQString(title), ToQString(prompt), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("MsgBox"));
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

QtWindowSystem::~QtWindowSystem() {
  if (locked_) locked_->setUpdatesEnabled(true);
}

std::int32_t QtWindowSystem::LockWindowUpdate(WindowHandle window) {
  if (window == 0) {
    if (locked_) locked_->setUpdatesEnabled(true);
    locked_ = nullptr;
    return 1;
  }
  QWidget* widget = WidgetFromHandle(window);
  // As on Windows, one window at a time: a second lock fails until the first one ends.
  if (widget == nullptr || (locked_ && locked_ != widget)) return 0;
  locked_ = widget;
  widget->setUpdatesEnabled(false);
  return 1;
}

std::int32_t QtWindowSystem::SendMessageA(WindowHandle window, std::uint32_t message, std::int32_t wparam,
                                          std::int32_t lparam) {
  auto* tree = WidgetFromHandle<QTreeWidget>(window);
  if (tree == nullptr || message != kLvmSetColumnWidth || wparam < 0 || wparam >= tree->columnCount()) return 0;
  const int column = wparam;
  const bool last = column == tree->columnCount() - 1;
  int width = lparam;
  switch (lparam) {
    case kLvscwAutosize:
      width = ContentWidth(*tree, column);
      break;
    case kLvscwAutosizeUseHeader:
      width = last ? RestOfList(*tree, column)
                   : std::max(ContentWidth(*tree, column), tree->header()->sectionSizeHint(column));
      break;
    case kAutosizeLastColumn:
      width =
          std::max({ContentWidth(*tree, column), tree->header()->sectionSizeHint(column), RestOfList(*tree, column)});
      break;
    default:
      if (lparam < 0) return 0;
  }
  tree->setColumnWidth(column, std::max(width, 0));
  return 1;
}

std::int16_t QtScreen::FontCount() {
  const auto count = QFontDatabase::families().size();
  return static_cast<std::int16_t>(std::min<qsizetype>(count, 32767));
}

void QtClipboard::Clear() {
  QGuiApplication::clipboard()->clear();
}

void QtClipboard::SetText(const Text& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

QString GnomeInfoPanel() {
  // The control centre's panel of the system's facts, by the desktop file each release installs for it: "system"
  // (GNOME 46), "about" (44, 45), "info-overview" (3.26 to 43), "info" before.
  static const char* const kPanels[][2] = {{"gnome-system-panel.desktop", "system"},
                                           {"gnome-about-panel.desktop", "about"},
                                           {"gnome-info-overview-panel.desktop", "info-overview"},
                                           {"gnome-info-panel.desktop", "info"}};
  for (const auto& panel : kPanels) {
    if (HasDesktopFile(QString::fromLatin1(panel[0]))) return QString::fromLatin1(panel[1]);
  }
  return QStringLiteral("info-overview");
}

std::vector<SystemInfoViewer> SystemInfoViewers() {
  return {
      {QStringLiteral("kinfocenter"), {}},
      {QStringLiteral("gnome-control-center"), {GnomeInfoPanel()}},
      {QStringLiteral("xfce4-about"), {}},
      {QStringLiteral("mate-system-monitor"), {QStringLiteral("--show-system-tab")}},
      {QStringLiteral("hardinfo"), {}},
  };
}

std::int32_t QtShell::SHObjectProperties(WindowHandle, std::int32_t, const Text&, const Text&) {
  for (const SystemInfoViewer& viewer : SystemInfoViewers()) {
    const QString path = QStandardPaths::findExecutable(viewer.program);
    if (path.isEmpty()) continue;
    return QProcess::startDetached(path, viewer.arguments) ? 1 : 0;
  }
  return 0;
}

void QtMessageLoop::DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace bsi::qt
