// SPDX-License-Identifier: MIT
// A top-level form over a QWidget: built from a layout in twips at the screen's resolution, shown modally in its
// own event loop, with key preview (the form sees every key of its widgets before they do) and an Unload that
// keeps the widgets alive until the form object is destroyed.
#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "runtime/layout.h"
#include "runtime/window_views.h"

namespace bsi::qt {

/// The screen's logical resolution (dots per inch), 96 without a screen.
int ScreenDpi();
/// Twips to pixels at `dpi` (1440 twips to the inch), rounded to the nearest pixel.
int Pixels(std::int32_t twips, int dpi);

class QtForm : public QWidget, public FormView {
 public:
  QtForm(const char* name, std::int32_t client_width, std::int32_t client_height, Qt::WindowFlags flags);
  ~QtForm() override;

  WindowHandle hWnd() override { return handle_; }
  void SetCaption(const Text& caption) override;
  void ShowModal() override;
  void Unload() override;
  void PopupMenu(Menu& menu, std::int32_t flags) override;

  bool is_shown() const { return shown_; }
  int Pixels(std::int32_t twips) const { return qt::Pixels(twips, dpi_); }
  QRect Place(const Rect& twips) const;

 protected:
  /// Key preview: the form's Form_KeyDown; true keeps the key from the focused widget.
  virtual bool PreviewKey(std::int16_t key, std::int16_t shift) = 0;
  /// After key preview: the keys the form gives a meaning of its own (Esc presses OK, Enter a button); true
  /// when it used the key.
  virtual bool FormKey(QWidget* /*target*/, const QKeyEvent& /*event*/) { return false; }
  /// The close box, or the application quitting while the form is shown.
  virtual void CloseBox() = 0;
  /// Runs just before the window is shown: place it, choose the widget with the focus.
  virtual void BeforeShow() {}
  /// A menu item chosen from PopupMenu; runs before PopupMenu returns.
  virtual void MenuCommand(QAction* /*action*/) {}
  /// Every event of the form's own widgets, after key preview (focus arrivals and the like).
  virtual void WidgetEvent(QWidget* /*widget*/, QEvent* /*event*/) {}

  /// Centres the window over `over`, or over the screen's available area when `over` is null or hidden.
  void CentreOver(QWidget* over);
  /// Where the next popup menu opens (global coordinates), for a menu opened from the keyboard.
  void SetPopupAnchor(QPoint global) {
    popup_anchor_ = global;
    has_anchor_ = true;
  }
  /// A timer of the form: it stops on Unload.
  QTimer* AddTimer(int interval_ms);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  WindowHandle handle_;
  int dpi_;
  bool shown_ = false;
  QEventLoop* loop_ = nullptr;
  std::vector<QTimer*> timers_;
  QPoint popup_anchor_;
  bool has_anchor_ = false;
};

}  // namespace bsi::qt
