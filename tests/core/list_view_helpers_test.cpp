// SPDX-License-Identifier: MIT
// AdjustColumnWidth, LockWindow and UnlockWindow: their exact message traffic and the 16-bit overflow rules.
#include <gtest/gtest.h>

#include <limits>

#include "info_list/list_view_helpers.h"
#include "support/fake_views.h"

namespace bsi::test {
namespace {

// A list view with any column count, counting hWnd reads.
class ColumnsOnly final : public ListView {
 public:
  explicit ColumnsOnly(std::int32_t columns) : columns_(columns) {}
  WindowHandle hWnd() override { return ++hwnd_reads, 0x2A; }
  void SetView(std::int32_t) override {}
  std::int32_t ItemCount() override { return 0; }
  void AddItem(const Text&) override {}
  void RemoveItem(std::int32_t) override {}
  void ClearItems() override {}
  Text ItemText(std::int32_t) override { return {}; }
  Text SubItem(std::int32_t) override { return {}; }
  void SetSubItem(std::int32_t, const Text&) override {}
  std::int32_t SelectedIndex() override { return 0; }
  std::int32_t ColumnCount() override { return ++count_reads, columns_; }
  void AddColumn(const Text&) override {}
  void ClearColumns() override {}
  int hwnd_reads = 0;
  int count_reads = 0;

 private:
  std::int32_t columns_;
};

// Counts messages instead of logging them, for the runs with tens of thousands of columns.
class CountingWindowSystem final : public WindowSystem {
 public:
  std::int32_t LockWindowUpdate(WindowHandle) override { return 1; }
  std::int32_t SendMessageA(WindowHandle window, std::uint32_t message, std::int32_t wparam,
                            std::int32_t lparam) override {
    EXPECT_EQ(window, 0x2Au);
    EXPECT_EQ(message, 0x101Eu);
    EXPECT_EQ(wparam, messages) << "columns go up from 0 in steps of 1";
    last_lparam = lparam;
    ++messages;
    return 0;
  }
  int messages = 0;
  std::int32_t last_lparam = 0;
};

std::vector<std::string> Messages(std::int32_t columns, std::int16_t account, std::int16_t exclude) {
  CallLog log;
  RecordingWindowSystem window_system(log);
  ColumnsOnly list(columns);
  AdjustColumnWidth(list, window_system, account, exclude);
  EXPECT_EQ(list.count_reads, 1);
  EXPECT_EQ(list.hwnd_reads, static_cast<int>(log.entries().size())) << "hWnd is read afresh for every column";
  return log.entries();
}

TEST(AdjustColumnWidth, MessageCountsForExcludedColumns) {
  // Two columns: 1 excluded sizes both (bound inclusive), 0 adds a message for index 2, 2 sizes only the first.
  // With headers the last column (index 1), and only that one, asks to fill the list and fit its texts.
  EXPECT_EQ(Messages(2, -1, 1), (std::vector<std::string>{"SendMessageA(42,4126,0,-2)", "SendMessageA(42,4126,1,-3)"}));
  EXPECT_EQ(Messages(2, -1, 0), (std::vector<std::string>{"SendMessageA(42,4126,0,-2)", "SendMessageA(42,4126,1,-3)",
                                                          "SendMessageA(42,4126,2,-2)"}));
  EXPECT_EQ(Messages(2, -1, 2), (std::vector<std::string>{"SendMessageA(42,4126,0,-2)"}));
  EXPECT_TRUE(Messages(2, -1, 3).empty());
  EXPECT_TRUE(Messages(2, -1, 30000).empty());
  EXPECT_TRUE(Messages(0, 1, 1).empty());
  EXPECT_EQ(Messages(0, 1, 0), (std::vector<std::string>{"SendMessageA(42,4126,0,-2)"}));
  EXPECT_EQ(Messages(5, 0, -1).size(), 7u);
}

TEST(AdjustColumnWidth, WidthCodeFollowsAccountForHeaders) {
  EXPECT_EQ(Messages(2, 0, 1), (std::vector<std::string>{"SendMessageA(42,4126,0,-1)", "SendMessageA(42,4126,1,-1)"}));
  for (std::int16_t account : {1, -1, 256}) {
    EXPECT_EQ(Messages(2, account, 1),
              (std::vector<std::string>{"SendMessageA(42,4126,0,-2)", "SendMessageA(42,4126,1,-3)"}))
        << account;
  }
}

// Runs the helper and returns the error number it raised (0 for none) and the messages it sent.
std::pair<std::int32_t, int> Overflow(std::int32_t columns, std::int16_t exclude) {
  CountingWindowSystem window_system;
  ColumnsOnly list(columns);
  try {
    AdjustColumnWidth(list, window_system, 0, exclude);
  } catch (const RuntimeError& error) {
    return {error.number(), window_system.messages};
  }
  return {0, window_system.messages};
}

TEST(AdjustColumnWidth, SixteenBitBoundAndCounter) {
  using P = std::pair<std::int32_t, int>;
  // The largest bound that fits: 32767 columns sized... and then the counter would pass 32767.
  EXPECT_EQ(Overflow(32768, 1), (P{6, 32768}));
  EXPECT_EQ(Overflow(32767, 0), (P{6, 32768}));
  // One short of it: no overflow.
  EXPECT_EQ(Overflow(32767, 1), (P{0, 32767}));
  // A bound that does not fit 16 bits: overflow before any message.
  EXPECT_EQ(Overflow(32768, 0), (P{6, 0}));
  EXPECT_EQ(Overflow(40000, 1), (P{6, 0}));
  EXPECT_EQ(Overflow(0, std::numeric_limits<std::int16_t>::min()), (P{6, 0}));   // 0 - (-32768) = 32768
  EXPECT_EQ(Overflow(-1, std::numeric_limits<std::int16_t>::max()), (P{0, 0}));  // -32768 fits
  EXPECT_EQ(Overflow(-2, std::numeric_limits<std::int16_t>::max()), (P{6, 0}));  // -32769 does not
  // Count - exclude overflowing 32 bits.
  EXPECT_EQ(Overflow(std::numeric_limits<std::int32_t>::max(), -1), (P{6, 0}));
  EXPECT_EQ(Overflow(std::numeric_limits<std::int32_t>::min(), 1), (P{6, 0}));
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
