// SPDX-License-Identifier: MIT
// Fakes of the core's views that record what the core asked of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "runtime/memory_list_view.h"
#include "runtime/views.h"
#include "support/call_log.h"

namespace bsi::test {

/// The in-memory list view, logging the row steps and able to fail one operation on its n-th call.
class RecordingListView final : public ListView {
 public:
  explicit RecordingListView(CallLog& log) : log_(log) {}

  WindowHandle hWnd() override { return Check("hWnd"), rows_.hWnd(); }
  void SetView(std::int32_t view) override { Check("View"), rows_.SetView(view); }
  std::int32_t ItemCount() override { return Check("Count"), rows_.ItemCount(); }
  void AddItem(const Text& text) override {
    Check("Add");
    log_.Add("Add(" + ToUtf8(text) + ")");
    rows_.AddItem(text);
  }
  void RemoveItem(std::int32_t index) override {
    Check("Remove");
    log_.Add("Remove(" + std::to_string(index) + ")");
    rows_.RemoveItem(index);
  }
  void ClearItems() override {
    Check("Clear");
    log_.Add("Clear");
    rows_.ClearItems();
  }
  Text ItemText(std::int32_t index) override { return Check("Text"), rows_.ItemText(index); }
  Text SubItem(std::int32_t index) override { return Check("SubItem"), rows_.SubItem(index); }
  void SetSubItem(std::int32_t index, const Text& value) override {
    Check("SetSubItem");
    log_.Add("SubItems(" + std::to_string(index) + ")=" + ToUtf8(value));
    rows_.SetSubItem(index, value);
  }
  std::int32_t SelectedIndex() override { return rows_.SelectedIndex(); }
  std::int32_t ColumnCount() override { return Check("ColumnCount"), rows_.ColumnCount(); }
  void AddColumn(const Text& heading) override {
    Check("AddColumn");
    log_.Add("AddColumn(" + ToUtf8(heading) + ")");
    rows_.AddColumn(heading);
  }
  void ClearColumns() override {
    Check("ClearColumns");
    log_.Add("ClearColumns");
    rows_.ClearColumns();
  }

  /// The operation ("Add", "SetSubItem", "hWnd", ...) raises `number` on its `nth` call from now (1 = next).
  void FailOn(std::string operation, int nth, std::int32_t number) {
    fail_operation_ = std::move(operation);
    fail_countdown_ = nth;
    fail_number_ = number;
  }

  MemoryListView& rows() { return rows_; }

 private:
  void Check(const char* operation) {
    if (fail_operation_ == operation && fail_countdown_ > 0 && --fail_countdown_ == 0) Raise(fail_number_);
  }

  CallLog& log_;
  MemoryListView rows_;
  std::string fail_operation_;
  int fail_countdown_ = 0;
  std::int32_t fail_number_ = 0;
};

class RecordingWindowSystem final : public WindowSystem {
 public:
  explicit RecordingWindowSystem(CallLog& log) : log_(log) {}
  std::int32_t LockWindowUpdate(WindowHandle window) override {
    log_.Add("LockWindowUpdate(" + std::to_string(window) + ")");
    return 1;
  }
  std::int32_t SendMessageA(WindowHandle window, std::uint32_t message, std::int32_t wparam,
                            std::int32_t lparam) override {
    log_.Add("SendMessageA(" + std::to_string(window) + "," + std::to_string(message) + "," + std::to_string(wparam) +
             "," + std::to_string(lparam) + ")");
    return 1;
  }

 private:
  CallLog& log_;
};

class RecordingMessageBox final : public MsgBox {
 public:
  struct Shown {
    Text prompt;
    std::int32_t style;
    Text title;
  };
  explicit RecordingMessageBox(CallLog& log) : log_(log) {}
  void Show(const Text& prompt, std::int32_t style, const Text& title) override {
    log_.Add("MsgBox(" + ToUtf8(title) + ")");
    shown.push_back(Shown{prompt, style, title});
  }
  std::vector<Shown> shown;

 private:
  CallLog& log_;
};

class FakeScreen final : public Screen {
 public:
  std::int16_t FontCount() override { return font_count; }
  std::int16_t font_count = 187;
};

class FakeBattery final : public Battery {
 public:
  std::int16_t BatteryStatus() override { return status; }
  std::int16_t BatteryLifePercent() override { return percent; }
  std::int16_t status = Battery::kNoBattery;
  std::int16_t percent = Battery::kUnknown;
};

}  // namespace bsi::test
