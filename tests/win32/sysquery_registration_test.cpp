// SPDX-License-Identifier: MIT
// regsvr32 of BrindtSysQuery.dll: what registration writes for every class of the type library, what /u removes
// (also when run twice) and what it leaves while the other bitness is registered, a ProgID taken over by another
// class, the query client's 429 while unregistered, and registering again.
// Runs alone: it takes the library away from every other test for a moment.
#include <windows.h>
// After windows.h:
#include <objbase.h>

#include <string>
#include <vector>

#include "BrindtSysQuery.h"
#include "ocx_support.h"
#include "query_client.h"
#include "runtime/error.h"
#include "wine_test.h"

using ocx_test::ClassesKeyExists;
using ocx_test::ExpectClassesKey;
using ocx_test::GuidText;
using ocx_test::ReadClassesString;
using wine_test::Narrow;

namespace {

const std::wstring kServer = ocx_test::BinDir() + L"BrindtSysQuery.dll";
const std::wstring kLibid = GuidText(LIBID_BrindtSysQuery);
// The library declares no lcid.
const std::wstring kOwnLibraryKey = L"TypeLib\\" + kLibid + L"\\1.0\\0\\" + (sizeof(void*) == 8 ? L"win64" : L"win32");
const std::vector<ocx_test::TypeEntry> kTypes = ocx_test::TypeLibraryEntries(kServer);

std::wstring ClassKey(const ocx_test::TypeEntry& type) {
  return L"CLSID\\" + GuidText(type.guid);
}
std::wstring ProgId(const ocx_test::TypeEntry& type) {
  return L"BrindtSysQuery." + type.name;
}

long Regsvr32(const wchar_t* options) {
  return ocx_test::Regsvr32(options, kServer);
}

const bool kOtherBitness = ocx_test::RegisteredInOtherView(CLSID_MemoryInfo);

/// Our own view's keys exist exactly when `own`; the shared ones (ProgIDs, Interface, the library's version key)
/// when either bitness is registered.
void ExpectRegistered(bool own, const char* when) {
  const bool shared = own || kOtherBitness;
  int classes = 0;
  int interfaces = 0;
  for (const ocx_test::TypeEntry& type : kTypes) {
    if (type.kind == TKIND_COCLASS) {
      ++classes;
      ExpectClassesKey(ClassKey(type), own, when);
      ExpectClassesKey(ProgId(type), shared, when);
    } else if (type.kind == TKIND_DISPATCH) {
      ++interfaces;
      ExpectClassesKey(L"Interface\\" + GuidText(type.guid), shared, when);
    }
  }
  ok(classes == 18 && interfaces == 19, "%d classes and %d interfaces in the type library\n", classes, interfaces);
  ExpectClassesKey(kOwnLibraryKey, own, when);
  ExpectClassesKey(L"TypeLib\\" + kLibid, shared, when);
}

void test_registered_keys(const char* when) {
  ExpectRegistered(true, when);
  for (const ocx_test::TypeEntry& type : kTypes) {
    if (type.kind != TKIND_COCLASS) continue;
    const std::wstring key = ClassKey(type);
    const struct {
      std::wstring path;
      const wchar_t* name;
      std::wstring expected;
    } values[] = {
        {key + L"\\InprocServer32", nullptr, kServer},
        {key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {key + L"\\ProgID", nullptr, ProgId(type)},
        {key + L"\\TypeLib", nullptr, kLibid},
        {key + L"\\Version", nullptr, L"1.0"},
        {ProgId(type) + L"\\CLSID", nullptr, GuidText(type.guid)},
        {ProgId(type), nullptr, ReadClassesString(key, nullptr)},
    };
    for (const auto& value : values) {
      const std::wstring got = ReadClassesString(value.path, value.name);
      ok(lstrcmpiW(got.c_str(), value.expected.c_str()) == 0, "%s: %s: got %s, expected %s\n", when,
         Narrow(value.path).c_str(), Narrow(got).c_str(), Narrow(value.expected).c_str());
    }
  }
  const std::wstring library = ReadClassesString(kOwnLibraryKey, nullptr);
  ok(lstrcmpiW(library.c_str(), kServer.c_str()) == 0, "%s: type library path %s\n", when, Narrow(library).c_str());
}

void test_unregister_twice() {
  for (const char* round : {"first /u", "second /u"}) {
    const long code = Regsvr32(L"/u");
    ok(code == 0, "%s: exit code %ld\n", round, code);
    ExpectRegistered(false, round);
  }
  IUnknown* object = reinterpret_cast<IUnknown*>(0xdeadbeef);
  const HRESULT hr = CoCreateInstance(CLSID_MemoryInfo, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      reinterpret_cast<void**>(&object));
  ok(hr == REGDB_E_CLASSNOTREG && object == nullptr, "CoCreateInstance hr %#lx\n", hr);
}

void test_client_raises_429_when_unregistered() {
  auto library = bsi::win32::CreateComQueryLibrary();
  for (int i = 0; i < bsi::kQueryClassCount; ++i) {
    std::int32_t number = 0;
    bsi::Text description;
    try {
      library->Create(static_cast<bsi::QueryClass>(i));
    } catch (const bsi::RuntimeError& error) {
      number = error.number();
      description = error.description();
    }
    ok(number == 429 && description == u"ActiveX component can't create object", "%s: %d %s\n",
       std::string(bsi::QueryClassName(static_cast<bsi::QueryClass>(i))).c_str(), number,
       bsi::ToUtf8(description).c_str());
  }
}

// A ProgID that names another class by now stays; the other classes' ProgIDs go.
void test_unregister_keeps_foreign_progid() {
  long code = Regsvr32(L"");
  ok(code == 0, "regsvr32: exit code %ld\n", code);
  const std::wstring foreign = L"{0BADF00D-0000-4000-8000-000000000002}";
  ocx_test::WriteClassesString(L"BrindtSysQuery.MemoryInfo\\CLSID", foreign);

  code = Regsvr32(L"/u");
  ok(code == 0, "regsvr32 /u: exit code %ld\n", code);
  const std::wstring got = ReadClassesString(L"BrindtSysQuery.MemoryInfo\\CLSID", nullptr);
  ok(got == foreign, "foreign ProgID names %s\n", Narrow(got).c_str());
  ok(ClassesKeyExists(L"BrindtSysQuery.UptimeInfo") == kOtherBitness, "our own ProgID: %d\n", !kOtherBitness);
  ok(!ClassesKeyExists(L"CLSID\\" + GuidText(CLSID_MemoryInfo)), "class key left behind\n");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"BrindtSysQuery.MemoryInfo");
}

void test_register_again() {
  const long code = Regsvr32(L"");
  ok(code == 0, "regsvr32 exit code %ld\n", code);
  test_registered_keys("registered again");
  IUnknown* object = nullptr;
  const HRESULT hr = CoCreateInstance(CLSID_MemoryInfo, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      reinterpret_cast<void**>(&object));
  ok(hr == S_OK, "CoCreateInstance hr %#lx\n", hr);
  if (object != nullptr) ok(object->Release() == 0, "last Release did not return 0\n");
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  test_registered_keys("registered");
  test_unregister_twice();
  test_client_raises_429_when_unregistered();
  test_unregister_keeps_foreign_progid();
  test_register_again();
  CoUninitialize();
  return wine_test::Summary("sysquery_registration");
}
