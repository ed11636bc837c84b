// SPDX-License-Identifier: MIT
// BrindtSysQuery.dll through COM, both ends. As callers see it: every class by CLSID and ProgID with its interfaces,
// every member late-bound from the type information (tests/data/win32/query_members.txt), the registry reader's
// settings and SetColors on a real progress bar (the drive collection as scripts use it: sysquery_late_bound.vbs).
// Failures: what a server method returns for each kind of exception with its IErrorInfo, and the query client turning
// the HRESULT back into the same run-time error. The core's query library over the DLL: every class created, its
// results converted, all released at the session's end. The facts themselves are checked by the probes' own test; the
// class factory's locks by ocx.control (both modules share it).
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>
#include <uxtheme.h>
#include <wrl/client.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "BrindtSysQuery.h"
#include "com_error.h"
#include "com_object.h"
#include "com_test.h"
#include "golden.h"
#include "probes.h"
#include "query/query_session.h"
#include "query_client.h"
#include "query_object.h"
#include "runtime/error.h"
#include "ui_language.h"
#include "wine_test.h"

using com_test::Create;
using com_test::ErrorHresult;
using com_test::ExpectError;
using com_test::ExpectRaises;
using com_test::LongArg;
using Microsoft::WRL::ComPtr;
using wine_test::Narrow;

