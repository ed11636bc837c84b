// SPDX-License-Identifier: MIT
// Qt Designer's entry for ctlBrindtSysInfo: the control in the widget box, shown as its design-time square.
#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class SysInfoDesignerPlugin final : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  using QObject::QObject;
  QString name() const override { return QStringLiteral("brindt::ctlBrindtSysInfo"); }
  QString group() const override { return QStringLiteral("Brindt"); }
  QString toolTip() const override { return QStringLiteral("Brindt SysInfo: shows the system-information window"); }
  QString whatsThis() const override { return toolTip(); }
  QString includeFile() const override { return QStringLiteral("BrindtSysInfo/ctlBrindtSysInfo.h"); }
  QIcon icon() const override { return QIcon(); }
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override { return true; }
  QString domXml() const override;
};
