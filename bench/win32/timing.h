// SPDX-License-Identifier: MIT
// The clock and the median of the Windows timing programs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

/// Milliseconds on the performance counter.
inline double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

/// The middle value (the upper one of an even count); 0 for no values.
inline double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace bench
