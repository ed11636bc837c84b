// SPDX-License-Identifier: MIT
// Fakes of the core's views, the windows' widgets and the run-time services that record what the core asked of
// them into one CallLog, a platform that creates both windows, and a rig that wires them to the scripted library.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "control/show_sys_info.h"
#include "resources/strings.h"
#include "runtime/error.h"
#include "runtime/memory_list_view.h"
#include "runtime/views.h"
#include "runtime/window_views.h"
#include "support/call_log.h"
#include "support/scripted_library.h"
#include "sysinfo_window/frm_sys_info.h"
#include "sysinfo_window/sysinfo_layout.h"
#include "value_window/frm_value.h"

namespace bsi::test {

/// What every recording fake shares: a name, and the log its entries go to as "name" + parts.
struct Recorder {
  Recorder(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  const std::string& name() const { return name_; }

  template <class... Parts>
  void Note(const Parts&... parts) {
    log_.Add(name_, parts...);
  }
  CallLog& log_;
  std::string name_;
};

/// A widget with a caption (label, menu, form): logs "name.Caption=text" and keeps the text.
template <class Base>
struct Captioned : public Base, public Recorder {
  Captioned(CallLog& log, std::string name, Text caption)
      : Recorder(log, std::move(name)), caption_(std::move(caption)) {}
  void SetCaption(const Text& caption) override {
    Note(".Caption=", caption);
    caption_ = caption;
  }
  const Text& caption() const { return caption_; }

  Text caption_;
};

struct RecordingLabel final : public Captioned<Label> {
  using Captioned::Captioned;
  Text Caption() override { return caption_; }
};

struct RecordingMenu final : public Captioned<Menu> {
  using Captioned::Captioned;
};

/// The native side of a form. ShowModal runs `while_shown` in place of a message loop.
struct RecordingForm final : public Captioned<FormView> {
  RecordingForm(CallLog& log, std::string name, WindowHandle handle, Text caption)
      : Captioned(log, std::move(name), std::move(caption)), handle_(handle) {}
  WindowHandle hWnd() override { return handle_; }
  void ShowModal() override {
    Note(".Show(1)");
    if (while_shown) while_shown();
    if (!unloaded_) Note(" left open");  // a real modal loop would still be running
  }
  void Unload() override {
    Note(".Unload");
    unloaded_ = true;
  }
  void PopupMenu(Menu& menu, std::int32_t flags) override {
    Note(".PopupMenu(", static_cast<RecordingMenu&>(menu).name(), ",", flags, ")");
  }
  bool unloaded() const { return unloaded_; }
  std::function<void()> while_shown;

  WindowHandle handle_;
  bool unloaded_ = false;
};

/// A text box; `max_length` above 0 cuts what it is given, as a native box with a length limit does.
struct RecordingTextBox final : public TextBox, public Recorder {
  using Recorder::Recorder;
  Text GetText() override { return text_; }
  void SetText(const Text& text) override {
    Note(".Text=", text);
    text_ = max_length > 0 && text.size() > max_length ? text.substr(0, max_length) : text;
  }
  void Select(std::int32_t start, std::int32_t length) override { Note(".Select(", start, ",", length, ")"); }
  /// What the user types: no handler sees it until it reads the box.
  void Type(const Text& text) { text_ = text; }
  const Text& text() const { return text_; }
  std::size_t max_length = 0;

  Text text_;
};

struct RecordingButton final : public CommandButton, public Recorder {
  using Recorder::Recorder;
  void SetToolTipText(const Text& text) override { Note(".ToolTipText=", text); }
};

/// A native gauge: logs every fill it draws.
struct RecordingGauge final : public GaugeView, public Recorder {
  RecordingGauge(CallLog& log, std::string name, WindowHandle handle)
      : Recorder(log, std::move(name)), handle_(handle) {}
  WindowHandle hWnd() override { return handle_; }
  void ShowFill(double fraction) override {
    fill = fraction;
    if (!log_.recording) return;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", fraction);
    Note(".Fill=", buffer);
  }
  double fill = 0;

