// SPDX-License-Identifier: MIT
// Defines the GUIDs of the type library (the generated header only declares them).
#include <ocidl.h>
#include <windows.h>

#include <initguid.h>

#include "BrindtSysInfo_h.h"
