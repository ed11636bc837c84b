// SPDX-License-Identifier: MIT
// Helpers of the control's tests: where the module lives, the information window found and closed from
// outside its modal loop, and small owners for BSTR and registry keys.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <cwchar>
#include <string>

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

/// The string value `name` (nullptr: default) of HKCR\path; `exists` false when the key is missing.
inline std::wstring ReadClassesString(const std::wstring& path, const wchar_t* name, bool* exists = nullptr) {
  HKEY key = nullptr;
  const bool open = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
  if (exists) *exists = open;
  if (!open) return L"<no key>";
  wchar_t value[1024] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  DWORD type = 0;
  const LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return L"<no value>";
  if (type != REG_SZ) return L"<not REG_SZ>";
  return value;
}

inline bool ClassesKeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
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

}  // namespace ocx_test
