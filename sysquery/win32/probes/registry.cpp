// SPDX-License-Identifier: MIT
// Registry values as text.
#include "probes.h"

namespace bsq {

RegistryValue ReadRegistryValue(HKEY, const std::wstring&, const std::wstring&) {
  return {};
}

}  // namespace bsq
