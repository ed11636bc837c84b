// SPDX-License-Identifier: MIT
// regsvr32 of BrindtSysQuery.dll: what registration writes, that /u leaves no key behind (also when run twice),
// that the query client then gives 429, and that registering again restores everything. Runs alone: it takes the
// library away from every other test for a moment.
#include <windows.h>
// After windows.h:
#include <objbase.h>

#include <string>
#include <vector>

#include "BrindtSysQuery.h"
#include "query_client.h"
#include "runtime/error.h"
#include "wine_test.h"

using wine_test::Narrow;

namespace {

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

const GUID* const kClasses[] = {
    &CLSID_RegistryReader,     &CLSID_OSVersionInfo,      &CLSID_ProcessorInfo,   &CLSID_MemoryInfo,
    &CLSID_ComputerInfo,       &CLSID_UserInfo,           &CLSID_AdminRightsInfo, &CLSID_NetworkInfo,
    &CLSID_DialUpInfo,         &CLSID_DefaultBrowserInfo, &CLSID_FolderInfo,      &CLSID_DisplayInfo,
    &CLSID_DefaultPrinterInfo, &CLSID_SoundInfo,          &CLSID_UptimeInfo,      &CLSID_TimeZoneInfo,
    &CLSID_DriveInfo,          &CLSID_ProgressBarColors,
};
const GUID* const kInterfaces[] = {
    &IID_IRegistryReader,     &IID_IOSVersionInfo,      &IID_IProcessorInfo,   &IID_IMemoryInfo,
    &IID_IComputerInfo,       &IID_IUserInfo,           &IID_IAdminRightsInfo, &IID_INetworkInfo,
    &IID_IDialUpInfo,         &IID_IDefaultBrowserInfo, &IID_IFolderInfo,      &IID_IDisplayInfo,
    &IID_IDefaultPrinterInfo, &IID_ISoundInfo,          &IID_IUptimeInfo,      &IID_ITimeZoneInfo,
    &IID_IDriveInfo,          &IID_IProgressBarColors,  &IID_IDriveCollection,
};

std::wstring ServerPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"BrindtSysQuery.dll";
}

bool KeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring ReadText(const std::wstring& path, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return value;
}

/// Every key that names the library: class and interface keys, ProgIDs, the type library.
std::vector<std::wstring> LibraryKeys() {
  std::vector<std::wstring> found;
  for (const GUID* clsid : kClasses) {
    if (KeyExists(L"CLSID\\" + GuidText(*clsid))) found.push_back(L"CLSID\\" + GuidText(*clsid));
  }
  for (const GUID* iid : kInterfaces) {
    if (KeyExists(L"Interface\\" + GuidText(*iid))) found.push_back(L"Interface\\" + GuidText(*iid));
  }
  if (KeyExists(L"TypeLib\\" + GuidText(LIBID_BrindtSysQuery))) {
    found.push_back(L"TypeLib\\" + GuidText(LIBID_BrindtSysQuery));
  }
  // ProgIDs: any top-level name of the library's prefix.
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(HKEY_CLASSES_ROOT, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    if (_wcsnicmp(name, L"BrindtSysQuery", 14) == 0) found.push_back(name);
  }
  return found;
}

DWORD RunRegsvr32(const std::wstring& options) {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring command =
      L"\"" + std::wstring(system) + L"\\regsvr32.exe\" /s " + options + L" \"" + ServerPath() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return 0xdeadbeef;
  }
  DWORD code = 0xdeadbeef;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

void test_registered_keys() {
  const std::wstring path = ServerPath();
  for (const GUID* clsid : kClasses) {
    const std::wstring key = L"CLSID\\" + GuidText(*clsid);
    const std::wstring server = ReadText(key + L"\\InprocServer32", nullptr);
    ok(lstrcmpiW(server.c_str(), path.c_str()) == 0, "%s: server %s\n", Narrow(key).c_str(), Narrow(server).c_str());
    const std::wstring model = ReadText(key + L"\\InprocServer32", L"ThreadingModel");
    ok(model == L"Apartment", "%s: threading model %s\n", Narrow(key).c_str(), Narrow(model).c_str());
    const std::wstring prog_id = ReadText(key + L"\\ProgID", nullptr);
    ok(prog_id.rfind(L"BrindtSysQuery.", 0) == 0, "%s: ProgID %s\n", Narrow(key).c_str(), Narrow(prog_id).c_str());
    ok(ReadText(prog_id + L"\\CLSID", nullptr) == GuidText(*clsid), "%s: ProgID points elsewhere\n",
       Narrow(prog_id).c_str());
    ok(ReadText(key + L"\\TypeLib", nullptr) == GuidText(LIBID_BrindtSysQuery), "%s: no TypeLib\n",
       Narrow(key).c_str());
  }
  for (const GUID* iid : kInterfaces) {
    ok(KeyExists(L"Interface\\" + GuidText(*iid)), "interface %s not registered\n", Narrow(GuidText(*iid)).c_str());
  }
  ok(KeyExists(L"TypeLib\\" + GuidText(LIBID_BrindtSysQuery) + L"\\1.0\\0\\win64"), "type library not registered\n");
}

void test_unregister_leaves_nothing() {
  for (int round = 1; round <= 2; ++round) {
    const DWORD code = RunRegsvr32(L"/u");
    ok(code == 0, "round %d: regsvr32 /u exit code %lu\n", round, code);
    for (const std::wstring& key : LibraryKeys())
      ok(false, "round %d: key left behind: %s\n", round, Narrow(key).c_str());
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

void test_register_again() {
  const DWORD code = RunRegsvr32(L"");
  ok(code == 0, "regsvr32 exit code %lu\n", code);
  test_registered_keys();
  IUnknown* object = nullptr;
  const HRESULT hr = CoCreateInstance(CLSID_MemoryInfo, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      reinterpret_cast<void**>(&object));
  ok(hr == S_OK, "CoCreateInstance hr %#lx\n", hr);
  if (object != nullptr) ok(object->Release() == 0, "last Release did not return 0\n");
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  test_registered_keys();
  test_unregister_leaves_nothing();
  test_client_raises_429_when_unregistered();
  test_register_again();
  CoUninitialize();
  return wine_test::Summary("sysquery_registration");
}
