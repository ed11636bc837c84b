// SPDX-License-Identifier: MIT
// The module's entry point and its four exports (undecorated through BrindtSysInfo.def).
#include <windows.h>

#include <objbase.h>

#include <atomic>
#include <new>
#include <string>
#include <vector>

#include "class_factory.h"
#include "ctl_brindt_sysinfo.h"
#include "module.h"
#include "registration.h"
#include "type_library.h"

namespace bsi::win32::com {
namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

void ModuleLock::AddObject() noexcept {
  ++g_objects;
}
void ModuleLock::RemoveObject() noexcept {
  --g_objects;
}
void ModuleLock::Lock(bool lock) noexcept {
  if (lock) {
    ++g_locks;
  } else if (g_locks.fetch_sub(1) <= 0) {
    // An unlock without a lock would let the module go while a client still counts on it: undo it.
    ++g_locks;
  }
}
bool ModuleLock::InUse() noexcept {
  return g_objects.load() != 0 || g_locks.load() != 0;
}

HINSTANCE ModuleInstance() noexcept {
  return g_instance;
}

std::wstring ModulePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = GetModuleFileNameW(g_instance, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (size == 0) return {};
    if (size < buffer.size()) return std::wstring(buffer.data(), size);
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace bsi::win32::com

using namespace bsi::win32::com;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_instance = instance;
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // At process exit (reserved set) the system libraries may be gone already: leave the type library be.
      if (!reserved) ReleaseModuleTypeLib();
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
  auto* factory = new (std::nothrow) ClassFactory<CtlBrindtSysInfo>();
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return ModuleLock::InUse() ? S_FALSE : S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  return RegisterServer();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return UnregisterServer();
}
