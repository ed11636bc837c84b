// SPDX-License-Identifier: MIT
#include "apartment_module.h"

#include <windows.h>

#include <map>
#include <mutex>

namespace bsi::win32::com {
namespace {

// The modules of the threads with live controls, by thread id. Apartments on other threads create controls at
// the same time, hence the lock.
struct Apartments {
  std::mutex mutex;
  std::map<DWORD, std::weak_ptr<SysInfoModule>> modules;
};

Apartments& TheApartments() {
  static Apartments apartments;
  return apartments;
}

}  // namespace

std::shared_ptr<SysInfoModule> ApartmentModule() {
  Apartments& apartments = TheApartments();
  const std::lock_guard lock(apartments.mutex);
  // A module whose controls have all gone is forgotten. A thread id that the system gives again to a new thread
  // while an old control lives on finds that control's module with no window loaded: nothing to refuse.
  std::erase_if(apartments.modules, [](const auto& entry) { return entry.second.expired(); });
  std::weak_ptr<SysInfoModule>& slot = apartments.modules[GetCurrentThreadId()];
  std::shared_ptr<SysInfoModule> module = slot.lock();
  if (!module) {
    module = std::make_shared<SysInfoModule>();
    slot = module;
  }
  return module;
}

}  // namespace bsi::win32::com
