// SPDX-License-Identifier: MIT
// Self-registration of an in-process server from its table (registration_table.h), for one bitness beside the
// other: class keys live in each bitness's own registry view, ProgIDs and the type library's version key are
// shared, and unregistering one bitness leaves the other working.
#pragma once

#include <windows.h>

#include "registration_table.h"

namespace bsi::win32::com {

/// Writes every row of the table with this module's path and registers the module's type library resource 1
/// (its TypeLib\...\win32 or \win64 key and the Interface keys). On a failure it takes back what it wrote.
HRESULT RegisterServer(const ServerTable& server) noexcept;

/// Removes this bitness's class keys and its win32 or win64 type library key. ProgIDs and the type library's
/// version key go only when the other registry view registers none of the classes any more, a ProgID only
/// while it still names its class. What is already gone counts as removed.
HRESULT UnregisterServer(const ServerTable& server) noexcept;

}  // namespace bsi::win32::com
