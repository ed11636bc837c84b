// SPDX-License-Identifier: MIT
// The registration tests' scaffolding: where the modules are built, regsvr32 of either bitness, and a dump of what
// registration can touch (HKCR as this process sees it, and both views' CLSID and Interface keys by name), sorted,
// a line per key and per value: "path" and "path [name] type: data" (strings as text, other data as bytes).
#pragma once

#include <windows.h>
// After windows.h:
#include <objbase.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "wine_test.h"

namespace registry_dump {

using Dump = std::vector<std::wstring>;

/// The folder of the running test program, without a trailing backslash; the modules are built beside it.
inline std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring file = path;
  return file.substr(0, file.find_last_of(L"\\/"));
}

inline std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

/// regsvr32 /s `options` `module` with the regsvr32 of this process's bitness, or of the other one (from a 64-bit
/// process in syswow64, from a 32-bit one in sysnative); gives its exit code, or -1.
inline long Regsvr32(const std::wstring& options, const std::wstring& module, bool other_bitness = false) {
  wchar_t folder[MAX_PATH] = {};
  if (!other_bitness) {
    GetSystemDirectoryW(folder, MAX_PATH);
  } else if (sizeof(void*) == 8) {
    GetSystemWow64DirectoryW(folder, MAX_PATH);
  } else {
    GetWindowsDirectoryW(folder, MAX_PATH);
    wcscat_s(folder, L"\\Sysnative");
  }
  std::wstring command = L"\"" + std::wstring(folder) + L"\\regsvr32.exe\" /s " + options + L" \"" + module + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}

inline void DumpKey(HKEY parent, const std::wstring& name, const std::wstring& path, REGSAM view, Dump& dump) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
    return dump.push_back(path + L" <cannot be opened>");
  }
  dump.push_back(path);
  DWORD longest_name = 0, largest_data = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest_name, &largest_data,
                   nullptr, nullptr);
  std::vector<wchar_t> value(longest_name + 1);
  std::vector<BYTE> data(largest_data + 1);
  DWORD length = 0, size = 0, type = 0;
  for (DWORD i = 0; length = longest_name + 1, size = largest_data,
             RegEnumValueW(key, i, value.data(), &length, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
       ++i) {
    std::wstring text;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
      text.assign(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    } else {
      for (DWORD at = 0; at < size; ++at) text += std::to_wstring(data[at]) + L" ";
    }
    dump.push_back(path + L" [" + value.data() + L"] " + std::to_wstring(type) + L": " + text);
  }
  Dump subkeys;
  wchar_t subkey[256];
  for (DWORD i = 0; length = 256, RegEnumKeyExW(key, i, subkey, &length, nullptr, nullptr, nullptr, nullptr) == 0;
       ++i) {
    subkeys.push_back(subkey);
  }
  for (const std::wstring& child : subkeys) DumpKey(key, child, path + L"\\" + child, view, dump);
  RegCloseKey(key);
}

/// HKCR as this process sees it, but the keys that each view has for itself from both views, named
/// "64-bit CLSID..." and "32-bit CLSID...".
inline Dump TakeDump() {
  Dump dump;
  wchar_t name[256];
  DWORD length = 0;
  for (DWORD i = 0; length = 256,
             RegEnumKeyExW(HKEY_CLASSES_ROOT, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i) {
    if (_wcsicmp(name, L"CLSID") != 0 && _wcsicmp(name, L"Interface") != 0 && _wcsicmp(name, L"Wow6432Node") != 0) {
      DumpKey(HKEY_CLASSES_ROOT, name, name, 0, dump);
    }
  }
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    for (const std::wstring root : {L"CLSID", L"Interface"}) {
      DumpKey(HKEY_CLASSES_ROOT, root, (view == KEY_WOW64_64KEY ? L"64-bit " : L"32-bit ") + root, view, dump);
    }
  }
  std::sort(dump.begin(), dump.end());
  return dump;
}

/// The lines of `a` that `b` lacks.
inline Dump Minus(const Dump& a, const Dump& b) {
  Dump rest;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(rest));
  return rest;
}

/// The dump is `expected`, or the first lines of difference are shown.
inline void ExpectDump(const Dump& got, const Dump& expected, const char* state,
                       wine_test::Where where = wine_test::Where::current()) {
  for (const auto& [lines, sign] : {std::pair{Minus(got, expected), "more"}, {Minus(expected, got), "missing"}}) {
    ok_at(where, lines.empty(), "%s: expected the dump of that state, got %u lines %s, the first:\n", state,
          static_cast<unsigned>(lines.size()), sign);
    for (std::size_t i = 0; i < lines.size() && i < 12; ++i) {
      std::printf("  %s %s\n", sign, wine_test::Narrow(lines[i]).c_str());
    }
  }
}

inline std::string Text(const Dump& dump) {
  std::string text;
  for (const std::wstring& line : dump) text += wine_test::Narrow(line) + "\n";
  return text;
}

}  // namespace registry_dump