namespace {

struct ClassCase {
  const wchar_t* prog_id;
  const CLSID* clsid;
  const IID* iid;
};

#define CLASS_CASE(name) \
  { L"BrindtSysQuery." #name, &CLSID_##name, &IID_I##name }
const ClassCase kClasses[] = {
    CLASS_CASE(RegistryReader),     CLASS_CASE(OSVersionInfo), CLASS_CASE(ProcessorInfo),
    CLASS_CASE(MemoryInfo),         CLASS_CASE(ComputerInfo),  CLASS_CASE(UserInfo),
    CLASS_CASE(AdminRightsInfo),    CLASS_CASE(NetworkInfo),   CLASS_CASE(DialUpInfo),
    CLASS_CASE(DefaultBrowserInfo), CLASS_CASE(FolderInfo),    CLASS_CASE(DisplayInfo),
    CLASS_CASE(DefaultPrinterInfo), CLASS_CASE(SoundInfo),     CLASS_CASE(UptimeInfo),
    CLASS_CASE(TimeZoneInfo),       CLASS_CASE(DriveInfo),     CLASS_CASE(ProgressBarColors),
};
#undef CLASS_CASE

std::string TypeName(VARTYPE type) {
  for (const auto& [vt, name] : {std::pair{VT_BSTR, "String"},
                                 {VT_I4, "Long"},
                                 {VT_BOOL, "Boolean"},
                                 {VT_CY, "Currency"},
                                 {VT_DISPATCH, "Object"}}) {
    if (vt == type) return name;
  }
  return "type " + std::to_string(type);
}

// Each class: its ProgID names its CLSID; error information is declared for its interface alone; the last Release
// gives 0. Every member as
// the type information lists it, each one without arguments called late-bound: names, order, kinds and result
// types are the golden file's.
void test_classes_late_bound() {
  std::string text;
  for (const ClassCase& c : kClasses) {
    ComPtr<ITypeInfo> info;
    TYPEATTR* type = nullptr;
    ComPtr<IDispatch> object = Create<IDispatch>(*c.clsid);
    if (!object || FAILED(object->GetTypeInfo(0, 0, &info)) || FAILED(info->GetTypeAttr(&type))) continue;
    const WORD functions = type->cFuncs;
    info->ReleaseTypeAttr(type);
    CLSID clsid{};
    ComPtr<ISupportErrorInfo> support;
    const bool by_prog_id = CLSIDFromProgID(c.prog_id, &clsid) == S_OK && clsid == *c.clsid;
    const HRESULT own = SUCCEEDED(object.As(&support)) ? support->InterfaceSupportsErrorInfo(*c.iid) : E_NOINTERFACE;
    const HRESULT other = support ? support->InterfaceSupportsErrorInfo(IID_IPersist) : E_NOINTERFACE;
    ok(by_prog_id && own == S_OK && other == S_FALSE,
       "%s: expected it by ProgID and error information for its interface alone, got %d, %#lx, %#lx\n",
       Narrow(c.prog_id).c_str(), by_prog_id, static_cast<unsigned long>(own), static_cast<unsigned long>(other));
    for (WORD i = 0; i < functions; ++i) {
      FUNCDESC* function = nullptr;
      if (FAILED(info->GetFuncDesc(i, &function))) continue;
      BSTR name = nullptr;
      info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
      std::string line = Narrow(c.prog_id) + "." + Narrow(name ? name : L"?");
      SysFreeString(name);
      if (function->invkind != INVOKE_FUNC && function->invkind != INVOKE_PROPERTYGET) {
        line += " put";
      } else if (function->cParams > 0) {
        line += " (" + std::to_string(function->cParams) + " arguments)";
      } else {
        VARIANT result;
        VariantInit(&result);
        DISPPARAMS none{};
        const HRESULT hr = object->Invoke(function->memid, IID_NULL, 0, static_cast<WORD>(function->invkind), &none,
                                          &result, nullptr, nullptr);
        line += hr == S_OK ? " -> " + TypeName(V_VT(&result)) : " failed " + std::to_string(hr);
        // The memory figures are plain digits, for the client to convert.
        const std::wstring figure = V_VT(&result) == VT_BSTR ? V_BSTR(&result) : L"";
        ok(c.clsid != &CLSID_MemoryInfo || figure.find_first_not_of(L"0123456789") == std::wstring::npos,
           "%s: expected plain digits, got \"%s\"\n", line.c_str(), Narrow(figure).c_str());
        VariantClear(&result);
      }
      if (!(function->wFuncFlags & FUNCFLAG_FRESTRICTED)) text += line + "\n";
      info->ReleaseFuncDesc(function);
    }
    info.Reset();
    support.Reset();
    const ULONG left = object.Detach()->Release();
    ok(left == 0, "%s: expected the last Release to give 0, got %lu\n", Narrow(c.prog_id).c_str(), left);
  }
  const std::string difference = bsi::test::CompareGolden("win32/query_members.txt", text);
  ok(difference.empty(), "expected the members of query_members.txt, got others:\n%s", difference.c_str());
}

// The process id in the name: the runs in both languages and both bitnesses may run at the same time.
const std::wstring kTestKey = L"Software\\BrindtSysQuery COM test " + std::to_wstring(GetCurrentProcessId());

// The reader over the registry at its limits, under the test's own HKCU key.
void test_registry_reader() {
  auto set = [](const wchar_t* name, DWORD type, const void* data, std::size_t size) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey.c_str(), name, type, data, static_cast<DWORD>(size));
  };
  const wchar_t greeting[] = L"Grüße";
  const wchar_t multi[] = L"eins\0zwei\0";  // with the array's own NUL: two strings and the list's end
  std::wstring long_text(300000, L'ä');
  long_text[123456] = L'Z';
  const std::vector<BYTE> huge(1024 * 1024 + 2, 'x');
  set(L"Text", REG_SZ, greeting, sizeof(greeting));
  set(L"List", REG_MULTI_SZ, multi, sizeof(multi));
  set(L"", REG_SZ, L"default", 16);
  set(L"long", REG_SZ, long_text.c_str(), (long_text.size() + 1) * sizeof(wchar_t));
  set(L"huge", REG_BINARY, huge.data(), huge.size());
  ComPtr<IRegistryReader> reader = Create<IRegistryReader>(CLSID_RegistryReader);
  if (!reader) return;
  auto put = [&](HRESULT (STDMETHODCALLTYPE IRegistryReader::*set)(BSTR), const std::wstring& value) {
    BSTR copy = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    (reader.Get()->*set)(copy);
    SysFreeString(copy);
  };
  long root = 0, value_type = 0;
  ok(reader->get_Root(&root) == S_OK && reader->get_ValueType(&value_type) == S_OK &&
         root == static_cast<long>(0x80000002UL) && value_type == REG_SZ,
     "expected the defaults HKEY_LOCAL_MACHINE and REG_SZ, got %#lx and %ld\n", root, value_type);
  reader->put_Root(static_cast<long>(0x80000001UL));
  // A read leaves the settings as they were: a row with the key and name of the one before sets nothing.
  const struct {
    std::wstring key, name, value;
    VARIANT_BOOL exists;
    HRESULT hr;
  } reads[] = {
      {kTestKey, L"Text", greeting, VARIANT_TRUE, S_OK},
      {kTestKey, L"Text", greeting, VARIANT_TRUE, S_OK},
      {kTestKey, L"List", std::wstring(L"eins\0zwei", 9), VARIANT_TRUE, S_OK},  // the inner NUL kept
      {kTestKey, L"", L"default", VARIANT_TRUE, S_OK},                          // the default value's empty name
      {kTestKey, L"long", long_text, VARIANT_TRUE, S_OK},                       // whole, up to 1 MiB
      {kTestKey, L"Missing", L"", VARIANT_FALSE, S_OK},
      {kTestKey + L"\\no such key", L"Text", L"", VARIANT_FALSE, S_OK},
      // Larger values are refused instead of allocated; an inner NUL would reach another key or value.
      {kTestKey, L"huge", L"", VARIANT_FALSE, HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE)},
      {std::wstring(L"Software\0x", 10), L"Text", L"", VARIANT_FALSE, E_INVALIDARG},
      {kTestKey, std::wstring(L"a\0b", 3), L"", VARIANT_FALSE, E_INVALIDARG},
  };
  decltype(&reads[0]) previous = nullptr;
  for (const auto& read : reads) {
    if (!previous || previous->key != read.key) put(&IRegistryReader::put_KeyPath, read.key);
    if (!previous || previous->name != read.name) put(&IRegistryReader::put_ValueName, read.name);
    previous = &read;
    VARIANT value;
    V_VT(&value) = VT_I4;
    const HRESULT hr = reader->get_Value(&value);
    const std::wstring got = V_VT(&value) == VT_BSTR ? std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value))) : L"";
    VariantClear(&value);
    // A failing getter still clears its out-parameter.
    VARIANT_BOOL exists = 0x0bad;
    reader->get_Exists(&exists);
    com_test::TakeErrorInfo();
    ok(hr == read.hr && got == read.value && exists == read.exists,
       "%s: expected hr %#lx, %u units, Exists %d; got hr %#lx, %u units \"%s\", Exists %d\n",
       Narrow(read.name).c_str(), static_cast<unsigned long>(read.hr), static_cast<unsigned>(read.value.size()),
       read.exists, static_cast<unsigned long>(hr), static_cast<unsigned>(got.size()),
       Narrow(got.substr(0, 40)).c_str(), exists);
  }
  // Bad settings: error 380 from the reader, and the old setting stays.
  ExpectError(reader->put_Root(12345), 380, L"Invalid property value", "put_Root(12345)");
  ok(reader->get_Root(&root) == S_OK && root == static_cast<long>(0x80000001UL),
     "expected Root to stay HKEY_CURRENT_USER, got %#lx\n", root);
  ExpectError(reader->put_ValueType(99), 380, L"Invalid property value", "put_ValueType(99)");
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey.c_str());
}

