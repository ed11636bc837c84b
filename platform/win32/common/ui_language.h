// SPDX-License-Identifier: MIT
// The user-interface language on Windows: the one rule by which the windows, the query library's texts and the
// tools choose between German and English.
#pragma once

#include <windows.h>

#include "resources/strings.h"

namespace bsi::win32 {

/// German for a German Windows language (LANG_GERMAN, any country), English for every other.
UiLanguage LanguageForLangId(LANGID language);

/// The language of the user's Windows menus and dialogs (GetUserDefaultUILanguage), as LanguageForLangId maps it.
/// Read afresh on every call.
UiLanguage UserUiLanguage();

}  // namespace bsi::win32
