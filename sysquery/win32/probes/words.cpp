// SPDX-License-Identifier: MIT
#include "words.h"

namespace bsq {

std::wstring WideWord(Word word, bsi::UiLanguage language) {
  return Wide(bsi::sysquery::WordText(word, language));
}

}  // namespace bsq
