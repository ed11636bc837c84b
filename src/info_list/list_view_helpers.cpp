// SPDX-License-Identifier: MIT
#include "info_list/list_view_helpers.h"

#include <limits>

#include "runtime/error.h"

namespace bsi {

void AdjustColumnWidth(ListView& list, WindowSystem& window_system, std::int16_t account_for_headers,
                       std::int16_t end_columns_to_exclude) {
  const std::int64_t last_column = static_cast<std::int64_t>(list.ColumnCount()) - 1;
  // Count - exclude in 32-bit arithmetic, then narrowed to the 16-bit bound of the loop.
  const std::int64_t bound = last_column + 1 - end_columns_to_exclude;
  if (bound < std::numeric_limits<std::int32_t>::min() || bound > std::numeric_limits<std::int32_t>::max() ||
      bound < std::numeric_limits<std::int16_t>::min() || bound > std::numeric_limits<std::int16_t>::max()) {
    Raise(err::kOverflow);
  }
  const auto last = static_cast<std::int16_t>(bound);
  for (std::int32_t column = 0; column <= last; ++column) {
    std::int32_t width = WindowSystem::kLvscwAutosize;
    if (account_for_headers != 0) {
      width = column == last_column ? WindowSystem::kAutosizeLastColumn : WindowSystem::kLvscwAutosizeUseHeader;
    }
    window_system.SendMessageA(list.hWnd(), WindowSystem::kLvmSetColumnWidth, column, width);
    // The 16-bit counter cannot step past 32767.
    if (column == std::numeric_limits<std::int16_t>::max()) Raise(err::kOverflow);
  }
}

void LockWindow(WindowSystem& window_system, WindowHandle window) {
  window_system.LockWindowUpdate(window);
}

void UnlockWindow(WindowSystem& window_system) {
  window_system.LockWindowUpdate(0);
}

}  // namespace bsi
