// SPDX-License-Identifier: MIT
#include "runtime/error.h"

#include <new>

namespace bsi {

Text StandardDescription(std::int32_t number) {
  switch (number) {
    case err::kInvalidProcedureCall:
      return u"Invalid procedure call or argument";
    case err::kOverflow:
      return u"Overflow";
    case err::kOutOfMemory:
      return u"Out of memory";
    case err::kSubscriptOutOfRange:
      return u"Subscript out of range";
    case err::kDivisionByZero:
      return u"Division by zero";
    case err::kTypeMismatch:
      return u"Type mismatch";
    case err::kInternalError:
      return u"Internal error";
    case err::kObjectNotSet:
      return u"Object variable or With block variable not set";
    case err::kInvalidUseOfNull:
      return u"Invalid use of Null";
    case err::kResourceNotFound:
      return u"Resource not found";
    case err::kInvalidPropertyValue:
      return u"Invalid property value";
    case err::kFormAlreadyDisplayed:
      return u"Form already displayed; can't show modally";
    case err::kCannotCreateObject:
      return u"ActiveX component can't create object";
    case err::kIndexOutOfBounds:
      return u"Index out of bounds";
    default:
      return u"Application-defined or object-defined error";
  }
}

RuntimeError::RuntimeError(std::int32_t number, Text description)
    : number_(number), description_(std::move(description)) {
  what_ = "run-time error " + std::to_string(number_) + ": " + ToUtf8(description_);
}

RuntimeError CurrentError() noexcept {
  try {
    throw;
  } catch (const RuntimeError& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return RuntimeError(err::kOutOfMemory, u"Out of memory");
  } catch (const std::exception& other) {
    return RuntimeError(err::kInternalError, u"Internal error: " + FromUtf8(other.what()));
  } catch (...) {
    return RuntimeError(err::kInternalError, u"Internal error");
  }
}

void Raise(std::int32_t number) {
  throw RuntimeError(number);
}

void Raise(std::int32_t number, Text description) {
  throw RuntimeError(number, std::move(description));
}

void RaiseResourceNotFound(std::int32_t id) {
  throw RuntimeError(err::kResourceNotFound, u"Resource with identifier '" + Decimal(id) + u"' not found");
}

namespace {
constexpr std::uint32_t kRuntimeErrorFacility = 0x800A0000u;
constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005u);
}  // namespace

std::int32_t ErrorHResult(const RuntimeError& error) {
  const std::int32_t number = error.number();
  if (number > 0 && number <= 0xFFFF) {
    return static_cast<std::int32_t>(kRuntimeErrorFacility + static_cast<std::uint32_t>(number));
  }
  return number < 0 ? number : kEFail;
}

std::int32_t RuntimeErrorNumber(std::int32_t hresult) {
  const auto bits = static_cast<std::uint32_t>(hresult);
  return (bits & 0xFFFF0000u) == kRuntimeErrorFacility ? static_cast<std::int32_t>(bits & 0xFFFFu) : 0;
}

}  // namespace bsi
