// SPDX-License-Identifier: MIT
// A VBScript client under cscript: CreateObject("BrindtSysInfo.ctlBrindtSysInfo").ShowSysInfo while this program
// closes the window from outside; the script's exit code tells what it saw (see ocx_client.vbs).
#include <windows.h>
// After windows.h:
#include <commctrl.h>

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
  // The cscript that CreateProcess finds has this program's bitness (a 32-bit one is redirected to syswow64), so
  // the control came from this build's registry view; its list is the whole list.
  BOOL ours = FALSE, scripts = FALSE;
  IsWow64Process(GetCurrentProcess(), &ours);
  IsWow64Process(process.hProcess, &scripts);
  ok(ours == scripts, "%s: cscript runs under WoW64 %d, this program %d\n", ocx_test::Name(how), scripts, ours);
  if (window) {
    HWND list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    LRESULT rows = 0;
    for (int i = 0; i < 100 && rows < 30; ++i, Sleep(50)) rows = list ? SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) : 0;
    ok(rows >= 30, "%s: the script's window has %ld rows, expected the whole list (30 or more)\n", ocx_test::Name(how),
       static_cast<long>(rows));
    ocx_test::CloseInfoWindow(window, how);
  }
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
