// SPDX-License-Identifier: MIT
// The conversions and Format patterns of the form run time. Every number on screen goes through these.
#pragma once

#include <cstdint>

#include "runtime/locale.h"
#include "runtime/text.h"
#include "runtime/variant.h"

namespace bsi {

/// Locale-aware text to number: optional spaces, an optional sign, digits that may carry the thousands
/// separator, one decimal separator, an optional exponent. Raises 13 on anything else (empty text
/// included) and 6 when the number does not fit a double.
double ParseNumber(TextView text, const Locale& locale);

/// A value as a double: numbers as they are, Boolean true as -1, text through ParseNumber.
/// Empty is 0; Null raises 94; objects and arrays raise 13.
double ToDouble(const Variant& value, const Locale& locale);

/// Narrowing to single precision; raises 6 outside the single-precision range (and for NaN).
float ToSingle(double value);

/// A value as text: Empty "", Boolean "True"/"False", numbers in their shortest decimal form with the
/// locale's decimal separator, strings unchanged. Null raises 94; objects and arrays raise 13.
Text ToText(const Variant& value, const Locale& locale);

/// A value read as a condition: Null and Empty false, Boolean or number non-zero true, a text that spells a
/// Boolean ("True"/"False", any case) or a number converted first. Anything else raises 13.
bool ToCondition(const Variant& value, const Locale& locale);

/// Currency in its shortest decimal form: 32 -> "32", 24.5 -> "24.5" (with the locale's decimal separator).
Text CurrencyText(Currency value, const Locale& locale);

/// Format(value, "###,###,###,###,###,###"): rounded to a whole number (halves away from zero), grouped in
/// threes with the locale's thousands separator; a number that rounds to zero gives "". Raises 6 for a
/// value that is not finite.
Text FormatGrouped(double value, const Locale& locale);

/// Format(value, "##"): rounded to a whole number (halves away from zero), no grouping; zero gives "".
Text FormatWhole(double value);

}  // namespace bsi
