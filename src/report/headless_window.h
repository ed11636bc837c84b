// SPDX-License-Identifier: MIT
// The widgets and run-time services of the information window held in memory, for a run without a screen:
// captions, texts and fills are kept, every call that would only draw or wait returns at once.
#pragma once

#include <memory>
#include <vector>

#include "runtime/memory_list_view.h"
#include "sysinfo_window/frm_sys_info.h"
#include "sysinfo_window/sysinfo_layout.h"
#include "value_window/frm_value.h"

namespace bsi {

class MemoryLabel final : public Label {
 public:
  explicit MemoryLabel(const char16_t* caption) : caption_(caption) {}
  Text Caption() override { return caption_; }
  void SetCaption(const Text& caption) override { caption_ = caption; }

 private:
  Text caption_;
};

class MemoryMenu final : public Menu {
 public:
  void SetCaption(const Text& caption) override { caption_ = caption; }

 private:
  Text caption_;
};

class MemoryTextBox final : public TextBox {
 public:
  Text GetText() override { return text_; }
  void SetText(const Text& text) override { text_ = text; }
  void Select(std::int32_t, std::int32_t) override {}

 private:
  Text text_;
};

class MemoryButton final : public CommandButton {
 public:
  void SetToolTipText(const Text&) override {}
};

class MemoryGauge final : public GaugeView {
 public:
  explicit MemoryGauge(WindowHandle handle) : handle_(handle) {}
  WindowHandle hWnd() override { return handle_; }
  void ShowFill(double) override {}

 private:
  WindowHandle handle_;
};

/// A form that is never on a screen: ShowModal returns at once, as if the user had closed it straight away.
class MemoryForm final : public FormView {
 public:
  explicit MemoryForm(WindowHandle handle) : handle_(handle) {}
  WindowHandle hWnd() override { return handle_; }
  void SetCaption(const Text& caption) override { caption_ = caption; }
  void ShowModal() override {}
  void Unload() override {}
  void PopupMenu(Menu&, std::int32_t) override {}
  const Text& caption() const { return caption_; }

 private:
  WindowHandle handle_;
  Text caption_;
};

/// frmSysInfo's controls at their design state. The handles only tell the controls apart: nothing draws on them.
class MemorySysInfoWindow final : public SysInfoWindowView {
 public:
  explicit MemorySysInfoWindow(Battery& battery) : battery_(battery) {}
  FormView& Form() override { return form; }
  ListView& lvwSysInfo() override { return list; }
  GaugeView& ctlProgressPhysical() override { return physical_gauge; }
  GaugeView& ctlProgressVirtual() override { return virtual_gauge; }
  GaugeView& ctlProgressPagefile() override { return pagefile_gauge; }
  Label& lblPhysicalMemory() override { return physical_caption; }
  Label& lblVirtualMemory() override { return virtual_caption; }
  Label& lblPageFileMemory() override { return pagefile_caption; }
  Label& lblPhysicalPercent() override { return physical_percent; }
  Label& lblVirtualPercent() override { return virtual_percent; }
  Label& lblPagePercent() override { return pagefile_percent; }
  TextBox& txtTemp() override { return temp; }
  Menu& mnuFile() override { return file_menu; }
  Menu& mnuCopyValueToClipboard() override { return copy_value_menu; }
  Menu& mnuCopyAllToClipboard() override { return copy_all_menu; }
  Battery& SysInfo() override { return battery_; }

  MemoryForm form{0x2000};
  MemoryListView list{0x2001};
  MemoryGauge physical_gauge{0x2002};
  MemoryGauge virtual_gauge{0x2003};
  MemoryGauge pagefile_gauge{0x2004};
  MemoryLabel physical_caption{sysinfo_layout::kPhysicalMemoryCaption};
  MemoryLabel virtual_caption{sysinfo_layout::kVirtualMemoryCaption};
  MemoryLabel pagefile_caption{sysinfo_layout::kPageFileMemoryCaption};
  MemoryLabel physical_percent{sysinfo_layout::kPercentCaption};
  MemoryLabel virtual_percent{sysinfo_layout::kPercentCaption};
  MemoryLabel pagefile_percent{sysinfo_layout::kPercentCaption};
  MemoryTextBox temp;
  MemoryMenu file_menu;
  MemoryMenu copy_value_menu;
  MemoryMenu copy_all_menu;

 private:
  Battery& battery_;
};

class MemoryValueWindow final : public ValueWindowView {
 public:
  FormView& Form() override { return form_; }
  TextBox& txtLabel() override { return label_; }
  TextBox& txtValue() override { return value_; }
  CommandButton& cmdClipboard() override { return button_; }

 private:
  MemoryForm form_{0x3000};
  MemoryTextBox label_;
  MemoryTextBox value_;
  MemoryButton button_;
};

/// Creates both windows in memory and keeps the information window it created last.
class MemoryWindows final : public SysInfoWindowFactory, public ValueWindowFactory {
 public:
  explicit MemoryWindows(Battery& battery) : battery_(battery) {}
  std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo& form) override;
  std::unique_ptr<ValueWindowView> CreateValueWindow(frmValue& form) override;
  /// The latest information window; valid while its frmSysInfo lives.
  MemorySysInfoWindow* sysinfo_window() const { return sysinfo_window_; }

 private:
  Battery& battery_;
  MemorySysInfoWindow* sysinfo_window_ = nullptr;
};

struct MemoryClipboard final : public Clipboard {
  void Clear() override { text.clear(); }
  void SetText(const Text& value) override { text = value; }
  Text text;
};

/// One error box as it was shown.
struct ShownBox {
  Text title;
  Text prompt;
  friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

/// Keeps every box instead of waiting for a click.
struct CollectingMsgBox final : public MsgBox {
  void Show(const Text& prompt, std::int32_t, const Text& title) override { shown.push_back(ShownBox{title, prompt}); }
  std::vector<ShownBox> shown;
};

/// Without a screen there is nothing to lock or to size; both calls report success, as user32 does.
struct QuietWindowSystem final : public WindowSystem {
  std::int32_t LockWindowUpdate(WindowHandle) override { return 1; }
  std::int32_t SendMessageA(WindowHandle, std::uint32_t, std::int32_t, std::int32_t) override { return 1; }
};

struct NoShell final : public Shell {
  std::int32_t SHObjectProperties(WindowHandle, std::int32_t, const Text&, const Text&) override { return 0; }
};

/// No messages ever wait: DoEvents has nothing to run.
struct IdleMessageLoop final : public MessageLoop {
  void DoEvents() override {}
};

}  // namespace bsi
