// SPDX-License-Identifier: MIT
// The information window on Windows, as the ActiveX control calls it.
#pragma once

namespace bsi::win32 {

/// Shows the calling thread's default frmSysInfo modally with no owner, loading it afresh when none is loaded,
/// and returns when the user has closed it. Raises bsi::RuntimeError: 400 when the window is already shown,
/// any other number for a failure while creating or showing it.
void ShowSysInfoWindow();

}  // namespace bsi::win32
