// SPDX-License-Identifier: MIT
#include "registration.h"

#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

#include "common/module.h"
#include "common/owners.h"
#include "identity.h"
#include "registry.h"

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {
namespace {

using bsi::com::ModulePath;
using bsi::com::UniqueHkey;

// CATID_Control: the class is an ActiveX control. No safe-for-scripting or safe-for-initialization category:
// the control shows machine facts and is meant for trusted hosts only.
constexpr GUID kCatidControl = {0x40FC6ED4, 0x2438, 0x11CF, {0xA3, 0xDB, 0x08, 0x00, 0x36, 0xF1, 0x25, 0x02}};

std::wstring ClassKey() {
  return L"CLSID\\" + GuidText(CLSID_ctlBrindtSysInfo);
}

HRESULT FromStatus(LSTATUS status) noexcept {
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT WriteClassKeys(const std::wstring& module) {
  const std::wstring clsid = GuidText(CLSID_ctlBrindtSysInfo);
  const std::wstring key = ClassKey();
  const std::wstring misc = std::to_wstring(kMiscStatus);
  const struct {
    std::wstring path;
    const wchar_t* name;
    std::wstring value;
  } values[] = {
      {key, nullptr, kUserType},
      {key + L"\\InprocServer32", nullptr, module},
      {key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {key + L"\\ProgID", nullptr, kProgId},
      {key + L"\\VersionIndependentProgID", nullptr, kVersionIndependentProgId},
      {key + L"\\MiscStatus", nullptr, misc},
      {key + L"\\MiscStatus\\1", nullptr, misc},
      {key + L"\\ToolboxBitmap32", nullptr, module + L", " + std::to_wstring(kToolboxBitmapId)},
      {key + L"\\TypeLib", nullptr, GuidText(LIBID_BrindtSysInfo)},
      {key + L"\\Version", nullptr, kClassVersion},
      {kProgId, nullptr, kUserType},
      {std::wstring(kProgId) + L"\\CLSID", nullptr, clsid},
      {kVersionIndependentProgId, nullptr, kUserType},
      {std::wstring(kVersionIndependentProgId) + L"\\CLSID", nullptr, clsid},
      {std::wstring(kVersionIndependentProgId) + L"\\CurVer", nullptr, kProgId},
  };
  for (const auto& value : values) {
    if (const HRESULT hr = FromStatus(WriteString(HKEY_CLASSES_ROOT, value.path, value.name, value.value));
        FAILED(hr)) {
      return hr;
    }
  }
  if (const HRESULT hr = FromStatus(WriteKey(HKEY_CLASSES_ROOT, key + L"\\Control")); FAILED(hr)) return hr;
  return FromStatus(WriteKey(HKEY_CLASSES_ROOT, key + L"\\Implemented Categories\\" + GuidText(kCatidControl)));
}

// A ProgID key goes only when it still names this class: another module may have taken the name over since.
HRESULT DeleteProgId(const wchar_t* progId) {
  std::wstring clsid;
  if (!ReadString(HKEY_CLASSES_ROOT, std::wstring(progId) + L"\\CLSID", nullptr, clsid)) {
    // Nothing of ours there, unless it is an empty remainder of an earlier registration.
    UniqueHkey key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, progId, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return S_OK;
    DWORD subkeys = 1;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS ||
        subkeys != 0) {
      return S_OK;
    }
    key.reset();
    return FromStatus(DeleteTree(HKEY_CLASSES_ROOT, progId));
  }
  if (_wcsicmp(clsid.c_str(), GuidText(CLSID_ctlBrindtSysInfo).c_str()) != 0) return S_OK;
  return FromStatus(DeleteTree(HKEY_CLASSES_ROOT, progId));
}

HRESULT UnregisterClassKeys() {
  HRESULT result = FromStatus(DeleteTree(HKEY_CLASSES_ROOT, ClassKey()));
  if (const HRESULT hr = DeleteProgId(kProgId); FAILED(hr) && SUCCEEDED(result)) result = hr;
  if (const HRESULT hr = DeleteProgId(kVersionIndependentProgId); FAILED(hr) && SUCCEEDED(result)) result = hr;
  return result;
}

HRESULT UnregisterTypeLibrary() noexcept {
  // Not registered (any more) is what unregistration wants; UnRegisterTypeLib itself would call that a failure.
  BSTR path = nullptr;
  if (FAILED(QueryPathOfRegTypeLib(LIBID_BrindtSysInfo, kTypeLibMajor, kTypeLibMinor, kTypeLibLcid, &path))) {
    return S_OK;
  }
  SysFreeString(path);
  const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  return UnRegisterTypeLib(LIBID_BrindtSysInfo, kTypeLibMajor, kTypeLibMinor, kTypeLibLcid, kind);
}

void RollBack() noexcept {
  try {
    UnregisterClassKeys();
  } catch (...) {
    // Out of memory while taking back: the type library still goes.
  }
  UnregisterTypeLibrary();
}

}  // namespace

HRESULT RegisterServer() noexcept {
  try {
    const std::wstring module = ModulePath();
    if (module.empty()) return SELFREG_E_CLASS;
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(module.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    hr = RegisterTypeLib(library.Get(), const_cast<wchar_t*>(module.c_str()), nullptr);
    if (FAILED(hr)) return SELFREG_E_TYPELIB;
    hr = WriteClassKeys(module);
    if (FAILED(hr)) {
      RollBack();
      return SELFREG_E_CLASS;
    }
    return S_OK;
  } catch (...) {
    RollBack();
    return E_OUTOFMEMORY;
  }
}

HRESULT UnregisterServer() noexcept {
  try {
    const HRESULT classes = UnregisterClassKeys();
    const HRESULT library = UnregisterTypeLibrary();
    if (FAILED(classes)) return SELFREG_E_CLASS;
    if (FAILED(library)) return SELFREG_E_TYPELIB;
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace bsi::win32::com
