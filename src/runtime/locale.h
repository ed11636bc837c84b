// SPDX-License-Identifier: MIT
// The user's number conventions. Passed into everything that reads or writes numbers; never a global.
#pragma once

namespace bsi {

struct Locale {
  char16_t decimal_separator = u'.';
  char16_t thousands_separator = u',';

  static constexpr Locale English() { return Locale{u'.', u','}; }
  static constexpr Locale German() { return Locale{u',', u'.'}; }
};

}  // namespace bsi
