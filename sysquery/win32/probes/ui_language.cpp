// SPDX-License-Identifier: MIT
// The user-interface language.
#include "probes.h"

namespace bsq {

LANGID UiLanguage() {
  return 0;
}

}  // namespace bsq
