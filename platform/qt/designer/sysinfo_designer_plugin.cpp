// SPDX-License-Identifier: MIT
#include "sysinfo_designer_plugin.h"

#include <BrindtSysInfo/ctlBrindtSysInfo.h>

QWidget* SysInfoDesignerPlugin::createWidget(QWidget* parent) {
  auto* control = new brindt::ctlBrindtSysInfo(parent);
  control->setDesignMode(true);
  return control;
}

QString SysInfoDesignerPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\"><widget class=\"brindt::ctlBrindtSysInfo\" name=\"ctlBrindtSysInfo\"/></ui>");
}
