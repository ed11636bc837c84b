// SPDX-License-Identifier: MIT
// The error message of the list builder, also shown by the last guard around every event handler.
#pragma once

#include "resources/strings.h"
#include "runtime/error.h"
#include "runtime/views.h"

namespace bsi {

/// "Beschreibung:" + description + CR LF CR LF + "Nummer:" + number, in the UI language.
Text ErrorMessageText(StringSource& strings, const RuntimeError& error);

/// Shows the message in a modal box titled "Fehler" / "Error" with style 16. Never raises: should the
/// strings or the box themselves fail, it falls back to the built-in English texts, then gives up quietly.
void ShowErrorMessage(MsgBox& box, StringSource& strings, const RuntimeError& error) noexcept;

}  // namespace bsi
