// SPDX-License-Identifier: MIT
// Helpers of the COM test programs: the error information of a failure, and one check of "HRESULT / run-time error N"
// for both ends of COM (the server's HRESULT with its IErrorInfo, the client's RuntimeError).
#pragma once

#include <windows.h>
// After windows.h:
#include <oaidl.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

#include "wine_test.h"
#if __has_include("runtime/error.h")
#include "runtime/error.h"
#define COM_TEST_RUNTIME_ERRORS 1
#endif

namespace com_test {

using wine_test::Narrow;
using wine_test::Where;

inline VARIANT LongArg(LONG value) {
  VARIANT v;
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

/// The description and source of the thread's error information, taken (and cleared); empty when there is none.
struct ErrorText {
  std::wstring description;
  std::wstring source;
};
inline ErrorText TakeErrorInfo() {
  ErrorText text;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return text;
  BSTR value = nullptr;
  if (SUCCEEDED(info->GetDescription(&value)) && value != nullptr) text.description = value;
  SysFreeString(value);
  value = nullptr;
  if (SUCCEEDED(info->GetSource(&value)) && value != nullptr) text.source = value;
  SysFreeString(value);
  info->Release();
  return text;
}

/// The HRESULT that carries run-time error `number` across COM: 0x800A0000 + number.
constexpr HRESULT ErrorHresult(int number) {
  return static_cast<HRESULT>(0x800A0000u + static_cast<unsigned>(number));
}

/// `hr` is `expected`; the thread's error information is taken and, when `description` is given, says that.
inline void ExpectHresult(HRESULT hr, HRESULT expected, const wchar_t* description, const char* what,
                          Where where = Where::current()) {
  const ErrorText error = TakeErrorInfo();
  ok_at(where, hr == expected, "%s: expected hr %#lx, got %#lx\n", what, static_cast<unsigned long>(expected),
        static_cast<unsigned long>(hr));
  if (description == nullptr) return;
  ok_at(where, error.description == description, "%s: expected the description \"%s\", got \"%s\"\n", what,
        Narrow(description).c_str(), Narrow(error.description).c_str());
}

/// `hr` is run-time error `number` (0x800A0000 + number) described as `description` (unchecked when nullptr).
inline void ExpectError(HRESULT hr, int number, const wchar_t* description, const char* what,
                        Where where = Where::current()) {
  ExpectHresult(hr, ErrorHresult(number), description, what, where);
}

#ifdef COM_TEST_RUNTIME_ERRORS
/// `body` raises run-time error `number` described as `description` (any description when nullptr).
template <class Body>
void ExpectRaises(Body&& body, std::int32_t number, const char16_t* description, const char* what,
                  Where where = Where::current()) {
  std::int32_t got = 0;
  bsi::Text text = u"<no error>";
  try {
    body();
  } catch (const bsi::RuntimeError& error) {
    got = error.number();
    text = error.description();
  }
  ok_at(where, got == number && (description == nullptr || text == description),
        "%s: expected error %d \"%s\", got %d \"%s\"\n", what, number,
        description ? bsi::ToUtf8(description).c_str() : "*", got, bsi::ToUtf8(text).c_str());
}
#endif

}  // namespace com_test
