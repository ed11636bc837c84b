// SPDX-License-Identifier: MIT
// Fakes of the windows' widgets and run-time services that record what the handlers asked of them, fake
// platforms that create both windows, and a rig that wires them to the scripted library.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/show_sys_info.h"
#include "runtime/error.h"
#include "runtime/window_views.h"
#include "support/call_log.h"
#include "support/fake_views.h"
#include "support/scripted_library.h"
#include "sysinfo_window/frm_sys_info.h"
#include "sysinfo_window/sysinfo_layout.h"
#include "value_window/frm_value.h"

namespace bsi::test {

class RecordingLabel final : public Label {
 public:
  RecordingLabel(CallLog& log, std::string name, Text caption)
      : log_(log), name_(std::move(name)), caption_(std::move(caption)) {}
  Text Caption() override { return caption_; }
  void SetCaption(const Text& caption) override {
    log_.Add(name_ + ".Caption=" + ToUtf8(caption));
    caption_ = caption;
  }
  const Text& caption() const { return caption_; }

 private:
  CallLog& log_;
  std::string name_;
  Text caption_;
};

class RecordingMenu final : public Menu {
 public:
  RecordingMenu(CallLog& log, std::string name, Text caption)
      : log_(log), name_(std::move(name)), caption_(std::move(caption)) {}
  void SetCaption(const Text& caption) override {
    log_.Add(name_ + ".Caption=" + ToUtf8(caption));
    caption_ = caption;
  }
  const Text& caption() const { return caption_; }
  const std::string& name() const { return name_; }

 private:
  CallLog& log_;
  std::string name_;
  Text caption_;
};

/// A text box; `max_length` above 0 cuts what it is given, as a native box with a length limit does.
class RecordingTextBox final : public TextBox {
 public:
  RecordingTextBox(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  Text GetText() override { return text_; }
  void SetText(const Text& text) override {
    log_.Add(name_ + ".Text=" + ToUtf8(text));
    text_ = max_length > 0 && text.size() > max_length ? text.substr(0, max_length) : text;
  }
  void Select(std::int32_t start, std::int32_t length) override {
    log_.Add(name_ + ".Select(" + std::to_string(start) + "," + std::to_string(length) + ")");
  }
  /// What the user types: no handler sees it until it reads the box.
  void Type(const Text& text) { text_ = text; }
  const Text& text() const { return text_; }
  std::size_t max_length = 0;

 private:
  CallLog& log_;
  std::string name_;
  Text text_;
};

class RecordingButton final : public CommandButton {
 public:
  RecordingButton(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  void SetToolTipText(const Text& text) override {
    log_.Add(name_ + ".ToolTipText=" + ToUtf8(text));
    tool_tip = text;
  }
  Text tool_tip;

 private:
  CallLog& log_;
  std::string name_;
};

/// A native gauge: logs its fill to three places, so a test sees every redraw.
class RecordingGauge final : public GaugeView {
 public:
  RecordingGauge(CallLog& log, std::string name, WindowHandle handle)
      : log_(log), name_(std::move(name)), handle_(handle) {}
  WindowHandle hWnd() override { return handle_; }
  void ShowFill(double fraction) override {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", fraction);
    log_.Add(name_ + ".Fill=" + buffer);
    fill = fraction;
  }
  double fill = 0;

 private:
  CallLog& log_;
  std::string name_;
  WindowHandle handle_;
};

class RecordingClipboard final : public Clipboard {
 public:
  explicit RecordingClipboard(CallLog& log) : log_(log) {}
  void Clear() override {
    log_.Add("Clipboard.Clear");
    if (fail_number != 0) Raise(fail_number);
    text.clear();
  }
  void SetText(const Text& value) override {
    log_.Add("Clipboard.SetText(" + ToUtf8(value) + ")");
    text = value;
  }
  Text text = u"earlier content";
  /// Clear raises this number when it is not 0.
  std::int32_t fail_number = 0;

