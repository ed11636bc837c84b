// SPDX-License-Identifier: MIT
// Golden files: long exact expectations (whole lists, call traces, registry dumps) kept as plain text under
// tests/data and compared byte for byte. BSI_UPDATE_GOLDEN=1 rewrites a file that differs instead of failing,
// except when CI is set: a CI run with the switch on would pass whatever the product does, so it fails instead.
// Header-only and standard C++ only, for the Linux tests and the Windows tests under Wine alike. The folder comes
// from BSI_GOLDEN_DIR (a compile definition; the Windows tests get it with a Z: drive in front).
#pragma once

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#ifndef BSI_GOLDEN_DIR
#define BSI_GOLDEN_DIR "."
#endif

namespace bsi::test {

/// Empty when `actual` equals the golden file `name` (a path under tests/data); otherwise what differs: the
/// first line that differs, both versions of it, and how to update the file.
inline std::string CompareGolden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(BSI_GOLDEN_DIR) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  const bool found = static_cast<bool>(in);
  const std::string expected{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (found && expected == actual) return {};
  if (const char* update = std::getenv("BSI_UPDATE_GOLDEN"); update != nullptr && std::string(update) == "1") {
    if (const char* ci = std::getenv("CI"); ci != nullptr && *ci != '\0') {
      return name + ": BSI_UPDATE_GOLDEN=1 is refused when CI is set; the file was not rewritten\n";
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return (out << actual).flush() ? "" : name + ": cannot write " + path + "\n";
  }
  if (!found) return name + ": no golden file at " + path + " (BSI_UPDATE_GOLDEN=1 writes it)\n";
  std::istringstream want(expected), got(actual);
  std::string want_line, got_line;
  for (int line = 1;; ++line) {
    const bool more_want = !!std::getline(want, want_line), more_got = !!std::getline(got, got_line);
    if (!more_want && !more_got) return name + ": differs only in the line ending at its end\n";
    if (more_want != more_got || want_line != got_line) {
      return name + ":" + std::to_string(line) +
             ": first difference\n  expected: " + (more_want ? want_line : "<end of file>") +
             "\n  got:      " + (more_got ? got_line : "<end of output>") +
             "\n  (BSI_UPDATE_GOLDEN=1 rewrites the file; review its diff like code)\n";
    }
  }
}

}  // namespace bsi::test
