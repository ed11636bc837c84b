// SPDX-License-Identifier: MIT
// ShowSysInfo with the system query library unregistered: the window still opens, the list builder reports
// error 429 in its message box, the list keeps its one row, and the window closes normally. Runs alone: it
// unregisters BrindtSysQuery.dll of the test bed for a moment and registers it again at the end.
#include <windows.h>

#include <commctrl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>

#include "BrindtSysInfo.h"
#include "ocx_support.h"
#include "resources/strings.h"
#include "runtime/error.h"
#include "ui_language.h"
#include "wine_test.h"

using Microsoft::WRL::ComPtr;

namespace {

std::string Text(const std::wstring& text) {
  return wine_test::Narrow(text);
}

std::wstring Wide(const bsi::Text& text) {
  return std::wstring(text.begin(), text.end());
}

long Regsvr32QueryLibrary(const wchar_t* options) {
  return ocx_test::RunProcess(std::wstring(L"regsvr32.exe /s ") + options + L" \"" + ocx_test::BinDir() +
                              L"BrindtSysQuery.dll\"");
}

struct MessageBoxSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM context) {
  auto* s = reinterpret_cast<MessageBoxSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (owner != s->process || !IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
  s->found = window;
  return FALSE;
}

HWND FindMessageBox() {
  MessageBoxSearch search{GetCurrentProcessId(), nullptr};
  EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ItemText(HWND list, int item, int column) {
  wchar_t text[1024] = {};
  LVITEMW request{};
  request.iSubItem = column;
  request.pszText = text;
  request.cchTextMax = 1024;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
  return text;
}

struct Seen {
  int state = 0;  // 0 waiting for the message box, 1 waiting for the window, 2 done
  int ticks = 0;
  std::wstring box_title;
  std::wstring box_text;
  int rows = -1;
  std::wstring label;
  std::wstring value;
};
Seen g_seen;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  if (++g_seen.ticks > 400) {
    ok(false, "stuck in state %d\n", g_seen.state);
    KillTimer(nullptr, timer);
    if (HWND box = FindMessageBox()) EndDialog(box, IDOK);
    if (HWND window = ocx_test::FindInfoWindow(GetCurrentProcessId())) DestroyWindow(window);
    return;
  }
  if (g_seen.state == 0) {
    HWND box = FindMessageBox();
    if (!box) return;
    g_seen.box_title = WindowText(box);
    g_seen.box_text = WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    g_seen.state = 1;
  } else if (g_seen.state == 1) {
    if (FindMessageBox()) return;
    HWND window = ocx_test::FindInfoWindow(GetCurrentProcessId());
    HWND list = window ? FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    if (!list) return;
    g_seen.rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    g_seen.label = ItemText(list, 0, 0);
    g_seen.value = ItemText(list, 0, 1);
    ocx_test::CloseInfoWindow(window, ocx_test::CloseBy::Ok);
    g_seen.state = 2;
    KillTimer(nullptr, timer);
  }
}

void test_window_without_query_library() {
  ComPtr<_ctlBrindtSysInfo> control;
  HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
  ok(hr == S_OK, "CoCreateInstance: hr %#lx\n", hr);
  if (!control) return;
  g_seen = Seen{};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTimer);
  VARIANT result;
  V_VT(&result) = VT_I4;
  hr = control->ShowSysInfo(&result);
  KillTimer(nullptr, timer);
  ok(hr == S_OK && V_VT(&result) == VT_EMPTY, "ShowSysInfo: hr %#lx type %u\n", hr, V_VT(&result));
  ok(g_seen.state == 2, "the sequence stopped in state %d\n", g_seen.state);

  const bsi::UiLanguage language = bsi::win32::UserUiLanguage();
  auto S = [language](std::int32_t id) { return Wide(bsi::CatalogueText(language, id)); };
  // "Description:" + text + CR LF CR LF + "Number:" + number, no spaces after the colons.
  const std::wstring message =
      S(138) + Wide(bsi::StandardDescription(bsi::err::kCannotCreateObject)) + L"\r\n\r\n" + S(139) + L"429";
  ok(g_seen.box_title == S(137), "message box title \"%s\"\n", Text(g_seen.box_title).c_str());
  ok(g_seen.box_text == message, "message box text \"%s\", expected \"%s\"\n", Text(g_seen.box_text).c_str(),
     Text(message).c_str());
  ok(g_seen.rows == 1, "rows after the failure: %d\n", g_seen.rows);
  ok(g_seen.label == S(101) && g_seen.value.empty(), "the row: \"%s\" \"%s\"\n", Text(g_seen.label).c_str(),
     Text(g_seen.value).c_str());
  const ULONG left = control.Detach()->Release();
  ok(left == 0, "last Release returned %lu\n", left);
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  long code = Regsvr32QueryLibrary(L"/u");
  ok(code == 0, "regsvr32 /u BrindtSysQuery.dll: exit code %ld\n", code);
  test_window_without_query_library();
  code = Regsvr32QueryLibrary(L"");
  ok(code == 0, "regsvr32 BrindtSysQuery.dll: exit code %ld\n", code);
  OleUninitialize();
  return wine_test::Summary("ocx_no_query_library");
}
