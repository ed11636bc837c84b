// SPDX-License-Identifier: MIT
#include "widget_handles.h"

#include <QPointer>
#include <unordered_map>

namespace bsi::qt {
namespace {

struct Registry {
  std::unordered_map<WindowHandle, QPointer<QWidget>> widgets;
  WindowHandle last = 0;
};

// Widgets may outlive static destruction (a QApplication that is itself static), so the registry is never freed.
Registry& TheRegistry() {
  static auto* registry = new Registry;
  return *registry;
}

}  // namespace

WindowHandle RegisterWidget(QWidget* widget) {
  Registry& registry = TheRegistry();
  const WindowHandle handle = ++registry.last;
  registry.widgets.emplace(handle, widget);
  QObject::connect(widget, &QObject::destroyed, [handle] { TheRegistry().widgets.erase(handle); });
  return handle;
}

QWidget* WidgetFromHandle(WindowHandle handle) {
  const Registry& registry = TheRegistry();
  const auto found = registry.widgets.find(handle);
  return found != registry.widgets.end() ? found->second.data() : nullptr;
}

}  // namespace bsi::qt
