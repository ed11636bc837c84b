// SPDX-License-Identifier: MIT
// The screen mode of the primary display. EnumDisplaySettingsW reports the real mode; the screen DC's device caps
// are scaled for programs that are not DPI-aware and serve only as the fallback.
#include "probe_util.h"
#include "probes.h"
#include "unique_handle.h"

namespace bsq {

DisplayFacts ReadDisplay() {
  DisplayFacts facts;
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  if (EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmPelsWidth > 0 && mode.dmPelsHeight > 0) {
    facts.width = static_cast<int>(mode.dmPelsWidth);
    facts.height = static_cast<int>(mode.dmPelsHeight);
    facts.bits_per_pixel = static_cast<int>(mode.dmBitsPerPel);
    return facts;
  }
  const bsi::win32::WindowDc screen(nullptr);
  if (screen.get() == nullptr) detail::ThrowLastError("cannot reach the screen");
  facts.width = GetDeviceCaps(screen.get(), HORZRES);
  facts.height = GetDeviceCaps(screen.get(), VERTRES);
  facts.bits_per_pixel = GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
  return facts;
}

}  // namespace bsq