/// A gauge as a form's control offers it: an object with an hWnd property (or without one).
class GaugeObject final : public bsi::win32::com::ComObject<GaugeObject, IDispatch> {
 public:
  explicit GaugeObject(HWND window, bool has_handle) : window_(window), has_handle_(has_handle) {}
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count != 1 || !has_handle_ || lstrcmpiW(names[0], L"hWnd") != 0) return DISP_E_UNKNOWNNAME;
    ids[0] = 7;
    return S_OK;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id != 7 || !(flags & DISPATCH_PROPERTYGET) || result == nullptr) return DISP_E_MEMBERNOTFOUND;
    V_VT(result) = VT_I4;
    V_I4(result) = static_cast<LONG>(reinterpret_cast<LONG_PTR>(window_));
    return S_OK;
  }

 private:
  HWND window_;
  bool has_handle_;
};

void test_set_colors() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 20, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ComPtr<IProgressBarColors> colors = Create<IProgressBarColors>(CLSID_ProgressBarColors);
  if (!bar || !colors) return (void)ok(false, "expected a bar and the object\n");
  auto expect_colours = [bar](COLORREF want_bar, COLORREF want_back, const char* what,
                              wine_test::Where where = wine_test::Where::current()) {
    const auto got_bar = static_cast<COLORREF>(SendMessageW(bar, PBM_GETBARCOLOR, 0, 0));
    const auto got_back = static_cast<COLORREF>(SendMessageW(bar, PBM_GETBKCOLOR, 0, 0));
    ok_at(where, got_bar == want_bar && got_back == want_back, "%s: expected colours %06lx/%06lx, got %06lx/%06lx\n",
          what, want_bar, want_back, got_bar, got_back);
  };
  const VARIANT handle = LongArg(static_cast<LONG>(reinterpret_cast<LONG_PTR>(bar)));
  HRESULT hr = colors->SetColors(handle, RGB(255, 0, 0), RGB(0, 0, 255));
  ok(hr == S_OK, "SetColors(handle): expected S_OK, got %#lx\n", static_cast<unsigned long>(hr));
  expect_colours(RGB(255, 0, 0), RGB(0, 0, 255), "handle");
  ok(GetWindowTheme(bar) == nullptr, "expected the bar without its visual theme, got one\n");

  VARIANT gauge;
  V_VT(&gauge) = VT_DISPATCH;
  GaugeObject::Create(IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(&gauge)), bar, true);
  hr = colors->SetColors(gauge, RGB(0, 128, 0), static_cast<long>(0x80000000UL | COLOR_WINDOW));
  ok(hr == S_OK, "SetColors(object): expected S_OK, got %#lx\n", static_cast<unsigned long>(hr));
  expect_colours(RGB(0, 128, 0), GetSysColor(COLOR_WINDOW), "object with a system colour");
  ok(V_DISPATCH(&gauge)->Release() == 0, "expected SetColors to keep no reference to the gauge\n");

  // No window: error 5, and the bar keeps its colours.
  GaugeObject::Create(IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(&gauge)), bar, false);
  for (const VARIANT& bad : {LongArg(0), LongArg(0x7654321), gauge}) {
    hr = colors->SetColors(bad, RGB(9, 9, 9), RGB(9, 9, 9));
    ExpectError(hr, 5, L"Invalid procedure call or argument", ("gauge of type " + std::to_string(V_VT(&bad))).c_str());
  }
  expect_colours(RGB(0, 128, 0), GetSysColor(COLOR_WINDOW), "after failed calls");
  V_DISPATCH(&gauge)->Release();
  DestroyWindow(bar);
}

