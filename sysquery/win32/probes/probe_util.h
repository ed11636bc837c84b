// SPDX-License-Identifier: MIT
// Small helpers the probe files share.
#pragma once

#include <windows.h>

#include <string>

#include "probes.h"

namespace bsq::detail {

[[noreturn]] inline void ThrowWin32(DWORD error, const char* what) {
  throw ProbeError(HRESULT_FROM_WIN32(error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error), what);
}
[[noreturn]] inline void ThrowLastError(const char* what) {
  ThrowWin32(GetLastError(), what);
}

/// Text up to the first NUL of a buffer that need not hold one.
inline std::wstring FromBuffer(const wchar_t* text, std::size_t capacity) {
  if (text == nullptr) return {};
  std::size_t length = 0;
  while (length < capacity && text[length] != L'\0') ++length;
  return std::wstring(text, length);
}

/// A system DLL, loaded from the system folder on first use and kept for the life of the process. Under Wine,
/// winspool.drv reads every CUPS printer and winmm.dll starts the audio driver when they load, so the probes that
/// need them load them only when asked instead of making every host of the library pay at load time.
inline HMODULE LoadSystemLibrary(const wchar_t* name) {
  HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {  // Windows 7 without KB2533623
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    module = LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
  }
  return module;
}

template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
  return module == nullptr ? nullptr : reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

/// Text of a NUL-terminated string that may be a null pointer.
inline std::wstring FromPointer(const wchar_t* text) {
  return text == nullptr ? std::wstring() : std::wstring(text);
}

}  // namespace bsq::detail
