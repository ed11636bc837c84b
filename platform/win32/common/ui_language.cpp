// SPDX-License-Identifier: MIT
#include "ui_language.h"

namespace bsi::win32 {

UiLanguage LanguageForLangId(LANGID language) {
  return PRIMARYLANGID(language) == LANG_GERMAN ? UiLanguage::German : UiLanguage::English;
}

UiLanguage UserUiLanguage() {
  return LanguageForLangId(GetUserDefaultUILanguage());
}

}  // namespace bsi::win32
