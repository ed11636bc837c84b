// SPDX-License-Identifier: MIT
// Registration of both modules (the control and the query library) with regsvr32, compared in whole registry dumps
// (registry_dump.h). With everything unregistered no key names the modules, and a registration that fails half-way
// takes back what it wrote. This bitness registered alone writes exactly tests/data/win32/reg_registered.txt
// (normalised for the build folder and the bitness); with the query library taken away the client raises 429 and
// the control's window still opens with its message box; unregistering keeps a ProgID that another class has
// taken over, leaves nothing else, and succeeds twice. With the other bitness registered beside it, unregistering
// one bitness leaves exactly what the other alone registers, and each library loads with its own system kind.
// Runs alone, and registers everything again at the end.
//   registration_views_test.exe --dump FILE   writes the dump alone to FILE (UTF-8, a line each), changing nothing:
//                                            the installer's test compares it with what regsvr32 writes
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "BrindtSysInfo.h"
#include "BrindtSysQuery.h"
#include "com_test.h"
#include "golden.h"
#include "query_client.h"
#include "registry_dump.h"
#include "resources/strings.h"
#include "runtime/error.h"
#include "ui_language.h"
#include "wine_test.h"

using registry_dump::Dump;
using registry_dump::ExpectDump;
using registry_dump::GuidText;
using registry_dump::Regsvr32;
using registry_dump::TakeDump;
using wine_test::Narrow;

namespace {

struct Bitness {
  bool other;                         // the bitness that this process is not
  std::vector<std::wstring> modules;  // the query library first: the control uses it
};

/// The string value `name` (nullptr: the default) of HKCR\path in `view` (0: this process's); "" when absent.
std::wstring ReadString(const std::wstring& path, const wchar_t* name, REGSAM view = 0) {
  wchar_t value[1024] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | view, &key) != 0) return L"";
  const LSTATUS status = RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &bytes);
  RegCloseKey(key);
  return status == 0 ? value : L"";
}

// The other bitness's modules, where the bed registered them.
Bitness OtherBitness() {
  BOOL wow64 = FALSE;
  const REGSAM view = sizeof(void*) == 8                                     ? KEY_WOW64_32KEY
                      : IsWow64Process(GetCurrentProcess(), &wow64) && wow64 ? KEY_WOW64_64KEY
                                                                             : 0;
  Bitness other{true, {}};
  for (const GUID* clsid : {&CLSID_MemoryInfo, &CLSID_ctlBrindtSysInfo}) {
    other.modules.push_back(ReadString(L"CLSID\\" + GuidText(*clsid) + L"\\InprocServer32", nullptr, view));
    if (view == 0 || other.modules.back().empty()) return {true, {}};
  }
  return other;
}

void Run(const Bitness& side, const wchar_t* options, const char* step,
         wine_test::Where where = wine_test::Where::current()) {
  for (const std::wstring& module : side.modules) {
    const long code = Regsvr32(options, module, side.other);
    ok_at(where, code == 0, "%s: regsvr32 %s %s: expected exit code 0, got %ld\n", step, Narrow(options).c_str(),
          Narrow(module).c_str(), code);
  }
}

// A class key that refuses lasting subkeys (a volatile one) stops the query library's registration at its eighth
// class: what it wrote by then has to be taken back.
void FailRegistration(const Bitness& own, const char* state) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(CLSID_NetworkInfo)).c_str(), 0, nullptr,
                  REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
  RegCloseKey(key);
  const long code = Regsvr32(L"", own.modules[0]);
  ok(code != 0, "%s: expected regsvr32 to fail, got exit code %ld\n", state, code);
}

// Each library loads from the registry with this process's system kind.
void ExpectOwnLibraries(const char* state) {
  for (const auto& [libid, lcid] : {std::pair{&LIBID_BrindtSysInfo, 0x409}, {&LIBID_BrindtSysQuery, 0}}) {
    ITypeLib* library = nullptr;
    TLIBATTR* attributes = nullptr;
    const HRESULT hr = LoadRegTypeLib(*libid, 1, 0, static_cast<LCID>(lcid), &library);
    const int kind = SUCCEEDED(hr) && SUCCEEDED(library->GetLibAttr(&attributes)) ? attributes->syskind : -1;
    if (attributes != nullptr) library->ReleaseTLibAttr(attributes);
    if (library != nullptr) library->Release();
    const int expected = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    ok(kind == expected, "%s: LoadRegTypeLib %s: expected system kind %d, got %d (hr %#lx)\n", state,
       Narrow(GuidText(*libid)).c_str(), expected, kind, static_cast<unsigned long>(hr));
  }
}

