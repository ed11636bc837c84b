// SPDX-License-Identifier: MIT
// BrindtSysQuery.dll through COM, as callers see it: creation by CLSID and ProgID, every operation late-bound, the
// registry reader's settings, the drive collection protocol, SetColors on a real progress bar, the class factory
// and the error information of failures. The facts themselves are checked by the probes' own test.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>
#include <olectl.h>

#include <cwctype>
#include <string>
#include <vector>

#include "BrindtSysQuery.h"
#include "com_object.h"
#include "com_test.h"
#include "probes.h"
#include "ui_language.h"
#include "wine_test.h"

using com_test::Invoke;
using com_test::TakeErrorInfo;
using wine_test::Narrow;

namespace {

constexpr HRESULT kErrInvalidCall = static_cast<HRESULT>(0x800A0005);
constexpr HRESULT kErrSubscript = static_cast<HRESULT>(0x800A0009);
constexpr HRESULT kErrTypeMismatch = static_cast<HRESULT>(0x800A000D);
constexpr HRESULT kErrInvalidProperty = static_cast<HRESULT>(0x800A017C);

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

IDispatch* CreateByProgId(const wchar_t* prog_id) {
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(prog_id, &clsid))) return nullptr;
  IDispatch* object = nullptr;
  CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
  return object;
}

VARIANT LongArg(LONG value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

void test_ui_language() {
  // Any German is German, every other language English.
  const bsi::UiLanguage austrian = bsi::win32::LanguageForLangId(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN));
  ok(austrian == bsi::UiLanguage::German, "de-AT: language %d\n", static_cast<int>(austrian));
  const bsi::UiLanguage french = bsi::win32::LanguageForLangId(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
  ok(french == bsi::UiLanguage::English, "fr-FR: language %d\n", static_cast<int>(french));
  // The bed passes LC_ALL; Wine takes the UI language from it, per process.
  const bsi::UiLanguage expected = com_test::IsGermanRun() ? bsi::UiLanguage::German : bsi::UiLanguage::English;
  ok(bsi::win32::UserUiLanguage() == expected, "UI language %#x, LC_ALL %s\n", GetUserDefaultUILanguage(),
     com_test::IsGermanRun() ? "German" : "English");
}

void test_classes_by_clsid_and_progid() {
  for (const ClassCase& c : kClasses) {
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(c.prog_id, &clsid);
    ok(hr == S_OK && IsEqualCLSID(clsid, *c.clsid), "%s: CLSIDFromProgID hr %#lx\n", Narrow(c.prog_id).c_str(), hr);

    IUnknown* unknown = reinterpret_cast<IUnknown*>(0xdeadbeef);
    hr = CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&unknown));
    ok(hr == S_OK, "%s: CoCreateInstance hr %#lx\n", Narrow(c.prog_id).c_str(), hr);
    if (FAILED(hr)) continue;

    IDispatch* dual = nullptr;
    hr = unknown->QueryInterface(*c.iid, reinterpret_cast<void**>(&dual));
    ok(hr == S_OK, "%s: QueryInterface of its interface hr %#lx\n", Narrow(c.prog_id).c_str(), hr);
    IDispatch* dispatch = nullptr;
    hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    ok(hr == S_OK && dispatch == dual, "%s: IDispatch %p is not the dual interface %p\n", Narrow(c.prog_id).c_str(),
       static_cast<void*>(dispatch), static_cast<void*>(dual));

    UINT count = 0xdeadbeef;
    ok(dispatch != nullptr && dispatch->GetTypeInfoCount(&count) == S_OK && count == 1, "%s: type info count %u\n",
       Narrow(c.prog_id).c_str(), count);
    ITypeInfo* info = nullptr;
    if (dispatch != nullptr && SUCCEEDED(dispatch->GetTypeInfo(0, 0, &info))) {
      TYPEATTR* attributes = nullptr;
      if (SUCCEEDED(info->GetTypeAttr(&attributes))) {
        ok(IsEqualIID(attributes->guid, *c.iid), "%s: type info of another interface\n", Narrow(c.prog_id).c_str());
        ok(attributes->wTypeFlags & TYPEFLAG_FDUAL, "%s: interface is not dual\n", Narrow(c.prog_id).c_str());
        info->ReleaseTypeAttr(attributes);
      }
      info->Release();
    } else {
      ok(false, "%s: no type info\n", Narrow(c.prog_id).c_str());
    }

    ISupportErrorInfo* support = nullptr;
    hr = unknown->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support));
    ok(hr == S_OK, "%s: no ISupportErrorInfo, hr %#lx\n", Narrow(c.prog_id).c_str(), hr);
    if (support != nullptr) {
      ok(support->InterfaceSupportsErrorInfo(*c.iid) == S_OK, "%s: error info not declared\n",
         Narrow(c.prog_id).c_str());
      ok(support->InterfaceSupportsErrorInfo(IID_IPersist) == S_FALSE, "%s: error info for IPersist\n",
         Narrow(c.prog_id).c_str());
      support->Release();
    }
    IPersist* none = reinterpret_cast<IPersist*>(0xdeadbeef);
    hr = unknown->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&none));
    ok(hr == E_NOINTERFACE && none == nullptr, "%s: IPersist hr %#lx\n", Narrow(c.prog_id).c_str(), hr);

    if (dispatch != nullptr) dispatch->Release();
    if (dual != nullptr) dual->Release();
    const ULONG left = unknown->Release();
    ok(left == 0, "%s: last Release returned %lu\n", Narrow(c.prog_id).c_str(), left);
  }
}

