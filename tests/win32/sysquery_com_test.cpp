// SPDX-License-Identifier: MIT
// BrindtSysQuery.dll through COM, as callers see it: every class by CLSID and ProgID with its interfaces, every
// member late-bound from the type information (tests/data/win32/query_members.txt), the registry reader's
// settings, the drive collection protocol, SetColors on a real progress bar and the error information of
// failures. The facts themselves are checked by the probes' own test; the class factory's locks
// by ocx.control (both modules share it).
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>
#include <olectl.h>
#include <uxtheme.h>
#include <wrl/client.h>

#include <cwchar>
#include <string>
#include <vector>

#include "BrindtSysQuery.h"
#include "com_object.h"
#include "com_test.h"
#include "golden.h"
#include "probes.h"
#include "ui_language.h"
#include "wine_test.h"

using com_test::ExpectError;
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

template <class Interface>
ComPtr<Interface> Create(REFCLSID clsid, wine_test::Where where = wine_test::Where::current()) {
  ComPtr<Interface> object;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
  ok_at(where, hr == S_OK, "CoCreateInstance: expected S_OK, got %#lx\n", static_cast<unsigned long>(hr));
  return object;
}

// Any German is German, every other language English (the run's own language: ui_test).
void test_ui_language() {
  const bsi::UiLanguage austrian = bsi::win32::LanguageForLangId(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN));
  const bsi::UiLanguage french = bsi::win32::LanguageForLangId(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
  ok(austrian == bsi::UiLanguage::German && french == bsi::UiLanguage::English,
     "expected Austrian German as German, French as English, got %d and %d\n", static_cast<int>(austrian),
     static_cast<int>(french));
}

std::string TypeName(VARTYPE type) {
  switch (type) {
    case VT_BSTR:
      return "String";
    case VT_I4:
      return "Long";
    case VT_BOOL:
      return "Boolean";
    case VT_CY:
      return "Currency";
    case VT_DISPATCH:
      return "Object";
    default:
      return "type " + std::to_string(type);
  }
}

/// How the class presents itself, in the words of the expected line below.
std::string Presentation(const ClassCase& c, IDispatch* object, ITypeInfo* info) {
  CLSID clsid{};
  IUnknown* dual = nullptr;
  IPersist* persist = reinterpret_cast<IPersist*>(0xdeadbeef);
  ComPtr<ISupportErrorInfo> support;
  UINT count = 0;
  TYPEATTR* type = nullptr;
  object->GetTypeInfoCount(&count);
  bool described = false;
  if (SUCCEEDED(info->GetTypeAttr(&type))) {
    described = type->guid == *c.iid && (type->wTypeFlags & TYPEFLAG_FDUAL);
    info->ReleaseTypeAttr(type);
  }
  std::string text = CLSIDFromProgID(c.prog_id, &clsid) == S_OK && clsid == *c.clsid ? "by ProgID" : "not by ProgID";
  object->QueryInterface(*c.iid, reinterpret_cast<void**>(&dual));
  text += dual == object ? ", dual" : ", not dual";
  text += ", " + std::to_string(count) + (described ? " dual type info" : " other type info");
  if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&support)))) {
    text += ", error information " + std::to_string(support->InterfaceSupportsErrorInfo(*c.iid)) + " " +
            std::to_string(support->InterfaceSupportsErrorInfo(IID_IPersist));
  }
  const HRESULT hr = object->QueryInterface(IID_PPV_ARGS(&persist));
  text += hr == E_NOINTERFACE && persist == nullptr ? ", no IPersist" : ", IPersist " + std::to_string(hr);
  if (SUCCEEDED(hr)) persist->Release();
  if (dual != nullptr) dual->Release();
  return text;
}

// Each class: its ProgID names its CLSID; its dual interface is its IDispatch, described by its one type info;
// error information is declared for that interface alone; no IPersist; the last Release gives 0. Every member as
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
    const std::string presentation = Presentation(c, object.Get(), info.Get());
    ok(presentation == "by ProgID, dual, 1 dual type info, error information 0 1, no IPersist",
       "%s: expected it by ProgID, dual, ..., got %s\n", Narrow(c.prog_id).c_str(), presentation.c_str());
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
    const ULONG left = object.Detach()->Release();
    ok(left == 0, "%s: expected the last Release to give 0, got %lu\n", Narrow(c.prog_id).c_str(), left);
  }
  const std::string difference = bsi::test::CompareGolden("win32/query_members.txt", text);
  ok(difference.empty(), "expected the members of query_members.txt, got others:\n%s", difference.c_str());
}

