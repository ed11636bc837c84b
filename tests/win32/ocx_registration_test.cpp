// SPDX-License-Identifier: MIT
// regsvr32 and regsvr32 /u on BrindtSysInfo.ocx: every key that registration writes, then none left but what the
// other bitness still needs. Runs alone: it unregisters the module of the test bed for a moment and registers it
// again at the end.
#include <windows.h>

#include <objbase.h>
#include <wrl/client.h>

#include <string>

#include "BrindtSysInfo.h"
#include "ocx_support.h"
#include "wine_test.h"

using Microsoft::WRL::ComPtr;
using ocx_test::ClassesKeyExists;
using ocx_test::ExpectClassesKey;
using ocx_test::GuidText;
using ocx_test::ReadClassesString;

namespace {

const std::wstring kClsid = GuidText(CLSID_ctlBrindtSysInfo);
const std::wstring kClassKey = L"CLSID\\" + kClsid;
const std::wstring kLibid = GuidText(LIBID_BrindtSysInfo);
constexpr wchar_t kProgId[] = L"BrindtSysInfo.ctlBrindtSysInfo.1";
constexpr wchar_t kIndependentProgId[] = L"BrindtSysInfo.ctlBrindtSysInfo";
// CATID_Control, and the two safety categories the control must never claim.
constexpr wchar_t kCatidControl[] = L"{40FC6ED4-2438-11CF-A3DB-080036F12502}";
constexpr wchar_t kCatidSafeForScripting[] = L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}";
constexpr wchar_t kCatidSafeForInitializing[] = L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}";

std::string Text(const std::wstring& text) {
  return wine_test::Narrow(text);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  wchar_t full_a[MAX_PATH] = {}, full_b[MAX_PATH] = {};
  GetFullPathNameW(a.c_str(), MAX_PATH, full_a, nullptr);
  GetFullPathNameW(b.c_str(), MAX_PATH, full_b, nullptr);
  return _wcsicmp(full_a, full_b) == 0;
}

long Regsvr32(const wchar_t* options) {
  return ocx_test::Regsvr32(options, ocx_test::OcxPath());
}

const bool kOtherBitness = ocx_test::RegisteredInOtherView(CLSID_ctlBrindtSysInfo);

void ExpectValue(const std::wstring& path, const wchar_t* name, const std::wstring& expected) {
  const std::wstring got = ReadClassesString(path, name);
  ok(got == expected, "HKCR\\%s [%s]: got \"%s\", expected \"%s\"\n", Text(path).c_str(),
     name ? Text(name).c_str() : "(default)", Text(got).c_str(), Text(expected).c_str());
}

