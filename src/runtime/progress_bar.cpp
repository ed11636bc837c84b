// SPDX-License-Identifier: MIT
#include "runtime/progress_bar.h"

#include <algorithm>

#include "runtime/error.h"

namespace bsi {

void ProgressBar::SetMin(float min) {
  // Written as a negated comparison so that NaN is rejected too.
  if (!(min < max_)) Raise(err::kInvalidPropertyValue);
  min_ = min;
  value_ = std::max(value_, min_);
  Draw();
}

void ProgressBar::SetMax(float max) {
  if (!(max > min_)) Raise(err::kInvalidPropertyValue);
  max_ = max;
  value_ = std::min(value_, max_);
  Draw();
}

void ProgressBar::SetValue(float value) {
  if (!(value >= min_ && value <= max_)) Raise(err::kInvalidPropertyValue);
  value_ = value;
  Draw();
}

void ProgressBar::Draw() {
  // In double: Max - Min of two large floats may not be representable as a float.
  const double span = static_cast<double>(max_) - static_cast<double>(min_);
  const double fraction = (static_cast<double>(value_) - static_cast<double>(min_)) / span;
  view_.ShowFill(std::clamp(fraction, 0.0, 1.0));
}

}  // namespace bsi