 private:
  CallLog& log_;
};

class RecordingShell final : public Shell {
 public:
  explicit RecordingShell(CallLog& log) : log_(log) {}
  std::int32_t SHObjectProperties(WindowHandle window, std::int32_t type, const Text& object,
                                  const Text& page) override {
    log_.Add("SHObjectProperties(" + std::to_string(window) + "," + std::to_string(type) + ",'" + ToUtf8(object) +
             "','" + ToUtf8(page) + "')");
    if (fail_number != 0) Raise(fail_number);
    return 1;
  }
  std::int32_t fail_number = 0;

 private:
  CallLog& log_;
};

/// DoEvents runs the next queued action, as if that message had been pending.
class ScriptedMessageLoop final : public MessageLoop {
 public:
  explicit ScriptedMessageLoop(CallLog& log) : log_(log) {}
  void DoEvents() override {
    log_.Add("DoEvents");
    if (pending.empty()) return;
    auto action = std::move(pending.front());
    pending.erase(pending.begin());
    action();
  }
  std::vector<std::function<void()>> pending;

 private:
  CallLog& log_;
};

/// The native side of a form. ShowModal runs `while_shown` in place of a message loop.
class RecordingForm final : public FormView {
 public:
  RecordingForm(CallLog& log, std::string name, WindowHandle handle, Text caption)
      : log_(log), name_(std::move(name)), handle_(handle), caption_(std::move(caption)) {}
  WindowHandle hWnd() override { return handle_; }
  void SetCaption(const Text& caption) override {
    log_.Add(name_ + ".Caption=" + ToUtf8(caption));
    caption_ = caption;
  }
  void ShowModal() override {
    log_.Add(name_ + ".Show(1)");
    if (while_shown) while_shown();
    if (!unloaded_) log_.Add(name_ + " left open");  // a real modal loop would still be running
  }
  void Unload() override {
    log_.Add(name_ + ".Unload");
    unloaded_ = true;
  }
  void PopupMenu(Menu& menu, std::int32_t flags) override {
    log_.Add(name_ + ".PopupMenu(" + static_cast<RecordingMenu&>(menu).name() + "," + std::to_string(flags) + ")");
    if (on_popup) on_popup();
  }
  const Text& caption() const { return caption_; }
  bool unloaded() const { return unloaded_; }
  std::function<void()> while_shown;
  std::function<void()> on_popup;

 private:
  CallLog& log_;
  std::string name_;
  WindowHandle handle_;
  Text caption_;
  bool unloaded_ = false;
};

/// frmSysInfo's controls at their design state.
class FakeSysInfoWindow final : public SysInfoWindowView {
 public:
  explicit FakeSysInfoWindow(CallLog& log)
      : form(log, "frmSysInfo", 0x2000, sysinfo_layout::kCaption),
        list(log),
        physical_gauge(log, "ctlProgressPhysical", 0x2001),
        virtual_gauge(log, "ctlProgressVirtual", 0x2002),
        pagefile_gauge(log, "ctlProgressPagefile", 0x2003),
        physical_caption(log, "lblPhysicalMemory", sysinfo_layout::kPhysicalMemoryCaption),
        virtual_caption(log, "lblVirtualMemory", sysinfo_layout::kVirtualMemoryCaption),
        pagefile_caption(log, "lblPageFileMemory", sysinfo_layout::kPageFileMemoryCaption),
        physical_percent(log, "lblPhysicalPercent", sysinfo_layout::kPercentCaption),
        virtual_percent(log, "lblVirtualPercent", sysinfo_layout::kPercentCaption),
        pagefile_percent(log, "lblPagePercent", sysinfo_layout::kPercentCaption),
        temp(log, "txtTemp"),
        file_menu(log, "mnuFile", sysinfo_layout::kMnuFileCaption),
        copy_value_menu(log, "mnuCopyValueToClipboard", sysinfo_layout::kMnuCopyValueCaption),
        copy_all_menu(log, "mnuCopyAllToClipboard", sysinfo_layout::kMnuCopyAllCaption) {}

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
  Battery& SysInfo() override { return battery; }