// --- Failures across COM, both ends.

const wchar_t kSource[] = L"BrindtSysQuery.MemoryInfo";

HRESULT ServerSide(const std::function<void()>& raise) {
  try {
    raise();
  } catch (const bsq::ProbeError& error) {
    return bsq::ReportProbeError(error, IID_IMemoryInfo, kSource);
  } catch (...) {
    return bsi::win32::com::CurrentExceptionHresult(IID_IMemoryInfo, kSource);
  }
  return S_OK;
}

void test_server_side_failures() {
  const HRESULT denied = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  const std::wstring probe_text = bsi::win32::com::SystemMessage(denied) + L" (RegOpenKeyExW)";
  const std::wstring out_of_memory = bsi::win32::com::SystemMessage(E_OUTOFMEMORY);
  const struct {
    const char* what;
    std::function<void()> raise;
    HRESULT expected;
    const wchar_t* description;  // nullptr: not checked
  } cases[] = {
      {"probe", [] { throw bsq::ProbeError(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), "RegOpenKeyExW"); }, denied,
       probe_text.c_str()},
      // A probe that throws with a success code still fails.
      {"probe with S_OK", [] { throw bsq::ProbeError(S_OK, "odd"); }, E_FAIL, nullptr},
      {"error 35600", [] { throw bsi::RuntimeError(35600, u"Index außerhalb des Bereichs"); }, ErrorHresult(35600),
       L"Index außerhalb des Bereichs"},
      // Numbers beyond the facility's 16 bits have no HRESULT of their own; negative numbers are HRESULTs.
      {"error 70000", [] { throw bsi::RuntimeError(70000, u"zu groß"); }, E_FAIL, L"zu groß"},
      {"error E_ACCESSDENIED", [] { throw bsi::RuntimeError(static_cast<std::int32_t>(E_ACCESSDENIED), u"nein"); },
       E_ACCESSDENIED, L"nein"},
      {"ComError", [] { throw bsi::win32::com::ComError(DISP_E_BADINDEX, L"no such drive"); }, DISP_E_BADINDEX,
       L"no such drive"},
      {"bad_alloc", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY, out_of_memory.c_str()},
      {"logic_error", [] { throw std::logic_error("bug"); }, E_UNEXPECTED, nullptr},
  };
  ok(!out_of_memory.empty() && probe_text.size() > 16, "expected system messages, got \"%s\" and \"%s\"\n",
     Narrow(out_of_memory).c_str(), Narrow(probe_text).c_str());
  for (const auto& c : cases) {
    const HRESULT hr = ServerSide(c.raise);
    const com_test::ErrorText error = com_test::TakeErrorInfo();
    const std::wstring description = c.description ? c.description : error.description;
    ok(hr == c.expected && error.source == kSource && error.description == description,
       "%s: expected hr %#lx from %s \"%s\", got %#lx from %s \"%s\"\n", c.what, static_cast<unsigned long>(c.expected),
       Narrow(kSource).c_str(), Narrow(description).c_str(), static_cast<unsigned long>(hr),
       Narrow(error.source).c_str(), Narrow(error.description).c_str());
  }
}

