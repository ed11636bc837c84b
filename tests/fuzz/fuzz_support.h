// SPDX-License-Identifier: MIT
// What both fuzz targets share: a hard stop with a message, and the input split into a mode byte and the rest.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/text.h"

namespace bsi::fuzz {

[[noreturn]] inline void Fail(const char* what, const Text& input, const std::string& detail = {}) {
  std::fprintf(stderr, "fuzz check failed: %s\n  input: \"%s\"\n  %s\n", what, ToUtf8(input).c_str(), detail.c_str());
  std::abort();
}

inline void Check(bool ok, const char* what, const Text& input, const std::string& detail = {}) {
  if (!ok) Fail(what, input, detail);
}

}  // namespace bsi::fuzz
