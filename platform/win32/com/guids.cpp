// SPDX-License-Identifier: MIT
// Defines the GUIDs of the type library (the generated header only declares them).
#include <windows.h>

#include <ocidl.h>

#include <initguid.h>

#include "BrindtSysInfo_h.h"
