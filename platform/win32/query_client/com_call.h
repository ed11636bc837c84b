// SPDX-License-Identifier: MIT
// Calling one early-bound interface of the query library and converting its results to the core's types.
#pragma once

#include <windows.h>
// After windows.h:
#include <oaidl.h>
#include <wrl/client.h>

#include <utility>

#include "query_client.h"
#include "runtime/text.h"
#include "runtime/variant.h"
#include "unique_handle.h"

namespace bsi::win32 {

inline Text ToText(BSTR text) {
  if (text == nullptr) return {};
  return Text(text, text + SysStringLen(text));
}

/// The core's value of a VARIANT the library returned. Objects that are drive collections become Collections;
/// kinds the core has no place for are converted to text, or raise 13 when they cannot be.
Variant ToVariant(const VARIANT& value);

/// Holds the object's interface `I` and raises every failing call as the run-time error it maps to.
template <class I>
class ComCaller {
 public:
  explicit ComCaller(Microsoft::WRL::ComPtr<I> object) noexcept : object_(std::move(object)) {}

  template <class Method, class... Args>
  void Call(Method method, Args&&... args) {
    Check((object_.Get()->*method)(std::forward<Args>(args)...));
  }
  Text GetText(HRESULT (STDMETHODCALLTYPE I::*get)(BSTR*)) {
    UniqueBstr text;
    Call(get, text.put());
    return ToText(text.get());
  }
  template <class T>
  T Get(HRESULT (STDMETHODCALLTYPE I::*get)(T*)) {
    T value{};
    Call(get, &value);
    return value;
  }
  Variant GetVariant(HRESULT (STDMETHODCALLTYPE I::*get)(VARIANT*)) {
    UniqueVariant value;
    Call(get, value.put());
    return ToVariant(*value.get());
  }
  I* get() const noexcept { return object_.Get(); }

 private:
  void Check(HRESULT hr) {
    if (FAILED(hr)) RaiseHresult(hr, object_.Get(), __uuidof(I));
  }
  Microsoft::WRL::ComPtr<I> object_;
};

}  // namespace bsi::win32
