// SPDX-License-Identifier: MIT
// The module's entry point and its four exports (undecorated through BrindtSysInfo.def).
#include <windows.h>

#include <objbase.h>

#include "common/com_object.h"
#include "common/dispatch.h"
#include "common/module.h"
#include "common/registration.h"
#include "ctl_brindt_sysinfo.h"
#include "registration.h"

namespace {

HRESULT CreateControl(REFIID iid, void** out) noexcept {
  return bsi::win32::com::ControlObject::Create(iid, out);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      bsi::win32::com::SetModuleHandle(instance);
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // At process exit (reserved set) the system libraries may be gone already: leave the type library be.
      if (!reserved) bsi::win32::com::ReleaseTypeInfoCache();
      break;
    default:
      break;
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_ctlBrindtSysInfo) return CLASS_E_CLASSNOTAVAILABLE;
  return bsi::win32::com::ClassFactory::Create(iid, out, &CreateControl);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return bsi::win32::com::ModuleReferences() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  return bsi::win32::com::RegisterServer(bsi::win32::com::kControlServer);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return bsi::win32::com::UnregisterServer(bsi::win32::com::kControlServer);
}