/// Declares error information for IMemoryInfo, as the library's objects do, or for nothing.
class Declaring final : public bsi::win32::com::ComObject<Declaring, ISupportErrorInfo> {
 public:
  explicit Declaring(bool declares) : declares_(declares) {}
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override {
    return declares_ && riid == IID_IMemoryInfo ? S_OK : S_FALSE;
  }

 private:
  bool declares_;
};

// The client turns the server's HRESULT back into the number and description that were thrown, and takes the
// error information. What the object does not declare is stale: the system's message stands instead. An HRESULT
// without error information gets its run-time error's standard text, or a generic one.
void test_client_side() {
  IUnknown* declares = nullptr;
  IUnknown* silent = nullptr;
  Declaring::Create(IID_IUnknown, reinterpret_cast<void**>(&declares), true);
  Declaring::Create(IID_IUnknown, reinterpret_cast<void**>(&silent), false);
  const std::wstring denied = bsi::win32::com::SystemMessage(E_ACCESSDENIED);
  ok(!denied.empty() && denied.back() != L'\n', "expected a system message of one line, got \"%s\"\n",
     Narrow(denied).c_str());
  auto thrown = [](std::int32_t number, const char16_t* text) {
    return [=] { return ServerSide([&] { throw bsi::RuntimeError(number, text); }); };
  };
  auto returned = [](HRESULT hr) { return [hr] { return hr; }; };
  const auto access = static_cast<std::int32_t>(E_ACCESSDENIED);
  const struct {
    IUnknown* object;
    std::function<HRESULT()> fail;
    std::int32_t number;
    bsi::Text description;
  } cases[] = {
      {declares, thrown(9, u"Subscript out of range"), 9, u"Subscript out of range"},
      {declares, thrown(380, u"Ungültiger Eigenschaftswert"), 380, u"Ungültiger Eigenschaftswert"},
      {declares, thrown(access, u"Zugriff verweigert"), access, u"Zugriff verweigert"},
      {silent, thrown(access, u"stale"), access, bsi::Text(denied.begin(), denied.end())},
      {nullptr, returned(static_cast<HRESULT>(0x800A0009)), 9, u"Subscript out of range"},
      {nullptr, returned(static_cast<HRESULT>(0x8004F123)), static_cast<std::int32_t>(0x8004F123), u"Automation error"},
  };
  for (const auto& c : cases) {
    const HRESULT hr = c.fail();
    const std::string what = "error " + std::to_string(c.number);
    com_test::ExpectRaises([&] { bsi::win32::RaiseHresult(hr, c.object, IID_IMemoryInfo); }, c.number,
                           c.description.c_str(), what.c_str());
    IErrorInfo* left = nullptr;
    ok(GetErrorInfo(0, &left) == S_FALSE, "%s: expected the error information taken, got it left behind\n",
       what.c_str());
    if (left != nullptr) left->Release();
  }
  ok(declares->Release() == 0 && silent->Release() == 0, "expected the last Releases to give 0\n");
}

// --- The core's query library over the DLL.

std::wstring Wide(const bsi::Text& text) {
  return std::wstring(text.begin(), text.end());
}

void ExpectUnloadable(HRESULT expected, const char* when, wine_test::Where where = wine_test::Where::current()) {
  // The module CoCreateInstance loads is this one: the same path, the same module state.
  HMODULE module = GetModuleHandleW(L"BrindtSysQuery.dll");
  using CanUnloadNow = HRESULT(WINAPI*)();
  const auto can_unload = reinterpret_cast<CanUnloadNow>(
      reinterpret_cast<void*>(module ? GetProcAddress(module, "DllCanUnloadNow") : nullptr));
  const HRESULT hr = can_unload ? can_unload() : E_FAIL;
  ok_at(where, hr == expected, "%s: expected DllCanUnloadNow %#lx, got %#lx\n", when,
        static_cast<unsigned long>(expected), static_cast<unsigned long>(hr));
}

