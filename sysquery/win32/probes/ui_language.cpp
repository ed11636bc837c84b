// SPDX-License-Identifier: MIT
// The user-interface language: the one the user's Windows menus and dialogs are shown in.
#include "probes.h"

namespace bsq {

LANGID UiLanguage() {
  return GetUserDefaultUILanguage();
}

}  // namespace bsq