// --- The golden dump: what this bitness alone adds, normalised.

bool SameText(const std::wstring& text, std::size_t at, const std::wstring& part) {
  return text.size() >= at + part.size() && _wcsnicmp(text.c_str() + at, part.c_str(), part.size()) == 0;
}

/// Replaces every `part` (any case; with `word`, only where no letter or digit touches it) by `by`.
void Replace(std::wstring& text, const std::wstring& part, const std::wstring& by, bool word = false) {
  for (std::size_t at = 0; at < text.size();) {
    const bool free = !word || ((at == 0 || !std::iswalnum(text[at - 1])) &&
                                (at + part.size() >= text.size() || !std::iswalnum(text[at + part.size()])));
    if (SameText(text, at, part) && free) {
      text.replace(at, part.size(), by);
      at += by.size();
    } else {
      ++at;
    }
  }
}

/// The lines a registration adds, as the golden file has them: the build folder as <bin>, this bitness's view and
/// platform as "own" and "win<own>", the other view as "other" ("both" for a line in either), the query library's
/// classes and interfaces by kind ("{class}", "<class>") with their descriptions, then each distinct line with its
/// count.
std::string Normalised(const Dump& added, const std::wstring& query_library) {
  std::vector<std::pair<std::wstring, std::wstring>> names;  // what, by what
  ITypeLib* library = nullptr;
  LoadTypeLibEx(query_library.c_str(), REGKIND_NONE, &library);
  for (UINT i = 0; library != nullptr && i < library->GetTypeInfoCount(); ++i) {
    ITypeInfo* info = nullptr;
    TYPEATTR* type = nullptr;
    if (FAILED(library->GetTypeInfo(i, &info)) || FAILED(info->GetTypeAttr(&type))) continue;
    const std::wstring what = type->typekind == TKIND_COCLASS ? L"class" : L"interface";
    names.push_back({GuidText(type->guid), L"{" + what + L"}"});
    info->ReleaseTypeAttr(type);
    info->Release();
    BSTR name = nullptr;
    library->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr);
    names.push_back({name ? name : L"?", L"<" + what + L">"});
    SysFreeString(name);
  }
  if (library != nullptr) library->Release();
  const bool wide = sizeof(void*) == 8;
  std::map<std::wstring, int> counts;
  for (std::wstring line : added) {
    std::erase(line, L'\0');
    Replace(line, registry_dump::BinDir(), L"<bin>");
    Replace(line, wide ? L"64-bit " : L"32-bit ", L"own ");
    Replace(line, wide ? L"32-bit " : L"64-bit ", L"other ");
    Replace(line, wide ? L"win64" : L"win32", L"win<own>", true);
    for (const auto& [what, by] : names) Replace(line, what, by, what[0] != L'{');
    const std::size_t about = line.find(L" [] 1: Brindt SysQuery ");  // a class's description
    if (about != std::wstring::npos) line = line.substr(0, about) + L" [] 1: Brindt SysQuery <about the class>";
    ++counts[line];
  }
  std::string text;
  for (const auto& [line, count] : counts) {
    const bool own = line.starts_with(L"own "), other = line.starts_with(L"other ");
    const std::wstring rest = line.substr(own ? 4 : other ? 6 : 0);
    const auto twin = counts.find((own ? L"other " : L"own ") + rest);
    const bool both = (own || other) && twin != counts.end() && twin->second == count;
    if (!(both && other))
      text += std::to_string(count) + " " + Narrow((both ? L"both " : L"") + (both ? rest : line)) + "\n";
  }
  return text;
}

// --- Without the query library: the client raises 429, the control's window opens with its message box.

struct Seen {
  int ticks = 0;
  bool done = false;
  std::wstring box_title, box_text, label, value;
  int rows = -1;
};
Seen g_seen;

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ItemText(HWND list, int column) {
  wchar_t text[1024] = {};
  LVITEMW request{};
  request.iSubItem = column;
  request.pszText = text;
  request.cchTextMax = 1024;
  SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&request));
  return text;
}

