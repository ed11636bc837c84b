// SPDX-License-Identifier: MIT
// Registration-free use: this program carries the application manifest (packaging/application.manifest.in) and
// runs in a folder with both modules and the assembly manifests that packaging/build-msi writes, with nothing
// registered. Every class of both tables, its ProgIDs, the control's status bits and both type libraries must then
// come from the manifests. The shell test (tests/packaging/msi_test.sh) lays out the folder; in the build folder
// the program cannot start, as its assemblies are missing.
#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <ole2.h>
#include <wrl/client.h>

#include "com/registration.h"
#include "identity.h"
#include "server_table.h"
#include "wine_test.h"

using Microsoft::WRL::ComPtr;
using wine_test::GuidText;
using wine_test::Narrow;

namespace {

// A registered class would hide a fault of the manifests.
void test_nothing_registered() {
  for (const bsi::win32::com::ServerTable* table : {&bsq::kServer, &bsi::win32::com::kControlServer}) {
    for (const bsi::win32::com::ClassEntry& entry : table->classes) {
      HKEY key = nullptr;
      const LSTATUS status =
          RegOpenKeyExW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(*entry.clsid)).c_str(), 0, KEY_READ, &key);
      if (key != nullptr) RegCloseKey(key);
      ok(status != ERROR_SUCCESS, "%s: expected no class key, got one\n", Narrow(entry.prog_id).c_str());
    }
  }
}

// The interface an object describes through IDispatch::GetTypeInfo; GUID_NULL when it cannot.
GUID DescribedInterface(const CLSID& clsid) {
  ComPtr<IDispatch> object;
  ComPtr<ITypeInfo> info;
  TYPEATTR* type = nullptr;
  GUID guid = GUID_NULL;
  if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object))) &&
      SUCCEEDED(object->GetTypeInfo(0, 0, &info)) && SUCCEEDED(info->GetTypeAttr(&type))) {
    guid = type->guid;
    info->ReleaseTypeAttr(type);
  }
  return guid;
}

// Each class is created by its CLSID and by every ProgID, and describes itself from its type library. Wine's
// CLSIDFromProgID answers with the activation context's alias of the CLSID, which creates the same class.
void test_classes(const bsi::win32::com::ServerTable& table) {
  for (const bsi::win32::com::ClassEntry& entry : table.classes) {
    const GUID described = DescribedInterface(*entry.clsid);
    ok(described != GUID_NULL, "%s: expected an object with type information, got none\n",
       Narrow(entry.prog_id).c_str());
    for (const wchar_t* prog_id : {entry.prog_id, entry.version_independent_prog_id}) {
      if (prog_id == nullptr) continue;
      CLSID clsid{};
      clsid.Data1 = 0xdeadbeef;
      const HRESULT hr = CLSIDFromProgID(prog_id, &clsid);
      ok(hr == S_OK && DescribedInterface(clsid) == described,
         "%s: expected a CLSID that creates the class, got hr %#lx, %s\n", Narrow(prog_id).c_str(),
         static_cast<unsigned long>(hr), Narrow(GuidText(clsid)).c_str());
    }
  }
}

void test_control_status() {
  DWORD status = 0xdeadbeef;
  const HRESULT hr = OleRegGetMiscStatus(CLSID_ctlBrindtSysInfo, DVASPECT_CONTENT, &status);
  ok(hr == S_OK && status == bsi::win32::com::kMiscStatus, "OleRegGetMiscStatus: expected %#lx, got hr %#lx, %#lx\n",
     static_cast<unsigned long>(bsi::win32::com::kMiscStatus), static_cast<unsigned long>(hr), status);
}

void test_type_libraries() {
  for (const bsi::win32::com::ServerTable* table : {&bsq::kServer, &bsi::win32::com::kControlServer}) {
    const bsi::win32::com::TypeLibraryEntry& entry = table->library;
    ComPtr<ITypeLib> library;
    const HRESULT hr = LoadRegTypeLib(*entry.libid, entry.major, entry.minor, entry.lcid, &library);
    ok(hr == S_OK, "LoadRegTypeLib %s: expected S_OK, got %#lx\n", Narrow(GuidText(*entry.libid)).c_str(),
       static_cast<unsigned long>(hr));
  }
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  test_nothing_registered();
  test_classes(bsq::kServer);
  test_classes(bsi::win32::com::kControlServer);
  test_control_status();
  test_type_libraries();
  CoUninitialize();
  return wine_test::Summary("regfree");
}
