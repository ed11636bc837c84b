// SPDX-License-Identifier: MIT
// The one guard around every event a platform hands to a window: whatever escapes a handler is shown the way
// the list builder shows its errors, and the window carries on.
#pragma once

#include <utility>

#include "resources/strings.h"
#include "runtime/views.h"

namespace bsi {

/// Inside a catch block: shows the error being handled in the list builder's message box. Never raises.
void ReportUnexpectedError(MessageBox& box, StringSource& strings) noexcept;

/// Runs `handler`; an exception that leaves it is reported and goes no further.
template <class Handler>
void RunGuarded(MessageBox& box, StringSource& strings, Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    ReportUnexpectedError(box, strings);
  }
}

}  // namespace bsi
