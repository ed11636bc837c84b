// SPDX-License-Identifier: MIT
// Owners for the Win32 handles the probes open: each handle is released exactly once, on every path.
#pragma once

#include <windows.h>

#include "unique_handle.h"  // platform/win32/common

namespace bsq {

template <typename T, auto Close>
using UniqueHandle = bsi::win32::UniqueHandle<T, Close>;

namespace detail {
inline void CloseKey(HKEY key) noexcept {
  RegCloseKey(key);
}
inline void CloseHandleChecked(HANDLE handle) noexcept {
  CloseHandle(handle);
}
inline void ReleaseScreenDc(HDC dc) noexcept {
  ReleaseDC(nullptr, dc);
}
inline void FreeSidChecked(PSID sid) noexcept {
  FreeSid(sid);
}
}  // namespace detail

using UniqueHkey = UniqueHandle<HKEY, &detail::CloseKey>;
// Only for calls that fail with a null handle (OpenProcessToken, CreateEventW), not CreateFileW.
using UniqueKernelHandle = UniqueHandle<HANDLE, &detail::CloseHandleChecked>;
using UniqueScreenDc = UniqueHandle<HDC, &detail::ReleaseScreenDc>;  // from GetDC(nullptr)
using UniqueSid = UniqueHandle<PSID, &detail::FreeSidChecked>;       // from AllocateAndInitializeSid

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

}  // namespace bsq
