// SPDX-License-Identifier: MIT
// Registration of both modules (the control and the query library) with regsvr32, compared in whole registry dumps:
// HKCR as this process sees it and both views' CLSID and Interface keys, sorted, a line per key ("path") and per
// value ("path [name] type: data", strings as text, other data as bytes). With everything unregistered no key names
// the modules, and a registration that fails half-way takes back what it wrote. This bitness registered alone writes
// exactly tests/data/win32/reg_registered.txt (normalised for the build folder and the bitness); with the query
// library taken away the control's window still opens after the message box of error 429;
// unregistering keeps a ProgID that another class has taken over, leaves nothing else, and succeeds twice. With the
// other bitness registered beside it, unregistering one bitness leaves exactly what the other alone registers.
// Runs alone, and registers everything again at the end.
//   registration_views_test.exe --dump FILE   writes the dump alone to FILE (UTF-8, a line each), changing nothing:
//                                            the installer's test compares it with what regsvr32 writes
#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <ole2.h>
#include <wrl/client.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "BrindtSysInfo.h"
#include "BrindtSysQuery.h"
#include "com_test.h"
#include "golden.h"
#include "resources/strings.h"
#include "runtime/error.h"
#include "ui_language.h"
#include "wine_test.h"

using wine_test::GuidText;
using wine_test::Narrow;

namespace {

using Dump = std::vector<std::wstring>;

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
      std::printf("  %s %s\n", sign, Narrow(lines[i]).c_str());
    }
  }
}

inline std::string Text(const Dump& dump) {
  std::string text;
  for (const std::wstring& line : dump) text += Narrow(line) + "\n";
  return text;
}

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
    Replace(line, wine_test::BinDir(), L"<bin>\\");
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

// Without the query library the client raises 429 (the one path of every class), and the control's window still
// opens: after the list builder's message box with that number, with the one row that came before the failure.
void test_without_query_library(const Bitness& own) {
  long code = Regsvr32(L"/u", own.modules[0]);
  ok(code == 0, "regsvr32 /u of the query library: expected exit code 0, got %ld\n", code);
  Microsoft::WRL::ComPtr<_ctlBrindtSysInfo> control;
  HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
  ok(hr == S_OK, "CoCreateInstance of the control: expected S_OK, got %#lx\n", static_cast<unsigned long>(hr));
  if (control) {
    auto S = [language = bsi::win32::UserUiLanguage()](std::int32_t id) {
      const bsi::Text text = bsi::CatalogueText(language, id);
      return std::wstring(text.begin(), text.end());
    };
    // "Description:" + text + CR LF CR LF + "Number:" + number, no spaces after the colons.
    const bsi::Text description = bsi::StandardDescription(bsi::err::kCannotCreateObject);
    const std::wstring box =
        S(137) + L": " + S(138) + std::wstring(description.begin(), description.end()) + L"\r\n\r\n" + S(139) + L"429";
    std::wstring label, value;
    ocx_test::Shown seen;
    VARIANT result;
    V_VT(&result) = VT_I4;
    hr = ocx_test::ShowAndClose(
        ocx_test::CloseBy::Ok, [&] { return control->ShowSysInfo(&result); },
        [&](HWND window) {
          label = ocx_test::CellText(window, 0, 0);
          value = ocx_test::CellText(window, 0, 1);
        },
        &seen, box);
    ok(hr == S_OK && V_VT(&result) == VT_EMPTY, "ShowSysInfo: expected S_OK and Empty, got %#lx and type %u\n",
       static_cast<unsigned long>(hr), V_VT(&result));
    ok(seen.rows == 1 && label == S(101) && value.empty(),
       "expected the one row \"%s\" \"\", got %d rows, the first \"%s\" \"%s\"\n", Narrow(S(101)).c_str(), seen.rows,
       Narrow(label).c_str(), Narrow(value).c_str());
    const ULONG left = control.Detach()->Release();
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
    out << Text(TakeDump());
    return out.flush() ? 0 : 1;
  }
  OleInitialize(nullptr);
  const std::wstring bin = wine_test::BinDir();
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
  const std::string difference = bsi::test::CompareGolden(golden, Normalised(Minus(own_only, empty), own.modules[0]));
  ok(difference.empty(), "expected the registration of %s, got another:\n%s", golden.c_str(), difference.c_str());
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
    Run(other, L"/u", "other bitness unregistered");
    ExpectDump(TakeDump(), own_only, "other bitness unregistered");
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
