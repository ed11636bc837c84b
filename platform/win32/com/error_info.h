// SPDX-License-Identifier: MIT
// Run-time errors across COM: error n travels as HRESULT 0x800A0000 + n with its description in IErrorInfo.
#pragma once

#include <windows.h>

#include "runtime/error.h"

namespace bsi::win32::com {

/// The HRESULT of run-time error `number`: 0x800A0000 + number for 1..65535; a negative number is a failing
/// HRESULT carried as it is; anything else is E_FAIL.
HRESULT RuntimeErrorHresult(std::int32_t number) noexcept;

/// Sets the thread's error info to the error's description (source and interface given) and returns the
/// error's HRESULT. Never fails: without an error object the HRESULT still goes back.
HRESULT ReportRuntimeError(const RuntimeError& error, REFIID iid, const wchar_t* source) noexcept;

}  // namespace bsi::win32::com