void test_every_operation_late_bound() {
  struct Case {
    const wchar_t* prog_id;
    const wchar_t* member;
    VARTYPE type;
  };
  const Case cases[] = {
      {L"BrindtSysQuery.RegistryReader", L"Exists", VT_BOOL},
      {L"BrindtSysQuery.RegistryReader", L"Value", VT_BSTR},
      {L"BrindtSysQuery.RegistryReader", L"ValueType", VT_I4},
      {L"BrindtSysQuery.RegistryReader", L"Root", VT_I4},
      {L"BrindtSysQuery.RegistryReader", L"KeyPath", VT_BSTR},
      {L"BrindtSysQuery.RegistryReader", L"ValueName", VT_BSTR},
      {L"BrindtSysQuery.OSVersionInfo", L"Name", VT_BSTR},
      {L"BrindtSysQuery.OSVersionInfo", L"MajorVersion", VT_I4},
      {L"BrindtSysQuery.OSVersionInfo", L"MinorVersion", VT_I4},
      {L"BrindtSysQuery.OSVersionInfo", L"BuildNumber", VT_I4},
      {L"BrindtSysQuery.ProcessorInfo", L"Description", VT_BSTR},
      {L"BrindtSysQuery.MemoryInfo", L"PhysicalTotal", VT_BSTR},
      {L"BrindtSysQuery.MemoryInfo", L"PhysicalFree", VT_BSTR},
      {L"BrindtSysQuery.MemoryInfo", L"PageFileTotal", VT_BSTR},
      {L"BrindtSysQuery.MemoryInfo", L"PageFileFree", VT_BSTR},
      {L"BrindtSysQuery.MemoryInfo", L"VirtualTotal", VT_BSTR},
      {L"BrindtSysQuery.MemoryInfo", L"VirtualFree", VT_BSTR},
      {L"BrindtSysQuery.ComputerInfo", L"ComputerName", VT_BSTR},
      {L"BrindtSysQuery.UserInfo", L"UserName", VT_BSTR},
      {L"BrindtSysQuery.AdminRightsInfo", L"IsAdmin", VT_BOOL},
      {L"BrindtSysQuery.NetworkInfo", L"LocalIP", VT_BSTR},
      {L"BrindtSysQuery.NetworkInfo", L"NetworkIP", VT_BSTR},
      {L"BrindtSysQuery.NetworkInfo", L"LocalSubnetMask", VT_BSTR},
      {L"BrindtSysQuery.NetworkInfo", L"NetworkSubnetMask", VT_BSTR},
      {L"BrindtSysQuery.NetworkInfo", L"MACAddress", VT_BSTR},
      {L"BrindtSysQuery.DialUpInfo", L"Active", VT_BOOL},
      {L"BrindtSysQuery.DefaultBrowserInfo", L"Detail", VT_BSTR},
      {L"BrindtSysQuery.DefaultBrowserInfo", L"Executable", VT_BSTR},
      {L"BrindtSysQuery.DefaultBrowserInfo", L"Name", VT_BSTR},
      {L"BrindtSysQuery.FolderInfo", L"WindowsFolder", VT_BSTR},
      {L"BrindtSysQuery.FolderInfo", L"SystemFolder", VT_BSTR},
      {L"BrindtSysQuery.DisplayInfo", L"BitsPerPixel", VT_CY},
      {L"BrindtSysQuery.DisplayInfo", L"Width", VT_I4},
      {L"BrindtSysQuery.DisplayInfo", L"Height", VT_I4},
      {L"BrindtSysQuery.DefaultPrinterInfo", L"Name", VT_BSTR},
      {L"BrindtSysQuery.DefaultPrinterInfo", L"Detail1", VT_BSTR},
      {L"BrindtSysQuery.DefaultPrinterInfo", L"Detail2", VT_BSTR},
      {L"BrindtSysQuery.SoundInfo", L"Installed", VT_BOOL},
      {L"BrindtSysQuery.UptimeInfo", L"RunningTime", VT_BSTR},
      {L"BrindtSysQuery.TimeZoneInfo", L"Bias", VT_I4},
      {L"BrindtSysQuery.TimeZoneInfo", L"StandardName", VT_BSTR},
      {L"BrindtSysQuery.TimeZoneInfo", L"StandardBias", VT_I4},
      {L"BrindtSysQuery.TimeZoneInfo", L"DaylightName", VT_BSTR},
      {L"BrindtSysQuery.TimeZoneInfo", L"DaylightBias", VT_I4},
      {L"BrindtSysQuery.TimeZoneInfo", L"DaylightActive", VT_BOOL},
      {L"BrindtSysQuery.TimeZoneInfo", L"Name", VT_BSTR},
      {L"BrindtSysQuery.DriveInfo", L"Drives", VT_DISPATCH},
  };
  for (const Case& c : cases) {
    IDispatch* object = CreateByProgId(c.prog_id);
    ok(object != nullptr, "%s: not created\n", Narrow(c.prog_id).c_str());
    if (object == nullptr) continue;
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = Invoke(object, c.member, &result);
    ok(hr == S_OK, "%s.%s: hr %#lx\n", Narrow(c.prog_id).c_str(), Narrow(c.member).c_str(), hr);
    ok(V_VT(&result) == c.type, "%s.%s: type %d, expected %d\n", Narrow(c.prog_id).c_str(), Narrow(c.member).c_str(),
       V_VT(&result), c.type);
    VariantClear(&result);
    const ULONG left = object->Release();
    ok(left == 0, "%s: last Release returned %lu\n", Narrow(c.prog_id).c_str(), left);
  }
}

