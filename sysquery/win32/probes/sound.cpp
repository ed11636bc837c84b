// SPDX-License-Identifier: MIT
// Whether a sound output device is present. The audio endpoint store that Windows (and Wine's mmdevapi) keeps in
// the registry lists every render endpoint with its DEVICE_STATE_* value; an active one is a working output
// device, the same that waveOutGetNumDevs counts. Reading it takes a millisecond, where the first
// waveOutGetNumDevs of a process starts the audio stack (under Wine it probes PulseAudio and ALSA: 25-60 ms).
// Only when no store exists yet (a fresh Wine prefix that never used audio) is winmm.dll loaded and asked.
#include <windows.h>

#include <string>

#include "probe_util.h"
#include "probes.h"
#include "unique_handle.h"

namespace bsq {
namespace {

enum class StoreAnswer { kActive, kNoneActive, kNoStore };

StoreAnswer AskEndpointStore() {
  bsi::win32::UniqueHkey render;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Render", 0,
                    KEY_READ, render.put()) != ERROR_SUCCESS) {
    return StoreAnswer::kNoStore;
  }
  wchar_t endpoint[256];
  for (DWORD i = 0; i < 1024; ++i) {  // bounded: a damaged store must not keep the probe busy
    DWORD length = static_cast<DWORD>(std::size(endpoint));
    const LSTATUS status = RegEnumKeyExW(render.get(), i, endpoint, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;  // a name too long for an endpoint id
    DWORD state = 0;
    DWORD size = sizeof(state);
    if (RegGetValueW(render.get(), endpoint, L"DeviceState", RRF_RT_REG_DWORD, nullptr, &state, &size) !=
        ERROR_SUCCESS) {
      continue;
    }
    // The low four bits are the state (1 active, 2 disabled, 4 not present, 8 unplugged); Windows keeps flags above.
    if ((state & 0x0F) == 0x01) return StoreAnswer::kActive;
  }
  return StoreAnswer::kNoneActive;
}

}  // namespace

bool SoundInstalled() {
  switch (AskEndpointStore()) {
    case StoreAnswer::kActive:
      return true;
    case StoreAnswer::kNoneActive:
      return false;
    case StoreAnswer::kNoStore:
      break;
  }
  using WaveOutGetNumDevsFn = UINT(WINAPI*)();
  static const auto count_devices =
      detail::ProcAddress<WaveOutGetNumDevsFn>(detail::LoadSystemLibrary(L"winmm.dll"), "waveOutGetNumDevs");
  return count_devices != nullptr && count_devices() > 0;
}

}  // namespace bsq
