// SPDX-License-Identifier: MIT
// Everything the windows reach for one ShowSysInfo call on Qt, and the call itself. Language and number
// conventions are read afresh for every call.
#pragma once

#include <memory>
#include <optional>

#include "control/show_sys_info.h"
#include "query/query_library.h"
#include "resources/strings.h"
#include "sysinfo_window/sysinfo_layout.h"

namespace bsi::qt {

struct ShowOptions {
  /// The environment's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) when unset.
  std::optional<UiLanguage> language;
  /// tmrMemory's interval; tests shorten it to see ticks without waiting seconds.
  int memory_timer_ms = sysinfo_layout::kTimerIntervalMs;
  /// The window's battery and the screen's font count; the system's (sysquery_linux, Qt) when null.
  Battery* battery = nullptr;
  Screen* screen = nullptr;
};

/// The module's forms on this thread: every control of the thread shares its one default window.
SysInfoModule& ThreadModule();

/// Shows `module`'s default frmSysInfo modally over Qt widgets and returns once the user has closed it; the
/// list comes from `library` as it is (the control wraps the system's library in QtQueryLibrary). Raises
/// bsi::RuntimeError: 400 while the module's window is shown, another number when it cannot be created.
void ShowSysInfoWindow(SysInfoModule& module, QueryLibrary& library, const ShowOptions& options = {});

/// The same over the system: the Linux query library behind QtQueryLibrary, in ThreadModule().
void ShowSystemInfoWindow(std::optional<UiLanguage> language);

}  // namespace bsi::qt
