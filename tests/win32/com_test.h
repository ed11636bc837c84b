// SPDX-License-Identifier: MIT
// Helpers of the COM test programs: calls by name through IDispatch, and the error information of a failure.
#pragma once

#include <windows.h>
// After windows.h:
#include <oaidl.h>
#include <oleauto.h>

#include <string>

#include "wine_test.h"

namespace com_test {

/// Invokes `name` on `object` late-bound (DISPATCH_PROPERTYGET | DISPATCH_METHOD) with `count` arguments given in
/// source order; the result lands in `result` (cleared first).
inline HRESULT Invoke(IDispatch* object, const wchar_t* name, VARIANT* result, const VARIANT* args = nullptr,
                      UINT count = 0, WORD flags = DISPATCH_PROPERTYGET | DISPATCH_METHOD) {
  std::wstring copy = name;
  LPOLESTR names[] = {copy.data()};
  DISPID id = 0x0deadbee;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  // IDispatch takes the arguments last first.
  VARIANT reversed[8];
  for (UINT i = 0; i < count && i < 8; ++i) reversed[i] = args[count - 1 - i];
  DISPPARAMS params{reversed, nullptr, count, 0};
  VariantClear(result);
  EXCEPINFO exception{};
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, nullptr);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return hr;
}

/// The description and source of the thread's error information, taken (and cleared); empty when there is none.
struct ErrorText {
  std::wstring description;
  std::wstring source;
};
inline ErrorText TakeErrorInfo() {
  ErrorText text;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return text;
  BSTR value = nullptr;
  if (SUCCEEDED(info->GetDescription(&value)) && value != nullptr) text.description = value;
  SysFreeString(value);
  value = nullptr;
  if (SUCCEEDED(info->GetSource(&value)) && value != nullptr) text.source = value;
  SysFreeString(value);
  info->Release();
  return text;
}

inline bool IsGermanRun() {
  char value[64] = {};
  return GetEnvironmentVariableA("LC_ALL", value, sizeof(value)) > 0 && std::string(value).rfind("de", 0) == 0;
}

}  // namespace com_test
