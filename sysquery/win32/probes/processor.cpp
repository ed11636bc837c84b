// SPDX-License-Identifier: MIT
// The processor name string.
#include "probes.h"

namespace bsq {

std::wstring ProcessorDescription() {
  return {};
}

}  // namespace bsq
