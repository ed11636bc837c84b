// SPDX-License-Identifier: MIT
// The information window run without a screen: its start-up, its first gauge refresh and its copy-all command,
// over widgets held in memory. The report is what the window shows and what copy-all puts on the clipboard.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "query/query_library.h"
#include "report/headless_window.h"
#include "resources/strings.h"
#include "runtime/locale.h"
#include "runtime/views.h"

namespace bsi {

/// One gauge as the window shows it: its caption and percent labels, and the bar's range and value.
struct GaugeReading {
  Text caption;
  Text percent_text;
  float min = 0;
  float max = 100;
  float value = 0;
};

struct SysInfoReport {
  /// The list's rows in list order (label, value), spacer rows included as the list holds them.
  std::vector<MemoryListView::Row> rows;
  /// Physical memory, virtual memory, page file.
  std::array<GaugeReading, 3> gauges;
  /// The copy-all text exactly: every row as label, space, value; an empty line; the three gauge lines as
  /// caption " = " percent; CR LF after every line.
  Text copy_all;
  /// The error boxes the window showed, in order (the list builder shows at most one).
  std::vector<ShownBox> error_boxes;
};

/// Where the facts and the words come from.
struct ReportSources {
  QueryLibrary& library;
  StringSource& strings;
  const Locale& locale;
  Battery& battery;
  Screen& screen;
};

/// Opens a frmSysInfo in memory, runs Form_Load, one tick of tmrMemory (the window's first refresh comes 1.5 s
/// after it opened and fills the percentages; the copy-all of an open window has it) and the copy-all command.
/// Never raises: a failure shows in the rows and the error boxes, as it would in the window.
SysInfoReport BuildSysInfoReport(const ReportSources& sources);

/// The gauge's fill in percent of its range, to one decimal place.
double GaugePercent(const GaugeReading& gauge);

/// A JSON text as UTF-8 in double quotes: quotes, backslash and every control character (U+0000-U+001F,
/// U+007F-U+009F) escaped, other characters as they are; a lone surrogate becomes U+FFFD, as on --print.
std::string JsonString(TextView text);

/// The report as a JSON object: "language" ("de" or "en"), "rows" in list order ({"label", "value"}; a spacer
/// row, whose label and value are only spaces, as {"label": "", "value": ""}), "gauges" in window order
/// ({"caption", "percent_text", "percent"}), "errors" ({"title", "prompt"}). One row per line, ends with LF.
std::string ReportJson(const SysInfoReport& report, UiLanguage language);

}  // namespace bsi