// Answers the message box once it shows; once it is gone, reads the list of the window and clicks its OK.
void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770") continue;
    if (!g_seen.box_title.empty()) return;
    g_seen.box_title = WindowText(window);
    g_seen.box_text = WindowText(GetDlgItem(window, 0xFFFF));
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return;
  }
  for (HWND window : windows) {
    HWND list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    if (list == nullptr || g_seen.box_title.empty()) continue;
    g_seen.rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    g_seen.label = ItemText(list, 0);
    g_seen.value = ItemText(list, 1);
    HWND button = FindWindowExW(window, nullptr, L"Button", L"OK");
    PostMessageW(button ? button : window, BM_CLICK, 0, 0);
    g_seen.done = true;
    KillTimer(nullptr, timer);
    return;
  }
  if (++g_seen.ticks < 600) return;
  KillTimer(nullptr, timer);
  for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
}

void test_without_query_library(const Bitness& own) {
  long code = Regsvr32(L"/u", own.modules[0]);
  ok(code == 0, "regsvr32 /u of the query library: expected exit code 0, got %ld\n", code);
  auto library = bsi::win32::CreateComQueryLibrary();
  for (int i = 0; i < bsi::kQueryClassCount; ++i) {
    const auto cls = static_cast<bsi::QueryClass>(i);
    com_test::ExpectRaises([&] { library->Create(cls); }, 429, u"ActiveX component can't create object",
                           std::string(bsi::QueryClassName(cls)).c_str());
  }

  _ctlBrindtSysInfo* control = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID__ctlBrindtSysInfo,
                                reinterpret_cast<void**>(&control));
  ok(hr == S_OK, "CoCreateInstance of the control: expected S_OK, got %#lx\n", static_cast<unsigned long>(hr));
  if (control != nullptr) {
    g_seen = Seen{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTimer);
    VARIANT result;
    V_VT(&result) = VT_I4;
    hr = control->ShowSysInfo(&result);
    KillTimer(nullptr, timer);
    ok(hr == S_OK && V_VT(&result) == VT_EMPTY, "ShowSysInfo: expected S_OK and Empty, got %#lx and type %u\n",
       static_cast<unsigned long>(hr), V_VT(&result));
    ok(g_seen.done, "expected the message box and then the window, saw the box \"%s\" and %d rows\n",
       Narrow(g_seen.box_title).c_str(), g_seen.rows);
    const bsi::UiLanguage language = bsi::win32::UserUiLanguage();
    auto S = [language](std::int32_t id) {
      const bsi::Text text = bsi::CatalogueText(language, id);
      return std::wstring(text.begin(), text.end());
    };
    // "Description:" + text + CR LF CR LF + "Number:" + number, no spaces after the colons.
    const bsi::Text description = bsi::StandardDescription(bsi::err::kCannotCreateObject);
    const std::wstring message =
        S(138) + std::wstring(description.begin(), description.end()) + L"\r\n\r\n" + S(139) + L"429";
    ok(g_seen.box_title == S(137) && g_seen.box_text == message,
       "expected the message box \"%s\": \"%s\", got \"%s\": \"%s\"\n", Narrow(S(137)).c_str(), Narrow(message).c_str(),
       Narrow(g_seen.box_title).c_str(), Narrow(g_seen.box_text).c_str());
    ok(g_seen.rows == 1 && g_seen.label == S(101) && g_seen.value.empty(),
       "expected the one row \"%s\" \"\", got %d rows, the first \"%s\" \"%s\"\n", Narrow(S(101)).c_str(), g_seen.rows,
       Narrow(g_seen.label).c_str(), Narrow(g_seen.value).c_str());
    const ULONG left = control->Release();
    ok(left == 0, "the control: expected the last Release to give 0, got %lu\n", left);
  }
  code = Regsvr32(L"", own.modules[0]);
  ok(code == 0, "regsvr32 of the query library: expected exit code 0, got %ld\n", code);
}

