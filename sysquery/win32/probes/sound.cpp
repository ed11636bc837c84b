// SPDX-License-Identifier: MIT
// Whether a sound output device is present: at least one wave-out device.
#include <windows.h>

#include <mmsystem.h>

#include "probes.h"

namespace bsq {

bool SoundInstalled() {
  return waveOutGetNumDevs() > 0;
}

}  // namespace bsq
