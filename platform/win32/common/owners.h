// SPDX-License-Identifier: MIT
// One owner type per handle kind, so that every path frees what it got.
#pragma once

#include <windows.h>
// After windows.h:
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace bsi::com {

/// Owns a handle; `Close` is how the handle is given back, `Invalid` the value that owns nothing.
template <class Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Invalid));
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Invalid; }
  /// For out-parameters: frees what is owned and hands out the slot.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }
  Handle release() noexcept { return std::exchange(handle_, Invalid); }
  void reset(Handle handle = Invalid) noexcept {
    if (handle_ != Invalid) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid;
};

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
