// SPDX-License-Identifier: MIT
// BrindtSysQuery.dll: the module's entry point and its four exports.
#include <olectl.h>

#include <cstddef>
#include <iterator>

#include "classes.h"
#include "query_object.h"
#include "registration.h"
#include "server_table.h"

namespace {

#define BSQ_CREATE(name, description) &bsq::Create##name,
constexpr bsi::win32::com::CreateFunction kCreate[] = {BSQ_CLASSES(BSQ_CREATE)};
#undef BSQ_CREATE

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
  const auto& classes = bsq::kServer.classes;
  for (std::size_t i = 0; i < classes.size() && i < std::size(kCreate); ++i) {
    if (*classes[i].clsid == clsid) return bsi::win32::com::ClassFactory::Create(riid, object, kCreate[i]);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() {
  return bsi::win32::com::ModuleReferences() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  return bsi::win32::com::RegisterServer(bsq::kServer);
}

STDAPI DllUnregisterServer() {
  return bsi::win32::com::UnregisterServer(bsq::kServer);
}
