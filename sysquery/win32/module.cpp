// SPDX-License-Identifier: MIT
// BrindtSysQuery.dll: the module's entry point and its four exports.
#include <olectl.h>

#include <array>
#include <iterator>

#include "query_object.h"
#include "registration.h"

namespace {

struct ServedClass {
  bsi::com::ClassRegistration registration;
  bsi::com::CreateFunction create;
};

#define BSQ_CLASS(name, description)                                           \
  ServedClass {                                                                \
    {&CLSID_##name, L"BrindtSysQuery." #name, description}, &bsq::Create##name \
  }

const std::array kClasses = {
    BSQ_CLASS(RegistryReader, L"Brindt SysQuery registry reader"),
    BSQ_CLASS(OSVersionInfo, L"Brindt SysQuery operating system version"),
    BSQ_CLASS(ProcessorInfo, L"Brindt SysQuery processor"),
    BSQ_CLASS(MemoryInfo, L"Brindt SysQuery memory"),
    BSQ_CLASS(ComputerInfo, L"Brindt SysQuery computer name"),
    BSQ_CLASS(UserInfo, L"Brindt SysQuery user"),
    BSQ_CLASS(AdminRightsInfo, L"Brindt SysQuery administrator rights"),
    BSQ_CLASS(NetworkInfo, L"Brindt SysQuery network"),
    BSQ_CLASS(DialUpInfo, L"Brindt SysQuery dial-up connection"),
    BSQ_CLASS(DefaultBrowserInfo, L"Brindt SysQuery default browser"),
    BSQ_CLASS(FolderInfo, L"Brindt SysQuery folders"),
    BSQ_CLASS(DisplayInfo, L"Brindt SysQuery display"),
    BSQ_CLASS(DefaultPrinterInfo, L"Brindt SysQuery default printer"),
    BSQ_CLASS(SoundInfo, L"Brindt SysQuery sound"),
    BSQ_CLASS(UptimeInfo, L"Brindt SysQuery running time"),
    BSQ_CLASS(TimeZoneInfo, L"Brindt SysQuery time zone"),
    BSQ_CLASS(DriveInfo, L"Brindt SysQuery drives"),
    BSQ_CLASS(ProgressBarColors, L"Brindt SysQuery progress bar colours"),
};
#undef BSQ_CLASS

std::array<bsi::com::ClassRegistration, std::size(kClasses)> Registrations() {
  std::array<bsi::com::ClassRegistration, std::size(kClasses)> list{};
  for (std::size_t i = 0; i < kClasses.size(); ++i) list[i] = kClasses[i].registration;
  return list;
}

constexpr bsi::com::TypeLibraryId kLibrary{&LIBID_BrindtSysQuery, 1, 0};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      bsi::com::SetModuleHandle(module);
      DisableThreadLibraryCalls(module);
      break;
    case DLL_PROCESS_DETACH:
      // At process exit (reserved set) other DLLs may be gone already: leave the cache alone then.
      if (reserved == nullptr) bsi::com::ReleaseTypeInfoCache();
      break;
    default:
      break;
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  for (const ServedClass& served : kClasses) {
    if (*served.registration.clsid == clsid) {
      return bsi::com::ClassFactory::Create(riid, object, served.create);
    }
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() {
  return bsi::com::ModuleReferences() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  return bsi::com::RegisterServer(Registrations(), kLibrary);
}

STDAPI DllUnregisterServer() {
  return bsi::com::UnregisterServer(Registrations(), kLibrary);
}
