// SPDX-License-Identifier: MIT
// The list-view helpers of frmSysInfo: thin wrappers over LVM_SETCOLUMNWIDTH and LockWindowUpdate.
#pragma once

#include <cstdint>

#include "runtime/views.h"

namespace bsi {

/// Sends LVM_SETCOLUMNWIDTH for columns 0 to ColumnCount - end_columns_to_exclude (inclusive) with
/// LVSCW_AUTOSIZE_USEHEADER when account_for_headers is non-zero, LVSCW_AUTOSIZE otherwise. With headers the
/// list's last column asks for kAutosizeLastColumn: it fills the list and still shows its widest text. The bound
/// and the column counter are 16-bit: a bound outside that range or a counter passing 32767 raises 6.
void AdjustColumnWidth(ListView& list, WindowSystem& window_system, std::int16_t account_for_headers,
                       std::int16_t end_columns_to_exclude);

/// Stops all drawing of the window until UnlockWindow.
void LockWindow(WindowSystem& window_system, WindowHandle window);

/// Ends the lock on whatever window is locked.
void UnlockWindow(WindowSystem& window_system);

}  // namespace bsi