void test_memory_figures() {
  IMemoryInfo* memory = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_MemoryInfo, nullptr, CLSCTX_INPROC_SERVER, IID_IMemoryInfo,
                                reinterpret_cast<void**>(&memory));
  ok(hr == S_OK, "CoCreateInstance hr %#lx\n", hr);
  if (FAILED(hr)) return;
  using Getter = HRESULT (STDMETHODCALLTYPE IMemoryInfo::*)(BSTR*);
  const Getter getters[] = {&IMemoryInfo::get_PhysicalTotal, &IMemoryInfo::get_PhysicalFree,
                            &IMemoryInfo::get_PageFileTotal, &IMemoryInfo::get_PageFileFree,
                            &IMemoryInfo::get_VirtualTotal,  &IMemoryInfo::get_VirtualFree};
  for (Getter get : getters) {
    BSTR text = reinterpret_cast<BSTR>(static_cast<UINT_PTR>(0xdeadbeef));
    hr = (memory->*get)(&text);
    ok(hr == S_OK, "hr %#lx\n", hr);
    if (FAILED(hr)) continue;
    const std::wstring figure(text, SysStringLen(text));
    bool digits = !figure.empty();
    for (wchar_t unit : figure) digits = digits && unit >= L'0' && unit <= L'9';
    ok(digits, "figure %s is not plain digits\n", Narrow(figure).c_str());
    SysFreeString(text);
  }
  // The total is fixed, so COM must hand over exactly the probe's figure.
  BSTR total = nullptr;
  memory->get_PhysicalTotal(&total);
  const std::wstring expected = std::to_wstring(bsq::ReadMemory().physical_total);
  ok(total != nullptr && expected == total, "PhysicalTotal %s, probe %s\n", Narrow(total ? total : L"").c_str(),
     Narrow(expected).c_str());
  SysFreeString(total);
  ok(memory->Release() == 0, "last Release did not return 0\n");
}

const std::wstring kTestKey = wine_test::OwnKeyName(L"Software\\BrindtSysQuery COM test");

