// SPDX-License-Identifier: MIT
#include "control/show_sys_info.h"

#include <memory>
#include <utility>

namespace bsi {
namespace {

// Puts the module's previous default instance back when a ShowSysInfo call ends, on every path.
class DefaultInstanceScope {
 public:
  DefaultInstanceScope(frmSysInfo*& slot, frmSysInfo* current) : slot_(slot), previous_(std::exchange(slot, current)) {}
  DefaultInstanceScope(const DefaultInstanceScope&) = delete;
  DefaultInstanceScope& operator=(const DefaultInstanceScope&) = delete;
  ~DefaultInstanceScope() { slot_ = previous_; }

 private:
  frmSysInfo*& slot_;
  frmSysInfo* previous_;
};

}  // namespace

Variant SysInfoModule::ShowSysInfo(const SysInfoWindowContext& context) {
  if (DefaultInstance() != nullptr) Raise(err::kFormAlreadyDisplayed);
  // The window object outlives every handler that runs inside its modal display, so a tick that yielded
  // while the window closed still finds it when it resumes.
  auto window = std::make_unique<frmSysInfo>(context);
  DefaultInstanceScope scope(default_instance_, window.get());
  window->Form_Load();
  window->Show();
  return Variant();
}

frmSysInfo* SysInfoModule::DefaultInstance() const {
  return default_instance_ != nullptr && default_instance_->IsLoaded() ? default_instance_ : nullptr;
}

}  // namespace bsi
