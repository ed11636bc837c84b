// SPDX-License-Identifier: MIT
// Running time since start-up. GetTickCount64 does not wrap after 49.7 days as GetTickCount does.
#include <cstdio>
#include <string>

#include "probes.h"
#include "words.h"

namespace bsq {

std::uint64_t RunningMilliseconds() {
  return GetTickCount64();
}

std::wstring RunningTimeText(std::uint64_t milliseconds, bsi::UiLanguage language) {
  const std::uint64_t seconds = milliseconds / 1000;
  const std::uint64_t days = seconds / 86400;
  wchar_t clock[16];
  std::swprintf(clock, 16, L"%02u:%02u:%02u", static_cast<unsigned>(seconds / 3600 % 24),
                static_cast<unsigned>(seconds / 60 % 60), static_cast<unsigned>(seconds % 60));
  if (days == 0) return clock;
  return std::to_wstring(days) + L" " + WordText(days == 1 ? Word::kDay : Word::kDays, language) + L", " + clock;
}

}  // namespace bsq
