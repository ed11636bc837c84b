// SPDX-License-Identifier: MIT
// libBrindtSysInfoQt.so.2 as a host loads it: bsi_qt_run_window found by dlsym, its failures (a language it does
// not know, no display) reported with 1, a window over the system's own library shown and closed with 0, and the
// Designer plugin.
#include <dlfcn.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPluginLoader>
#include <QTimer>
#ifdef BSI_QT_DESIGNER_PLUGIN
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#endif
#include <cstdio>
#include <cstdlib>

namespace {

int failures = 0;

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "FAIL: %s\n", what);
    ++failures;
  }
}

// Answers every message box and closes the window, whatever the machine's library reports.
void CloseWhatIsShown() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (!widget->isVisible()) continue;
    if (auto* box = qobject_cast<QMessageBox*>(widget)) box->button(QMessageBox::Ok)->click();
    if (widget->objectName() == QLatin1String("frmSysInfo")) {
      widget->findChild<QAbstractButton*>(QStringLiteral("cmdOK"))->click();
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  void* library = dlopen(BSI_QT_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  Check(library != nullptr, "dlopen of libBrindtSysInfoQt.so.2");
  if (library == nullptr) return 1;
  using RunWindow = int (*)(int, char**, const char*);
  auto run = reinterpret_cast<RunWindow>(dlsym(library, "bsi_qt_run_window"));
  Check(run != nullptr, "bsi_qt_run_window is exported");
  Check(dlsym(library, "_ZN3bsi7Catalogue13LoadResStringEi") == nullptr, "the core stays private");
  if (run == nullptr) return 1;

  Check(run(argc, argv, "fr") == 1, "an unknown language fails with 1");
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const std::string saved = platform != nullptr ? platform : "offscreen";
  unsetenv("QT_QPA_PLATFORM");
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  Check(run(argc, argv, nullptr) == 1, "no display fails with 1 and no abort");
  setenv("QT_QPA_PLATFORM", saved.c_str(), 1);

  QApplication application(argc, argv);
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, &CloseWhatIsShown);
  closer.start(20);
  Check(run(argc, argv, "de") == 0, "the window over the system's library closes with 0");
#ifdef BSI_QT_DESIGNER_PLUGIN
  // Qt Designer's plugin makes the control in its design form: shown, and square.
  QPluginLoader loader(QStringLiteral(BSI_QT_DESIGNER_PLUGIN));
  auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
  Check(plugin != nullptr, qPrintable(QStringLiteral("the Designer plugin loads: ") + loader.errorString()));
  if (plugin != nullptr) {
    QWidget* control = plugin->createWidget(nullptr);
    control->show();
    Check(control->isVisible() && control->width() == control->height(), "the design-time control shows square");
    delete control;
  }
#endif
  std::fprintf(stderr, "%d failure(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
