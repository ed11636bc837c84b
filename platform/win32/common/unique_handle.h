// SPDX-License-Identifier: MIT
// Every owner of a Win32 or OLE handle, in one place: each handle is given back exactly once, on every path.
// Each kind also counts its live handles, so that a leak shows where the system does not count its objects (Wine).
#pragma once

#include <windows.h>
// After windows.h:
#include <oleauto.h>

#include <atomic>
#include <new>
#include <string_view>
#include <utility>

namespace bsi::win32 {

/// Owns a handle; `Close` is how it is given back (its result is ignored), `Invalid` the value that owns nothing.
/// Reading the handle never changes the owner or the count.
template <class Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
 public:
  /// The slot that put() hands to a callee. It converts to `Handle*`; when the call's full expression ends, the
  /// handle the callee wrote is counted.
  class OutSlot {
   public:
    explicit OutSlot(UniqueHandle& owner) noexcept : owner_(owner) {}
    OutSlot(const OutSlot&) = delete;
    OutSlot& operator=(const OutSlot&) = delete;
    ~OutSlot() {
      if (owner_.handle_ != Invalid) ++live_;
    }
    operator Handle*() const noexcept { return &owner_.handle_; }

   private:
    UniqueHandle& owner_;
  };

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {
    if (handle_ != Invalid) ++live_;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Invalid; }
  /// For out-parameters: gives back what is owned and hands out the slot.
  [[nodiscard]] OutSlot put() noexcept {
    reset();
    return OutSlot(*this);
  }
  Handle release() noexcept {
    if (handle_ != Invalid) --live_;
    return std::exchange(handle_, Invalid);
  }
  void reset(Handle handle = Invalid) noexcept {
    if (handle_ != Invalid) {
      Close(handle_);
      --live_;
    }
    handle_ = handle;
    if (handle_ != Invalid) ++live_;
  }

  /// How many handles of this kind are owned right now, in the whole process.
  static int live() noexcept { return live_.load(); }

 private:
  Handle handle_ = Invalid;
  static inline std::atomic<int> live_{0};
};

using UniqueHkey = UniqueHandle<HKEY, &RegCloseKey>;
using UniqueBstr = UniqueHandle<BSTR, &SysFreeString>;
using UniqueHwnd = UniqueHandle<HWND, &DestroyWindow>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, &DeleteObject>;  // fonts, brushes, bitmaps
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueMenu = UniqueHandle<HMENU, &DestroyMenu>;
using UniqueSid = UniqueHandle<PSID, &FreeSid>;  // from AllocateAndInitializeSid

/// A BSTR copy of `text`; throws std::bad_alloc when there is no memory for it.
inline BSTR AllocBstr(std::wstring_view text) {
  if (text.size() > 0x7FFFFFF0u) throw std::bad_alloc();
  BSTR result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (result == nullptr) throw std::bad_alloc();
  return result;
}

/// A window's DC from GetDC (the screen's for a null window), released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

/// Selects an object into a DC and puts the old one back on scope exit.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

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

/// Suppresses the critical-error and open-file dialogs for this thread while it lives (a drive without media
/// would otherwise ask the user to insert a disk).
class ThreadErrorModeGuard {
 public:
  ThreadErrorModeGuard() noexcept { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
  ThreadErrorModeGuard(const ThreadErrorModeGuard&) = delete;
  ThreadErrorModeGuard& operator=(const ThreadErrorModeGuard&) = delete;
  ~ThreadErrorModeGuard() { SetThreadErrorMode(old_, nullptr); }

 private:
  DWORD old_ = 0;
};

}  // namespace bsi::win32
