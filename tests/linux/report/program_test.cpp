// SPDX-License-Identifier: MIT
// brindt-sysinfo as a user runs it: arguments, exit status, both outputs, and the report of this machine.
#include <algorithm>

#include "linux/report/report_fixture.h"

namespace bsi::test {
namespace {

const std::string kProgram = BSI_SYSINFO_PROGRAM;

TEST(Program, ArgumentsExitStatusAndOutputs) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> env;
    int status;
    std::string out;  // standard output starts with this; all of it when the status is not 0
    const char* err;  // standard error holds this; "" for nothing at all; nullptr for unchecked
  };
  const std::string version = "brindt-sysinfo " + std::to_string(kVersion.major) + "." +
                              std::to_string(kVersion.minor) + "." + std::to_string(kVersion.build) + "." +
                              std::to_string(kVersion.revision) + "\n";
  const Case cases[] = {
      {{"--version"}, {}, 0, version, ""},
      {{"--help"}, {}, 0, "Usage: brindt-sysinfo [--print | --json] [--lang de|en]\n", ""},
      {{"--print", "--lang", "en"}, {"LANGUAGE=de"}, 0, "OS Version: ", nullptr},
      {{"--print"}, {"LANGUAGE=de", "LANG=en_US.UTF-8"}, 0, "Betriebssystem: ", nullptr},
      {{"--lang=de", "--json"}, {}, 0, "{\n  \"language\": \"de\",\n  \"rows\": [\n", nullptr},
      {{"--print", "--json"}, {}, 2, "", "brindt-sysinfo: --print and --json exclude each other\n"},
      {{"--lang"}, {}, 2, "", "brindt-sysinfo: --lang needs a language: de or en\n"},
      {{"--print", "--lang", "fr"}, {}, 2, "", "brindt-sysinfo: --lang takes de or en, not 'fr'\n"},
      {{"-p"}, {}, 2, "", "brindt-sysinfo: unknown argument '-p'\nTry 'brindt-sysinfo --help'.\n"},
      {{"--lang", "de"}, {"DISPLAY="}, 1, "", "brindt-sysinfo: no display to show the window on"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const ProgramRun run = RunProgram(kProgram, c.args, c.env);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(c.status == 0 ? run.out.substr(0, c.out.size()) : run.out, c.out);
    if (c.err == nullptr) continue;
    EXPECT_TRUE(*c.err == '\0' ? run.err.empty() : run.err.find(c.err) != std::string::npos) << run.err;
  }
}

// This machine in the window's words, CR LF after every line, the three gauge lines last after an empty line.
TEST(Program, PrintsThisMachineAsTheCopyAllCommandDoes) {
  const ProgramRun run = RunProgram(kProgram, {"--print", "--lang", "de"}, {});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.find("Betriebssystem: "), 0u) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), std::count(run.out.begin(), run.out.end(), '\r'));
  const std::string gauges = run.out.substr(run.out.rfind("\r\n\r\n") + 4);
  EXPECT_EQ(std::count(gauges.begin(), gauges.end(), '\n'), 3) << gauges;
  EXPECT_EQ(gauges.substr(gauges.size() - 3), "%\r\n") << gauges;
}

TEST(Program, FailuresToWriteOrToLoadTheWindowAreReported) {
  const ProgramRun full = RunProgram(kProgram, {"--print"}, {}, "/dev/full");
  EXPECT_EQ(full.status, 1);
  EXPECT_NE(full.err.find("brindt-sysinfo: cannot write the report: No space left on device\n"), std::string::npos)
      << full.err;
  // A copy without the Qt front end beside it, so that the window cannot load even once one is built.
  const std::filesystem::path folder = testing::TempDir() + "bsi_report_bin_" + std::to_string(getpid());
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(kProgram, folder / "brindt-sysinfo", std::filesystem::copy_options::overwrite_existing);
  const ProgramRun window = RunProgram((folder / "brindt-sysinfo").string(), {}, {"QT_QPA_PLATFORM=offscreen"});
  std::filesystem::remove_all(folder);
  EXPECT_EQ(window.status, 1);
  EXPECT_NE(window.err.find("without its Qt front end libBrindtSysInfoQt.so.2: libBrindtSysInfoQt.so.2: cannot open"),
            std::string::npos)
      << window.err;
}

}  // namespace
}  // namespace bsi::test
