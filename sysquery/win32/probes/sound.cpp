// SPDX-License-Identifier: MIT
// Whether a sound device is present.
#include "probes.h"

namespace bsq {

bool SoundInstalled() {
  return false;
}

}  // namespace bsq
