// SPDX-License-Identifier: MIT
// One owner type per handle kind, so that every path frees what it got.
#pragma once

#include <windows.h>
// After windows.h:
#include <oleauto.h>

#include <string>
#include <string_view>

#include "unique_handle.h"

namespace bsi::com {

template <class Handle, auto Close, Handle Invalid = Handle{}>
using UniqueHandle = win32::UniqueHandle<Handle, Close, Invalid>;

using UniqueHkey = UniqueHandle<HKEY, &RegCloseKey>;
using UniqueBstr = UniqueHandle<BSTR, &SysFreeString>;

/// A BSTR copy of `text`; throws std::bad_alloc when there is no memory for it.
BSTR AllocBstr(std::wstring_view text);

/// Owns a VARIANT: cleared on scope exit.
class UniqueVariant {
 public:
  UniqueVariant() noexcept { VariantInit(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { VariantClear(&value_); }
  VARIANT* get() noexcept { return &value_; }
  const VARIANT* get() const noexcept { return &value_; }
  VARIANT* operator->() noexcept { return &value_; }
  /// Clears the value and hands out the slot for an out-parameter.
  VARIANT* put() noexcept {
    VariantClear(&value_);
    return &value_;
  }
  /// Moves the value into `target` (which must be initialised or empty) and leaves this one empty.
  void Detach(VARIANT* target) noexcept {
    *target = value_;
    VariantInit(&value_);
  }

 private:
  VARIANT value_;
};

/// CoInitializeEx for the current thread, undone on scope exit when it succeeded.
class ComInitializer {
 public:
  explicit ComInitializer(DWORD model = COINIT_APARTMENTTHREADED) noexcept : hr_(CoInitializeEx(nullptr, model)) {}
  ComInitializer(const ComInitializer&) = delete;
  ComInitializer& operator=(const ComInitializer&) = delete;
  ~ComInitializer() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  HRESULT result() const noexcept { return hr_; }

 private:
  HRESULT hr_;
};

}  // namespace bsi::com
