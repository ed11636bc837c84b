// SPDX-License-Identifier: MIT
// A VBScript client under cscript: CreateObject("BrindtSysInfo.ctlBrindtSysInfo").ShowSysInfo while this program
// closes the window from outside; the script's exit code tells what it saw (see ocx_client.vbs).
#include <windows.h>

#include <string>

#include "ocx_support.h"
#include "wine_test.h"

namespace {

void test_script_gets_empty(ocx_test::CloseBy how) {
  const char* name = ocx_test::Name(how);
  std::wstring command = L"cscript.exe //nologo \"" + ocx_test::BinDir() + L"ocx_client.vbs\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ok(false, "expected cscript to start, got error %lu\n", GetLastError());
    return;
  }
  // The control runs inside the script host, so the window belongs to the cscript process (and to no other test
  // running beside this one). Its list is the whole list once it is there.
  HWND window = nullptr;
  int rows = 0;
  for (int i = 0; i < 300 && rows < 30 && WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT; ++i) {
    window = ocx_test::FindInfoWindow(process.dwProcessId);
    rows = window ? ocx_test::RowCount(window) : 0;
  }
  ok(rows >= 30, "%s: expected the script's window with the whole list (30 rows or more), got %p with %d rows\n", name,
     static_cast<void*>(window), rows);
  // The cscript that CreateProcess finds has this program's bitness (a 32-bit one is redirected to syswow64), so
  // the control came from this build's registry view.
  BOOL ours = FALSE, scripts = FALSE;
  IsWow64Process(GetCurrentProcess(), &ours);
  IsWow64Process(process.hProcess, &scripts);
  ok(ours == scripts, "%s: expected cscript under WoW64 %d like this program, got %d\n", name, ours, scripts);
  if (window) ocx_test::CloseInfoWindow(window, how);
  DWORD code = 0xdeadbeef;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 99);
  }
  ok(code == 0, "%s: expected the script to end with 0, got %lu\n", name, code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace

int main() {
  test_script_gets_empty(ocx_test::CloseBy::CloseBox);
  test_script_gets_empty(ocx_test::CloseBy::Ok);
  return wine_test::Summary("ocx_script");
}
