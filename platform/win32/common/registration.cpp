// SPDX-License-Identifier: MIT
#include "registration.h"

#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include <optional>
#include <string>
#include <string_view>

#include "module.h"
#include "unique_handle.h"

namespace bsi::win32::com {
namespace {

constexpr SYSKIND kOwnKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

// The registry view of the other bitness: a 64-bit process always has the 32-bit one beside it, a 32-bit process
// has the 64-bit one only under WoW64 (32-bit Windows has no other view).
std::optional<REGSAM> OtherView() noexcept {
  if constexpr (sizeof(void*) == 8) return KEY_WOW64_32KEY;
  BOOL wow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) return KEY_WOW64_64KEY;
  return std::nullopt;
}

bool KeyExists(const std::wstring& path, REGSAM view = 0) {
  UniqueHkey key;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE | view, key.put()) == ERROR_SUCCESS;
}

// Only the class key tells whether the other bitness still registers a class: its ProgIDs and the type library's
// version key are the same keys as ours.
bool RegisteredInOtherView(const ClassEntry& entry) {
  const std::optional<REGSAM> other = OtherView();
  return other && KeyExists(L"CLSID\\" + GuidText(*entry.clsid), *other);
}

std::wstring WithModule(std::wstring value, const std::wstring& module) {
  constexpr std::wstring_view placeholder = kModulePath;
  for (auto at = value.find(placeholder); at != std::wstring::npos; at = value.find(placeholder, at + module.size())) {
    value.replace(at, placeholder.size(), module);
  }
  return value;
}

LSTATUS WriteRow(const RegistryRow& row, const std::wstring& module) {
  UniqueHkey key;
  const LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, row.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_SET_VALUE, nullptr, key.put(), nullptr);
  if (status != ERROR_SUCCESS || !row.value) return status;
  const std::wstring value = WithModule(*row.value, module);
  return RegSetValueExW(key.get(), row.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS DeleteTree(const std::wstring& path) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  // Some systems only empty the key named by a subkey path; then it goes here.
  const LSTATUS removed = RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
  return removed == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : removed;
}

// A ProgID is ours only while its CLSID value names our class: another module may have taken the name over.
bool NamesClass(const wchar_t* prog_id, const std::wstring& clsid) {
  wchar_t value[64] = {};  // a GUID has 38 characters; anything longer is not ours
  DWORD size = sizeof(value);
  return RegGetValueW(HKEY_CLASSES_ROOT, (std::wstring(prog_id) + L"\\CLSID").c_str(), nullptr, RRF_RT_REG_SZ, nullptr,
                      value, &size) == ERROR_SUCCESS &&
         _wcsicmp(value, clsid.c_str()) == 0;
}

HRESULT UnregisterTypeLibrary(const TypeLibraryEntry& library, bool other_view_registers) {
  if (other_view_registers) {
    // RegisterTypeLib of either bitness writes the Interface keys into both views, and UnRegisterTypeLib removes
    // them from both: while the other bitness is registered they stay, and only our own system kind's key goes.
    return DeleteTree(TypeLibraryKey(library, kOwnKind)) == ERROR_SUCCESS ? S_OK : SELFREG_E_TYPELIB;
  }
  HRESULT result = S_OK;
  // Asked for a library that is not registered, Windows answers TYPE_E_REGISTRYACCESS and Wine E_INVALIDARG.
  if (KeyExists(TypeLibraryKey(library, kOwnKind)) &&
      FAILED(UnRegisterTypeLib(*library.libid, library.major, library.minor, library.lcid, kOwnKind))) {
    result = SELFREG_E_TYPELIB;
  }
  // What UnRegisterTypeLib leaves (FLAGS, HELPDIR, the key of a bitness whose classes are gone) goes with the
  // version key, and the library's key when no other version is registered.
  if (DeleteTree(TypeLibraryVersionKey(library)) != ERROR_SUCCESS) result = SELFREG_E_TYPELIB;
  RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"TypeLib\\" + GuidText(*library.libid)).c_str());
  return result;
}

// The library resource must be the one the table names, or unregistration would look for it under other keys.
bool MatchesTable(ITypeLib* loaded, const TypeLibraryEntry& library) {
  TLIBATTR* attributes = nullptr;
  if (FAILED(loaded->GetLibAttr(&attributes))) return false;
  const bool same = attributes->guid == *library.libid && attributes->wMajorVerNum == library.major &&
                    attributes->wMinorVerNum == library.minor && attributes->lcid == library.lcid &&
                    attributes->syskind == kOwnKind;
  loaded->ReleaseTLibAttr(attributes);
  return same;
}

HRESULT TakeBack(const ServerTable& server, HRESULT failure) noexcept {
  UnregisterServer(server);
  return failure;
}

}  // namespace

HRESULT RegisterServer(const ServerTable& server) noexcept {
  try {
    std::wstring module = ModulePath();
    if (module.empty()) return SELFREG_E_CLASS;
    Microsoft::WRL::ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLibEx(module.c_str(), REGKIND_NONE, &library)) || !MatchesTable(library.Get(), server.library)) {
      return SELFREG_E_TYPELIB;
    }
    for (const ClassEntry& entry : server.classes) {
      for (const RegistryRow& row : ClassRows(entry, server.library)) {
        if (WriteRow(row, module) != ERROR_SUCCESS) return TakeBack(server, SELFREG_E_CLASS);
      }
    }
    // The libraries have no help file. Without a help folder RegisterTypeLib would set HELPDIR, which both
    // bitnesses share, to the folder of whichever module came first, and leave it when that module goes.
    wchar_t no_help_folder[] = L"";
    if (FAILED(RegisterTypeLib(library.Get(), module.data(), no_help_folder))) {
      return TakeBack(server, SELFREG_E_TYPELIB);
    }
    return S_OK;
  } catch (...) {
    return TakeBack(server, E_OUTOFMEMORY);
  }
}

HRESULT UnregisterServer(const ServerTable& server) noexcept {
  try {
    HRESULT result = S_OK;
    bool other_view_registers = false;
    for (const ClassEntry& entry : server.classes) {
      const std::wstring clsid = GuidText(*entry.clsid);
      if (DeleteTree(L"CLSID\\" + clsid) != ERROR_SUCCESS) result = SELFREG_E_CLASS;
      if (RegisteredInOtherView(entry)) {
        other_view_registers = true;
        continue;
      }
      for (const wchar_t* prog_id : {entry.prog_id, entry.version_independent_prog_id}) {
        if (prog_id != nullptr && NamesClass(prog_id, clsid) && DeleteTree(prog_id) != ERROR_SUCCESS) {
          result = SELFREG_E_CLASS;
        }
      }
    }
    const HRESULT library = UnregisterTypeLibrary(server.library, other_view_registers);
    return FAILED(result) ? result : library;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace bsi::win32::com
