// SPDX-License-Identifier: MIT
// The headless report over the scripted library: its copy-all text and error boxes against those of the window
// over the recording fakes, and its JSON form; and brindt-sysinfo as a user runs it: arguments, exit status, both
// outputs, and the report of this machine.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "report/report.h"
#include "support/fakes.h"
#include "support/golden.h"

namespace bsi::test {
namespace {

/// The scripted library's plausible machine, with a full battery as in the golden lists.
struct ReportRig : WindowRig {
  explicit ReportRig(UiLanguage language) : WindowRig(language) {
    windows.battery.status = Battery::kHigh, windows.battery.percent = 80;
  }
  SysInfoReport Report() {
    return BuildSysInfoReport(ReportSources{library, strings, locale, windows.battery, screen});
  }
  /// What the window itself puts on the clipboard after start-up and its first refresh.
  Text WindowCopyAll() {
    frmSysInfo form(context());
    form.Form_Load();
    form.tmrMemory_Timer();
    form.mnuCopyAllToClipboard_Click();
    return clipboard.text;
  }
};

struct ProgramRun {
  int status;
  std::string out, err;
};

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Runs `program` with `args` and `env` ("NAME=value") in place of the language and display variables.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& env, std::string out = {}) {
  const std::string base = testing::TempDir() + "bsi_report_" + std::to_string(getpid());
  const bool capture = out.empty();
  if (capture) out = base + ".out";
  std::string command =
      "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG -u LC_NUMERIC -u DISPLAY "
      "-u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
  for (const std::string& entry : env) command += " '" + entry + "'";
  command += " '" + program + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const int status = std::system((command + " >'" + out + "' 2>'" + base + ".err'").c_str());
  ProgramRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, capture ? FileText(out) : "", FileText(base + ".err")};
  std::filesystem::remove(base + ".out"), std::filesystem::remove(base + ".err");
  return run;
}

// Whatever the library does, the report holds what the window holds and shows.
TEST(Report, CopyAllAndErrorBoxesAreTheWindowsOwn) {
  struct Case {
    const char* name;
    std::function<void(ScriptedLibrary&)> script;
  };
  const Case cases[] = {
      {"plausible machine", [](ScriptedLibrary&) {}},
      {"no library", [](ScriptedLibrary& l) { l.FailAllCreations(); }},
  };
  for (const Case& c : cases) {
    for (UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
      SCOPED_TRACE(testing::Message() << c.name << ", language " << static_cast<int>(language));
      ReportRig rig(language);
      c.script(rig.library);
      const SysInfoReport report = rig.Report();
      EXPECT_EQ(ToUtf8(report.copy_all), ToUtf8(rig.WindowCopyAll()));
      std::vector<ShownBox> window_boxes;
      for (const auto& box : rig.message_box.shown) window_boxes.push_back(ShownBox{box.title, box.prompt});
      EXPECT_EQ(report.error_boxes, window_boxes);
    }
  }
}

// The drives fail last: every other row is there, and so is the error box. Only a row blank in label and value
// is a spacer, written as an empty pair; the row added last keeps its blank label.
TEST(ReportJson, MatchesItsGoldenFile) {
  ReportRig rig(UiLanguage::English);
  rig.library.Set("MemoryInfo.PhysicalFree", u"1500000000");  // 65.07 %: the number keeps what the label rounds
  rig.library.Fail("DriveInfo.Drives", 71, u"Disk not \"ready\"");
  SysInfoReport report = rig.Report();
  report.rows.push_back({u" ", u"value"});
  EXPECT_EQ(CompareGolden("linux/report/report_en.json", ReportJson(report, UiLanguage::English)), "");
}

TEST(ReportJson, EscapesEveryControlCharacterQuoteAndBackslash) {
  struct Case {
    Text text;
    const char* json;
  };
  const Case cases[] = {
      {u"C:\\Program Files \"x\"", R"("C:\\Program Files \"x\"")"},
      {u"\b\f\n\r\t", R"("\b\f\n\r\t")"},
      {Text(1, u'\0') + u"\x01\x1f\x7f\x80\x9f", R"("\u0000\u0001\u001f\u007f\u0080\u009f")"},
      {u" \x7e\xa0~", "\" ~\xC2\xA0~\""},
      {u"LÄDT \u20AC \U0001F600", "\"L\xC3\x84\x44T \xE2\x82\xAC \xF0\x9F\x98\x80\""},
      {u"\xDC00\"", "\"\xEF\xBF\xBD\\\"\""},
      {u"\xD83D\n\xDE00", "\"\xEF\xBF\xBD\\n\xEF\xBF\xBD\""},
  };
  for (const Case& c : cases) EXPECT_EQ(JsonString(c.text), c.json) << ToUtf8(c.text);
}

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
      // This machine's list in both languages, without an error box.
      {{"--print", "--lang", "en"}, {"LANGUAGE=de"}, 0, "OS Version: ", ""},
      {{"--print"}, {"LANGUAGE=de", "LANG=en_US.UTF-8"}, 0, "Betriebssystem: ", ""},
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

// This machine in the window's words, CR LF after every line, at least the root drive, the three gauge lines last
// after an empty line.
TEST(Program, PrintsThisMachineAsTheCopyAllCommandDoes) {
  const ProgramRun run = RunProgram(kProgram, {"--print", "--lang", "de"}, {});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\r\n/  "), std::string::npos) << run.out;
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
