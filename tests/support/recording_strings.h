// SPDX-License-Identifier: MIT
// A string source that answers from the built-in catalogue and logs every LoadResString, so a test sees when
// each string is fetched relative to the library calls and list operations.
#pragma once

#include <string>

#include "resources/strings.h"
#include "support/call_log.h"

namespace bsi::test {

class RecordingStrings final : public StringSource {
 public:
  RecordingStrings(CallLog& log, UiLanguage language) : log_(log), catalogue_(language) {}
  Text LoadResString(std::int32_t id) override {
    log_.Add("LoadResString(" + std::to_string(id) + ")");
    return catalogue_.LoadResString(id);
  }

 private:
  CallLog& log_;
  Catalogue catalogue_;
};

}  // namespace bsi::test
