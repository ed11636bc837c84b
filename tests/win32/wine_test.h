// SPDX-License-Identifier: MIT
// Checks in the manner of Wine's own tests: ok(condition, "format", ...) prints the condition and the message when
// the check fails; Summary() prints the count and gives the exit code. ok_at(where, ...) names a caller's line.
// Also the few helpers every test program needs: text for messages, the program's folder, GUID and BSTR text.
#pragma once

#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <oleauto.h>

#include <cstdarg>
#include <cstdio>
#include <source_location>
#include <string>

namespace wine_test {

inline int executed = 0;
inline int failed = 0;
inline int skipped = 0;

using Where = std::source_location;

inline const char* BaseName(const char* file) {
  const char* base = file;
  for (const char* p = file; *p; ++p) {
    if (*p == '/' || *p == '\\') base = p + 1;
  }
  return base;
}

inline void Check(bool condition, const char* file, int line, const char* condition_text, const char* format, ...) {
  ++executed;
  if (condition) return;
  ++failed;
  std::printf("%s:%d: Test failed: (%s) ", BaseName(file), line, condition_text);
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::fflush(stdout);
}

inline void Skip(const char* file, int line, const char* format, ...) {
  ++skipped;
  std::printf("%s:%d: Tests skipped: ", BaseName(file), line);
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::fflush(stdout);
}

/// UTF-8 of a wide string, for messages.
inline std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

/// The folder of the running test program, with a trailing backslash; the modules are built beside it.
inline std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring file = path;
  return file.substr(0, file.find_last_of(L"\\/") + 1);
}

inline std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

/// The text of `value`, which it frees.
inline std::wstring TakeBstr(BSTR value) {
  std::wstring text = value ? std::wstring(value, SysStringLen(value)) : std::wstring();
  SysFreeString(value);
  return text;
}

/// Prints "NAME: N tests executed (N failures, N skipped)" and returns the process exit code.
inline int Summary(const char* name) {
  std::printf("%s: %d tests executed (%d failures, %d skipped)\n", name, executed, failed, skipped);
  std::fflush(stdout);
  return failed == 0 ? 0 : 1;
}

}  // namespace wine_test

#define ok(condition, ...) ::wine_test::Check((condition), __FILE__, __LINE__, #condition, __VA_ARGS__)
#define ok_at(where, condition, ...) \
  ::wine_test::Check((condition), (where).file_name(), static_cast<int>((where).line()), #condition, __VA_ARGS__)
#define skip(...) ::wine_test::Skip(__FILE__, __LINE__, __VA_ARGS__)
