// SPDX-License-Identifier: MIT
// frmSysInfo: the information window's behaviour, written as its own event handlers over the views that a
// platform supplies. Start-up fills the gauge area and the list, the timer keeps the gauges and the live rows
// current, and the commands copy, rebuild, open a row or close the window.
#pragma once

#include <cstdint>
#include <memory>

#include "forms/last_guard.h"
#include "query/query_library.h"
#include "resources/strings.h"
#include "runtime/locale.h"
#include "runtime/progress_bar.h"
#include "runtime/views.h"
#include "runtime/window_views.h"
#include "value_window/frm_value.h"

namespace bsi {

/// The controls of the information window, as the platform builds them (layout in sysinfo_layout.h).
class SysInfoWindowView {
 public:
  virtual ~SysInfoWindowView() = default;
  virtual FormView& Form() = 0;
  virtual ListView& lvwSysInfo() = 0;
  virtual GaugeView& ctlProgressPhysical() = 0;
  virtual GaugeView& ctlProgressVirtual() = 0;
  virtual GaugeView& ctlProgressPagefile() = 0;
  virtual Label& lblPhysicalMemory() = 0;
  virtual Label& lblVirtualMemory() = 0;
  virtual Label& lblPageFileMemory() = 0;
  virtual Label& lblPhysicalPercent() = 0;
  virtual Label& lblVirtualPercent() = 0;
  virtual Label& lblPagePercent() = 0;
  /// The hidden scratch box of the copy-all command.
  virtual TextBox& txtTemp() = 0;
  virtual Menu& mnuFile() = 0;
  virtual Menu& mnuCopyValueToClipboard() = 0;
  virtual Menu& mnuCopyAllToClipboard() = 0;
  /// The battery facts of the window's SysInfo control.
  virtual Battery& SysInfo() = 0;
};

class frmSysInfo;

class SysInfoWindowFactory {
 public:
  virtual ~SysInfoWindowFactory() = default;
  /// The native window of a new frmSysInfo with its controls at their design state (sysinfo_layout.h), hidden.
  /// The platform routes its events to `form`, tmrMemory's every sysinfo_layout::kTimerIntervalMs from now on;
  /// events before Form_Load and after the unload are ignored.
  virtual std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo& form) = 0;
};

/// What the information window reaches outside itself.
struct SysInfoWindowContext {
  SysInfoWindowFactory& windows;
  ValueWindowFactory& value_windows;
  QueryLibrary& library;
  StringSource& strings;
  const Locale& locale;
  MsgBox& message_box;
  WindowSystem& window_system;
  Screen& screen;
  Clipboard& clipboard;
  Shell& shell;
  MessageLoop& message_loop;
  /// App.Major, App.Minor and App.Revision come from here.
  VersionRecord app;
};

class frmSysInfo {
 public:
  static constexpr std::int16_t kKeyC = 67;
  static constexpr std::int16_t kKeyF4 = 115;
  static constexpr std::int16_t kKeyF5 = 116;
  static constexpr std::int16_t kRightButton = 2;

  /// Creates the native window; it is not loaded yet.
  explicit frmSysInfo(const SysInfoWindowContext& context);
  frmSysInfo(const frmSysInfo&) = delete;
  frmSysInfo& operator=(const frmSysInfo&) = delete;
  ~frmSysInfo();

  /// Shows the window modally with no owner; returns once it has been unloaded. Raises what the platform raises.
  void Show() { view_->Form().ShowModal(); }
  /// From the start of Form_Load until OK, F4 or the close box unloads the window.
  bool IsLoaded() const { return loaded_; }

  // The three gauges: their Min, Max and Value.
  ProgressBar& ctlProgressPhysical() { return physical_; }
  ProgressBar& ctlProgressVirtual() { return virtual_; }
  ProgressBar& ctlProgressPagefile() { return pagefile_; }

  // Event handlers. The platform calls them; none lets an error out (the last guard shows what escapes and the
  // window stays open), and an event arriving after the window was unloaded does nothing.

  /// Start-up: gauge ranges and captions, menu captions, the versioned caption, then the list. Each step that
  /// fails is skipped.
  void Form_Load() noexcept;
  /// One refresh of the gauges and of the nine live rows; any failure ends the tick silently.
  void tmrMemory_Timer() noexcept;
  /// C copies the selected value, F5 rebuilds the list, F4 unloads; the shift state is ignored. Returns true for
  /// these three keys, which are the window's own: the platform keeps them from the focused control, also when
  /// there is nothing to copy or the window has been unloaded already.
  bool Form_KeyDown(std::int16_t key_code, std::int16_t shift) noexcept;
  void cmdOK_Click() noexcept;
  /// The shell's object-properties call for this window.
  void cmdSystem_Click() noexcept;
  /// The right button on a non-empty list pops up the copy menu.
  void lvwSysInfo_MouseDown(std::int16_t button, std::int16_t shift) noexcept;
  /// Opens the selected row in a new value window, modally; spacer rows open nothing.
  void lvwSysInfo_DblClick() noexcept;
  void mnuCopyValueToClipboard_Click() noexcept;
  /// The whole list and the three gauge lines, CR LF after every line, onto the clipboard.
  void mnuCopyAllToClipboard_Click() noexcept;
  /// The close box of the caption bar (and the system menu's Close).
  void CloseBox() noexcept;

 private:
  template <class Handler>
  void Handle(Handler&& handler) noexcept;
  void RunStartUp();
  void RunTick();
  void RebuildList();
  void CopySelectedValue();
  void CopyAll();
  Text CopyAllText();
  void OpenValueWindow();
  void Unload();

  SysInfoWindowContext context_;
  std::unique_ptr<SysInfoWindowView> view_;
  ProgressBar physical_;
  ProgressBar virtual_;
  ProgressBar pagefile_;
  bool loaded_ = false;
};

template <class Handler>
void frmSysInfo::Handle(Handler&& handler) noexcept {
  if (!loaded_) return;  // an event that reaches a window already unloaded
  RunGuarded(context_.message_box, context_.strings, handler);
}

/// The 1-based index of the row labelled "Physischer Speicher:" / "Physical memory:": one before the last row
/// whose first five characters, upper-cased, read "PHYSI". 0 when no row does.
std::int32_t FirstMemoryRow(ListView& list);

}  // namespace bsi
