// SPDX-License-Identifier: MIT
#include "report/report.h"

#include <cmath>

namespace bsi {
namespace {

GaugeReading Reading(ProgressBar& bar, Label& caption, Label& percent) {
  return GaugeReading{caption.Caption(), percent.Caption(), bar.Min(), bar.Max(), bar.Value()};
}

}  // namespace

SysInfoReport BuildSysInfoReport(const ReportSources& sources) {
  MemoryWindows windows(sources.battery);
  CollectingMsgBox message_box;
  QuietWindowSystem window_system;
  MemoryClipboard clipboard;
  NoShell shell;
  IdleMessageLoop message_loop;
  frmSysInfo form(SysInfoWindowContext{windows, windows, sources.library, sources.strings, sources.locale, message_box,
                                       window_system, sources.screen, clipboard, shell, message_loop, kVersion});
  MemorySysInfoWindow& window = *windows.sysinfo_window();
  form.Form_Load();
  form.tmrMemory_Timer();
  form.mnuCopyAllToClipboard_Click();

  SysInfoReport report;
  report.rows = window.list.rows();
  report.gauges = {Reading(form.ctlProgressPhysical(), window.physical_caption, window.physical_percent),
                   Reading(form.ctlProgressVirtual(), window.virtual_caption, window.virtual_percent),
                   Reading(form.ctlProgressPagefile(), window.pagefile_caption, window.pagefile_percent)};
  report.copy_all = clipboard.text;
  report.error_boxes = message_box.shown;
  return report;
}

double GaugePercent(const GaugeReading& gauge) {
  const double range = static_cast<double>(gauge.max) - gauge.min;
  return std::round((gauge.value - gauge.min) / range * 1000) / 10;
}

}  // namespace bsi
