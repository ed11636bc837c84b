// SPDX-License-Identifier: MIT
// The information window on Windows, as the ActiveX control calls it.
#pragma once

#include "query/query_library.h"

namespace bsi::win32 {

/// Shows the calling thread's default frmSysInfo modally with no owner, loading it afresh when none is loaded,
/// and returns when the user has closed it. Raises bsi::RuntimeError: 400 when the window is already shown,
/// any other number for a failure while creating or showing it.
void ShowSysInfoWindow();

/// The same over a query library of the caller's choosing (tests, the headless dump).
void ShowSysInfoWindow(QueryLibrary& library);

/// The system query library over its COM classes.
std::unique_ptr<QueryLibrary> CreateSystemQueryLibrary();

}  // namespace bsi::win32
