// SPDX-License-Identifier: MIT
// BrindtSysQuery.dll: the module's entry point and its four exports.
#include <olectl.h>

#include <cstddef>
#include <iterator>

#include "query_object.h"
#include "registration.h"

namespace {

// The classes in one list: each one's CLSID, ProgID BrindtSysQuery.<name> and description for registration, and
// the function that creates it.
#define BSQ_CLASSES(X)                                          \
  X(RegistryReader, L"Brindt SysQuery registry reader")         \
  X(OSVersionInfo, L"Brindt SysQuery operating system version") \
  X(ProcessorInfo, L"Brindt SysQuery processor")                \
  X(MemoryInfo, L"Brindt SysQuery memory")                      \
  X(ComputerInfo, L"Brindt SysQuery computer name")             \
  X(UserInfo, L"Brindt SysQuery user")                          \
  X(AdminRightsInfo, L"Brindt SysQuery administrator rights")   \
  X(NetworkInfo, L"Brindt SysQuery network")                    \
  X(DialUpInfo, L"Brindt SysQuery dial-up connection")          \
  X(DefaultBrowserInfo, L"Brindt SysQuery default browser")     \
  X(FolderInfo, L"Brindt SysQuery folders")                     \
  X(DisplayInfo, L"Brindt SysQuery display")                    \
  X(DefaultPrinterInfo, L"Brindt SysQuery default printer")     \
  X(SoundInfo, L"Brindt SysQuery sound")                        \
  X(UptimeInfo, L"Brindt SysQuery running time")                \
  X(TimeZoneInfo, L"Brindt SysQuery time zone")                 \
  X(DriveInfo, L"Brindt SysQuery drives")                       \
  X(ProgressBarColors, L"Brindt SysQuery progress bar colours")

#define BSQ_ENTRY(name, description) bsi::win32::com::ClassEntry{&CLSID_##name, description, L"BrindtSysQuery." #name},
#define BSQ_CREATE(name, description) &bsq::Create##name,
constexpr bsi::win32::com::ClassEntry kClasses[] = {BSQ_CLASSES(BSQ_ENTRY)};
constexpr bsi::win32::com::CreateFunction kCreate[] = {BSQ_CLASSES(BSQ_CREATE)};
#undef BSQ_CREATE
#undef BSQ_ENTRY
#undef BSQ_CLASSES

// The library declares no lcid: it is registered under 0.
constexpr bsi::win32::com::ServerTable kServer = {{&LIBID_BrindtSysQuery, 1, 0, 0}, kClasses};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      bsi::win32::com::SetModuleHandle(module);
      DisableThreadLibraryCalls(module);
      break;
    case DLL_PROCESS_DETACH:
      // At process exit (reserved set) other DLLs may be gone already: leave the cache alone then.
      if (reserved == nullptr) bsi::win32::com::ReleaseTypeInfoCache();
      break;
    default:
      break;
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  for (std::size_t i = 0; i < std::size(kClasses); ++i) {
    if (*kClasses[i].clsid == clsid) return bsi::win32::com::ClassFactory::Create(riid, object, kCreate[i]);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() {
  return bsi::win32::com::ModuleReferences() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  return bsi::win32::com::RegisterServer(kServer);
}

STDAPI DllUnregisterServer() {
  return bsi::win32::com::UnregisterServer(kServer);
}
