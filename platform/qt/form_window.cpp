// SPDX-License-Identifier: MIT
#include "form_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QScreen>
#include <cmath>

#include "widget_handles.h"
#include "widgets.h"

namespace bsi::qt {

int ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
  return dpi >= 1 && dpi < 10000 ? static_cast<int>(std::lround(dpi)) : 96;
}

int Pixels(std::int32_t twips, int dpi) {
  return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

QtForm::QtForm(const char* name, std::int32_t client_width, std::int32_t client_height, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), handle_(RegisterWidget(this)), dpi_(ScreenDpi()) {
  setObjectName(QString::fromLatin1(name));
  setFixedSize(Pixels(client_width), Pixels(client_height));
  setWindowModality(Qt::ApplicationModal);
  // Key preview sees the keys of every widget of the form, also those of widgets made later.
  qApp->installEventFilter(this);
}

QtForm::~QtForm() {
  qApp->removeEventFilter(this);
}

QRect QtForm::Place(const Rect& twips) const {
  return QRect(Pixels(twips.left), Pixels(twips.top), Pixels(twips.width), Pixels(twips.height));
}

void QtForm::SetCaption(const Text& caption) {
  setWindowTitle(ToQString(caption));
}

void QtForm::ShowModal() {
  shown_ = true;
  BeforeShow();
  show();
  raise();
  activateWindow();
  QEventLoop loop;
  loop_ = &loop;
  if (shown_) loop.exec(QEventLoop::DialogExec);
  loop_ = nullptr;
  // The loop ends early only when the application quits: the form unloads as when closed.
  if (shown_) CloseBox();
  shown_ = false;
  hide();
}

void QtForm::Unload() {
  for (QTimer* timer : timers_) timer->stop();
  hide();
  shown_ = false;
  if (loop_ != nullptr) loop_->quit();
}

void QtForm::PopupMenu(Menu& menu, std::int32_t /*flags*/) {
  // Qt's menus take either button, which is what the right-button flag asks for.
  auto* popup = dynamic_cast<QtPopupMenu*>(&menu);
  if (popup == nullptr) return;
  const QPoint at = has_anchor_ ? popup_anchor_ : QCursor::pos();
  has_anchor_ = false;
  // The chosen item's command runs before PopupMenu returns, as the handlers expect.
  if (QAction* chosen = popup->menu()->exec(at)) MenuCommand(chosen);
}

void QtForm::CentreOver(QWidget* over) {
  QRect area;
  if (over != nullptr && over->isVisible()) {
    area = over->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  QRect self = frameGeometry();
  self.moveCenter(area.center());
  // Never place the caption bar off the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    self.moveLeft(std::max(self.left(), available.left()));
    self.moveTop(std::max(self.top(), available.top()));
  }
  move(self.topLeft());
}

QTimer* QtForm::AddTimer(int interval_ms) {
  auto* timer = new QTimer(this);
  timer->setInterval(interval_ms);
  timers_.push_back(timer);
  return timer;
}

bool QtForm::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget->window() != this) return false;
  if (event->type() == QEvent::KeyPress) {
    // A key that the focused widget ignores travels on to its parents, and past this filter again: the handler
    // then sees it again, which changes nothing, since it acts only on the keys it keeps.
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (PreviewKey(VirtualKey(key), ShiftState(key.modifiers()))) return true;
    if (FormKey(widget, key)) return true;
  }
  WidgetEvent(widget, event);
  return false;
}

void QtForm::closeEvent(QCloseEvent* event) {
  // The form decides: the close box unloads it through its handler, which hides it.
  event->ignore();
  CloseBox();
}

}  // namespace bsi::qt
