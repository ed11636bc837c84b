// SPDX-License-Identifier: MIT
// IDispatch for dual interfaces through the type library in the module's own resources, and ISupportErrorInfo.
#pragma once

#include <windows.h>
// After windows.h:
#include <oaidl.h>
#include <wrl/client.h>

#include "com_object.h"

namespace bsi::win32::com {

/// The type information of one interface of the module's type library, loaded once and cached. Thread-safe.
HRESULT GetInterfaceTypeInfo(REFIID iid, ITypeInfo** info) noexcept;
/// Lets go of the cached type library; DllMain calls it when the module is unloaded.
void ReleaseTypeInfoCache() noexcept;

/// A COM object whose default interface `Dual` is dual: IDispatch answers through the type information of `Dual`,
/// and error information is declared for `Dual`.
template <class Derived, class Dual, class... More>
class DispatchObject : public ComObject<Derived, Dual, ISupportErrorInfo, More...> {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept override {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return GetInterfaceTypeInfo(__uuidof(Dual), info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    Microsoft::WRL::ComPtr<ITypeInfo> info;
    const HRESULT hr = GetInterfaceTypeInfo(__uuidof(Dual), &info);
    if (FAILED(hr)) return hr;
    return info->GetIDsOfNames(names, count, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* arg_error) noexcept override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    Microsoft::WRL::ComPtr<ITypeInfo> info;
    const HRESULT hr = GetInterfaceTypeInfo(__uuidof(Dual), &info);
    if (FAILED(hr)) return hr;
    return info->Invoke(static_cast<Dual*>(this), id, flags, params, result, exception, arg_error);
  }
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) noexcept override {
    return riid == __uuidof(Dual) ? S_OK : S_FALSE;
  }
};

}  // namespace bsi::win32::com