// A ProgID that names another class by now stays, of either module; nothing else does, also not a type library key
// that UnRegisterTypeLib leaves; a second /u succeeds.
void test_unregister_keeps_foreign_progid(const Bitness& own, const Dump& empty) {
  const std::wstring foreign = L"{0BADF00D-0000-4000-8000-000000000001}";
  const std::wstring prog_ids[] = {L"BrindtSysQuery.MemoryInfo", L"BrindtSysInfo.ctlBrindtSysInfo"};
  for (const std::wstring& prog_id : prog_ids) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, (prog_id + L"\\CLSID").c_str(), nullptr, REG_SZ, foreign.c_str(),
                    static_cast<DWORD>((foreign.size() + 1) * sizeof(wchar_t)));
  }
  // The type library key of another bitness whose classes are gone goes with our own.
  const std::wstring stray = sizeof(void*) == 8 ? L"\\win32" : L"\\win64";
  for (const std::wstring& key : {L"TypeLib\\" + GuidText(LIBID_BrindtSysQuery) + L"\\1.0\\0" + stray,
                                  L"TypeLib\\" + GuidText(LIBID_BrindtSysInfo) + L"\\1.0\\409" + stray}) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, L"gone", sizeof(L"gone"));
  }
  Run(own, L"/u", "foreign ProgIDs, a stray type library key");
  for (const std::wstring& prog_id : prog_ids) {
    const std::wstring got = ReadString(prog_id + L"\\CLSID", nullptr);
    ok(got == foreign, "%s: expected the foreign CLSID to stay, got %s\n", Narrow(prog_id).c_str(),
       Narrow(got).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, prog_id.c_str());
  }
  ExpectDump(TakeDump(), empty, "this bitness registered and unregistered");
  Run(own, L"/u", "this bitness unregistered twice");
  ExpectDump(TakeDump(), empty, "this bitness unregistered twice");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"--dump") == 0) {
    std::ofstream out(std::filesystem::path(argv[2]), std::ios::binary);
    out << registry_dump::Text(TakeDump());
    return out.flush() ? 0 : 1;
  }
  OleInitialize(nullptr);
  const std::wstring bin = registry_dump::BinDir() + L"\\";
  const Bitness own{false, {bin + L"BrindtSysQuery.dll", bin + L"BrindtSysInfo.ocx"}};
  const Bitness other = OtherBitness();

  Run(other, L"/u", "start");
  Run(own, L"/u", "start");
  const Dump empty = TakeDump();
  Dump ours;
  for (std::wstring line : empty) {
    for (wchar_t& c : line) c = static_cast<wchar_t>(std::towupper(c));
    if (line.find(L"BRINDT") != std::wstring::npos || line.find(GuidText(LIBID_BrindtSysInfo)) != std::wstring::npos ||
        line.find(GuidText(LIBID_BrindtSysQuery)) != std::wstring::npos) {
      ours.push_back(line);
    }
  }
  ExpectDump(ours, {}, "nothing registered: lines naming the modules");
  FailRegistration(own, "failed registration");
  ExpectDump(TakeDump(), empty, "failed registration");

  Run(own, L"", "this bitness alone");
  const Dump own_only = TakeDump();
  const std::string golden = "win32/reg_registered.txt";
  const std::string difference =
      bsi::test::CompareGolden(golden, Normalised(registry_dump::Minus(own_only, empty), own.modules[0]));
  ok(difference.empty(), "expected the registration of %s, got another:\n%s", golden.c_str(), difference.c_str());
  ExpectOwnLibraries("this bitness alone");
  test_without_query_library(own);
  ExpectDump(TakeDump(), own_only, "the query library registered again");
  test_unregister_keeps_foreign_progid(own, empty);

  if (other.modules.empty()) {
    skip("the other bitness's modules are not registered in this bed\n");
  } else {
    Run(other, L"", "other bitness alone");
    const Dump other_only = TakeDump();
    FailRegistration(own, "failed registration beside the other bitness");
    ExpectDump(TakeDump(), other_only, "failed registration beside the other bitness");
    Run(own, L"", "both");
    const Dump both = TakeDump();
    ExpectOwnLibraries("both registered");
    Run(other, L"/u", "other bitness unregistered");
    ExpectDump(TakeDump(), own_only, "other bitness unregistered");
    ExpectOwnLibraries("other bitness unregistered");
    Run(other, L"", "other bitness registered again");
    ExpectDump(TakeDump(), both, "other bitness registered again");
    Run(own, L"/u", "this bitness unregistered");
    ExpectDump(TakeDump(), other_only, "this bitness unregistered");
    Run(other, L"/u", "both unregistered");
    ExpectDump(TakeDump(), empty, "both unregistered");
  }

  // The bed as it was, for the tests that come after.
  Run(other, L"", "end");
  Run(own, L"", "end");
  OleUninitialize();
  return wine_test::Summary("registration_views");
}
