// SPDX-License-Identifier: MIT
// The information window over real Qt widgets: its rows, ticks, keys, clipboard, value window, error 400, the
// error box and its layout, in the language of the environment (CTest runs it in German and in English). Each test
// shows the window over the scripted library and runs a script of steps inside its modal loops, each once what it
// waits for is on screen (a window, a message box, a popup menu). A step may open a nested modal window; the steps
// after it run inside that window's loop. Whatever is still open after the last step is closed, so the window
// never outlives its test.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BrindtSysInfo/ctlBrindtSysInfo.h"
#include "form_window.h"
#include "qt_query_library.h"
#include "show_window.h"
#include "support/fakes.h"
#include "support/golden.h"
#include "support/scripted_library.h"
#include "widgets.h"

namespace bsi::test {
namespace {

UiLanguage TestLanguage() {
  return LanguageFromEnvironment([](const char* name) -> const char* { return std::getenv(name); });
}

/// The visible top-level widget with this object name, or nullptr.
QWidget* Shown(const char* name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && widget->objectName() == QLatin1String(name)) return widget;
  }
  return nullptr;
}

template <class Widget = QWidget>
Widget* Child(QWidget& window, const char* name) {
  return window.findChild<Widget*>(QString::fromLatin1(name));
}

QMessageBox* ShownMessageBox() {
  return qobject_cast<QMessageBox*>(Shown("MsgBox"));
}

