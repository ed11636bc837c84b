// SPDX-License-Identifier: MIT
// A small host of ctlBrindtSysInfo, linked against libBrindtSysInfoQt.so as any application would be. It shows
// the window; with --screenshot FILE it saves the window as a PNG once it is shown, answering any message box,
// and closes it.
#include <BrindtSysInfo/ctlBrindtSysInfo.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

namespace {

bool shot_taken = false;

void TakeScreenshot(const QString& file) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (!widget->isVisible()) continue;
    if (auto* box = qobject_cast<QMessageBox*>(widget)) box->button(QMessageBox::Ok)->click();
    if (widget->objectName() != QLatin1String("frmSysInfo")) continue;
    if (!shot_taken) {
      shot_taken = widget->grab().save(file, "PNG");
      if (!shot_taken) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    }
    widget->findChild<QAbstractButton*>(QStringLiteral("cmdOK"))->click();
    return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QStringList arguments = QApplication::arguments().mid(1);
  brindt::ctlBrindtSysInfo control;
  QTimer screenshot;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--lang") && i + 1 < arguments.size()) {
      control.setLanguage(arguments[++i]);
    } else if (arguments[i] == QLatin1String("--screenshot") && i + 1 < arguments.size()) {
      const QString file = arguments[++i];
      // After the first tick, so that the gauges show their figures.
      QObject::connect(&screenshot, &QTimer::timeout, [file] { TakeScreenshot(file); });
      screenshot.start(2000);
    } else {
      std::fprintf(stderr, "usage: bsi_qt_demo [--lang de|en] [--screenshot FILE]\n");
      return 2;
    }
  }
  try {
    control.ShowSysInfo();
  } catch (const brindt::SysInfoError& error) {
    std::fprintf(stderr, "error %d: %s\n", error.number(), error.what());
    return 1;
  }
  return screenshot.isActive() && !shot_taken ? 1 : 0;
}
