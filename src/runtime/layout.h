// SPDX-License-Identifier: MIT
// Design-time geometry of a window's controls, in twips (1440 to the inch, 15 to the pixel at 96 dpi).
#pragma once

#include <cstdint>

namespace bsi {

struct Rect {
  std::int32_t left;
  std::int32_t top;
  std::int32_t width;
  std::int32_t height;
};

/// Colours are 0x00BBGGRR; 0x800000nn names the platform's system colour nn.
inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

}  // namespace bsi
