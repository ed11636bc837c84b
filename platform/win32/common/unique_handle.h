// SPDX-License-Identifier: MIT
// The one owner template for Win32 handles: each handle is given back exactly once, on every path. Each kind
// also counts its live handles, so that a leak shows where the system does not count its objects (Wine).
#pragma once

#include <atomic>
#include <utility>

namespace bsi::win32 {

/// Owns a handle; `Close` is how it is given back, `Invalid` the value that owns nothing.
template <class Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {
    if (handle_ != Invalid) ++live_;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, Invalid)),
        filled_by_callee_(std::exchange(other.filled_by_callee_, false)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept {
    Settle();
    return handle_;
  }
  explicit operator bool() const noexcept { return get() != Invalid; }
  /// For out-parameters: gives back what is owned and hands out the slot.
  Handle* put() noexcept {
    reset();
    filled_by_callee_ = true;
    return &handle_;
  }
  Handle release() noexcept {
    Settle();
    if (handle_ != Invalid) --live_;
    return std::exchange(handle_, Invalid);
  }
  void reset(Handle handle = Invalid) noexcept {
    Settle();
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
  // A handle written through put() is counted the first time the owner looks at it again.
  void Settle() const noexcept {
    if (!filled_by_callee_) return;
    filled_by_callee_ = false;
    if (handle_ != Invalid) ++live_;
  }

  Handle handle_ = Invalid;
  mutable bool filled_by_callee_ = false;
  static inline std::atomic<int> live_{0};
};

}  // namespace bsi::win32
