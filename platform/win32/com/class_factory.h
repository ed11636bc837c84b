// SPDX-License-Identifier: MIT
// The class factory of one coclass: creates with a count of one, asks the object for the wanted interface, and
// lets go of its own reference, so a failed QueryInterface frees the object again.
#pragma once

#include <new>

#include "com_object.h"

namespace bsi::win32::com {

template <typename Object>
class ClassFactory final : public ComObject<ClassFactory<Object>, IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* object = new (std::nothrow) Object();
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override {
    ModuleLock::Lock(lock != FALSE);
    return S_OK;
  }
};

}  // namespace bsi::win32::com
