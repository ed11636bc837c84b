// SPDX-License-Identifier: MIT
#include "registration.h"

#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

#include "module.h"
#include "owners.h"

namespace bsi::com {
namespace {

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

LSTATUS SetText(HKEY parent, const std::wstring& subkey, const wchar_t* name, const std::wstring& value) {
  UniqueHkey key;
  LSTATUS status = RegCreateKeyExW(parent, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                   key.put(), nullptr);
  if (status != ERROR_SUCCESS) return status;
  return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS DeleteTree(const std::wstring& subkey) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, subkey.c_str());
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  // RegDeleteTreeW empties the key; the key itself goes with RegDeleteKeyW.
  const LSTATUS removed = RegDeleteKeyW(HKEY_CLASSES_ROOT, subkey.c_str());
  return removed == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : removed;
}

LSTATUS RegisterClass(const ClassRegistration& entry, const std::wstring& module, const std::wstring& libid,
                      const TypeLibraryId& library) {
  const std::wstring clsid_key = L"CLSID\\" + GuidText(*entry.clsid);
  const std::wstring version = std::to_wstring(library.major) + L"." + std::to_wstring(library.minor);
  LSTATUS status = ERROR_SUCCESS;
  auto set = [&](const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    if (status == ERROR_SUCCESS) status = SetText(HKEY_CLASSES_ROOT, key, name, value);
  };
  set(clsid_key, nullptr, entry.description);
  set(clsid_key + L"\\InprocServer32", nullptr, module);
  set(clsid_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  set(clsid_key + L"\\ProgID", nullptr, entry.prog_id);
  set(clsid_key + L"\\TypeLib", nullptr, libid);
  set(clsid_key + L"\\Version", nullptr, version);
  for (const ClassValue& more : entry.more) {
    const std::wstring key =
        more.subkey != nullptr && *more.subkey != L'\0' ? clsid_key + L"\\" + more.subkey : clsid_key;
    set(key, more.name, more.value);
  }
  set(entry.prog_id, nullptr, entry.description);
  set(std::wstring(entry.prog_id) + L"\\CLSID", nullptr, GuidText(*entry.clsid));
  return status;
}

}  // namespace

HRESULT RegisterServer(std::span<const ClassRegistration> classes, const TypeLibraryId& library) noexcept {
  try {
    std::wstring module = ModulePath();
    if (module.empty()) return SELFREG_E_CLASS;
    const std::wstring libid = GuidText(*library.libid);
    for (const ClassRegistration& entry : classes) {
      if (RegisterClass(entry, module, libid, library) != ERROR_SUCCESS) {
        UnregisterServer(classes, library);
        return SELFREG_E_CLASS;
      }
    }
    Microsoft::WRL::ComPtr<ITypeLib> loaded;
    HRESULT hr = LoadTypeLibEx(module.c_str(), REGKIND_NONE, &loaded);
    if (SUCCEEDED(hr)) hr = RegisterTypeLib(loaded.Get(), module.data(), nullptr);
    if (FAILED(hr)) {
      UnregisterServer(classes, library);
      return SELFREG_E_TYPELIB;
    }
    return S_OK;
  } catch (...) {
    UnregisterServer(classes, library);
    return E_OUTOFMEMORY;
  }
}

HRESULT UnregisterServer(std::span<const ClassRegistration> classes, const TypeLibraryId& library) noexcept {
  try {
    HRESULT result = S_OK;
    for (const ClassRegistration& entry : classes) {
      if (DeleteTree(L"CLSID\\" + GuidText(*entry.clsid)) != ERROR_SUCCESS) result = SELFREG_E_CLASS;
      if (DeleteTree(entry.prog_id) != ERROR_SUCCESS) result = SELFREG_E_CLASS;
    }
    // UnRegisterTypeLib removes the TypeLib key and the Interface keys of the library's interfaces. Asked for a
    // library that is not registered, Windows answers TYPE_E_REGISTRYACCESS and Wine E_INVALIDARG: look first.
    const std::wstring version_key = L"TypeLib\\" + GuidText(*library.libid) + L"\\" + std::to_wstring(library.major) +
                                     L"." + std::to_wstring(library.minor);
    UniqueHkey registered;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, version_key.c_str(), 0, KEY_READ, registered.put()) == ERROR_SUCCESS) {
      registered.reset();
      const HRESULT hr = UnRegisterTypeLib(*library.libid, library.major, library.minor, LOCALE_NEUTRAL, SYS_WIN64);
      if (FAILED(hr)) result = SELFREG_E_TYPELIB;
    }
    return result;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace bsi::com
