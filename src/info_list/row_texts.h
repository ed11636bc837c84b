// SPDX-License-Identifier: MIT
// Value texts that the list builder writes and the timer rewrites in the same form.
#pragma once

#include "query/query_library.h"
#include "runtime/locale.h"

namespace bsi {

/// The memory rows: the amount exactly as delivered, then " Byte".
Text MemoryRowText(const Text& amount);

/// The screen row, "1024x768 (32bit)": asks Width, Height and BitsPerPixel, in this order.
Text ScreenRowText(DisplayInfo& display, const Locale& locale);

/// The battery state word's string id for a SysInfo battery status. Status 0 (present, neither high, low nor
/// critical, not charging) and an unknown status (255) get their own words instead of "charging".
std::int32_t BatteryStateStringId(std::int16_t status);

}  // namespace bsi
