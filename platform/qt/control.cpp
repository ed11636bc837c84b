// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo and bsi_qt_run_window: the public face of the library.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "BrindtSysInfo/ctlBrindtSysInfo.h"
#include "control/show_sys_info.h"
#include "form_window.h"
#include "runtime/error.h"
#include "show_window.h"
#include "widgets.h"

namespace brindt {
namespace {

std::optional<bsi::UiLanguage> ChosenLanguage(const QString& language) {
  if (language.isEmpty()) return std::nullopt;
  return bsi::LanguageForLocaleName(language.toStdString());
}

}  // namespace

SysInfoError::SysInfoError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

ctlBrindtSysInfo::ctlBrindtSysInfo(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ctlBrindtSysInfo"));
  setFixedSize(sizeHint());
}

ctlBrindtSysInfo::~ctlBrindtSysInfo() = default;

QVariant ctlBrindtSysInfo::ShowSysInfo() {
  try {
    bsi::qt::ShowSystemInfoWindow(ChosenLanguage(language_));
  } catch (...) {
    const bsi::RuntimeError error = bsi::CurrentError();
    throw SysInfoError(error.number(), bsi::qt::ToQString(error.description()));
  }
  return QVariant();
}

void ctlBrindtSysInfo::setDesignMode(bool on) {
  design_mode_ = on;
  if (!on) hide();
}

QSize ctlBrindtSysInfo::sizeHint() const {
  // Both sides 600 twips, whatever the container asks for: 40 pixels at 96 dpi.
  const int side = bsi::qt::Pixels(bsi::ctlBrindtSysInfo::kSideTwips, bsi::qt::ScreenDpi());
  return QSize(side, side);
}

void ctlBrindtSysInfo::setVisible(bool visible) {
  // Invisible at run time: only a form designer shows the control.
  QWidget::setVisible(visible && design_mode_);
}

void ctlBrindtSysInfo::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect square = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(square, palette().color(QPalette::Button));
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.drawRect(square);
  painter.drawText(square, Qt::AlignCenter, QStringLiteral("SI"));
}

}  // namespace brindt

namespace {

// Why no window can be shown here, or empty: QApplication itself would abort the process without a display.
const char* MissingDisplay() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM")) return nullptr;
  return "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

}  // namespace

extern "C" int bsi_qt_run_window(int argc, char** argv, const char* language) {
  try {
    if (language != nullptr && std::strcmp(language, "de") != 0 && std::strcmp(language, "en") != 0) {
      std::fprintf(stderr, "brindt-sysinfo: unknown language \"%s\" (de or en)\n", language);
      return 1;
    }
    std::unique_ptr<QApplication> own_application;
    if (QCoreApplication::instance() != nullptr &&
        qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
      std::fprintf(stderr, "brindt-sysinfo: the program's application object is not a QApplication\n");
      return 1;
    }
    if (QCoreApplication::instance() == nullptr) {
      if (const char* missing = MissingDisplay()) {
        std::fprintf(stderr, "brindt-sysinfo: %s\n", missing);
        return 1;
      }
      // QApplication keeps references to argc and argv: both must outlive it.
      static char program[] = "brindt-sysinfo";
      static char* default_argv[] = {program, nullptr};
      static int application_argc;
      const bool usable = argc > 0 && argv != nullptr && argv[0] != nullptr;
      application_argc = usable ? argc : 1;
      own_application = std::make_unique<QApplication>(application_argc, usable ? argv : default_argv);
    }
    brindt::ctlBrindtSysInfo control;
    if (language != nullptr) control.setLanguage(QString::fromUtf8(language));
    control.ShowSysInfo();
    return 0;
  } catch (const brindt::SysInfoError& error) {
    std::fprintf(stderr, "brindt-sysinfo: error %d: %s\n", error.number(), error.what());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "brindt-sysinfo: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "brindt-sysinfo: the window could not be shown\n");
  }
  return 1;
}
