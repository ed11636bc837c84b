// SPDX-License-Identifier: MIT
// The control's registration table: one class, its two ProgIDs and the values that make it an ActiveX control.
#pragma once

#include "common/registration_table.h"

namespace bsi::win32::com {

extern const ServerTable kControlServer;

}  // namespace bsi::win32::com
