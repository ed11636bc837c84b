// SPDX-License-Identifier: MIT
// brindt-sysinfo: shows the information window, or writes what its copy-all command builds (--print) or the same
// report as JSON (--json) without a display. The report path links no widget library; the window's Qt front end
// is loaded at run time only when the window is asked for.
#include <dlfcn.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "report/report.h"
#include "resources/strings.h"
#include "sysquery/linux/linux_query_library.h"

namespace {

constexpr char kProgram[] = "brindt-sysinfo";
constexpr char kQtLibrary[] = "libBrindtSysInfoQt.so.2";
constexpr char kQtEntry[] = "bsi_qt_run_window";
constexpr int kUsageError = 2;

constexpr char kUsage[] =
    "Usage: brindt-sysinfo [--print | --json] [--lang de|en]\n"
    "Shows the Brindt SysInfo window with this machine's facts.\n"
    "\n"
    "  --print      write the list and the three memory gauge lines to standard output, exactly as the\n"
    "               window's copy-all command builds them (UTF-8, CR LF line ends); needs no display\n"
    "  --json       write the same report as JSON; needs no display\n"
    "  --lang de|en the language of the labels (default: from LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
    "  --help       show this text\n"
    "  --version    show the version\n"
    "\n"
    "Numbers follow LC_ALL, LC_NUMERIC or LANG. Exit status: 0 done, 1 failed, 2 bad arguments.\n";

enum class Mode { Window, Print, Json, Help, Version };

struct Options {
  Mode mode = Mode::Window;
  std::optional<bsi::UiLanguage> language;
};

const char* Getenv(const char* name) {
  return std::getenv(name);
}

std::optional<Options> BadArguments(const std::string& problem) {
  std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", kProgram, problem.c_str(), kProgram);
  return std::nullopt;
}

// The options, or nothing once what is wrong has been said on standard error.
std::optional<Options> Parse(int argc, char** argv) {
  Options options;
  std::string_view mode_argument;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    std::optional<Mode> mode;
    if (argument == "--print") mode = Mode::Print;
    if (argument == "--json") mode = Mode::Json;
    if (argument == "--help") mode = Mode::Help;
    if (argument == "--version") mode = Mode::Version;
    if (mode) {
      if (!mode_argument.empty() && *mode != options.mode) {
        return BadArguments(std::string(mode_argument) + " and " + std::string(argument) + " exclude each other");
      }
      options.mode = *mode;
      mode_argument = argument;
    } else if (argument == "--lang" || argument.starts_with("--lang=")) {
      std::string_view value;
      if (argument != "--lang") {
        value = argument.substr(7);
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        return BadArguments("--lang needs a language: de or en");
      }
      if (value != "de" && value != "en")
        return BadArguments("--lang takes de or en, not '" + std::string(value) + "'");
      options.language = value == "de" ? bsi::UiLanguage::German : bsi::UiLanguage::English;
    } else {
      return BadArguments("unknown argument '" + std::string(argument) + "'");
    }
  }
  return options;
}

bool Written(const std::string& bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0) return true;
  std::fprintf(stderr, "%s: cannot write the report: %s\n", kProgram, std::strerror(errno));
  return false;
}

// An error box of the window, on standard error: its title, then each line of its text.
void Tell(const bsi::ShownBox& box) {
  std::string text = "error box \"" + bsi::ToUtf8(box.title) + "\":\n";
  std::size_t start = 0;
  const bsi::Text& prompt = box.prompt;
  while (start <= prompt.size()) {
    std::size_t end = prompt.find_first_of(u"\r\n", start);
    if (end == bsi::Text::npos) end = prompt.size();
    if (end > start) text += "  " + bsi::ToUtf8(prompt.substr(start, end - start)) + "\n";
    start = end + 1;
  }
  std::fprintf(stderr, "%s: %s", kProgram, text.c_str());
}

int Report(Mode mode, bsi::UiLanguage language) {
  try {
    const auto library = bsi::sysquery_linux::CreateQueryLibrary("/", language);
    const auto battery = bsi::sysquery_linux::CreateBattery();
    const auto screen = bsi::sysquery_linux::CreateScreen();
    bsi::Catalogue strings(language, bsi::Platform::Linux);
    const bsi::Locale locale = bsi::NumberLocaleFromEnvironment(Getenv);
    const bsi::SysInfoReport report = bsi::BuildSysInfoReport({*library, strings, locale, *battery, *screen});
    // Like the window, which shows its error box and still opens, the report is written in full after one.
    for (const bsi::ShownBox& box : report.error_boxes) Tell(box);
    return Written(mode == Mode::Print ? bsi::ToUtf8(report.copy_all) : bsi::ReportJson(report, language)) ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: the report failed: %s\n", kProgram, error.what());
    return 1;
  }
}

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

int ShowWindow(char* program, std::optional<bsi::UiLanguage> language) {
  if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY") && !IsSet("QT_QPA_PLATFORM")) {
    std::fprintf(stderr,
                 "%s: no display to show the window on: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset "
                 "(--print and --json need no display)\n",
                 kProgram);
    return 1;
  }
  void* front_end = dlopen(kQtLibrary, RTLD_NOW | RTLD_LOCAL);
  if (front_end == nullptr) {
    std::fprintf(stderr, "%s: cannot show the window without its Qt front end %s: %s\n", kProgram, kQtLibrary,
                 dlerror());
    return 1;
  }
  using RunWindow = int (*)(int argc, char** argv, const char* language);
  auto run = reinterpret_cast<RunWindow>(dlsym(front_end, kQtEntry));
  if (run == nullptr) {
    std::fprintf(stderr, "%s: %s lacks %s: %s\n", kProgram, kQtLibrary, kQtEntry, dlerror());
    return 1;
  }
  // Our own arguments are all read; Qt gets the program name only. QApplication keeps argc by reference, and
  // this frame outlives it. The library stays loaded: Qt does not expect to be unloaded.
  int qt_argc = 1;
  char* qt_argv[] = {program, nullptr};
  const char* code = !language ? nullptr : *language == bsi::UiLanguage::German ? "de" : "en";
  return run(qt_argc, qt_argv, code);
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = Parse(argc, argv);
  if (!options) return kUsageError;
  const bsi::UiLanguage language = options->language.value_or(bsi::LanguageFromEnvironment(Getenv));
  switch (options->mode) {
    case Mode::Help:
      return Written(kUsage) ? 0 : 1;
    case Mode::Version:
      return Written(std::string(kProgram) + " " + std::to_string(bsi::kVersion.major) + "." +
                     std::to_string(bsi::kVersion.minor) + "." + std::to_string(bsi::kVersion.build) + "." +
                     std::to_string(bsi::kVersion.revision) + "\n")
                 ? 0
                 : 1;
    case Mode::Print:
    case Mode::Json:
      return Report(options->mode, language);
    case Mode::Window:
      break;
  }
  return ShowWindow(argv[0], options->language);
}
