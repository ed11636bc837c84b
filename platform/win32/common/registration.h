// SPDX-License-Identifier: MIT
// Self-registration of an in-process server: its classes under HKCR\CLSID, their ProgIDs and its type library.
// Unregistration removes exactly what registration wrote.
#pragma once

#include <windows.h>

#include <span>

namespace bsi::com {

/// One more value under a class's CLSID key (e.g. "Control" or "MiscStatus"); `name` null is the default value.
struct ClassValue {
  const wchar_t* subkey;
  const wchar_t* name;
  const wchar_t* value;
};

struct ClassRegistration {
  const CLSID* clsid;
  const wchar_t* prog_id;      // e.g. L"BrindtSysQuery.MemoryInfo"
  const wchar_t* description;  // the class key's default value
  std::span<const ClassValue> more = {};
};

struct TypeLibraryId {
  const GUID* libid;
  WORD major;
  WORD minor;
};

/// Registers the classes (apartment threaded, served by this module) and the module's type library resource 1.
/// On failure it removes what it wrote.
HRESULT RegisterServer(std::span<const ClassRegistration> classes, const TypeLibraryId& library) noexcept;

/// Removes the classes, their ProgIDs and the type library; what is already gone counts as removed.
HRESULT UnregisterServer(std::span<const ClassRegistration> classes, const TypeLibraryId& library) noexcept;

}  // namespace bsi::com
