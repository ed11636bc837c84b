// SPDX-License-Identifier: MIT
// Whether a sound output device is present: at least one wave-out device. winmm.dll is loaded on the first call
// (see LoadSystemLibrary); a system without it has no sound.
#include <windows.h>

#include "probe_util.h"
#include "probes.h"

namespace bsq {

bool SoundInstalled() {
  using WaveOutGetNumDevsFn = UINT(WINAPI*)();
  static const auto count_devices =
      detail::ProcAddress<WaveOutGetNumDevsFn>(detail::LoadSystemLibrary(L"winmm.dll"), "waveOutGetNumDevs");
  return count_devices != nullptr && count_devices() > 0;
}

}  // namespace bsq
