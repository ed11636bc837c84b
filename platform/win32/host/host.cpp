// SPDX-License-Identifier: MIT
// BrindtSysInfoHost: creates the control by its CLSID and calls ShowSysInfo, as any COM host would.
//   BrindtSysInfoHost.exe               shows the window and prints how ShowSysInfo returned
//   BrindtSysInfoHost.exe --dump FILE   also writes the window's copy-all text (the list and the three gauge
//                                       lines) to FILE once the window is up, then closes the window when FILE
//                                       has been deleted (or after 120 seconds)
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "BrindtSysInfo.h"
#include "resource_ids.h"
#include "utf8.h"

using bsi::win32::Utf8;
using Microsoft::WRL::ComPtr;

namespace {

// The information window's command of its context menu item "copy all" (mnuCopyAllToClipboard).
constexpr WORD kCopyAllCommand = BSI_CMD_COPY_ALL;

// The information window: a visible top-level window of its class in this process. FindWindowEx sends the window
// nothing, so a busy window thread does not hold the search up.
HWND FindInfoWindow() {
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, BSI_INFO_WINDOW_CLASS, nullptr)) != nullptr;) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND FindListView(HWND window) {
  return GetDlgItem(window, BSI_ID_LIST);
}

std::wstring ItemText(HWND list, int item, int column) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = buffer.data();
    request.cchTextMax = static_cast<int>(buffer.size());
    const auto length = static_cast<std::size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request)));
    if (length + 1 < buffer.size() || buffer.size() >= 65536) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 4);
  }
}

// The list as the window's copy-all command writes it: label, one space, value, CR LF for every row.
std::wstring ListText(HWND list) {
  std::wstring text;
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) text += ItemText(list, i, 0) + L" " + ItemText(list, i, 1) + L"\r\n";
  return text;
}

// The copy-all command of the window itself: it puts the list and the gauge lines on the clipboard.
bool CopyAllText(HWND window, std::wstring& text) {
  const DWORD before = GetClipboardSequenceNumber();
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(kCopyAllCommand, 0), 0);
  for (int i = 0; i < 50 && GetClipboardSequenceNumber() == before; ++i) Sleep(100);
  if (GetClipboardSequenceNumber() == before || !OpenClipboard(nullptr)) return false;
  bool got = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = locked;
      got = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return got;
}

bool WriteFileAtomically(const std::wstring& path, const std::string& bytes) {
  const std::wstring temporary = path + L".part";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(file);
  return ok && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Runs beside the modal window: waits for it and its list, writes the list, closes the window when told.
DWORD WINAPI DumpThread(void* context) {
  const std::wstring path = static_cast<const wchar_t*>(context);
  HWND window = nullptr;
  HWND list = nullptr;
  for (int i = 0; i < 600 && !list; ++i) {
    Sleep(100);
    window = FindInfoWindow();
    if (window) list = FindListView(window);
  }
  if (!list) {
    std::fprintf(stderr, "BrindtSysInfoHost: the information window did not appear\n");
    return 1;
  }
  // The list is built before the window shows; the first gauge refresh comes 1.5 s later.
  Sleep(2000);
  // A window without the copy-all command still gives its rows.
  std::wstring text;
  if (!CopyAllText(window, text)) text = ListText(list);
  if (!WriteFileAtomically(path, Utf8(text))) {
    std::fprintf(stderr, "BrindtSysInfoHost: cannot write %s\n", Utf8(path).c_str());
  }
  for (int i = 0; i < 1200 && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
  PostMessageW(window, WM_CLOSE, 0, 0);
  return 0;
}

void PrintError(HRESULT hr) {
  std::wstring description;
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, &info) == S_OK) {
    BSTR text = nullptr;
    if (SUCCEEDED(info->GetDescription(&text)) && text) description = text;
    SysFreeString(text);
  }
  std::fprintf(stderr, "BrindtSysInfoHost: ShowSysInfo failed with 0x%08lx %s\n", static_cast<unsigned long>(hr),
               Utf8(description).c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* dump = nullptr;
  if (argc == 3 && std::wcscmp(argv[1], L"--dump") == 0) {
    dump = argv[2];
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: BrindtSysInfoHost.exe [--dump FILE]\n");
    return 2;
  }
  if (FAILED(OleInitialize(nullptr))) {
    std::fprintf(stderr, "BrindtSysInfoHost: OleInitialize failed\n");
    return 1;
  }
  int status = 1;
  {
    ComPtr<_ctlBrindtSysInfo> control;
    const HRESULT created =
        CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
    if (FAILED(created)) {
      std::fprintf(stderr, "BrindtSysInfoHost: cannot create the control (0x%08lx); is BrindtSysInfo.ocx registered?\n",
                   static_cast<unsigned long>(created));
    } else {
      HANDLE worker = dump ? CreateThread(nullptr, 0, DumpThread, const_cast<wchar_t*>(dump), 0, nullptr) : nullptr;
      VARIANT result;
      VariantInit(&result);
      const HRESULT hr = control->ShowSysInfo(&result);
      if (SUCCEEDED(hr)) {
        std::printf("ShowSysInfo returned (variant type %u)\n", static_cast<unsigned>(V_VT(&result)));
        status = 0;
      } else {
        PrintError(hr);
      }
      VariantClear(&result);
      if (worker) {
        WaitForSingleObject(worker, 5000);
        CloseHandle(worker);
      }
    }
  }
  OleUninitialize();
  return status;
}