template <class... Classes>
void GetAll(bsi::QuerySession& session) {
  (session.Get<Classes>(), ...);
}

// Every class through the client, of the type the core asks for; results converted to the core's types; every
// object released when the session ends.
void test_client() {
  auto library = bsi::win32::CreateComQueryLibrary();
  bsi::QuerySession session(*library);
  try {
    GetAll<bsi::RegistryReader, bsi::OSVersionInfo, bsi::ProcessorInfo, bsi::MemoryInfo, bsi::ComputerInfo,
           bsi::UserInfo, bsi::AdminRightsInfo, bsi::NetworkInfo, bsi::DialUpInfo, bsi::DefaultBrowserInfo,
           bsi::FolderInfo, bsi::DisplayInfo, bsi::DefaultPrinterInfo, bsi::SoundInfo, bsi::UptimeInfo,
           bsi::TimeZoneInfo, bsi::DriveInfo, bsi::ProgressBarColors>(session);
  } catch (const bsi::RuntimeError& error) {
    ok(false, "expected every class, got error %d\n", error.number());
  }
  const bsi::Text total = session.Get<bsi::MemoryInfo>().PhysicalTotal();
  const std::wstring expected_total = std::to_wstring(bsq::ReadMemory().physical_total);
  ok(Wide(total) == expected_total, "PhysicalTotal: expected %s, got %s\n", wine_test::Narrow(expected_total).c_str(),
     bsi::ToUtf8(total).c_str());

  const bsq::DisplayFacts display = bsq::ReadDisplay();
  auto& screen = session.Get<bsi::DisplayInfo>();
  const bsi::Currency depth = screen.BitsPerPixel();
  ok(depth == bsi::Currency::FromWhole(display.bits_per_pixel) && screen.Width() == display.width &&
         screen.Height() == display.height,
     "expected the screen %dx%dx%d, got %dx%d and %lld/10000 bits\n", display.width, display.height,
     display.bits_per_pixel, screen.Width(), screen.Height(), static_cast<long long>(depth.scaled));

  const bsi::Variant sound = session.Get<bsi::SoundInfo>().Installed();
  ok(sound.kind() == bsi::VariantKind::Boolean && sound.AsBoolean() == bsq::SoundInstalled(),
     "Installed: expected the Boolean %d, got kind %d\n", bsq::SoundInstalled(), static_cast<int>(sound.kind()));

  auto drives = session.Get<bsi::DriveInfo>().Drives();
  auto* collection = dynamic_cast<bsi::Collection*>(drives.get());
  const std::vector<std::wstring> texts = bsq::DriveTexts(bsi::win32::UserUiLanguage());
  ok(collection != nullptr && collection->Count() == static_cast<std::int32_t>(texts.size()),
     "Drives: expected a Collection of %u, got %d\n", static_cast<unsigned>(texts.size()),
     collection ? collection->Count() : -1);
  for (std::int32_t i = 1; collection && i <= collection->Count() && i <= std::int32_t(texts.size()); ++i) {
    const bsi::Variant item = collection->Item(i);
    ok(item.kind() == bsi::VariantKind::String && Wide(item.AsString()) == texts[i - 1],
       "Item(%d): expected the String %s, got kind %d\n", i, wine_test::Narrow(texts[i - 1]).c_str(),
       static_cast<int>(item.kind()));
  }
  if (collection) ExpectRaises([&] { collection->Item(0); }, 9, u"Subscript out of range", "Item(0)");
  ExpectUnloadable(S_FALSE, "while the session holds objects");
  drives.reset();
  session.ReleaseAll();
  ExpectUnloadable(S_OK, "after the session");
}

}  // namespace

int main() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ok(hr == S_OK, "CoInitializeEx: expected S_OK, got %#lx\n", static_cast<unsigned long>(hr));
  test_classes_late_bound();
  test_registry_reader();
  test_set_colors();
  test_server_side_failures();
  test_client_side();
  test_client();
  CoUninitialize();
  return wine_test::Summary("sysquery_com");
}
