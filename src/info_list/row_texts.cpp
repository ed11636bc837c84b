// SPDX-License-Identifier: MIT
#include "info_list/row_texts.h"

#include "resources/strings.h"
#include "runtime/convert.h"

namespace bsi {

Text MemoryRowText(const Text& amount) {
  return amount + u" Byte";
}

Text ScreenRowText(DisplayInfo& display, const Locale& locale) {
  const std::int32_t width = display.Width();
  const std::int32_t height = display.Height();
  const Currency depth = display.BitsPerPixel();
  return Decimal(width) + u"x" + Decimal(height) + u" (" + CurrencyText(depth, locale) + u"bit)";
}

std::int32_t BatteryStateStringId(std::int16_t status) {
  switch (status) {
    case Battery::kUnknown:
      return str::kNotKnown;
    case Battery::kHigh:
      return str::kFull;
    case Battery::kLow:
      return str::kLow;
    case Battery::kCritical:
      return str::kCritical;
    case 0:
      return str::kBatteryNormal;
    default:
      // The charging bit, and any combination the power interface may report.
      return str::kCharging;
  }
}

}  // namespace bsi