void test_registry_reader_settings() {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  const wchar_t greeting[] = L"Grüße";
  RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(greeting), sizeof(greeting));
  const wchar_t multi[] = L"eins\0zwei\0";  // with the array's own NUL: two strings and the list's end
  RegSetValueExW(key, L"List", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof(multi));
  RegCloseKey(key);

  IRegistryReader* reader = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_RegistryReader, nullptr, CLSCTX_INPROC_SERVER, IID_IRegistryReader,
                                reinterpret_cast<void**>(&reader));
  ok(hr == S_OK, "CoCreateInstance hr %#lx\n", hr);
  if (FAILED(hr)) return;

  long number = 0xdeadbeef;
  ok(reader->get_Root(&number) == S_OK && number == static_cast<long>(0x80000002UL), "default Root %#lx\n", number);
  number = 0xdeadbeef;
  ok(reader->get_ValueType(&number) == S_OK && number == REG_SZ, "default ValueType %ld\n", number);

  ok(reader->put_Root(static_cast<long>(0x80000001UL)) == S_OK, "put_Root failed\n");
  BSTR path = SysAllocString(kTestKey.c_str());
  BSTR name = SysAllocString(L"Text");
  ok(reader->put_KeyPath(path) == S_OK && reader->put_ValueName(name) == S_OK, "put failed\n");
  SysFreeString(path);
  SysFreeString(name);

  // Two reads in a row: the settings stay.
  for (int read = 1; read <= 2; ++read) {
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_I4;
    hr = reader->get_Value(&value);
    ok(hr == S_OK && V_VT(&value) == VT_BSTR, "read %d: hr %#lx type %d\n", read, hr, V_VT(&value));
    if (V_VT(&value) == VT_BSTR) {
      ok(std::wstring(V_BSTR(&value)) == greeting, "read %d: value %s\n", read, Narrow(V_BSTR(&value)).c_str());
    }
    VariantClear(&value);
    VARIANT_BOOL exists = 0x0bad;
    ok(reader->get_Exists(&exists) == S_OK && exists == VARIANT_TRUE, "read %d: Exists %#x\n", read, exists);
  }
  BSTR kept = nullptr;
  ok(reader->get_KeyPath(&kept) == S_OK && kept != nullptr && std::wstring(kept) == kTestKey, "KeyPath lost: %s\n",
     Narrow(kept ? kept : L"").c_str());
  SysFreeString(kept);

  // A multi-string keeps its inner NUL in the BSTR's length.
  name = SysAllocString(L"List");
  reader->put_ValueName(name);
  SysFreeString(name);
  VARIANT value;
  VariantInit(&value);
  hr = reader->get_Value(&value);
  const std::wstring joined(L"eins\0zwei", 9);
  ok(hr == S_OK && V_VT(&value) == VT_BSTR && std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value))) == joined,
     "multi-string hr %#lx length %u\n", hr, V_VT(&value) == VT_BSTR ? SysStringLen(V_BSTR(&value)) : 0u);
  VariantClear(&value);

  // A missing value: empty text, Exists false.
  name = SysAllocString(L"Missing");
  reader->put_ValueName(name);
  SysFreeString(name);
  hr = reader->get_Value(&value);
  ok(hr == S_OK && V_VT(&value) == VT_BSTR && SysStringLen(V_BSTR(&value)) == 0, "missing value hr %#lx\n", hr);
  VariantClear(&value);
  VARIANT_BOOL exists = 0x0bad;
  ok(reader->get_Exists(&exists) == S_OK && exists == VARIANT_FALSE, "missing value exists %#x\n", exists);

  // Bad settings: error 380 with its description, and the old setting stays.
  hr = reader->put_Root(12345);
  ok(hr == kErrInvalidProperty, "put_Root(12345) hr %#lx\n", hr);
  const com_test::ErrorText error = TakeErrorInfo();
  ok(error.description == L"Invalid property value", "description %s\n", Narrow(error.description).c_str());
  ok(error.source == L"BrindtSysQuery.RegistryReader", "source %s\n", Narrow(error.source).c_str());
  number = 0xdeadbeef;
  ok(reader->get_Root(&number) == S_OK && number == static_cast<long>(0x80000001UL), "Root changed to %#lx\n", number);
  ok(reader->put_ValueType(99) == kErrInvalidProperty, "put_ValueType(99) accepted\n");
  TakeErrorInfo();
  ok(reader->get_Value(nullptr) == E_POINTER, "null out-parameter accepted\n");

  // A failing getter still clears its out-parameter: a name with an inner NUL cannot be read.
  name = SysAllocStringLen(L"a\0b", 3);
  reader->put_ValueName(name);
  SysFreeString(name);
  exists = static_cast<VARIANT_BOOL>(0xdeadbeef);
  hr = reader->get_Exists(&exists);
  ok(hr == E_INVALIDARG && exists == VARIANT_FALSE, "inner NUL: Exists hr %#lx value %#x\n", hr, exists);
  TakeErrorInfo();

  ok(reader->Release() == 0, "last Release did not return 0\n");
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
  IDriveInfo* info = nullptr;
  HRESULT hr =
      CoCreateInstance(CLSID_DriveInfo, nullptr, CLSCTX_INPROC_SERVER, IID_IDriveInfo, reinterpret_cast<void**>(&info));
  ok(hr == S_OK, "CoCreateInstance hr %#lx\n", hr);
  if (FAILED(hr)) return;
  IDispatch* object = reinterpret_cast<IDispatch*>(0xdeadbeef);
  hr = info->get_Drives(&object);
  ok(hr == S_OK && object != nullptr, "Drives hr %#lx\n", hr);
  ok(info->Release() == 0, "DriveInfo: last Release did not return 0\n");
  if (FAILED(hr) || object == nullptr) return;
  IDriveCollection* drives = nullptr;
  ok(object->QueryInterface(IID_IDriveCollection, reinterpret_cast<void**>(&drives)) == S_OK, "not a collection\n");
  if (drives == nullptr) return;

  long count = 0xdeadbeef;
  ok(drives->get_Count(&count) == S_OK && count >= 1, "Count %ld\n", count);
  std::vector<std::wstring> items;
  for (long i = 1; i <= count; ++i) {
    items.push_back(ItemText(drives, LongArg(i), &hr));
    ok(hr == S_OK, "Item(%ld) hr %#lx\n", i, hr);
    const std::wstring& text = items.back();
    ok(text.size() >= 3 && std::iswupper(text[0]) && text.compare(1, 2, L":\\") == 0, "Item(%ld) %s\n", i,
       Narrow(text).c_str());
  }
  for (long outside : {0L, count + 1, -1L}) {
    ItemText(drives, LongArg(outside), &hr);
    ok(hr == kErrSubscript, "Item(%ld) hr %#lx\n", outside, hr);
    ok(TakeErrorInfo().description == L"Subscript out of range", "Item(%ld): wrong description\n", outside);
  }
  // Scripts pass indexes as text or by reference.
  VARIANT text_index;
  V_VT(&text_index) = VT_BSTR;
  V_BSTR(&text_index) = SysAllocString(L"1");
  ok(count < 1 || ItemText(drives, text_index, &hr) == items[0], "Item(\"1\") differs, hr %#lx\n", hr);
  VariantClear(&text_index);
  V_VT(&text_index) = VT_BSTR;
  V_BSTR(&text_index) = SysAllocString(L"C:");
  ItemText(drives, text_index, &hr);
  ok(hr == kErrTypeMismatch, "Item(\"C:\") hr %#lx\n", hr);
  TakeErrorInfo();
  VariantClear(&text_index);
  LONG one = 1;
  VARIANT by_reference;
  V_VT(&by_reference) = VT_I4 | VT_BYREF;
  V_I4REF(&by_reference) = &one;
  ok(count < 1 || ItemText(drives, by_reference, &hr) == items[0], "Item(ByRef 1) differs, hr %#lx\n", hr);

  // Late-bound: Item is the default member.
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS params{&by_reference, nullptr, 1, 0};
  hr = object->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &params, &result, nullptr,
                      nullptr);
  ok(hr == S_OK && V_VT(&result) == VT_BSTR && items.size() > 0 && items[0] == V_BSTR(&result),
     "default member hr %#lx\n", hr);
  VariantClear(&result);

  // _NewEnum walks the same texts, then reports the end.
  IUnknown* unknown = nullptr;
  ok(drives->get__NewEnum(&unknown) == S_OK && unknown != nullptr, "_NewEnum failed\n");
  IEnumVARIANT* walk = nullptr;
  if (unknown != nullptr) unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&walk));
  ok(walk != nullptr, "no IEnumVARIANT\n");
  if (walk != nullptr) {
    for (const std::wstring& expected : items) {
      ULONG fetched = 0xdeadbeef;
      hr = walk->Next(1, &result, &fetched);
      ok(hr == S_OK && fetched == 1 && V_VT(&result) == VT_BSTR && expected == V_BSTR(&result),
         "Next gave hr %#lx fetched %lu\n", hr, fetched);
      VariantClear(&result);
    }
    ULONG fetched = 0xdeadbeef;
    ok(walk->Next(1, &result, &fetched) == S_FALSE && fetched == 0, "Next past the end fetched %lu\n", fetched);
    ok(walk->Reset() == S_OK, "Reset failed\n");
    ok(walk->Skip(static_cast<ULONG>(items.size())) == S_OK && walk->Skip(1) == S_FALSE, "Skip did not stop\n");
    walk->Reset();
    IEnumVARIANT* copy = nullptr;
    ok(walk->Clone(&copy) == S_OK && copy != nullptr, "Clone failed\n");
    if (copy != nullptr) {
      VARIANT many[64];
      fetched = 0xdeadbeef;
      hr = copy->Next(64, many, &fetched);
      ok(fetched == items.size() && hr == (items.size() == 64 ? S_OK : S_FALSE), "Next(64) hr %#lx fetched %lu\n", hr,
         fetched);
      for (ULONG i = 0; i < fetched && i < 64; ++i) VariantClear(&many[i]);
      ok(copy->Release() == 0, "clone: last Release did not return 0\n");
    }
    ok(walk->Release() == 1, "enumerator released too early\n");
  }
  if (unknown != nullptr) ok(unknown->Release() == 0, "enumerator: last Release did not return 0\n");
  drives->Release();
  ok(object->Release() == 0, "collection: last Release did not return 0\n");
}