const std::wstring kTestKey = wine_test::OwnKeyName(L"Software\\BrindtSysQuery COM test");

void test_registry_reader() {
  const wchar_t greeting[] = L"Grüße";
  const wchar_t multi[] = L"eins\0zwei\0";  // with the array's own NUL: two strings and the list's end
  RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey.c_str(), L"Text", REG_SZ, greeting, sizeof(greeting));
  RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey.c_str(), L"List", REG_MULTI_SZ, multi, sizeof(multi));
  ComPtr<IRegistryReader> reader = Create<IRegistryReader>(CLSID_RegistryReader);
  if (!reader) return;
  auto text = [](const std::wstring& value) {
    return SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  };
  auto put = [&](HRESULT (STDMETHODCALLTYPE IRegistryReader::*set)(BSTR), const std::wstring& value) {
    BSTR copy = text(value);
    const HRESULT hr = (reader.Get()->*set)(copy);
    SysFreeString(copy);
    return hr;
  };
  long root = 0, value_type = 0;
  ok(reader->get_Root(&root) == S_OK && reader->get_ValueType(&value_type) == S_OK &&
         root == static_cast<long>(0x80000002UL) && value_type == REG_SZ,
     "expected the defaults HKEY_LOCAL_MACHINE and REG_SZ, got %#lx and %ld\n", root, value_type);
  reader->put_Root(static_cast<long>(0x80000001UL));
  put(&IRegistryReader::put_KeyPath, kTestKey);

  // Two reads in a row: the settings stay. A multi-string keeps its inner NUL; a missing value is empty text.
  const struct {
    const wchar_t* name;
    std::wstring value;
    VARIANT_BOOL exists;
  } reads[] = {{L"Text", greeting, VARIANT_TRUE},
               {L"Text", greeting, VARIANT_TRUE},
               {L"List", std::wstring(L"eins\0zwei", 9), VARIANT_TRUE},
               {L"Missing", L"", VARIANT_FALSE}};
  const wchar_t* previous = L"";
  for (const auto& read : reads) {
    if (std::wcscmp(previous, read.name) != 0) put(&IRegistryReader::put_ValueName, read.name);
    previous = read.name;
    VARIANT value;
    V_VT(&value) = VT_I4;
    const HRESULT hr = reader->get_Value(&value);
    const std::wstring got =
        V_VT(&value) == VT_BSTR ? std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value))) : L"?";
    VariantClear(&value);
    VARIANT_BOOL exists = 0x0bad;
    reader->get_Exists(&exists);
    ok(hr == S_OK && got == read.value && exists == read.exists,
       "%s: expected \"%s\" (%u units), Exists %d; got hr %#lx \"%s\" (%u units), Exists %d\n",
       Narrow(read.name).c_str(), Narrow(read.value).c_str(), static_cast<unsigned>(read.value.size()), read.exists,
       static_cast<unsigned long>(hr), Narrow(got).c_str(), static_cast<unsigned>(got.size()), exists);
  }
  // Bad settings: error 380 from the reader, and the old setting stays.
  ExpectError(reader->put_Root(12345), 380, L"Invalid property value", "put_Root(12345)");
  ok(reader->get_Root(&root) == S_OK && root == static_cast<long>(0x80000001UL),
     "expected Root to stay HKEY_CURRENT_USER, got %#lx\n", root);
  ExpectError(reader->put_ValueType(99), 380, L"Invalid property value", "put_ValueType(99)");
  com_test::ExpectHresult(reader->get_Value(nullptr), E_POINTER, nullptr, "get_Value(nullptr)");
  // A failing getter still clears its out-parameter: a name with an inner NUL cannot be read.
  put(&IRegistryReader::put_ValueName, std::wstring(L"a\0b", 3));
  VARIANT_BOOL exists = static_cast<VARIANT_BOOL>(0xdeadbeef);
  const HRESULT hr = reader->get_Exists(&exists);
  ok(exists == VARIANT_FALSE, "inner NUL: expected Exists cleared to false, got %#x\n", exists);
  com_test::ExpectHresult(hr, E_INVALIDARG, nullptr, "inner NUL");
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey.c_str());
}

