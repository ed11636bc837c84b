// SPDX-License-Identifier: MIT
#include "info_list/error_report.h"

namespace bsi {

Text ErrorMessageText(StringSource& strings, const RuntimeError& error) {
  // Left to right, as the run time evaluates the expression: 138 is fetched before 139.
  Text text = strings.LoadResString(str::kDescription);
  text += error.description();
  text += u"\r\n\r\n";
  text += strings.LoadResString(str::kNumber);
  text += Decimal(error.number());
  return text;
}

void ShowErrorMessage(MsgBox& box, StringSource& strings, const RuntimeError& error) noexcept {
  try {
    Text prompt;
    Text title;
    try {
      prompt = ErrorMessageText(strings, error);
      title = strings.LoadResString(str::kError);
    } catch (...) {
      Catalogue english(UiLanguage::English);
      prompt = ErrorMessageText(english, error);
      title = english.LoadResString(str::kError);
    }
    box.Show(prompt, MsgBox::kCritical, title);
  } catch (...) {
    // Nothing is left to tell the user with; the caller carries on as after a reported error.
  }
}

}  // namespace bsi
