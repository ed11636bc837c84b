// SPDX-License-Identifier: MIT
// Brindt SysInfo for Qt 6: the ctlBrindtSysInfo control, which shows the modal system-information window.
#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>
#include <stdexcept>

namespace brindt {

/// A run-time error of the control: its number and its description, as the form run time's Err object has them.
/// ShowSysInfo throws 400 "Form already displayed; can't show modally" while its window is open.
class SysInfoError : public std::runtime_error {
 public:
  SysInfoError(int number, const QString& description);
  int number() const noexcept { return number_; }
  QString description() const { return description_; }

 private:
  int number_;
  QString description_;
};

/// The control: invisible at run time; a 40 x 40 pixel square (600 x 600 twips at 96 dpi) in a form designer.
/// Create it on the user-interface thread after the QApplication.
class ctlBrindtSysInfo : public QWidget {
  Q_OBJECT

 public:
  explicit ctlBrindtSysInfo(QWidget* parent = nullptr);
  ~ctlBrindtSysInfo() override;

  /// Opens the information window modally and returns an empty QVariant once the user has closed it. Labels in
  /// German or English after LANGUAGE, LC_ALL, LC_MESSAGES and LANG, unless setLanguage chose one. Throws
  /// SysInfoError: 400 while the window is already shown (from any control of this thread; nothing changes),
  /// another number when the window cannot be created.
  Q_INVOKABLE QVariant ShowSysInfo();

  /// "de" or "en" for that language, an empty text for the environment's.
  void setLanguage(const QString& language) { language_ = language; }
  QString language() const { return language_; }

  /// True in a form designer: the control is then shown as its square.
  void setDesignMode(bool on);
  bool designMode() const { return design_mode_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  void setVisible(bool visible) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString language_;
  bool design_mode_ = false;
};

}  // namespace brindt

/// Shows the information window once over a QApplication (created when none exists) and returns 0 when it was
/// closed, 1 after writing why to standard error. `language` is "de", "en" or nullptr for the environment's.
extern "C" int bsi_qt_run_window(int argc, char** argv, const char* language);
