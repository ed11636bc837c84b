// SPDX-License-Identifier: MIT
// Small helpers the probe files share.
#pragma once

#include <windows.h>

#include <string>

#include "probes.h"

namespace bsq::detail {

inline bool IsGerman(LANGID language) {
  return PRIMARYLANGID(language) == LANG_GERMAN;
}

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

/// Text of a NUL-terminated string that may be a null pointer.
inline std::wstring FromPointer(const wchar_t* text) {
  return text == nullptr ? std::wstring() : std::wstring(text);
}

}  // namespace bsq::detail
