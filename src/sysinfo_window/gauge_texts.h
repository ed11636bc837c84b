// SPDX-License-Identifier: MIT
// The numbers and texts of the three memory gauges, shared by start-up and the timer.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/locale.h"
#include "runtime/text.h"

namespace bsi {

/// Bar colours, 0x00BBGGRR.
namespace gauge_colour {
inline constexpr std::int32_t kGreen = 0x008000;
inline constexpr std::int32_t kBlue = 0xC00000;
inline constexpr std::int32_t kOlive = 0x00C0C0;
inline constexpr std::int32_t kRed = 0x0000C0;
inline constexpr std::int32_t kWhite = 0xFFFFFF;
}  // namespace gauge_colour

/// Below this percentage a bar turns green: 45 for physical and virtual memory, 40 for the page file.
inline constexpr double kGreenBelowMemory = 45;
inline constexpr double kGreenBelowPageFile = 40;

/// An amount as a gauge caption shows it: grouped with the locale's separator ("312.455.168"); "0" for an
/// amount that rounds to zero; empty for an amount that could not be computed (std::nullopt).
Text GaugeAmountText(std::optional<double> amount, const Locale& locale);

/// label + " (" + used + " " + joiner + " " + total + ")".
Text GaugeCaption(const Text& label, const Text& used, const Text& joiner, const Text& total);

/// The whole percentage of `used` in `total`, as the percent label shows it: used / (total / 100) rounded
/// half away from zero, made positive. A total of zero gives 0. Raises 6 when the quotient is not finite.
double WholePercent(double used, double total);

/// "58%": a whole percentage in plain decimal with a percent sign.
Text PercentCaption(double whole_percent);

/// The bar colour for a whole percentage, or none when the bar keeps the colours it has.
std::optional<std::int32_t> BandColour(double whole_percent, double green_below);

}  // namespace bsi
