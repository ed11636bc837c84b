// SPDX-License-Identifier: MIT
// Who owns the module's forms on Windows. The form run time keeps one set of forms per user-interface thread, so
// every control created on an apartment thread shares that thread's SysInfoModule: a ShowSysInfo call while the
// window is shown there, from the same control or another one, finds it loaded and raises 400.
#pragma once

#include <memory>

#include "control/show_sys_info.h"

namespace bsi::win32::com {

/// The calling thread's SysInfoModule, made on first use. Each control holds it from its creation on; it goes
/// with the last control of the thread.
std::shared_ptr<SysInfoModule> ApartmentModule();

}  // namespace bsi::win32::com
