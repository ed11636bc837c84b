// SPDX-License-Identifier: MIT
// What the report tests share: a report and, as its oracle, a frmSysInfo over the recording fakes, both over one
// scripted library; and a run of the brindt-sysinfo program with its exit status and both outputs.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "report/report.h"
#include "support/fakes.h"
#include "support/golden.h"

namespace bsi::test {

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

inline std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Runs `program` with `args` and `env` ("NAME=value") in place of the language and display variables.
inline ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
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

}  // namespace bsi::test