/// A gauge as a form's control offers it: an object with an hWnd property.
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
  ok(bar != nullptr, "no progress bar: %lu\n", GetLastError());
  if (bar == nullptr) return;
  IProgressBarColors* colors = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ProgressBarColors, nullptr, CLSCTX_INPROC_SERVER, IID_IProgressBarColors,
                                reinterpret_cast<void**>(&colors));
  ok(hr == S_OK, "CoCreateInstance hr %#lx\n", hr);
  if (FAILED(hr)) return;

  auto bar_colour = [&] { return static_cast<COLORREF>(SendMessageW(bar, PBM_GETBARCOLOR, 0, 0)); };
  auto back_colour = [&] { return static_cast<COLORREF>(SendMessageW(bar, PBM_GETBKCOLOR, 0, 0)); };

  hr = colors->SetColors(LongArg(static_cast<LONG>(reinterpret_cast<LONG_PTR>(bar))), RGB(255, 0, 0), RGB(0, 0, 255));
  ok(hr == S_OK, "SetColors(handle) hr %#lx\n", hr);
  ok(bar_colour() == RGB(255, 0, 0) && back_colour() == RGB(0, 0, 255), "handle: bar %#lx back %#lx\n", bar_colour(),
     back_colour());

  IDispatch* gauge = nullptr;
  GaugeObject::Create(IID_IDispatch, reinterpret_cast<void**>(&gauge), bar, true);
  VARIANT object;
  V_VT(&object) = VT_DISPATCH;
  V_DISPATCH(&object) = gauge;
  hr = colors->SetColors(object, RGB(0, 128, 0), static_cast<long>(0x80000000UL | COLOR_WINDOW));
  ok(hr == S_OK, "SetColors(object) hr %#lx\n", hr);
  ok(bar_colour() == RGB(0, 128, 0) && back_colour() == GetSysColor(COLOR_WINDOW), "object: bar %#lx back %#lx\n",
     bar_colour(), back_colour());
  ok(gauge->Release() == 0, "gauge object kept by SetColors\n");

  // Late-bound, as a script calls it.
  IDispatch* dispatch = nullptr;
  colors->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  VARIANT args[3] = {LongArg(static_cast<LONG>(reinterpret_cast<LONG_PTR>(bar))), LongArg(RGB(1, 2, 3)),
                     LongArg(RGB(4, 5, 6))};
  VARIANT result;
  VariantInit(&result);
  hr = Invoke(dispatch, L"SetColors", &result, args, 3, DISPATCH_METHOD);
  ok(hr == S_OK && bar_colour() == RGB(1, 2, 3) && back_colour() == RGB(4, 5, 6), "late-bound hr %#lx bar %#lx\n", hr,
     bar_colour());
  dispatch->Release();

  // No window: error 5, and the bar keeps its colours.
  GaugeObject::Create(IID_IDispatch, reinterpret_cast<void**>(&gauge), bar, false);
  V_DISPATCH(&object) = gauge;
  const VARIANT bad[] = {LongArg(0), LongArg(0x7654321), object};
  for (const VARIANT& gauge_arg : bad) {
    hr = colors->SetColors(gauge_arg, RGB(9, 9, 9), RGB(9, 9, 9));
    ok(hr == kErrInvalidCall, "bad gauge of type %d: hr %#lx\n", V_VT(&gauge_arg), hr);
    ok(TakeErrorInfo().description == L"Invalid procedure call or argument", "bad gauge: wrong description\n");
  }
  ok(bar_colour() == RGB(1, 2, 3), "a failed call changed the bar to %#lx\n", bar_colour());
  gauge->Release();

  ok(colors->Release() == 0, "last Release did not return 0\n");
  DestroyWindow(bar);
}