  RecordingForm form;
  RecordingListView list;
  RecordingGauge physical_gauge;
  RecordingGauge virtual_gauge;
  RecordingGauge pagefile_gauge;
  RecordingLabel physical_caption;
  RecordingLabel virtual_caption;
  RecordingLabel pagefile_caption;
  RecordingLabel physical_percent;
  RecordingLabel virtual_percent;
  RecordingLabel pagefile_percent;
  RecordingTextBox temp;
  RecordingMenu file_menu;
  RecordingMenu copy_value_menu;
  RecordingMenu copy_all_menu;
  FakeBattery battery;
};

class FakeValueWindow final : public ValueWindowView {
 public:
  explicit FakeValueWindow(CallLog& log)
      : form(log, "frmValue", 0x3000, u""),
        label(log, "txtLabel"),
        value(log, "txtValue"),
        clipboard_button(log, "cmdClipboard") {}
  FormView& Form() override { return form; }
  TextBox& txtLabel() override { return label; }
  TextBox& txtValue() override { return value; }
  CommandButton& cmdClipboard() override { return clipboard_button; }

  RecordingForm form;
  RecordingTextBox label;
  RecordingTextBox value;
  RecordingButton clipboard_button;
};

/// A platform that creates both windows. What the user does while a window is shown is scripted per window.
class FakeWindows final : public SysInfoWindowFactory, public ValueWindowFactory {
 public:
  explicit FakeWindows(CallLog& log) : log_(log) {}

  std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo& form) override {
    log_.Add("create frmSysInfo window");
    auto window = std::make_unique<FakeSysInfoWindow>(log_);
    window->battery = battery;
    FakeSysInfoWindow* raw = window.get();
    window->form.while_shown = [this, &form, raw] {
      if (while_sysinfo_shown) while_sysinfo_shown(form, *raw);
    };
    ++sysinfo_windows;
    last_sysinfo = raw;
    return window;
  }

  std::unique_ptr<ValueWindowView> CreateValueWindow(frmValue& form) override {
    log_.Add("create frmValue window");
    auto window = std::make_unique<FakeValueWindow>(log_);
    FakeValueWindow* raw = window.get();
    window->form.while_shown = [this, &form, raw] {
      if (while_value_shown) while_value_shown(form, *raw);
    };
    ++value_windows;
    return window;
  }

  /// The battery every new information window starts with.
  FakeBattery battery;
  std::function<void(frmSysInfo&, FakeSysInfoWindow&)> while_sysinfo_shown;
  std::function<void(frmValue&, FakeValueWindow&)> while_value_shown;
  int sysinfo_windows = 0;
  int value_windows = 0;
  /// The latest information window; valid while its frmSysInfo lives.
  FakeSysInfoWindow* last_sysinfo = nullptr;

 private:
  CallLog& log_;
};

/// Everything a window needs, recording into one log.
struct WindowRig {
  explicit WindowRig(UiLanguage language = UiLanguage::German, Locale number_locale = Locale::German())
      : strings(language), locale(number_locale) {}

  SysInfoWindowContext context() {
    return SysInfoWindowContext{windows,       windows, library,   strings, locale, message_box,
                                window_system, screen,  clipboard, shell,   loop,   kVersion};
  }

  CallLog log;
  ScriptedLibrary library{&log};
  Catalogue strings;
  Locale locale;
  RecordingMessageBox message_box{log};
  RecordingWindowSystem window_system{log};
  FakeScreen screen;
  RecordingClipboard clipboard{log};
  RecordingShell shell{log};
  ScriptedMessageLoop loop{log};
  FakeWindows windows{log};
};

}  // namespace bsi::test
