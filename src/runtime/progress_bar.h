// SPDX-License-Identifier: MIT
// The ProgressBar control: Min, Max and Value in single precision, checked the way the control checks them,
// drawn by a native gauge view.
#pragma once

#include "runtime/window_views.h"

namespace bsi {

class ProgressBar {
 public:
  /// A bar with its design range 0 to 100 and Value 0. The view is not drawn until something changes.
  explicit ProgressBar(GaugeView& view) : view_(view) {}

  float Min() const { return min_; }
  float Max() const { return max_; }
  float Value() const { return value_; }

  /// Raises 380 unless `min` lies below Max; a Value below the new Min moves up to it.
  void SetMin(float min);
  /// Raises 380 unless `max` lies above Min; a Value above the new Max moves down to it.
  void SetMax(float max);
  /// Raises 380 for a value outside Min..Max (NaN included).
  void SetValue(float value);

  WindowHandle hWnd() { return view_.hWnd(); }

 private:
  void Draw();

  GaugeView& view_;
  float min_ = 0;
  float max_ = 100;
  float value_ = 0;
};

}  // namespace bsi
