// SPDX-License-Identifier: MIT
// frmSysInfo's Qt window: the controls of its layout, with its events routed to the form's handlers.
#pragma once

#include <QGroupBox>
#include <memory>

#include "form_window.h"
#include "sysinfo_window/frm_sys_info.h"
#include "widgets.h"

namespace bsi::qt {

class InfoTree;

class QtSysInfoWindow final : public QtForm, public SysInfoWindowView {
 public:
  /// Builds the window hidden, with its controls at their design state, and starts tmrMemory every
  /// `memory_timer_ms`. `battery` is the window's SysInfo control; it must outlive the window.
  QtSysInfoWindow(frmSysInfo& form, int memory_timer_ms, Battery& battery);
  ~QtSysInfoWindow() override;

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
  bool PreviewKey(std::int16_t key, std::int16_t shift) override { return form_.Form_KeyDown(key, shift); }
  bool FormKey(QWidget* target, const QKeyEvent& event) override;
  void CloseBox() override { form_.CloseBox(); }
  void BeforeShow() override;
  void MenuCommand(QAction* action) override;

 private:
  void OpenContextMenuFromKeyboard();

  frmSysInfo& form_;
  Battery& battery_;
  InfoTree* tree_ = nullptr;
  std::unique_ptr<QtListView> list_;
  std::unique_ptr<QtGauge> gauges_[3];
  std::unique_ptr<QtLabel> captions_[3];
  std::unique_ptr<QtLabel> percents_[3];
  std::unique_ptr<QtTextBox> temp_;
  QMenu* menu_widget_ = nullptr;
  std::unique_ptr<QtPopupMenu> menu_;
  std::unique_ptr<QtMenuItem> copy_value_;
  std::unique_ptr<QtMenuItem> copy_all_;
};

}  // namespace bsi::qt
