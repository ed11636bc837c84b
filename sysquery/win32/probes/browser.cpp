// SPDX-License-Identifier: MIT
// The default web browser.
#include "probes.h"

namespace bsq {

BrowserFacts ReadDefaultBrowser() {
  return {};
}

}  // namespace bsq
