// SPDX-License-Identifier: MIT
// The module's own state: its instance handle, and the object and lock counts behind DllCanUnloadNow.
#pragma once

#include <windows.h>

#include <string>

namespace bsi::win32::com {

class ModuleLock {
 public:
  static void AddObject() noexcept;
  static void RemoveObject() noexcept;
  /// IClassFactory::LockServer.
  static void Lock(bool lock) noexcept;
  /// True while an object lives or a lock is held.
  static bool InUse() noexcept;
};

/// The module's instance handle (set by DllMain).
HINSTANCE ModuleInstance() noexcept;

/// The module's full path, or an empty string when the system cannot tell it.
std::wstring ModulePath();

}  // namespace bsi::win32::com
