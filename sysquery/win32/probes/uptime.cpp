// SPDX-License-Identifier: MIT
// Running time since start-up. GetTickCount64 does not wrap after 49.7 days as GetTickCount does.
#include <string>

#include "probes.h"
#include "words.h"

namespace bsq {

std::uint64_t RunningMilliseconds() {
  return GetTickCount64();
}

std::wstring RunningTimeText(std::uint64_t milliseconds, bsi::UiLanguage language) {
  return Wide(bsi::sysquery::RunningTimeText(milliseconds / 1000, language));
}

}  // namespace bsq
