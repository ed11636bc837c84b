// SPDX-License-Identifier: MIT
// Run-time errors with the numbers of the form run time the core stands in for.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "runtime/text.h"

namespace bsi {

namespace err {
inline constexpr std::int32_t kInvalidProcedureCall = 5;
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kDivisionByZero = 11;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kInternalError = 51;
inline constexpr std::int32_t kObjectNotSet = 91;
inline constexpr std::int32_t kInvalidUseOfNull = 94;
inline constexpr std::int32_t kResourceNotFound = 326;
inline constexpr std::int32_t kInvalidPropertyValue = 380;
inline constexpr std::int32_t kFormAlreadyDisplayed = 400;
inline constexpr std::int32_t kCannotCreateObject = 429;
inline constexpr std::int32_t kIndexOutOfBounds = 35600;
}  // namespace err

/// The standard English description of a run-time error number; a generic text for numbers it does not know.
Text StandardDescription(std::int32_t number);

/// A failing step: a number and a description, as the form run time's Err object carries them.
class RuntimeError : public std::exception {
 public:
  RuntimeError(std::int32_t number, Text description);
  explicit RuntimeError(std::int32_t number) : RuntimeError(number, StandardDescription(number)) {}

  std::int32_t number() const noexcept { return number_; }
  const Text& description() const noexcept { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::int32_t number_;
  Text description_;
  std::string what_;
};

[[noreturn]] void Raise(std::int32_t number);
[[noreturn]] void Raise(std::int32_t number, Text description);

/// The error being handled, inside a catch block: a RuntimeError as it is, an exhausted memory as 7
/// ("Out of memory"), any other exception as 51 ("Internal error").
RuntimeError CurrentError() noexcept;

/// Error 326 for a string id that no table holds.
[[noreturn]] void RaiseResourceNotFound(std::int32_t id);

/// How a failure leaves a COM method, in the control and the query library alike: run-time error n (1 to 65535)
/// as HRESULT 0x800A0000 + n, a negative number (a failing HRESULT carried along) as itself, any other number as
/// E_FAIL, since it has no HRESULT of its own and cut to 16 bits it would name a different error.
std::int32_t ErrorHResult(const RuntimeError& error);

/// The other way: n for an HRESULT 0x800A0000 + n, 0 for every other HRESULT (other facilities, success codes).
std::int32_t RuntimeErrorNumber(std::int32_t hresult);

}  // namespace bsi
