// SPDX-License-Identifier: MIT
// The value window as it is designed: what a platform builds before frmValue's Form_Load runs.
#pragma once

#include "runtime/layout.h"

namespace bsi::value_layout {

/// Fixed tool window, no minimize or maximize button, no icon, centred on its owner, key preview on.
inline constexpr std::int32_t kClientWidth = 6000;
inline constexpr std::int32_t kClientHeight = 1560;

// In tab order; cmdOK holds the focus when the window opens.
inline constexpr Rect kCmdOK{4440, 1080, 1455, 375};
inline constexpr char16_t kCmdOKCaption[] = u"OK";
/// txtLabel reads like a label: button-face background.
inline constexpr Rect kTxtLabel{120, 240, 5775, 285};
inline constexpr std::uint32_t kTxtLabelBackColour = 0x8000000Fu;
inline constexpr Rect kTxtValue{120, 600, 5295, 285};
/// A graphical button without caption, showing a 16 x 16 picture; its tool tip is set on loading.
inline constexpr Rect kCmdClipboard{5505, 600, 390, 285};
inline constexpr std::uint32_t kCmdClipboardBackColour = 0x00C0C0C0u;

}  // namespace bsi::value_layout
