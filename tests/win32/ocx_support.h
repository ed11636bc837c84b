// SPDX-License-Identifier: MIT
// Helpers of the control's tests and the registration tests: where the module lives, the information window
// found and closed from outside its modal loop, a small owner for BSTR, registry keys in either view, regsvr32 of
// either bitness, and what a type library describes.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <cwchar>
#include <string>
#include <vector>

#include "wine_test.h"

namespace ocx_test {

/// The folder of the running test program, with a trailing backslash; the modules are built beside it.
inline std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

inline std::wstring OcxPath() {
  return BinDir() + L"BrindtSysInfo.ocx";
}

inline constexpr wchar_t kCaptionPrefix[] = L"Brindt SysInfo";

struct WindowSearch {
  DWORD process;  // 0 for any process
  HWND found;
  int count;
};

inline BOOL CALLBACK CountInfoWindow(HWND window, LPARAM context) {
  auto* s = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  if ((s->process == 0 || owner == s->process) && IsWindowVisible(window) &&
      std::wcsncmp(caption, kCaptionPrefix, std::wcslen(kCaptionPrefix)) == 0) {
    if (!s->found) s->found = window;
    ++s->count;
  }
  return TRUE;
}

/// The visible top-level information window (its caption starts with "Brindt SysInfo"), of `process` or of
/// any process; `count` tells how many there are.
inline HWND FindInfoWindow(DWORD process, int* count = nullptr) {
  WindowSearch search{process, nullptr, 0};
  EnumWindows(CountInfoWindow, reinterpret_cast<LPARAM>(&search));
  if (count) *count = search.count;
  return search.found;
}

enum class CloseBy { Ok, F4, CloseBox };

inline const char* Name(CloseBy how) {
  switch (how) {
    case CloseBy::Ok:
      return "OK";
    case CloseBy::F4:
      return "F4";
    case CloseBy::CloseBox:
      return "close box";
  }
  return "?";
}

/// Closes the window the way a user would: a click on OK, F4 on the focused control, or the close box.
inline void CloseInfoWindow(HWND window, CloseBy how) {
  switch (how) {
    case CloseBy::Ok: {
      HWND button = FindWindowExW(window, nullptr, L"Button", L"OK");
      PostMessageW(button ? button : window, BM_CLICK, 0, 0);
      break;
    }
    case CloseBy::F4: {
      GUITHREADINFO info{};
      info.cbSize = sizeof(info);
      HWND target = window;
      if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus) {
        target = info.hwndFocus;
      }
      PostMessageW(target, WM_KEYDOWN, VK_F4, 0x003E0001);
      PostMessageW(target, WM_KEYUP, VK_F4, 0xC03E0001);
      break;
    }
    case CloseBy::CloseBox:
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
}

/// Owns a BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const wchar_t* text) : value_(SysAllocString(text)) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(value_); }
  BSTR get() const { return value_; }
  BSTR* put() {
    SysFreeString(value_);
    value_ = nullptr;
    return &value_;
  }
  std::wstring text() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring(); }

 private:
  BSTR value_ = nullptr;
};

/// The registry view of the other bitness (KEY_WOW64_32KEY or KEY_WOW64_64KEY); 0 on 32-bit Windows.
inline REGSAM OtherView() {
  BOOL wow64 = FALSE;
  if (sizeof(void*) == 8) return KEY_WOW64_32KEY;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64 ? KEY_WOW64_64KEY : 0;
}

/// The string value `name` (nullptr: default) of HKCR\path in this process's view or in `view`.
inline std::wstring ReadClassesString(const std::wstring& path, const wchar_t* name, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return L"<no key>";
  wchar_t value[1024] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  DWORD type = 0;
  const LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return L"<no value>";
  if (type != REG_SZ) return L"<not REG_SZ>";
  return value;
}

inline void WriteClassesString(const std::wstring& path, const std::wstring& value) {
  RegSetKeyValueW(HKEY_CLASSES_ROOT, path.c_str(), nullptr, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

inline bool ClassesKeyExists(const std::wstring& path, REGSAM view = 0) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

inline void ExpectClassesKey(const std::wstring& path, bool expected, const char* when) {
  ok(ClassesKeyExists(path) == expected, "%s: HKCR\\%s %s\n", when, wine_test::Narrow(path).c_str(),
     expected ? "is missing" : "is left behind");
}

inline std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

/// Runs a command line to its end (at most `timeout_ms`) and gives its exit code, or -1.
inline long RunProcess(std::wstring command, DWORD timeout_ms = 60000) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, timeout_ms) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<long>(code);
}

/// Whether the other bitness registers `clsid` beside this one: then it shares the ProgIDs and the type library.
inline bool RegisteredInOtherView(REFCLSID clsid) {
  return OtherView() != 0 && ClassesKeyExists(L"CLSID\\" + GuidText(clsid), OtherView());
}

/// regsvr32 /s `options` `module` with the regsvr32 of this process's bitness, or of the other one (from a 64-bit
/// process in syswow64, from a 32-bit one in sysnative); gives its exit code.
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
  return RunProcess(L"\"" + std::wstring(folder) + L"\\regsvr32.exe\" /s " + options + L" \"" + module + L"\"");
}

struct TypeEntry {
  TYPEKIND kind;
  std::wstring name;
  GUID guid;
};

/// What the type library in `module` describes, in its order (nothing when it cannot be loaded).
inline std::vector<TypeEntry> TypeLibraryEntries(const std::wstring& module) {
  std::vector<TypeEntry> entries;
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(module.c_str(), REGKIND_NONE, &library))) return entries;
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    ITypeInfo* info = nullptr;
    if (FAILED(library->GetTypeInfo(i, &info))) continue;
    TYPEATTR* type = nullptr;
    Bstr name;
    if (SUCCEEDED(info->GetTypeAttr(&type))) {
      library->GetDocumentation(static_cast<INT>(i), name.put(), nullptr, nullptr, nullptr);
      entries.push_back({type->typekind, name.text(), type->guid});
      info->ReleaseTypeAttr(type);
    }
    info->Release();
  }
  library->Release();
  return entries;
}

}  // namespace ocx_test
