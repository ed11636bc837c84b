// SPDX-License-Identifier: MIT
// The information window on Windows, as the ActiveX control calls it.
#pragma once

#include "control/show_sys_info.h"
#include "query/query_library.h"

namespace bsi::win32 {

/// Shows `module`'s default frmSysInfo modally with no owner, over the Win32 windows and services read afresh for
/// this call, and returns when the user has closed it. Raises bsi::RuntimeError: 400 when the module's window is
/// already shown, any other number for a failure while creating or showing it. A `memory_timer_ms` other than 0
/// replaces the memory timer's interval (tests).
void ShowSysInfoWindow(SysInfoModule& module, QueryLibrary& library, unsigned memory_timer_ms = 0);

/// The same over the installed system query library (the control).
void ShowSysInfoWindow(SysInfoModule& module);

/// The system query library over its COM classes.
std::unique_ptr<QueryLibrary> CreateSystemQueryLibrary();

}  // namespace bsi::win32
