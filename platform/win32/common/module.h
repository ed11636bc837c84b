// SPDX-License-Identifier: MIT
// What a COM server module knows of itself: its handle and how many objects and locks keep it loaded.
#pragma once

#include <windows.h>

#include <string>

namespace bsi::win32::com {

/// Records the module's handle; DllMain calls it on DLL_PROCESS_ATTACH.
void SetModuleHandle(HINSTANCE module) noexcept;
HINSTANCE ModuleHandle() noexcept;
/// The module's full path, as registration writes it (empty when it cannot be read).
std::wstring ModulePath();

/// Live objects and LockServer locks; DllCanUnloadNow answers S_OK only when this is zero.
void AddModuleReference() noexcept;
void ReleaseModuleReference() noexcept;
/// IClassFactory::LockServer; an unlock without a matching lock is ignored.
void AddServerLock() noexcept;
void ReleaseServerLock() noexcept;
long ModuleReferences() noexcept;

}  // namespace bsi::win32::com
