// SPDX-License-Identifier: MIT
// What a hostile or broken tree does: every member answers or raises a RuntimeError, never anything else, and
// the facts that cannot be read at all raise the file error that says why.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "fake_tree.h"
#include "sysquery/linux/linux_query_library.h"

namespace bsi::sysquery_linux::test {
namespace {

using Failures = FakeTree;

// Every file some class reads.
constexpr std::string_view kFiles =
    "proc/meminfo proc/self/status proc/uptime proc/cpuinfo proc/sys/kernel/hostname proc/sys/kernel/osrelease "
    "proc/sys/kernel/version proc/net/route proc/self/mountinfo proc/asound/cards etc/passwd etc/group "
    "etc/os-release etc/timezone etc/cups/printers.conf etc/cups/lpoptions etc/xdg/mimeapps.list "
    "sys/class/dmi/id/bios_vendor sys/class/dmi/id/bios_version sys/class/dmi/id/bios_date "
    "sys/class/drm/card0-DP-1/status sys/class/drm/card0-DP-1/modes sys/class/drm/card0/device/vbios_version "
    "sys/class/net/ppp0/flags sys/class/net/eth0/address sys/class/graphics/fb0/virtual_size "
    "sys/class/power_supply/BAT0/type sys/class/power_supply/BAT0/capacity sys/class/power_supply/BAT0/status";

TEST_F(Failures, EveryMemberAnswersOrRaisesWhateverTheFilesHold) {
  const std::string huge = "99999999999999999999999999999999";
  const std::vector<std::pair<std::string, std::string>> contents = {
      {"empty", ""},
      {"garbage", "\xFF\xFE\x00garbage: \x80\xC3 =\n[x\n<Printer \n\t:\x01\n"},
      {"huge numbers", "MemTotal: " + huge + " kB\nVmSize: " + huge + " kB\n" + huge + "." + huge + " " + huge + "\n"},
      {"endless zeros", "->/dev/zero"},
      {"endless random bytes", "->/dev/urandom"},
      {"a folder", "->/"},
  };
  for (const auto& [name, content] : contents) {
    SCOPED_TRACE(name);
    std::vector<TreeFile> files;
    for (const std::string_view file : Words(kFiles)) files.emplace_back(file, content);
    Write(files);
    env = {{"HOME", "/"}, {"LPDEST", std::string("\xFF", 1)}};
    addresses = {{"eth0", 0xFFFFFFFF, 99, true, false}};
    EXPECT_NO_THROW(CallEveryMember()) << name;
  }
}

TEST_F(Failures, AnEndlessFileIsReadUpToTheCap) {
  // One MiB of zeros is no number, and a FIFO without a writer is an empty file: neither hangs.
  Write({{"proc/uptime", "->/dev/zero"}});
  ASSERT_EQ(::mkfifo(Path("proc/meminfo").c_str(), 0600), 0);
  EXPECT_EQ(Fact("UptimeInfo"), "error 13");
  EXPECT_EQ(Fact("MemoryInfo.Physical"), "error 13");
}

TEST_F(Failures, FactsThatCannotBeReadRaiseTheFileError) {
  // An empty tree: what a system must have raises 53, what it may lack is absent.
  const std::string outcomes = CallEveryMember();
  for (const char* line :
       {"RegistryReader=0 |0 |0 |0 |0 |\n", "OSVersionInfo=error 53\n", "ProcessorInfo=error 53\n",
        "MemoryInfo.Physical=error 53\n", "MemoryInfo.PageFile=error 53\n", "MemoryInfo.Virtual=error 53\n",
        "ComputerInfo=error 53\n", "UserInfo=1000\n", "AdminRightsInfo=0\n", "NetworkInfo=127.0.0.1 255.0.0.0   \n",
        "DialUpInfo=0\n", "DefaultBrowserInfo=  \n", "DisplayInfo=0 0 0\n", "DefaultPrinterInfo=  \n", "SoundInfo=0\n",
        "UptimeInfo=error 53\n", "DriveInfo=error 53\n", "Battery=128 255\n"}) {
    EXPECT_NE(outcomes.find(line), std::string::npos) << line << "in\n" << outcomes;
  }
  // A folder where a file belongs cannot be read as one: an I/O error that names the path.
  MakeFolder("proc/uptime");
  try {
    Make<UptimeInfo>()->RunningTime();
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), 57);
    EXPECT_NE(ToUtf8(error.description()).find(Path("proc/uptime")), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace bsi::sysquery_linux::test
