// SPDX-License-Identifier: MIT
#include "sysinfo_window/gauge_texts.h"

#include <cmath>

#include "runtime/convert.h"
#include "runtime/error.h"

namespace bsi {

Text GaugeAmountText(std::optional<double> amount, const Locale& locale) {
  if (!amount.has_value()) return {};
  Text text = FormatGrouped(*amount, locale);
  // The pattern's placeholders are all optional, so zero would show as nothing at all.
  if (text.empty()) text = u"0";
  return text;
}

Text GaugeCaption(const Text& label, const Text& used, const Text& joiner, const Text& total) {
  Text caption;
  caption.reserve(label.size() + used.size() + joiner.size() + total.size() + 5);
  caption.append(label).append(u" (").append(used).append(u" ").append(joiner).append(u" ").append(total);
  caption.push_back(u')');
  return caption;
}

double WholePercent(double used, double total) {
  // No page file (or swap) is common: its total is zero and so is its share.
  if (total == 0) return 0;
  const double percent = used / (total / 100);
  if (!std::isfinite(percent)) Raise(err::kOverflow);
  return std::fabs(std::round(percent));
}

Text PercentCaption(double whole_percent) {
  Text digits = FormatWhole(whole_percent);
  if (digits.empty()) digits = u"0";
  return digits + u"%";
}

std::optional<std::int32_t> BandColour(double whole_percent, double green_below) {
  if (whole_percent < green_below) return gauge_colour::kGreen;
  if (whole_percent > 90) return gauge_colour::kRed;
  if (whole_percent > 75) return gauge_colour::kOlive;
  if (whole_percent > 45) return gauge_colour::kBlue;
  return std::nullopt;
}

}  // namespace bsi
