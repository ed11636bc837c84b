// SPDX-License-Identifier: MIT
// Failures across COM: an HRESULT with its description in IErrorInfo. A run-time error n travels as
// 0x800A0000 + n, as scripting hosts expect.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace bsi::win32::com {

/// HRESULT 0x800A0000 + n for run-time error n (1..65535); a negative n is an HRESULT already and stays as it is.
constexpr HRESULT RuntimeErrorHresult(long number) noexcept {
  if (number < 0) return static_cast<HRESULT>(number);
  return static_cast<HRESULT>(0x800A0000UL | (static_cast<unsigned long>(number) & 0xFFFFUL));
}
/// The run-time error number an HRESULT of the form 0x800A0000 + n carries, or 0 for any other HRESULT.
constexpr long RuntimeErrorNumber(HRESULT hr) noexcept {
  const auto bits = static_cast<unsigned long>(hr);
  return (bits & 0xFFFF0000UL) == 0x800A0000UL ? static_cast<long>(bits & 0xFFFFUL) : 0;
}

/// A failure that a COM method hands back as it is.
class ComError : public std::exception {
 public:
  ComError(HRESULT hr, std::wstring description) : hr_(hr), description_(std::move(description)) {}
  HRESULT hr() const noexcept { return hr_; }
  const std::wstring& description() const noexcept { return description_; }
  const char* what() const noexcept override { return "COM error"; }

 private:
  HRESULT hr_;
  std::wstring description_;
};

/// The system's message for `hr` without the trailing line break; empty when the system has none.
std::wstring SystemMessage(HRESULT hr);

/// Sets the thread's IErrorInfo (description, source, interface) and returns `hr`.
HRESULT ReportError(HRESULT hr, std::wstring_view description, REFIID iid, std::wstring_view source) noexcept;

/// Inside a catch block: the exception being handled as an HRESULT with its IErrorInfo. ComError keeps its HRESULT,
/// bsi::RuntimeError n becomes 0x800A0000 + n, exhausted memory E_OUTOFMEMORY, anything else E_UNEXPECTED.
HRESULT CurrentExceptionHresult(REFIID iid, std::wstring_view source) noexcept;

}  // namespace bsi::win32::com
