// SPDX-License-Identifier: MIT
// AdjustColumnWidth, LockWindow and UnlockWindow: their exact message traffic and the 16-bit overflow rules.
#include <gtest/gtest.h>

#include <limits>

#include "core/fixtures.h"
#include "info_list/list_view_helpers.h"

namespace bsi::test {
namespace {

// A list view with any column count (the count is all the helper reads of it besides the handle).
struct Columns final : ListView {
  explicit Columns(std::int32_t count) : count(count) {}
  WindowHandle hWnd() override { return 0x2A; }
  void SetView(std::int32_t) override {}
  std::int32_t ItemCount() override { return 0; }
  void AddItem(const Text&) override {}
  void RemoveItem(std::int32_t) override {}
  void ClearItems() override {}
  Text ItemText(std::int32_t) override { return {}; }
  Text SubItem(std::int32_t) override { return {}; }
  void SetSubItem(std::int32_t, const Text&) override {}
  std::int32_t SelectedIndex() override { return 0; }
  std::int32_t ColumnCount() override { return count; }
  void AddColumn(const Text&) override {}
  void ClearColumns() override {}
  std::int32_t count;
};

// The messages sent, or "error N" after them when the helper raised N.
std::string Messages(std::int32_t columns, std::int16_t account, std::int16_t exclude) {
  CallLog log;
  RecordingWindowSystem window_system(log);
  Columns list(columns);
  const std::int32_t error = ErrorOf([&] { AdjustColumnWidth(list, window_system, account, exclude); });
  std::string out = log.entries().size() > 3 ? std::to_string(log.entries().size()) + " messages " : "";
  if (log.entries().size() <= 3) {
    for (const auto& entry : log.entries()) out += entry.substr(std::string("SendMessageA(42,4126,").size()) + " ";
  }
  return error != 0 ? out + "error " + std::to_string(error) : out;
}

TEST(AdjustColumnWidth, ColumnsSizedForEachExclusionAndHeaderSetting) {
  constexpr std::int16_t kMin = std::numeric_limits<std::int16_t>::min();
  constexpr std::int16_t kMax = std::numeric_limits<std::int16_t>::max();
  constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
  struct Case {
    std::int32_t columns;
    std::int16_t account, exclude;
    const char* messages;  // wparam,lparam) of each message; with headers the last column fills the list
  };
  for (const Case& c : {Case{2, -1, 1, "0,-2) 1,-3) "}, Case{2, -1, 0, "0,-2) 1,-3) 2,-2) "}, Case{2, -1, 2, "0,-2) "},
                        Case{2, -1, 3, ""}, Case{2, -1, 30000, ""}, Case{0, 1, 1, ""}, Case{0, 1, 0, "0,-2) "},
                        Case{5, 0, -1, "7 messages "}, Case{2, 0, 1, "0,-1) 1,-1) "}, Case{2, 256, 1, "0,-2) 1,-3) "},
                        // The bound and the counter are 16-bit: 6 before any message when the bound does not fit.
                        Case{32768, 0, 1, "32768 messages error 6"}, Case{32767, 0, 0, "32768 messages error 6"},
                        Case{32767, 0, 1, "32767 messages "}, Case{32768, 0, 0, "error 6"},
                        Case{40000, 0, 1, "error 6"}, Case{0, 0, kMin, "error 6"}, Case{-1, 0, kMax, ""},
                        Case{-2, 0, kMax, "error 6"}, Case{kMax32, 0, -1, "error 6"}, Case{kMin32, 0, 1, "error 6"}}) {
    EXPECT_EQ(Messages(c.columns, c.account, c.exclude), c.messages) << c.columns << " " << c.exclude;
  }
}

TEST(LockWindow, LocksTheGivenWindowAndUnlockPassesNull) {
  CallLog log;
  RecordingWindowSystem window_system(log);
  UnlockWindow(window_system);  // nothing locked: still just the call
  LockWindow(window_system, 0x1234);
  UnlockWindow(window_system);
  EXPECT_EQ(log.entries(),
            (std::vector<std::string>{"LockWindowUpdate(0)", "LockWindowUpdate(4660)", "LockWindowUpdate(0)"}));
}

}  // namespace
}  // namespace bsi::test
