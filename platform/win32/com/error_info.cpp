// SPDX-License-Identifier: MIT
#include "error_info.h"

#include <oleauto.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {

HRESULT RuntimeErrorHresult(std::int32_t number) noexcept {
  if (number > 0 && number <= 0xFFFF) return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
  if (number < 0) return static_cast<HRESULT>(number);
  return E_FAIL;
}

HRESULT ReportRuntimeError(const RuntimeError& error, REFIID iid, const wchar_t* source) noexcept {
  const HRESULT hr = RuntimeErrorHresult(error.number());
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(&create))) return hr;
  create->SetGUID(iid);
  create->SetSource(const_cast<LPOLESTR>(source));
  // The description is copied into the error object, so the core's text need not outlive the call.
  create->SetDescription(const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(error.description().c_str())));
  ComPtr<IErrorInfo> info;
  if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
  return hr;
}

}  // namespace bsi::win32::com
