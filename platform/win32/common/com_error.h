// SPDX-License-Identifier: MIT
// Failures across COM: an HRESULT with its description in IErrorInfo. Which HRESULT a run-time error travels
// as is the core's ErrorHResult (runtime/error.h).
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace bsi::win32::com {

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
/// bsi::RuntimeError goes as bsi::ErrorHResult says, exhausted memory E_OUTOFMEMORY, anything else E_UNEXPECTED.
HRESULT CurrentExceptionHresult(REFIID iid, std::wstring_view source) noexcept;

}  // namespace bsi::win32::com
