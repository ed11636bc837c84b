// SPDX-License-Identifier: MIT
#include "type_library.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <string>

#include "module.h"

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {
namespace {

// Objects live in any apartment of the process, so the first load is guarded.
SRWLOCK g_lock = SRWLOCK_INIT;
ITypeLib* g_library = nullptr;

HRESULT ModuleTypeLib(ComPtr<ITypeLib>& out) noexcept {
  AcquireSRWLockExclusive(&g_lock);
  HRESULT hr = S_OK;
  if (!g_library) {
    try {
      const std::wstring path = ModulePath();
      hr = path.empty() ? E_UNEXPECTED : LoadTypeLibEx(path.c_str(), REGKIND_NONE, &g_library);
    } catch (...) {
      hr = E_OUTOFMEMORY;
    }
  }
  if (SUCCEEDED(hr)) out = g_library;
  ReleaseSRWLockExclusive(&g_lock);
  return hr;
}

}  // namespace

HRESULT GetModuleTypeInfo(REFGUID guid, ITypeInfo** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  ComPtr<ITypeLib> library;
  if (const HRESULT hr = ModuleTypeLib(library); FAILED(hr)) return hr;
  return library->GetTypeInfoOfGuid(guid, out);
}

void ReleaseModuleTypeLib() noexcept {
  AcquireSRWLockExclusive(&g_lock);
  if (g_library) g_library->Release();
  g_library = nullptr;
  ReleaseSRWLockExclusive(&g_lock);
}

}  // namespace bsi::win32::com
