// SPDX-License-Identifier: MIT
// The Windows and system folders.
#include "probes.h"

namespace bsq {

std::wstring WindowsFolder() {
  return {};
}
std::wstring SystemFolder() {
  return {};
}

}  // namespace bsq
