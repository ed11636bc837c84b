// SPDX-License-Identifier: MIT
// What the Qt tests share: the window shown over the scripted library, and a script of steps that run inside its
// modal loops, each once what it waits for is on screen (a window, a message box, a popup menu). A step may open
// a nested modal window; the steps after it run inside that window's loop. Whatever is still open after the last
// step is closed, so the window never outlives its test.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "qt_query_library.h"
#include "show_window.h"
#include "support/fakes.h"
#include "support/scripted_library.h"
#include "widgets.h"

namespace bsi::test {

inline UiLanguage TestLanguage() {
  return LanguageFromEnvironment([](const char* name) -> const char* { return std::getenv(name); });
}

/// The visible top-level widget with this object name, or nullptr.
inline QWidget* Shown(const char* name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->objectName() == QLatin1String(name)) return widget;
  }
  return nullptr;
}

template <class Widget = QWidget>
Widget* Child(QWidget& window, const char* name) {
  return window.findChild<Widget*>(QString::fromLatin1(name));
}

inline QMessageBox* ShownMessageBox() {
  return qobject_cast<QMessageBox*>(Shown("MsgBox"));
}

inline QMenu* ShownMenu() {
  return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

/// The rows of the list as the core's golden lists write them: "label | value" per line.
inline std::string Dump(QTreeWidget& list) {
  std::string out;
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = list.topLevelItem(i);
    out += (row->text(0) + QStringLiteral(" | ") + row->text(1)).toStdString() + "\n";
  }
  return out;
}

struct Step {
  std::function<bool()> ready;
  std::function<void()> act;
};

/// Runs `act` once the top-level widget `name` is shown.
inline Step OnWindow(const char* name, std::function<void(QWidget&)> act) {
  return Step{[name] { return Shown(name) != nullptr; }, [name, act] { act(*Shown(name)); }};
}

struct QtRig {
  QtRig() {
    battery.status = 1;
    battery.percent = 80;
    options.battery = &battery;
    options.screen = &screen;
    options.memory_timer_ms = 60'000;  // no tick unless a test asks for one
  }

  /// Shows the window over the scripted library (through QtQueryLibrary unless `plain`) and runs `steps`.
  void Show(std::vector<Step> steps, bool plain = false) {
    std::size_t next = 0;
    int running = 0;
    // Each poll is its own single-shot timer: Qt never fires a timer inside its own slot, and a step may block in
    // a nested modal loop where the next polls must still run. The shots end with `alive`.
    QObject alive;
    std::function<void()> poll = [&] {
      QTimer::singleShot(5, &alive, poll);
      if (next < steps.size()) {
        if (!steps[next].ready()) return;
        ++running;
        steps[next++].act();
        --running;
      } else {
        // A step still running is waiting inside a nested window; the main window closes once none is.
        CloseEverything(running == 0);
      }
    };
    QTimer::singleShot(5, &alive, poll);
    QTimer::singleShot(20'000, &alive, [&] {
      QTest::qFail("the script did not finish within 20 s", __FILE__, __LINE__);
      next = steps.size();
      running = 0;
    });
    try {
      qt::ShowSysInfoWindow(module, plain ? static_cast<QueryLibrary&>(library) : qt_library, options);
    } catch (const RuntimeError& error) {
      QTest::qFail(("ShowSysInfo raised " + std::to_string(error.number())).c_str(), __FILE__, __LINE__);
    }
    QVERIFY2(next == steps.size(), "a step never became ready");
  }

  static void CloseEverything(bool main_window) {
    if (QMenu* menu = ShownMenu()) menu->close();
    if (QMessageBox* box = ShownMessageBox()) box->button(QMessageBox::Ok)->click();
    if (QWidget* window = Shown("frmValue")) Child<QAbstractButton>(*window, "cmdOK")->click();
    if (QWidget* window = Shown("frmSysInfo"); window != nullptr && main_window) {
      Child<QAbstractButton>(*window, "cmdOK")->click();
    }
  }

  ScriptedLibrary library;
  qt::QtQueryLibrary qt_library{library};
  FakeBattery battery;
  FakeScreen screen;
  qt::ShowOptions options;
  /// The thread's module, which every ctlBrindtSysInfo of the thread shares.
  SysInfoModule& module = qt::ThreadModule();
};

}  // namespace bsi::test
