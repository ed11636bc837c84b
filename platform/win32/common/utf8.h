// SPDX-License-Identifier: MIT
// Wide text as UTF-8, for what programs write to files and standard streams.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace bsi::win32 {

inline std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace bsi::win32
