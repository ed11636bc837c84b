// SPDX-License-Identifier: MIT
// frmSysInfo's native window: the controls of its layout, with its events routed to the form's handlers.
#pragma once

#include <memory>
#include <optional>

#include "form_window.h"
#include "list_view.h"
#include "services.h"
#include "sysinfo_window/frm_sys_info.h"
#include "widgets.h"

namespace bsi::win32 {

class Win32SysInfoWindow final : public FormWindow, public SysInfoWindowView {
 public:
  /// Builds the window hidden, with its controls at their design state, and starts its timer (tmrMemory, every
  /// `memory_timer_ms`).
  Win32SysInfoWindow(frmSysInfo& form, UINT memory_timer_ms);
  ~Win32SysInfoWindow() override;

  FormView& Form() override { return *this; }
  ListView& lvwSysInfo() override { return *list_; }
  GaugeView& ctlProgressPhysical() override { return *gauges_[0]; }
  GaugeView& ctlProgressVirtual() override { return *gauges_[1]; }
  GaugeView& ctlProgressPagefile() override { return *gauges_[2]; }
  Label& lblPhysicalMemory() override { return *captions_[0]; }
  Label& lblVirtualMemory() override { return *captions_[1]; }
  Label& lblPageFileMemory() override { return *captions_[2]; }
  Label& lblPhysicalPercent() override { return *percents_[0]; }
  Label& lblVirtualPercent() override { return *percents_[1]; }
  Label& lblPagePercent() override { return *percents_[2]; }
  TextBox& txtTemp() override { return *temp_; }
  Menu& mnuFile() override { return *menu_; }
  Menu& mnuCopyValueToClipboard() override { return *copy_value_; }
  Menu& mnuCopyAllToClipboard() override { return *copy_all_; }
  Battery& SysInfo() override { return battery_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool PreviewKey(WPARAM key, bool system_key) override;
  void OnQuitWhileShown() override { form_.CloseBox(); }
  void BeforeShow() override;

 private:
  LRESULT OnNotify(const NMHDR& header);
  void OpenContextMenuFromKeyboard();

  frmSysInfo& form_;
  HWND list_window_ = nullptr;
  HWND frame_ = nullptr;
  HWND credit_ = nullptr;
  std::unique_ptr<ToolTips> tips_;
  std::unique_ptr<Win32ListView> list_;
  std::unique_ptr<Win32Gauge> gauges_[3];
  std::unique_ptr<Win32Label> captions_[3];
  std::unique_ptr<Win32Label> percents_[3];
  std::unique_ptr<Win32TextBox> temp_;
  UniqueMenu menu_handle_;
  std::unique_ptr<Win32PopupMenu> menu_;
  std::unique_ptr<Win32MenuItem> copy_value_;
  std::unique_ptr<Win32MenuItem> copy_all_;
  Win32Battery battery_;
  UniqueIcon icon_;
};

}  // namespace bsi::win32