  WindowHandle handle_;
};

/// The in-memory list view, logging the row steps and able to fail one operation on its n-th call.
struct RecordingListView final : public ListView, public Recorder {
  /// Its steps go to the log without a name: "Add(...)", "SubItems(n)=...".
  explicit RecordingListView(CallLog& log, const char* /*name*/ = "") : Recorder(log, "") {}
  WindowHandle hWnd() override { return Check("hWnd"), rows_.hWnd(); }
  void SetView(std::int32_t view) override { Check("View"), rows_.SetView(view); }
  std::int32_t ItemCount() override { return Check("Count"), rows_.ItemCount(); }
  void AddItem(const Text& text) override { Check("Add"), Note("Add(", text, ")"), rows_.AddItem(text); }
  void RemoveItem(std::int32_t index) override {
    Check("Remove"), Note("Remove(", index, ")"), rows_.RemoveItem(index);
  }
  void ClearItems() override { Check("Clear"), Note("Clear"), rows_.ClearItems(); }
  Text ItemText(std::int32_t index) override { return Check("Text"), rows_.ItemText(index); }
  Text SubItem(std::int32_t index) override { return Check("SubItem"), rows_.SubItem(index); }
  void SetSubItem(std::int32_t index, const Text& value) override {
    Check("SetSubItem"), Note("SubItems(", index, ")=", value), rows_.SetSubItem(index, value);
  }
  std::int32_t SelectedIndex() override { return rows_.SelectedIndex(); }
  std::int32_t ColumnCount() override { return Check("ColumnCount"), column_count.value_or(rows_.ColumnCount()); }
  void AddColumn(const Text& heading) override {
    Check("AddColumn"), Note("AddColumn(", heading, ")"), rows_.AddColumn(heading);
  }
  void ClearColumns() override { Check("ClearColumns"), Note("ClearColumns"), rows_.ClearColumns(); }

  /// The operation ("Add", "SetSubItem", "hWnd", ...) raises `number` on its `nth` call from now (1 = next).
  void FailOn(std::string operation, int nth, std::int32_t number) {
    fail_operation_ = std::move(operation);
    fail_countdown_ = nth;
    fail_number_ = number;
  }
  MemoryListView& rows() { return rows_; }
  /// What ColumnCount answers in place of the real count, for any count the 16-bit rules need.
  std::optional<std::int32_t> column_count;
  /// How often each operation was called while the log was recording.
  std::map<std::string, int> calls;

  void Check(const char* operation) {
    if (log_.recording) ++calls[operation];
    if (fail_operation_ == operation && fail_countdown_ > 0 && --fail_countdown_ == 0) Raise(fail_number_);
  }
  MemoryListView rows_;
  std::string fail_operation_;
  int fail_countdown_ = 0;
  std::int32_t fail_number_ = 0;
};

struct RecordingWindowSystem final : public WindowSystem, public Recorder {
  explicit RecordingWindowSystem(CallLog& log) : Recorder(log, "") {}
  std::int32_t LockWindowUpdate(WindowHandle window) override { return Note("LockWindowUpdate(", window, ")"), 1; }
  std::int32_t SendMessageA(WindowHandle window, std::uint32_t message, std::int32_t wparam,
                            std::int32_t lparam) override {
    return Note("SendMessageA(", window, ",", message, ",", wparam, ",", lparam, ")"), 1;
  }
};

struct RecordingMessageBox final : public MsgBox, public Recorder {
  struct Shown {
    Text prompt;
    std::int32_t style;
    Text title;
  };
  explicit RecordingMessageBox(CallLog& log) : Recorder(log, "MsgBox") {}
  void Show(const Text& prompt, std::int32_t style, const Text& title) override {
    Note("(", title, ")");
    shown.push_back(Shown{prompt, style, title});
  }
  std::vector<Shown> shown;
};

/// Clear raises `fail_number` when it is not 0.
struct RecordingClipboard final : public Clipboard, public Recorder {
  explicit RecordingClipboard(CallLog& log) : Recorder(log, "Clipboard") {}
  void Clear() override {
    Note(".Clear");
    if (fail_number != 0) Raise(fail_number);
    text.clear();
  }
  void SetText(const Text& value) override {
    Note(".SetText(", value, ")");
    text = value;
  }
  Text text = u"earlier content";
  std::int32_t fail_number = 0;
};

struct RecordingShell final : public Shell, public Recorder {
  explicit RecordingShell(CallLog& log) : Recorder(log, "") {}
  std::int32_t SHObjectProperties(WindowHandle window, std::int32_t type, const Text& object,
                                  const Text& page) override {
    Note("SHObjectProperties(", window, ",", type, ",'", object, "','", page, "')");
    if (fail_number != 0) Raise(fail_number);
    return 1;
  }
  std::int32_t fail_number = 0;
};

/// DoEvents runs the next queued action, as if that message had been pending.
struct ScriptedMessageLoop final : public MessageLoop, public Recorder {
  explicit ScriptedMessageLoop(CallLog& log) : Recorder(log, "DoEvents") {}
  void DoEvents() override {
    Note();
    if (pending.empty()) return;
    auto action = std::move(pending.front());
    pending.erase(pending.begin());
    action();
  }
  std::vector<std::function<void()>> pending;
};

/// The built-in catalogue; logs every LoadResString when `logged`, so a test sees when each string is fetched.
struct RecordingStrings final : public StringSource, public Recorder {
  RecordingStrings(CallLog& log, UiLanguage language, bool logged)
      : Recorder(log, "LoadResString"), catalogue_(language), logged_(logged) {}
  Text LoadResString(std::int32_t id) override {
    if (logged_) Note("(", id, ")");
    const auto found = replaced.find(id);
    return found != replaced.end() ? found->second : catalogue_.LoadResString(id);
  }
  /// Strings that answer in place of the catalogue's.
  std::map<std::int32_t, Text> replaced;

