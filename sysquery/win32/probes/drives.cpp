// SPDX-License-Identifier: MIT
// The available drives as texts.
#include "probes.h"

namespace bsq {

std::vector<std::wstring> DriveTexts(LANGID) {
  return {};
}

}  // namespace bsq
