// SPDX-License-Identifier: MIT
// The core's query interface over BrindtSysQuery.dll: each class created by CLSID and called through its
// early-bound vtable. The calling thread must have COM initialised (the control's apartment has).
#pragma once

#include <windows.h>
// After windows.h:
#include <unknwn.h>

#include <memory>

#include "query/query_library.h"

namespace bsi::win32 {

/// The library's classes as QueryLibrary. Create raises 429 "ActiveX component can't create object" when a class
/// cannot be created (not registered, module missing); a failing operation raises the HRESULT as RaiseHresult does.
std::unique_ptr<QueryLibrary> CreateComQueryLibrary();

/// Raises the failure `hr` of a call on interface `iid` of `object` as a run-time error: the error that
/// RuntimeErrorNumber finds in it (runtime/error.h), else the HRESULT as its own (negative) value. The description
/// comes from the object's IErrorInfo when it declares error information for `iid`, else from the standard text of n or
/// the system's message for `hr`.
[[noreturn]] void RaiseHresult(HRESULT hr, IUnknown* object, REFIID iid);

}  // namespace bsi::win32
