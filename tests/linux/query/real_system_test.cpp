// SPDX-License-Identifier: MIT
// The library on this machine: a few facts compared with what the machine's own tools say. (brindt-sysinfo's
// tests build the whole list over it in both languages.)
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "fake_tree.h"
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

struct ToolCase {
  const char* tool;
  std::string command;  // run by the shell; its first line is the fact
  std::function<std::string(QueryLibrary&)> fact;
  std::function<std::string(const std::string&)> expected = [](const std::string& line) { return line; };
  friend void PrintTo(const ToolCase& tool, std::ostream* out) { *out << tool.tool; }
};

class Tools : public ::testing::TestWithParam<ToolCase> {};

TEST_P(Tools, AgreeWithTheLibrary) {
  const ToolCase& tool = GetParam();
  const auto out = Shell("command -v " + std::string(tool.tool) + " >/dev/null && " + tool.command);
  if (!out || out->empty()) GTEST_SKIP() << tool.tool << " is not installed or has no answer";
  EXPECT_EQ(tool.fact(*CreateQueryLibrary("/", UiLanguage::English)), tool.expected(out->substr(0, out->find('\n'))));
}

INSTANTIATE_TEST_SUITE_P(
    RealSystem, Tools,
    ::testing::Values(
        ToolCase{"free", "free -b | awk '$1 == \"Mem:\" {print $2}'",
                 [](QueryLibrary& library) { return ToUtf8(Create<MemoryInfo>(library)->PhysicalTotal()); }},
        ToolCase{
            "hostname", "hostname",
            [](QueryLibrary& library) { return ToUtf8(Create<ComputerInfo>(library)->ComputerName().AsString()); }},
        // The address of the interface that "ip route" names for the default route.
        ToolCase{"ip",
                 "ip -4 -o addr show dev \"$(ip -4 route show default | awk '{for (i = 1; i < NF; i++) if ($i == "
                 "\"dev\") {print $(i + 1); exit}}')\" | awk '{sub(\"/.*\", \"\", $4); print $4; exit}'",
                 [](QueryLibrary& library) { return ToUtf8(Create<NetworkInfo>(library)->NetworkIP()); }},
        // The size of the root file system, in the form the root drive's text ends with.
        ToolCase{"df", "df -B1 --output=size / | tail -1",
                 [](QueryLibrary& library) {
                   auto drives = std::dynamic_pointer_cast<Collection>(Create<DriveInfo>(library)->Drives());
                   const std::string root = ToUtf8(drives->Item(1).AsString());
                   return root.substr(0, 3) + root.substr(root.rfind(" free of "));
                 },
                 [](const std::string& size) {
                   return "/  " + std::string(" free of ") +
                          ToUtf8(ByteAmountText(std::stoull(size), UiLanguage::English));
                 }}));

}  // namespace
}  // namespace bsi::sysquery_linux::test
