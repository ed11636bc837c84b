// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo: the control's one method, ShowSysInfo, over the module's default information window, and
// the control's resize rule.
#pragma once

#include <cstdint>

#include "runtime/error.h"
#include "runtime/variant.h"
#include "sysinfo_window/frm_sys_info.h"

namespace bsi {

/// The module's forms, as the form run time keeps them: at most one default instance of frmSysInfo. A platform
/// keeps one per user-interface thread, shared by every control created on it; what a window is shown with (its
/// native windows, the services, the query library) comes with each call.
class SysInfoModule {
 public:
  SysInfoModule() = default;
  SysInfoModule(const SysInfoModule&) = delete;
  SysInfoModule& operator=(const SysInfoModule&) = delete;

  /// Creates and loads the default frmSysInfo afresh over `context`, shows it modally with no owner and returns
  /// Empty once the window has been unloaded (OK, F4 or the close box). Raises 400 "Form already displayed; can't
  /// show modally", changing nothing, while the default window is loaded; raises what creating or showing raises.
  Variant ShowSysInfo(const SysInfoWindowContext& context);

  /// The loaded default window, or nullptr.
  frmSysInfo* DefaultInstance() const;

 private:
  frmSysInfo* default_instance_ = nullptr;
};

/// A size in twips.
struct Extent {
  std::int32_t width;
  std::int32_t height;
  friend bool operator==(const Extent&, const Extent&) = default;
};

class ctlBrindtSysInfo {
 public:
  /// Both sides of the sited control, whatever its container asks for: 40 x 40 pixels at 96 dpi.
  static constexpr std::int32_t kSideTwips = 600;
  /// The control's size from its design on, until a container resizes it.
  static constexpr Extent kDesignSize{kSideTwips, kSideTwips};

  explicit ctlBrindtSysInfo(SysInfoModule& module) : module_(module) {}

  /// See SysInfoModule::ShowSysInfo.
  Variant ShowSysInfo(const SysInfoWindowContext& context) { return module_.ShowSysInfo(context); }

  /// UserControl_Resize: the size the control takes when its container resizes it, at design time or run time.
  static constexpr Extent UserControl_Resize(Extent /*asked*/) { return Extent{kSideTwips, kSideTwips}; }

 private:
  SysInfoModule& module_;
};

}  // namespace bsi
