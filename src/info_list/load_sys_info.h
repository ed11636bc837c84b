// SPDX-License-Identifier: MIT
// LoadSysInfo: builds the information list, row group by row group, and reports a failure in one message box.
#pragma once

#include "query/query_library.h"
#include "resources/strings.h"
#include "runtime/locale.h"
#include "runtime/views.h"

namespace bsi {

/// What the list builder reaches on its window and in the run time.
struct InfoListContext {
  ListView& lvwSysInfo;
  WindowSystem& window_system;
  MsgBox& message_box;
  Screen& screen;
  Battery& sys_info;
  StringSource& strings;
  const Locale& locale;
  QueryLibrary& library;
};

/// Rebuilds the whole list. Never passes an error on: a failure ends the build with one message box, keeps
/// the rows appended so far and lets the list draw again.
void LoadSysInfo(const InfoListContext& context);

}  // namespace bsi
