// SPDX-License-Identifier: MIT
// Computer name, user name, administrator membership.
#include "probes.h"

namespace bsq {

std::wstring ComputerName() {
  return {};
}
std::wstring UserName() {
  return {};
}
bool IsAdministrator() {
  return false;
}

}  // namespace bsq
