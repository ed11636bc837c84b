// SPDX-License-Identifier: MIT
// The handles the core passes around for our widgets (ListView::hWnd, GaugeView::hWnd, FormView::hWnd): a serial
// number per widget, never reused, so that the handle of a widget that is gone finds nothing.
#pragma once

#include <QWidget>

#include "runtime/views.h"

namespace bsi::qt {

/// A new handle for `widget`; it stops naming the widget when the widget is destroyed.
WindowHandle RegisterWidget(QWidget* widget);

/// The live widget of `handle`, or nullptr for 0, an unknown handle or a destroyed widget.
QWidget* WidgetFromHandle(WindowHandle handle);

template <class Widget>
Widget* WidgetFromHandle(WindowHandle handle) {
  return qobject_cast<Widget*>(WidgetFromHandle(handle));
}

}  // namespace bsi::qt
