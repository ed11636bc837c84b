// SPDX-License-Identifier: MIT
// The library on this machine: a few facts compared with what the machine's own tools say, and the core's list
// built from it in both languages without an error box.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "fake_tree.h"
#include "info_list/load_sys_info.h"
#include "runtime/memory_list_view.h"
#include "sysquery/linux/linux_query_library.h"
#include "sysquery/linux/text_forms.h"

namespace bsi::sysquery_linux::test {
namespace {

// The standard output of a shell command; nothing when it cannot run or fails.
std::optional<std::string> Shell(const std::string& command) {
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen((command + " 2>/dev/null").c_str(), "r"), &::pclose);
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe.get())) out.append(buffer, got);
  return out;
}

// The output of a tool, or skip the test when the tool is missing.
#define TOOL_OUTPUT(var, tool, command)                               \
  const auto var = Shell("command -v " tool " >/dev/null && " command); \
  if (!var || var->empty()) GTEST_SKIP() << tool " is not installed";

template <class T>
std::unique_ptr<T> Make(QueryLibrary& library) {
  return std::unique_ptr<T>(dynamic_cast<T*>(library.Create(T::kClass).release()));
}

TEST(RealSystem, PhysicalMemoryAsFreeCountsIt) {
  TOOL_OUTPUT(free, "free", "free -b");
  std::istringstream lines(*free);
  std::string word, total;
  while (lines >> word && word != "Mem:") {
  }
  lines >> total;
  EXPECT_EQ(ToUtf8(Make<MemoryInfo>(*CreateQueryLibrary())->PhysicalTotal()), total);
}

TEST(RealSystem, HostNameAsHostnamePrintsIt) {
  TOOL_OUTPUT(name, "hostname", "hostname");
  EXPECT_EQ(ToUtf8(Make<ComputerInfo>(*CreateQueryLibrary())->ComputerName().AsString()) + "\n", *name);
}

TEST(RealSystem, NetworkAddressIsOnTheDefaultRouteInterface) {
  TOOL_OUTPUT(route, "ip", "ip -4 route show default");
  const std::string network = ToUtf8(Make<NetworkInfo>(*CreateQueryLibrary())->NetworkIP());
  // "default via 10.0.0.1 dev eth0 ...": the interface after "dev" holds the network address.
  std::istringstream words(*route);
  std::string word;
  while (words >> word && word != "dev") {
  }
  words >> word;
  const auto addresses = Shell("ip -4 -o addr show dev " + word);
  ASSERT_TRUE(addresses.has_value());
  EXPECT_NE(addresses->find(" " + network + "/"), std::string::npos) << network << " not in\n" << *addresses;
}

TEST(RealSystem, RootDriveSizeAsDfReportsIt) {
  TOOL_OUTPUT(df, "df", "df -B1 --output=size / | tail -1");
  auto drives =
      std::dynamic_pointer_cast<Collection>(Make<DriveInfo>(*CreateQueryLibrary("/", UiLanguage::English))->Drives());
  ASSERT_GE(drives->Count(), 1);
  const std::string root = ToUtf8(drives->Item(1).AsString());
  const std::string size = ToUtf8(ByteAmountText(std::stoull(*df), UiLanguage::English));
  EXPECT_EQ(root.substr(0, 3), "/  ");
  EXPECT_EQ(root.substr(root.size() - size.size() - 9), " free of " + size) << root;
}

class NoWindowSystem final : public WindowSystem {
 public:
  std::int32_t LockWindowUpdate(WindowHandle) override { return 1; }
  std::int32_t SendMessageA(WindowHandle, std::uint32_t, std::int32_t, std::int32_t) override { return 1; }
};

class RecordingMsgBox final : public MsgBox {
 public:
  void Show(const Text& prompt, std::int32_t, const Text&) override { shown += ToUtf8(prompt) + "\n"; }
  std::string shown;
};

TEST(RealSystem, TheCoreBuildsTheWholeListInBothLanguages) {
  for (const UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
    MemoryListView list;
    NoWindowSystem window_system;
    RecordingMsgBox box;
    const auto screen = CreateScreen();
    const auto battery = CreateBattery();
    Catalogue strings(language, Platform::Linux);
    const Locale locale = language == UiLanguage::German ? Locale::German() : Locale::English();
    const auto library = CreateQueryLibrary("/", language);
    LoadSysInfo({list, window_system, box, *screen, *battery, strings, locale, *library});
    EXPECT_EQ(box.shown, "");
    // The list ends with the drives heading and at least the root drive below it.
    const auto& rows = list.rows();
    const auto heading = std::find_if(rows.begin(), rows.end(), [&](const MemoryListView::Row& row) {
      return row.text == strings.LoadResString(str::kAvailableDrives);
    });
    ASSERT_NE(heading, rows.end());
    ASSERT_NE(heading + 1, rows.end());
    EXPECT_EQ(ToUtf8((heading + 1)->text).substr(0, 3), "/  ");
  }
}

}  // namespace
}  // namespace bsi::sysquery_linux::test
