// SPDX-License-Identifier: MIT
// Operating system name and version numbers.
#include "probes.h"

namespace bsq {

OsVersion ReadOsVersion() {
  return {};
}

}  // namespace bsq
