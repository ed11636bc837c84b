// SPDX-License-Identifier: MIT
// Colours of a progress bar.
#include "probes.h"

namespace bsq {

void SetProgressBarColors(HWND, COLORREF, COLORREF) {}

}  // namespace bsq
