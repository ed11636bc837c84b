// SPDX-License-Identifier: MIT
// What an in-process COM server puts into the registry, as plain data: the classes with their ProgIDs and extra
// values, and the type library. Self-registration writes these rows; an installer's registry table or a
// side-by-side manifest can be made from the same data.
#pragma once

#include <windows.h>
// After windows.h:
#include <oleauto.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace bsi::win32::com {

/// Stands for the module's full path in a value; registration puts the path in its place. The macro is for
/// values that go on after the path (L"" BSI_MODULE_PATH L", 30000").
#define BSI_MODULE_PATH L"%MODULE%"
inline constexpr wchar_t kModulePath[] = BSI_MODULE_PATH;

/// One more value under a class's CLSID key: `subkey` below it (empty: the key itself), `name` null for the
/// default value, `value` null for a key that only has to exist (Control, a category).
struct ClassValue {
  const wchar_t* subkey;
  const wchar_t* name;
  const wchar_t* value;
};

struct ClassEntry {
  const CLSID* clsid;
  const wchar_t* description;  // the default value of the class key and of its ProgIDs
  const wchar_t* prog_id;
  const wchar_t* version_independent_prog_id = nullptr;  // with CurVer naming prog_id; null: none
  std::span<const ClassValue> extra = {};
};

struct TypeLibraryEntry {
  const GUID* libid;
  WORD major;
  WORD minor;
  LCID lcid;  // as the library declares it: TypeLib\{libid}\major.minor\<lcid in hex>
};

/// Everything one module registers. Every class is served by the module, apartment threaded, and described by
/// the library.
struct ServerTable {
  TypeLibraryEntry library;
  std::span<const ClassEntry> classes;
};

enum class KeyScope {
  kOwnView,  // HKCR\CLSID: each bitness has its own, 32-bit processes are redirected to WOW6432Node
  kShared,   // ProgIDs: one key that both bitnesses see
};

/// One registry value below HKEY_CLASSES_ROOT.
struct RegistryRow {
  KeyScope scope;
  std::wstring path;
  const wchar_t* name;                // null: the default value
  std::optional<std::wstring> value;  // may hold kModulePath; nullopt: the key alone
};

/// The rows of one class in the order registration writes them: the CLSID key first, then each ProgID with its
/// CLSID value ahead of the rest, so that a ProgID written in part already names the class it belongs to.
std::vector<RegistryRow> ClassRows(const ClassEntry& entry, const TypeLibraryEntry& library);

/// The library's key of one system kind: TypeLib\{libid}\major.minor\<lcid>\win32 or \win64.
std::wstring TypeLibraryKey(const TypeLibraryEntry& library, SYSKIND kind);
/// TypeLib\{libid}\major.minor, the key that both system kinds share.
std::wstring TypeLibraryVersionKey(const TypeLibraryEntry& library);

/// A GUID in registry notation, {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::wstring GuidText(REFGUID guid);

}  // namespace bsi::win32::com