QMenu* ShownMenu() {
  return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

/// The rows of the list as the core's golden lists write them: "label | value" per line.
std::string Dump(QTreeWidget& list) {
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
Step OnWindow(const char* name, std::function<void(QWidget&)> act) {
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
    // A RuntimeError escapes to the test runner, which fails the test.
    qt::ShowSysInfoWindow(module, plain ? static_cast<QueryLibrary&>(library) : qt_library, options);
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

QString Clipboard() {
  return QGuiApplication::clipboard()->text();
}

QTreeWidget& List(QWidget& window) {
  return *Child<QTreeWidget>(window, "lvwSysInfo");
}

// The row whose label is string `id` of the Linux catalogue.
QTreeWidgetItem* RowOf(QWidget& window, std::int32_t id) {
  const QString label = qt::ToQString(CatalogueText(TestLanguage(), id, Platform::Linux));
  const auto found = List(window).findItems(label, Qt::MatchExactly, 0);
  return found.isEmpty() ? nullptr : found.first();
}

// A label's whole caption: a text too long for the label is drawn cut short, whole in its tool tip.
QString WholeCaption(const QLabel& label) {
  return label.toolTip().isEmpty() ? label.text() : label.toolTip();
}

}  // namespace

class QtWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QGuiApplication::clipboard()->clear(); }

  // The rows are the core's golden list, with the two Linux labels in place of the ones that name Windows; the
  // columns are sized as the list builder asks: the label column to its widest text, the last to the edge.
  void rowsMatchTheCoreListWithTheLinuxLabels() {
    QtRig rig;
    rig.Show({OnWindow("frmSysInfo",
                       [](QWidget& window) {
                         QTreeWidget& list = List(window);
                         std::string rows = Dump(list);
                         for (std::int32_t id : {str::kWindowsFolder, str::kRunningTime}) {
                           const std::string linux_label = ToUtf8(CatalogueText(TestLanguage(), id, Platform::Linux));
                           const auto at = rows.find("\n" + linux_label + " | ");
                           QVERIFY2(at != std::string::npos, linux_label.c_str());
                           rows.replace(at + 1, linux_label.size(), ToUtf8(CatalogueText(TestLanguage(), id)));
                         }
                         const char* golden =
                             TestLanguage() == UiLanguage::German ? "core/list_de.txt" : "core/list_en.txt";
                         QCOMPARE(CompareGolden(golden, rows), std::string());
                         QCOMPARE(list.headerItem()->text(0), QStringLiteral("Name"));
                         QCOMPARE(list.headerItem()->text(1), QStringLiteral("Info"));
                         QCOMPARE(list.columnWidth(0), static_cast<QAbstractItemView&>(list).sizeHintForColumn(0));
                         QVERIFY(list.columnWidth(0) + list.columnWidth(1) >= list.viewport()->width());
                         QVERIFY(list.updatesEnabled());  // the build's lock has ended
                         QCOMPARE(list.selectedItems().value(0), list.topLevelItem(0));
                       })},
             /*plain=*/true);
  }

  // A tick at the short interval moves the gauges and their labels, rewrites the live rows, paints the bar in
  // its band's colour and answers the screen row from Qt's screen.
  void tickUpdatesGaugesLiveRowsAndBarColours() {
    QtRig rig;
    rig.options.memory_timer_ms = 20;
    rig.Show({OnWindow("frmSysInfo", [&](QWidget& window) {
      auto* bar = Child<QProgressBar>(window, "ctlProgressPhysical");
      auto* percent = Child<QLabel>(window, "lblPhysicalPercent");
      rig.library.Set("MemoryInfo.PhysicalFree", u"3221225472");  // a quarter used: green
      QTRY_COMPARE_WITH_TIMEOUT(percent->text(), QStringLiteral("25%"), 5000);
      QCOMPARE(bar->value(), 2500);
      QCOMPARE(RowOf(window, str::kPhysicalMemoryFree)->text(1), QStringLiteral("3221225472 Byte"));
      QCOMPARE(bar->palette().color(QPalette::Highlight), QColor(0x00, 0x80, 0x00));
      QCOMPARE(bar->palette().color(QPalette::Base), QColor(Qt::white));
      const QScreen& screen = *QGuiApplication::primaryScreen();
      const QSize size = screen.geometry().size() * screen.devicePixelRatio();
      QCOMPARE(RowOf(window, str::kScreenResolution)->text(1),
               QStringLiteral("%1x%2 (%3bit)").arg(size.width()).arg(size.height()).arg(screen.depth()));
    })});
  }

  // C (with or without Shift or Ctrl) copies the selected value, F5 rebuilds the list in place, F4 closes; a key
  // the window keeps never reaches the list (no jump to a row starting with C).
  void keysCopyRebuildAndClose() {
    QtRig rig;
    rig.Show({OnWindow("frmSysInfo", [&](QWidget& window) {
      QTreeWidget& list = List(window);
      QTreeWidgetItem* cpu = RowOf(window, str::kCpu);
      list.setCurrentItem(cpu);
      for (Qt::KeyboardModifiers shift : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier}) {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&list, Qt::Key_C, shift);
        QCOMPARE(Clipboard(), cpu->text(1));
        QCOMPARE(list.currentItem(), cpu);
      }
      rig.library.Set("ProcessorInfo.Description", u"Zweiter Prozessor \u00c4\u00d6");
      QTest::keyClick(&list, Qt::Key_F5);
      QCOMPARE(RowOf(window, str::kCpu)->text(1), QStringLiteral("Zweiter Prozessor \u00c4\u00d6"));
      QTest::keyClick(&list, Qt::Key_F4);
      QVERIFY(!window.isVisible());
    })});
  }

  // The context menu from the right button and from the menu key; copy-all puts the list and the three gauge
  // lines on the clipboard, CR LF after every line, exactly as the core assembles them in txtTemp.
  void contextMenuCopiesValueAndEverything() {
    QtRig rig;
    QString expected;
    auto choose = [](const char* item) {
      return Step{[] { return ShownMenu() != nullptr; },
                  [item] {
                    QMenu& menu = *ShownMenu();
                    QCOMPARE(menu.actions().size(), 2);
                    QAction* action = menu.findChild<QAction*>(QString::fromLatin1(item));
                    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
                  }};
    };
    rig.Show({OnWindow("frmSysInfo",
                       [&](QWidget& window) {
                         QTreeWidget& list = List(window);
                         QTreeWidgetItem* user = RowOf(window, str::kLoggedOnUser);
                         QTest::mousePress(list.viewport(), Qt::RightButton, {}, list.visualItemRect(user).center());
                         QCOMPARE(Clipboard(), QStringLiteral("Anna"));  // the row under the mouse, selected first
                         QGuiApplication::clipboard()->clear();
                         QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
                         QCOMPARE(Clipboard(), QStringLiteral("Anna"));
                         // What Qt sends for the menu key or Shift+F10.
                         QContextMenuEvent menu_key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
                         QApplication::sendEvent(&list, &menu_key);
                         for (int i = 0; i < list.topLevelItemCount(); ++i) {
                           expected += list.topLevelItem(i)->text(0) + " " + list.topLevelItem(i)->text(1) + "\r\n";
                         }
                         expected += "\r\n";
                         for (auto [caption, percent] : {std::pair{"lblPhysicalMemory", "lblPhysicalPercent"},
                                                         {"lblVirtualMemory", "lblVirtualPercent"},
                                                         {"lblPageFileMemory", "lblPagePercent"}}) {
                           expected += WholeCaption(*Child<QLabel>(window, caption)) + " = " +
                                       WholeCaption(*Child<QLabel>(window, percent)) + "\r\n";
                         }
                       }),
              choose("mnuCopyValueToClipboard"), choose("mnuCopyValueToClipboard"), choose("mnuCopyAllToClipboard")});
    QCOMPARE(Clipboard(), expected);
  }

  // A double-click or Enter opens the selected row in the value window (label and caption without the ":");
  // its copy button copies the value as edited; F4 and Esc close it. A spacer row opens nothing.
  void valueWindowFromDoubleClickAndEnter() {
    QtRig rig;
    const QString cpu_label = qt::ToQString(ValueWindowLabel(CatalogueText(TestLanguage(), str::kCpu)));
    auto check_value_window = [&](Qt::Key close_key) {
      return OnWindow("frmValue", [&, close_key](QWidget& value) {
        QCOMPARE(value.windowTitle(), cpu_label);
        QCOMPARE(Child<QLineEdit>(value, "txtLabel")->text(), cpu_label);
        auto* text = Child<QLineEdit>(value, "txtValue");
        QCOMPARE(text->text(), QStringLiteral("Intel(R) Core(TM) i5 CPU M 520 @ 2.40GHz"));
        text->setText(QStringLiteral("bearbeitet \u00fc"));
        Child<QAbstractButton>(value, "cmdClipboard")->click();
        QCOMPARE(Clipboard(), QStringLiteral("bearbeitet \u00fc"));
        QTest::keyClick(text, close_key);
        QVERIFY(!value.isVisible());
      });
    };
    rig.Show({OnWindow("frmSysInfo",
                       [&](QWidget& window) {
                         QTreeWidget& list = List(window);
                         QTreeWidgetItem* cpu = RowOf(window, str::kCpu);
                         QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(cpu).center());
                         QCOMPARE(list.currentItem(), cpu);
                         QTest::keyClick(&list, Qt::Key_Return);
                         QTreeWidgetItem* spacer = list.topLevelItem(4);
                         QCOMPARE(spacer->text(0), QStringLiteral(" "));
                         QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(spacer).center());
                         QTest::qWait(50);
                         QVERIFY(Shown("frmValue") == nullptr);
                       }),
              check_value_window(Qt::Key_F4), check_value_window(Qt::Key_Escape)});
  }

  // While the window is shown, ShowSysInfo on any control of the thread fails with 400 and changes nothing.
  void secondShowSysInfoFailsWith400() {
    QtRig rig;
    rig.Show({OnWindow("frmSysInfo", [&](QWidget& window) {
      const int rows = List(window).topLevelItemCount();
      brindt::ctlBrindtSysInfo control;
      int number = 0;
      QString description;
      try {
        control.ShowSysInfo();
      } catch (const brindt::SysInfoError& error) {
        number = error.number();
        description = error.description();
      }
      QCOMPARE(number, 400);
      QCOMPARE(description, QStringLiteral("Form already displayed; can't show modally"));
      QVERIFY(window.isVisible());
      QCOMPARE(List(window).topLevelItemCount(), rows);
    })});
    QCOMPARE(qt::ThreadModule().DefaultInstance(), nullptr);
  }

  // A failing library call shows the list builder's critical box with one OK button; the window still opens.
  void failingLibraryShowsTheErrorBox() {
    QtRig rig;
    rig.library.FailCreate(QueryClass::ProcessorInfo, 429, u"Kann Objekt nicht erstellen \u00e4");
    QString text;
    rig.Show({Step{[] { return ShownMessageBox() != nullptr; },
                   [&] {
                     QMessageBox& box = *ShownMessageBox();
                     QCOMPARE(box.icon(), QMessageBox::Critical);
                     QCOMPARE(box.buttons().size(), 1);
                     text = box.text();
                     box.button(QMessageBox::Ok)->click();
                   }},
              OnWindow("frmSysInfo", [](QWidget&) {})});
    QVERIFY2(text.contains(QStringLiteral("Kann Objekt nicht erstellen \u00e4")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("429")), qPrintable(text));
  }

  // The controls stand where the twips put them at 96 dpi, those of fraMemory inside the frame.
  void layoutAt96Dpi() {
    if (qt::ScreenDpi() != 96) QSKIP("the screen is not at 96 dpi");
    struct Case {
      const char* window;
      const char* widget;
      QRect expected;  // in the window's client area
    };
    static const Case kCases[] = {
        {"frmSysInfo", nullptr, QRect(0, 0, 578, 450)},
        {"frmSysInfo", "lvwSysInfo", QRect(8, 8, 561, 313)},
        {"frmSysInfo", "cmdSystem", QRect(368, 416, 97, 25)},
        {"frmSysInfo", "cmdOK", QRect(472, 416, 97, 25)},
        {"frmSysInfo", "fraMemory", QRect(8, 320, 561, 89)},
        {"frmSysInfo", "ctlProgressPagefile", QRect(320, 384, 209, 17)},
        {"frmSysInfo", "lblPagePercent", QRect(536, 384, 0, 17)},
        {"frmValue", nullptr, QRect(0, 0, 400, 104)},
        {"frmValue", "txtValue", QRect(8, 40, 353, 19)},
        {"frmValue", "cmdClipboard", QRect(367, 40, 26, 19)},
    };
    auto check = [](const char* name) {
      QWidget& window = *Shown(name);
      for (const Case& c : kCases) {
        if (std::string(c.window) != name) continue;
        QWidget* widget = c.widget != nullptr ? Child(window, c.widget) : &window;
        QRect got(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        if (c.widget == nullptr) got.moveTo(0, 0);
        if (c.expected.width() == 0) got.setWidth(0);  // auto-sized to its text
        if (got != c.expected) qWarning() << (c.widget ? c.widget : name);
        QCOMPARE(got, c.expected);
      }
    };
    QtRig rig;
    rig.Show({OnWindow("frmSysInfo",
                       [&](QWidget& window) {
                         check("frmSysInfo");
                         QTest::keyClick(&List(window), Qt::Key_Return);
                       }),
              OnWindow("frmValue", [&](QWidget&) { check("frmValue"); })});
  }

  // The System button starts the first viewer of the list found in PATH, detached; none found: nothing.
  void systemButtonStartsTheFirstViewerInPath() {
    QTemporaryDir bin;
    const QString marker = bin.filePath(QStringLiteral("started"));
    for (const char* program : {"xfce4-about", "hardinfo"}) {
      QFile script(bin.filePath(QString::fromLatin1(program)));
      QVERIFY(script.open(QIODevice::WriteOnly));
      script.write(QStringLiteral("#!/bin/sh\necho %1 > '%2'\n").arg(QLatin1String(program), marker).toUtf8());
      script.close();
      script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8());
    QtRig rig;
    rig.Show({OnWindow("frmSysInfo", [&](QWidget& window) {
      Child<QAbstractButton>(window, "cmdSystem")->click();
      auto started = [&] {
        QFile file(marker);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
      };
      QTRY_COMPARE_WITH_TIMEOUT(started(), QByteArray("xfce4-about\n"), 5000);
    })});
    qputenv("PATH", path);
  }

  // The control is invisible at run time and a 40 x 40 square at 96 dpi in a designer.
  void controlIsInvisibleAtRunTime() {
    brindt::ctlBrindtSysInfo control;
    control.show();
    QVERIFY(!control.isVisible());
    control.setDesignMode(true);
    control.show();
    QVERIFY(control.isVisible());
    if (qt::ScreenDpi() == 96) QCOMPARE(control.sizeHint(), QSize(40, 40));
  }
};

}  // namespace bsi::test

QTEST_MAIN(bsi::test::QtWindowTest)
#include "qt_window_test.moc"
