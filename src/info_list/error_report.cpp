// SPDX-License-Identifier: MIT
#include "info_list/error_report.h"

namespace bsi {

Text ErrorMessageText(StringSource& strings, const RuntimeError& error) {
  return strings.LoadResString(str::kDescription) + error.description() + u"\r\n\r\n" +
         strings.LoadResString(str::kNumber) + Decimal(error.number());
}

void ShowErrorMessage(MessageBox& box, StringSource& strings, const RuntimeError& error) noexcept {
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
    box.Show(prompt, MessageBox::kCritical, title);
  } catch (...) {
    // Nothing is left to tell the user with; the caller carries on as after a reported error.
  }
}

}  // namespace bsi
