// SPDX-License-Identifier: MIT
// A VBScript client under cscript: CreateObject("BrindtSysInfo.ctlBrindtSysInfo").ShowSysInfo while this program
// closes the window from outside; the script's exit code tells what it saw (see ocx_client.vbs).
#include <windows.h>

#include <string>

#include "ocx_support.h"
#include "wine_test.h"

namespace {

void test_script_gets_empty(ocx_test::CloseBy how) {
  const std::wstring command = L"cscript.exe //nologo \"" + ocx_test::BinDir() + L"ocx_client.vbs\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring line = command;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ok(false, "cannot start cscript: %lu\n", GetLastError());
    return;
  }
  // The control runs inside the script host, so the window belongs to the cscript process (and to no other
  // test running beside this one).
  HWND window = nullptr;
  for (int i = 0; i < 300 && !window; ++i) {
    if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;
    window = ocx_test::FindInfoWindow(process.dwProcessId);
  }
  ok(window != nullptr, "%s: the script's window did not appear\n", ocx_test::Name(how));
  if (window) ocx_test::CloseInfoWindow(window, how);
  DWORD code = 0xdeadbeef;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 99);
  }
  ok(code == 0, "%s: the script ended with %lu\n", ocx_test::Name(how), code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace

int main() {
  test_script_gets_empty(ocx_test::CloseBy::CloseBox);
  test_script_gets_empty(ocx_test::CloseBy::Ok);
  return wine_test::Summary("ocx_script");
}