void test_registered_keys() {
  const std::wstring server = ReadClassesString(kClassKey + L"\\InprocServer32", nullptr);
  ok(SamePath(server, ocx_test::OcxPath()), "InprocServer32 is \"%s\"\n", Text(server).c_str());
  ExpectValue(kClassKey, nullptr, kIndependentProgId);
  ExpectValue(kClassKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  ExpectValue(kClassKey + L"\\ProgID", nullptr, kProgId);
  ExpectValue(kClassKey + L"\\VersionIndependentProgID", nullptr, kIndependentProgId);
  ok(ClassesKeyExists(kClassKey + L"\\Control"), "no Control key\n");
  ExpectValue(kClassKey + L"\\MiscStatus", nullptr, L"132497");
  ExpectValue(kClassKey + L"\\MiscStatus\\1", nullptr, L"132497");
  ExpectValue(kClassKey + L"\\ToolboxBitmap32", nullptr, server + L", 30000");
  ExpectValue(kClassKey + L"\\TypeLib", nullptr, kLibid);
  ExpectValue(kClassKey + L"\\Version", nullptr, L"1.0");
  ok(ClassesKeyExists(kClassKey + L"\\Implemented Categories\\" + kCatidControl), "not in the control category\n");
  ok(!ClassesKeyExists(kClassKey + L"\\Implemented Categories\\" + kCatidSafeForScripting),
     "claims to be safe for scripting\n");
  ok(!ClassesKeyExists(kClassKey + L"\\Implemented Categories\\" + kCatidSafeForInitializing),
     "claims to be safe for initialization\n");

  ExpectValue(std::wstring(kProgId) + L"\\CLSID", nullptr, kClsid);
  ExpectValue(std::wstring(kIndependentProgId) + L"\\CLSID", nullptr, kClsid);
  ExpectValue(std::wstring(kIndependentProgId) + L"\\CurVer", nullptr, kProgId);

  // The type library: version 1.0 under the library's own locale (1033 = 409), and the dual interface
  // marshalled through it.
  const std::wstring platform = sizeof(void*) == 8 ? L"win64" : L"win32";
  const std::wstring library = ReadClassesString(L"TypeLib\\" + kLibid + L"\\1.0\\409\\" + platform, nullptr);
  ok(SamePath(library, ocx_test::OcxPath()), "type library path \"%s\"\n", Text(library).c_str());
  ExpectValue(L"TypeLib\\" + kLibid + L"\\1.0", nullptr, L"Brindt SysInfo");
  ExpectValue(L"Interface\\" + GuidText(IID__ctlBrindtSysInfo) + L"\\TypeLib", nullptr, kLibid);

  CLSID from_progid = {};
  HRESULT hr = CLSIDFromProgID(kIndependentProgId, &from_progid);
  ok(hr == S_OK && from_progid == CLSID_ctlBrindtSysInfo, "CLSIDFromProgID: hr %#lx\n", hr);
}

// After /u: our class key and our type library key are gone, the shared keys only with the other bitness.
void ExpectUnregistered(const char* when) {
  ExpectClassesKey(kClassKey, false, when);
  ExpectClassesKey(L"TypeLib\\" + kLibid + (sizeof(void*) == 8 ? L"\\1.0\\409\\win64" : L"\\1.0\\409\\win32"), false,
                   when);
  for (const std::wstring& shared :
       {std::wstring(kProgId), std::wstring(kIndependentProgId), L"TypeLib\\" + kLibid,
        L"Interface\\" + GuidText(IID__ctlBrindtSysInfo), L"Interface\\" + GuidText(DIID___ctlBrindtSysInfo)}) {
    ExpectClassesKey(shared, kOtherBitness, when);
  }
}

void test_unregister_removes_everything() {
  long code = Regsvr32(L"/u");
  ok(code == 0, "regsvr32 /u: exit code %ld\n", code);
  ExpectUnregistered("first /u");
  ComPtr<IUnknown> control;
  const HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
  ok(hr == REGDB_E_CLASSNOTREG, "CoCreateInstance after unregistering: hr %#lx\n", hr);

  // What is gone already is no failure.
  code = Regsvr32(L"/u");
  ok(code == 0, "second regsvr32 /u: exit code %ld\n", code);
  ExpectUnregistered("second /u");
}

// A ProgID that another class has taken over since stays where it is.
void test_unregister_keeps_foreign_progid() {
  long code = Regsvr32(L"");
  ok(code == 0, "regsvr32: exit code %ld\n", code);
  const std::wstring foreign = L"{0BADF00D-0000-4000-8000-000000000001}";
  ocx_test::WriteClassesString(std::wstring(kIndependentProgId) + L"\\CLSID", foreign);

  code = Regsvr32(L"/u");
  ok(code == 0, "regsvr32 /u: exit code %ld\n", code);
  ExpectValue(std::wstring(kIndependentProgId) + L"\\CLSID", nullptr, foreign);
  ExpectClassesKey(kClassKey, false, "foreign ProgID");
  ExpectClassesKey(kProgId, kOtherBitness, "foreign ProgID");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kIndependentProgId);
}

void test_register_again() {
  const long code = Regsvr32(L"");
  ok(code == 0, "regsvr32: exit code %ld\n", code);
  test_registered_keys();
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  test_registered_keys();
  test_unregister_removes_everything();
  test_unregister_keeps_foreign_progid();
  test_register_again();
  CoUninitialize();
  return wine_test::Summary("ocx_registration");
}