std::wstring ItemText(IDriveCollection* drives, VARIANT index, HRESULT* hr) {
  VARIANT item;
  VariantInit(&item);
  *hr = drives->get_Item(index, &item);
  std::wstring text = V_VT(&item) == VT_BSTR ? std::wstring(V_BSTR(&item)) : L"<no text>";
  VariantClear(&item);
  return text;
}

void test_drive_collection() {
  ComPtr<IDispatch> object;
  ComPtr<IDriveCollection> drives;
  if (ComPtr<IDriveInfo> info = Create<IDriveInfo>(CLSID_DriveInfo)) info->get_Drives(&object);
  if (!object || FAILED(object.As(&drives))) return (void)ok(false, "expected Drives to be a collection, got none\n");
  long count = 0;
  drives->get_Count(&count);
  std::vector<std::wstring> items;
  HRESULT hr = S_OK;
  for (long i = 1; i <= count; ++i) items.push_back(ItemText(drives.Get(), LongArg(i), &hr));
  if (items.empty()) return (void)ok(false, "expected drives, got none\n");
  // Indexes as scripts pass them, also as text or by reference (the default member: sysquery_late_bound.vbs).
  LONG one = 1;
  VARIANT by_reference, text_one, text_drive;
  V_VT(&by_reference) = VT_I4 | VT_BYREF;
  V_I4REF(&by_reference) = &one;
  V_VT(&text_one) = V_VT(&text_drive) = VT_BSTR;
  V_BSTR(&text_one) = SysAllocString(L"1");
  V_BSTR(&text_drive) = SysAllocString(L"C:");
  const struct {
    const char* what;
    VARIANT index;
    int error;
  } indexes[] = {{"\"1\"", text_one, 0}, {"ByRef 1", by_reference, 0},
                 {"0", LongArg(0), 9},   {"Count + 1", LongArg(count + 1), 9},
                 {"-1", LongArg(-1), 9}, {"\"C:\"", text_drive, 13}};
  for (const auto& index : indexes) {
    const std::wstring text = ItemText(drives.Get(), index.index, &hr);
    if (index.error != 0)
      ExpectError(hr, index.error, index.error == 9 ? L"Subscript out of range" : nullptr, index.what);
    if (index.error == 0) {
      ok(hr == S_OK && text == items[0], "Item(%s): expected %s, got hr %#lx %s\n", index.what,
         Narrow(items[0]).c_str(), static_cast<unsigned long>(hr), Narrow(text).c_str());
    }
  }
  VariantClear(&text_one);
  VariantClear(&text_drive);
  // A clone of _NewEnum's enumerator gives as many items and then reports the end (the walk itself: For Each in
  // sysquery_late_bound.vbs).
  ComPtr<IUnknown> unknown;
  ComPtr<IEnumVARIANT> walk, copy;
  drives->get__NewEnum(&unknown);
  if (!unknown || FAILED(unknown.As(&walk))) return (void)ok(false, "expected _NewEnum to give an IEnumVARIANT\n");
  ULONG fetched = 0;
  VARIANT many[64];
  hr = SUCCEEDED(walk->Clone(&copy)) && copy ? copy->Next(64, many, &fetched) : E_FAIL;
  ok(fetched == items.size() && hr == (items.size() == 64 ? S_OK : S_FALSE) && V_VT(&many[0]) == VT_BSTR &&
         items[0] == V_BSTR(&many[0]),
     "Next(64) of a clone: expected %u items from the first, got hr %#lx, %lu\n", static_cast<unsigned>(items.size()),
     static_cast<unsigned long>(hr), fetched);
  for (ULONG i = 0; SUCCEEDED(hr) && i < fetched && i < 64; ++i) VariantClear(&many[i]);
  copy.Reset();
  walk.Reset();
  drives.Reset();
  ok(unknown.Detach()->Release() == 0 && object.Detach()->Release() == 0,
     "expected the last Releases of the enumerator and the collection to give 0\n");
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

}  // namespace

int main() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ok(hr == S_OK, "CoInitializeEx: expected S_OK, got %#lx\n", static_cast<unsigned long>(hr));
  test_ui_language();
  test_classes_late_bound();
  test_registry_reader();
  test_drive_collection();
  test_set_colors();
  CoUninitialize();
  return wine_test::Summary("sysquery_com");
}