  Catalogue catalogue_;
  bool logged_;
};

struct FakeScreen final : public Screen {
  std::int16_t FontCount() override { return font_count; }
  std::int16_t font_count = 187;
};

struct FakeBattery final : public Battery {
  std::int16_t BatteryStatus() override { return status; }
  std::int16_t BatteryLifePercent() override { return percent; }
  std::int16_t status = Battery::kNoBattery;
  std::int16_t percent = Battery::kUnknown;
};

// A widget of a window fake, named after its accessor: the accessor the view interface asks for, returning a
// member built on the log.
#define BSI_WIDGET(Interface, Accessor, Type, member, ...)        \
  Type member = Type(log_, #Accessor __VA_OPT__(, ) __VA_ARGS__); \
  Interface& Accessor() override {                                \
    return member;                                                \
  }

/// frmSysInfo's controls at their design state.
struct FakeSysInfoWindow final : public SysInfoWindowView {
  explicit FakeSysInfoWindow(CallLog& log) : log_(log) {}
  CallLog& log_;
  RecordingForm form{log_, "frmSysInfo", 0x2000, sysinfo_layout::kCaption};
  FormView& Form() override { return form; }
  BSI_WIDGET(ListView, lvwSysInfo, RecordingListView, list);
  BSI_WIDGET(GaugeView, ctlProgressPhysical, RecordingGauge, physical_gauge, 0x2001);
  BSI_WIDGET(GaugeView, ctlProgressVirtual, RecordingGauge, virtual_gauge, 0x2002);
  BSI_WIDGET(GaugeView, ctlProgressPagefile, RecordingGauge, pagefile_gauge, 0x2003);
  BSI_WIDGET(Label, lblPhysicalMemory, RecordingLabel, physical_caption, sysinfo_layout::kPhysicalMemoryCaption);
  BSI_WIDGET(Label, lblVirtualMemory, RecordingLabel, virtual_caption, sysinfo_layout::kVirtualMemoryCaption);
  BSI_WIDGET(Label, lblPageFileMemory, RecordingLabel, pagefile_caption, sysinfo_layout::kPageFileMemoryCaption);
  BSI_WIDGET(Label, lblPhysicalPercent, RecordingLabel, physical_percent, sysinfo_layout::kPercentCaption);
  BSI_WIDGET(Label, lblVirtualPercent, RecordingLabel, virtual_percent, sysinfo_layout::kPercentCaption);
  BSI_WIDGET(Label, lblPagePercent, RecordingLabel, pagefile_percent, sysinfo_layout::kPercentCaption);
  BSI_WIDGET(TextBox, txtTemp, RecordingTextBox, temp);
  BSI_WIDGET(Menu, mnuFile, RecordingMenu, file_menu, sysinfo_layout::kMnuFileCaption);
  BSI_WIDGET(Menu, mnuCopyValueToClipboard, RecordingMenu, copy_value_menu, sysinfo_layout::kMnuCopyValueCaption);
  BSI_WIDGET(Menu, mnuCopyAllToClipboard, RecordingMenu, copy_all_menu, sysinfo_layout::kMnuCopyAllCaption);
  Battery& SysInfo() override { return battery; }
  FakeBattery battery;
};

struct FakeValueWindow final : public ValueWindowView {
  explicit FakeValueWindow(CallLog& log) : log_(log) {}
  CallLog& log_;
  RecordingForm form{log_, "frmValue", 0x3000, u""};
  FormView& Form() override { return form; }
  BSI_WIDGET(TextBox, txtLabel, RecordingTextBox, label);
  BSI_WIDGET(TextBox, txtValue, RecordingTextBox, value);
  BSI_WIDGET(CommandButton, cmdClipboard, RecordingButton, button);
};
#undef BSI_WIDGET

/// A platform that creates both windows. What the user does while a window is shown is scripted per window.
struct FakeWindows final : public SysInfoWindowFactory, public ValueWindowFactory {
  explicit FakeWindows(CallLog& log) : log_(log) {}

  std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo& form) override {
    last_sysinfo = Create<FakeSysInfoWindow>(form, while_sysinfo_shown, sysinfo_windows);
    last_sysinfo->battery = battery;
    return std::unique_ptr<SysInfoWindowView>(last_sysinfo);
  }
  std::unique_ptr<ValueWindowView> CreateValueWindow(frmValue& form) override {
    return std::unique_ptr<ValueWindowView>(Create<FakeValueWindow>(form, while_value_shown, value_windows));
  }

  /// The battery every new information window starts with.
  FakeBattery battery;
  std::function<void(frmSysInfo&, FakeSysInfoWindow&)> while_sysinfo_shown;
  std::function<void(frmValue&, FakeValueWindow&)> while_value_shown;
  int sysinfo_windows = 0;
  int value_windows = 0;
  /// The latest information window; valid while its frmSysInfo lives.
  FakeSysInfoWindow* last_sysinfo = nullptr;

  template <class Window, class Form, class Script>
  Window* Create(Form& form, Script& script, int& count) {
    log_.Add("create ", FormName(form), " window");
    auto* window = new Window(log_);
    window->form.while_shown = [&script, &form, window] {
      if (script) script(form, *window);
    };
    ++count;
    return window;
  }
  static const char* FormName(frmSysInfo&) { return "frmSysInfo"; }
  static const char* FormName(frmValue&) { return "frmValue"; }
  CallLog& log_;
};

/// Everything a window needs, recording into one log. `log_strings` adds every LoadResString to the log.
struct WindowRig {
  explicit WindowRig(UiLanguage language = UiLanguage::German, bool log_strings = false)
      : strings(log, language, log_strings),
        locale(language == UiLanguage::German ? Locale::German() : Locale::English()) {}

  /// The window's context over the rig's fakes; a test may put its own factory, library or message box in.
  SysInfoWindowContext context(SysInfoWindowFactory* factory = nullptr, QueryLibrary* query = nullptr,
                               MsgBox* box = nullptr) {
    SysInfoWindowFactory& own = factory != nullptr ? *factory : windows;
    QueryLibrary& queries = query != nullptr ? *query : library;
    MsgBox& shown = box != nullptr ? *box : message_box;
    return {own, windows, queries, strings, locale, shown, window_system, screen, clipboard, shell, loop, kVersion};
  }
  ValueWindowContext value_context() { return ValueWindowContext{windows, clipboard, message_box, strings}; }

  CallLog log;
  ScriptedLibrary library{&log};
  RecordingStrings strings;
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
