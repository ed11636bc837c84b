// SPDX-License-Identifier: MIT
// The module's own type library (resource TYPELIB 1), loaded once per process and shared by every object.
#pragma once

#include <windows.h>

#include <oaidl.h>

namespace bsi::win32::com {

/// The type information of `guid` (an interface or the coclass) from the module's type library, AddRef'd.
HRESULT GetModuleTypeInfo(REFGUID guid, ITypeInfo** out) noexcept;

/// Releases the cached type library; DllMain calls it when the module is unloaded.
void ReleaseModuleTypeLib() noexcept;

}  // namespace bsi::win32::com
