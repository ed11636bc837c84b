// SPDX-License-Identifier: MIT
// The information and value windows as a user meets them: shown on the main thread, worked from another. The memory
// timer ticks every 50 ms where a test needs ticks, and the test waits for what a tick changes.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "com_test.h"
#include "form_services.h"
#include "list_view.h"
#include "resources/strings.h"
#include "show_info_window.h"
#include "support/scripted_library.h"
#include "ui_language.h"
#include "wine_test.h"

namespace {

using ocx_test::CloseBy;
using wine_test::Narrow;
using wine_test::Where;

constexpr unsigned kFastTicksMs = 50;

// The forms of this program's one user-interface thread, as the control keeps them per apartment.
bsi::SysInfoModule forms;

std::wstring W(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

// The label in the language the window must use, from the core's own tables.
std::wstring Label(int id) {
  return W(bsi::CatalogueText(bsi::win32::UserUiLanguage(), id));
}

/// Polls `probe` every 20 ms until it gives something true, at most `milliseconds`; gives its last answer.
template <typename Probe>
auto WaitFor(Probe probe, int milliseconds = 15000) {
  for (int waited = 0;; waited += 20) {
    auto answer = probe();
    if (answer || waited >= milliseconds) return answer;
    Sleep(20);
  }
}

HWND ValueWindow() {
  HWND window = FindWindowW(BSI_VALUE_WINDOW_CLASS, nullptr);
  return window && IsWindowVisible(window) ? window : nullptr;
}

// The whole text of a cell, also one longer than a buffer of the window's own.
std::wstring Cell(HWND list, int row, int column) {
  return W(bsi::win32::ListViewCellText(list, row, column));
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

struct Row {
  std::wstring label;
  std::wstring value;
};

std::vector<Row> Rows(HWND form) {
  HWND list = GetDlgItem(form, BSI_ID_LIST);
  std::vector<Row> rows(static_cast<std::size_t>(ocx_test::RowCount(form)));
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = {Cell(list, int(i), 0), Cell(list, int(i), 1)};
  return rows;
}

int Find(const std::vector<Row>& rows, const std::wstring& label) {
  const auto found = std::find_if(rows.begin(), rows.end(), [&](const Row& row) { return row.label == label; });
  return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

// Posts `message` and gives what the window put on the clipboard for it.
std::wstring CopiedBy(HWND target, UINT message, WPARAM wparam) {
  const DWORD before = GetClipboardSequenceNumber();
  PostMessageW(target, message, wparam, 0);
  if (message == WM_KEYDOWN) PostMessageW(target, WM_KEYUP, wparam, 0xC0000001);
  WaitFor([&] { return GetClipboardSequenceNumber() != before; }, 5000);
  std::wstring text = L"<none>";
  WaitFor([] { return OpenClipboard(nullptr); }, 1000);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Keys go through the window's own message loop, as typed keys do; SendMessage would bypass its key preview.
void PressKey(HWND target, WORD key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Waits until the window's thread has handled everything posted so far.
void Settle(HWND window) {
  SendMessageW(window, WM_NULL, 0, 0);
  Sleep(50);
  SendMessageW(window, WM_NULL, 0, 0);
}

void ClickRow(HWND list, int row, bool twice) {
  LVITEMW item{};
  item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  RECT rect{};
  rect.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  const LPARAM at = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);
  for (int click = 0; click < (twice ? 2 : 1); ++click) {
    PostMessageW(list, click ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
  }
}

void ExpectGone(HWND window, const char* what, Where where = Where::current()) {
  const bool gone = WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 5000);
  ok_at(where, gone, "%s: expected the window closed, it stays\n", what);
}

void Close(HWND form, CloseBy how, Where where = Where::current()) {
  ocx_test::CloseInfoWindow(form, how);
  ExpectGone(form, ocx_test::Name(how), where);
}

// A tick has run once every gauge caption reads "... (N MB)"; the next message is answered after that tick.
bool WaitForTick(HWND form) {
  const bool ticked = WaitFor([&] {
    for (int i = 0; i < 3; ++i) {
      if (WindowText(GetDlgItem(form, BSI_ID_CAPTION + i)).find(L" (") == std::wstring::npos) return false;
    }
    return true;
  });
  Settle(form);
  return ticked;
}

// Shows the information window on this thread while `driver` works it from another; returns when it is closed.
void WithWindow(bsi::QueryLibrary& library, const std::function<void(HWND)>& driver, unsigned timer_ms = 0,
                Where where = Where::current()) {
  std::thread worker([&] {
    HWND form = WaitFor([] { return ocx_test::FindInfoWindow(GetCurrentProcessId()); });
    ok_at(where, form != nullptr, "expected the information window, got none\n");
    if (form != nullptr) driver(form);
    // Whatever the driver did, the window must not stay open.
    if (HWND still = ocx_test::FindInfoWindow(GetCurrentProcessId())) ocx_test::CloseInfoWindow(still, CloseBy::F4);
  });
  try {
    bsi::win32::ShowSysInfoWindow(forms, library, timer_ms);
  } catch (const bsi::RuntimeError& error) {
    ok_at(where, false, "ShowSysInfoWindow: expected no error, got %d\n", error.number());
  }
  worker.join();
}

void test_row_contract(bsi::QueryLibrary& library) {
  WithWindow(library, [](HWND form) {
    HWND list = GetDlgItem(form, BSI_ID_LIST);
    const std::vector<Row> rows = Rows(form);
    const int base = Find(rows, Label(bsi::str::kPhysicalMemory));
    ok(base >= 0 && base + 32 < static_cast<int>(rows.size()),
       "expected the memory row B and 32 after it, got B %d of %d\n", base, static_cast<int>(rows.size()));
    if (base < 0 || base + 32 >= static_cast<int>(rows.size())) return;
    const struct {
      int row;
      std::wstring label;
    } fixed[] = {{0, Label(bsi::str::kOsVersion)},
                 {base + 1, Label(bsi::str::kPhysicalMemoryFree)},
                 {base + 5, L"Computername:"},
                 {base + 13, Label(bsi::str::kMacAddress)},
                 {base + 21, Label(bsi::str::kScreenResolution)},
                 {base + 32, Label(bsi::str::kAvailableDrives)}};
    for (const auto& row : fixed) {
      ok(rows[row.row].label == row.label, "row %d: expected %s, got %s\n", row.row, Narrow(row.label).c_str(),
         Narrow(rows[row.row].label).c_str());
    }
    // Both columns as wide as their widest text.
    for (int column = 0; column < 2; ++column) {
      const auto width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
      int widest = 0;
      for (const Row& row : rows) {
        const wchar_t* text = (column == 0 ? row.label : row.value).c_str();
        widest = std::max(widest, static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, LPARAM(text))));
      }
      ok(width >= widest, "column %d: expected at least %d wide, got %d\n", column, widest, width);
    }
    Close(form, CloseBy::F4);
  });
}

// C copies a value; copy-all the list and, after a tick, the gauges, byte for byte, over 64 KiB too.
void test_copy_commands(bsi::test::ScriptedLibrary& library) {
  const std::u16string long_value(70000, u'x');
  library.Set("DefaultBrowserInfo.Detail", long_value.c_str());
  WithWindow(
      library,
      [](HWND form) {
        HWND list = GetDlgItem(form, BSI_ID_LIST);
        ok(WaitForTick(form), "expected the gauge captions filled by a tick\n");
        const std::vector<Row> rows = Rows(form);
        ClickRow(list, 1, false);
        Settle(form);
        const std::wstring value = CopiedBy(list, WM_KEYDOWN, 'C');
        // The list did not also jump to a row starting with C.
        const auto selected = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
        ok(value == rows[1].value && selected == 1, "C: expected %s copied and row 1 selected, got %s and row %d\n",
           Narrow(rows[1].value).c_str(), Narrow(value).c_str(), static_cast<int>(selected));

        std::wstring expected;
        for (const Row& row : rows) expected += row.label + L" " + row.value + L"\r\n";
        expected += L"\r\n";
        for (int i = 0; i < 3; ++i) {
          expected += WindowText(GetDlgItem(form, BSI_ID_CAPTION + i)) + L" = " +
                      WindowText(GetDlgItem(form, BSI_ID_PERCENT + i)) + L"\r\n";
        }
        const std::wstring got = CopiedBy(form, WM_COMMAND, BSI_CMD_COPY_ALL);
        const auto differs =
            std::mismatch(got.begin(), got.end(), expected.begin(), expected.end()).first - got.begin();
        ok(got == expected && got.size() > 70000,
           "copy-all: expected %zu characters, got %zu, first difference at %d: \"%s\"\n", expected.size(), got.size(),
           static_cast<int>(differs), Narrow(got.substr(static_cast<std::size_t>(differs), 40)).c_str());
        Close(form, CloseBy::WmClose);
      },
      kFastTicksMs);
  library.Set("DefaultBrowserInfo.Detail", u"C:\\Program Files\\Mozilla Firefox\\firefox.exe");
}

bsi::test::ScriptedLibrary* changing_library = nullptr;
std::atomic<bool> change_now{false};

void CALLBACK ChangeFreeMemory(HWND, UINT, UINT_PTR id, DWORD) {
  if (!change_now) return;
  KillTimer(nullptr, id);
  changing_library->Set("MemoryInfo.PhysicalFree", u"123456789");
}

// A double click opens the value window of a row (not of a spacer), modal over the information window and on its
// thread: the memory ticks run inside its loop and update the list.
void test_value_window(bsi::test::ScriptedLibrary& library) {
  changing_library = &library;
  change_now = false;
  // On the window's thread: once asked, the free memory changes (the library is not shared across threads).
  SetTimer(nullptr, 0, 20, ChangeFreeMemory);
  WithWindow(
      library,
      [](HWND form) {
        HWND list = GetDlgItem(form, BSI_ID_LIST);
        const std::vector<Row> rows = Rows(form);
        const int cpu = Find(rows, Label(bsi::str::kCpu)), spacer = Find(rows, L" ");
        const int base = Find(rows, Label(bsi::str::kPhysicalMemory));
        ok(cpu >= 0 && spacer >= 0 && base >= 0, "expected CPU, spacer and memory rows, got rows %d, %d and %d\n", cpu,
           spacer, base);
        if (cpu < 0 || spacer < 0 || base < 0) return;
        ClickRow(list, spacer, true);
        Settle(form);
        ok(!WaitFor(ValueWindow, 200), "a spacer: expected no value window, got one\n");

        ClickRow(list, cpu, true);
        HWND value = WaitFor(ValueWindow, 5000);
        ok(value != nullptr, "expected the value window, got none\n");
        if (value == nullptr) return;
        const std::wstring caption = Label(bsi::str::kCpu).substr(0, Label(bsi::str::kCpu).size() - 1);
        const std::wstring texts[] = {WindowText(value), WindowText(GetDlgItem(value, BSI_ID_VALUE_LABEL)),
                                      WindowText(GetDlgItem(value, BSI_ID_VALUE_TEXT))};
        ok(texts[0] == caption && texts[1] == caption && texts[2] == rows[cpu].value,
           "expected caption and label %s, value %s, got %s, %s, %s\n", Narrow(caption).c_str(),
           Narrow(rows[cpu].value).c_str(), Narrow(texts[0]).c_str(), Narrow(texts[1]).c_str(),
           Narrow(texts[2]).c_str());
        ok(!IsWindowEnabled(form), "expected the information window disabled under the value window, it takes input\n");

        SendMessageW(GetDlgItem(value, BSI_ID_VALUE_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"edited \u00e4"));
        const std::wstring copied = CopiedBy(GetDlgItem(value, BSI_ID_VALUE_COPY), BM_CLICK, 0);
        ok(copied == L"edited \u00e4", "copy button: expected \"edited \u00e4\", got %s\n", Narrow(copied).c_str());

        change_now = true;
        const bool changed = WaitFor([&] { return Cell(list, base + 1, 1) == L"123456789 Byte"; });
        ok(changed && IsWindowVisible(value),
           "expected the free-memory row to read 123456789 Byte under the open value window, got %s\n",
           Narrow(Cell(list, base + 1, 1)).c_str());
        PressKey(GetDlgItem(value, BSI_ID_VALUE_TEXT), VK_F4);
        ExpectGone(value, "F4 in the value window");
        ok(WaitFor([&] { return IsWindowEnabled(form); }, 5000), "expected the information window enabled again\n");
        Close(form, CloseBy::Escape);
      },
      kFastTicksMs);
  library.Set("MemoryInfo.PhysicalFree", u"1073741824");
}

void test_quit_and_other_windows(bsi::QueryLibrary& library) {
  // A window of the host's: disabled while the information window is shown, enabled again afterwards.
  HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                              nullptr, nullptr);
  const DWORD thread = GetCurrentThreadId();
  std::atomic<bool> host_was_disabled{false};
  WithWindow(library, [&](HWND form) {
    host_was_disabled = !IsWindowEnabled(host);
    // The application is asked to end while the window is open.
    PostThreadMessageW(thread, WM_QUIT, 7, 0);
    ExpectGone(form, "WM_QUIT");
  });
  ok(host_was_disabled && IsWindowEnabled(host),
     "expected the host's window disabled while shown and enabled after, got %s and %s\n",
     host_was_disabled ? "disabled" : "enabled", IsWindowEnabled(host) ? "enabled" : "disabled");
  MSG message{};
  const BOOL quit = PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  ok(quit && message.wParam == 7, "expected WM_QUIT(7) posted again, got %d (%d)\n", quit, int(message.wParam));
  DestroyWindow(host);
}

// Over the installed query library the bars take their band colours, drawn unthemed.
void test_bar_colours_with_system_library() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::unique_ptr<bsi::QueryLibrary> installed;
  try {
    installed = bsi::win32::CreateSystemQueryLibrary();
  } catch (const bsi::RuntimeError& error) {
    ok(false, "expected the system query library, got error %d\n", error.number());
  }
  if (installed) {
    WithWindow(
        *installed,
        [](HWND form) {
          ok(WaitForTick(form), "expected a tick to fill the gauges\n");
          const COLORREF bands[] = {0x008000, 0xC00000, 0x00C0C0, 0x0000C0};
          for (int i = 0; i < 3; ++i) {
            const auto colour =
                static_cast<COLORREF>(SendMessageW(GetDlgItem(form, BSI_ID_GAUGE + i), PBM_GETBARCOLOR, 0, 0));
            const std::wstring percent = WindowText(GetDlgItem(form, BSI_ID_PERCENT + i));
            const int whole = _wtoi(percent.c_str());
            // Between bands (45 %, and 40 to 45 % for the page file) a bar keeps its colour.
            const bool keeps = i < 2 ? whole == 45 : (whole >= 40 && whole <= 45);
            const bool banded = std::find(std::begin(bands), std::end(bands), colour) != std::end(bands);
            ok(banded || (keeps && colour == CLR_DEFAULT), "gauge %d at %s: expected a band colour, got %06lx\n", i,
               Narrow(percent).c_str(), static_cast<unsigned long>(colour));
          }
          Close(form, CloseBy::CloseBox);
        },
        kFastTicksMs);
  }
  installed.reset();
  CoUninitialize();
}

}  // namespace

int main() {
  InitCommonControls();
  // The one check of the product's own tick: the tests below shorten it.
  const UINT interval = bsi::win32::Win32Windows().memory_timer_ms;
  ok(interval == 1500, "memory timer: expected 1500 ms, got %u\n", interval);
  // Every German user (de_DE, de_AT, ...) gets the German window, everyone else the English one.
  const char* locale = std::getenv("LC_ALL");
  const bool german = locale && std::strncmp(locale, "de", 2) == 0;
  ok((bsi::win32::UserUiLanguage() == bsi::UiLanguage::German) == german, "LC_ALL %s: expected the %s window\n",
     locale ? locale : "unset", german ? "German" : "English");
  bsi::test::ScriptedLibrary library;
  test_row_contract(library);
  test_copy_commands(library);
  test_value_window(library);
  test_quit_and_other_windows(library);
  test_bar_colours_with_system_library();
  return wine_test::Summary("ui");
}