void test_class_factory() {
  HMODULE module = LoadLibraryW(L"BrindtSysQuery.dll");
  ok(module != nullptr, "LoadLibrary failed: %lu\n", GetLastError());
  if (module == nullptr) return;
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  using CanUnloadNow = HRESULT(WINAPI*)();
  auto get_class_object =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  auto can_unload_now =
      reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  ok(get_class_object != nullptr && can_unload_now != nullptr, "exports missing\n");
  if (get_class_object == nullptr || can_unload_now == nullptr) return;

  ok(can_unload_now() == S_OK, "module busy before the test\n");
  IClassFactory* factory = reinterpret_cast<IClassFactory*>(0xdeadbeef);
  HRESULT hr = get_class_object(CLSID_MemoryInfo, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  ok(hr == S_OK && factory != nullptr, "DllGetClassObject hr %#lx\n", hr);
  if (FAILED(hr)) return;
  ok(can_unload_now() == S_FALSE, "unloadable while a factory lives\n");

  IUnknown* outer = factory;
  IUnknown* object = reinterpret_cast<IUnknown*>(0xdeadbeef);
  hr = factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&object));
  ok(hr == CLASS_E_NOAGGREGATION && object == nullptr, "aggregation hr %#lx\n", hr);
  object = reinterpret_cast<IUnknown*>(0xdeadbeef);
  hr = factory->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(&object));
  ok(hr == E_NOINTERFACE && object == nullptr, "foreign interface hr %#lx\n", hr);
  hr = factory->CreateInstance(nullptr, IID_IMemoryInfo, reinterpret_cast<void**>(&object));
  ok(hr == S_OK && object != nullptr, "CreateInstance hr %#lx\n", hr);

  ok(factory->LockServer(TRUE) == S_OK, "LockServer failed\n");
  ok(factory->Release() == 0, "factory: last Release did not return 0\n");
  ok(can_unload_now() == S_FALSE, "unloadable while locked and an object lives\n");
  if (object != nullptr) ok(object->Release() == 0, "object: last Release did not return 0\n");
  ok(can_unload_now() == S_FALSE, "unloadable while locked\n");
  get_class_object(CLSID_MemoryInfo, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  factory->LockServer(FALSE);
  // An unlock without a lock must not leave the count below zero, or the module could never unload again.
  factory->LockServer(FALSE);
  factory->Release();
  ok(can_unload_now() == S_OK, "module still busy\n");
  get_class_object(CLSID_MemoryInfo, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  factory->LockServer(TRUE);
  factory->LockServer(FALSE);
  factory->Release();
  ok(can_unload_now() == S_OK, "an unmatched unlock kept the module busy\n");

  factory = reinterpret_cast<IClassFactory*>(0xdeadbeef);
  hr = get_class_object(IID_IMemoryInfo, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  ok(hr == CLASS_E_CLASSNOTAVAILABLE && factory == nullptr, "unknown class hr %#lx\n", hr);
  FreeLibrary(module);
}

}  // namespace

int main() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ok(hr == S_OK, "CoInitializeEx hr %#lx\n", hr);
  test_ui_language();
  test_classes_by_clsid_and_progid();
  test_every_operation_late_bound();
  test_memory_figures();
  test_registry_reader_settings();
  test_drive_collection();
  test_set_colors();
  test_class_factory();
  CoUninitialize();
  return wine_test::Summary("sysquery_com");
}
