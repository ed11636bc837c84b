// SPDX-License-Identifier: MIT
// Running time since start-up.
#include "probes.h"

namespace bsq {

std::uint64_t RunningMilliseconds() {
  return 0;
}
std::wstring RunningTimeText(std::uint64_t, LANGID) {
  return {};
}

}  // namespace bsq
