// SPDX-License-Identifier: MIT
#include "dispatch.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <mutex>
#include <utility>
#include <vector>

namespace bsi::win32::com {
namespace {

using Microsoft::WRL::ComPtr;

struct TypeInfoCache {
  std::mutex mutex;
  ComPtr<ITypeLib> library;
  std::vector<std::pair<IID, ComPtr<ITypeInfo>>> infos;
};

TypeInfoCache& Cache() {
  static TypeInfoCache cache;
  return cache;
}

}  // namespace

HRESULT GetInterfaceTypeInfo(REFIID iid, ITypeInfo** info) noexcept {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  try {
    TypeInfoCache& cache = Cache();
    std::lock_guard lock(cache.mutex);
    for (const auto& [known, cached] : cache.infos) {
      if (known == iid) return cached.CopyTo(info);
    }
    if (!cache.library) {
      // The library is the module's own TYPELIB resource 1; loading it by path needs no registration.
      const std::wstring path = ModulePath();
      if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
      const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &cache.library);
      if (FAILED(hr)) return hr;
    }
    ComPtr<ITypeInfo> found;
    const HRESULT hr = cache.library->GetTypeInfoOfGuid(iid, &found);
    if (FAILED(hr)) return hr;
    cache.infos.emplace_back(iid, found);
    return found.CopyTo(info);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

void ReleaseTypeInfoCache() noexcept {
  TypeInfoCache& cache = Cache();
  std::lock_guard lock(cache.mutex);
  cache.infos.clear();
  cache.library.Reset();
}

}  // namespace bsi::win32::com
