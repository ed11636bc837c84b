// SPDX-License-Identifier: MIT
// Self-registration of the control: the class keys, the ProgIDs and the type library.
#pragma once

#include <windows.h>

namespace bsi::win32::com {

/// Writes every key of the class and registers the type library. On a failure it takes back what it wrote.
HRESULT RegisterServer() noexcept;

/// Removes what RegisterServer wrote; keys that are already gone are no failure.
HRESULT UnregisterServer() noexcept;

}  // namespace bsi::win32::com
