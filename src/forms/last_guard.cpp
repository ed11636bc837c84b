// SPDX-License-Identifier: MIT
#include "forms/last_guard.h"

#include "info_list/error_report.h"
#include "runtime/error.h"

namespace bsi {

void ReportUnexpectedError(MessageBox& box, StringSource& strings) noexcept {
  ShowErrorMessage(box, strings, CurrentError());
}

}  // namespace bsi
