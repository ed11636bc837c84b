// SPDX-License-Identifier: MIT
// The query library as the Qt front end sees it: DisplayInfo and ProgressBarColors are facts of the widget
// library, so Qt answers them; every other class comes from the library this wraps.
#pragma once

#include <memory>

#include "query/query_library.h"

namespace bsi::qt {

/// DisplayInfo: the primary screen's size in device pixels and its colour depth (429 without a screen).
/// ProgressBarColors: SetColors paints the QProgressBar that a gauge handle names, bar and background
/// (0x00BBGGRR); a handle that names no live bar is ignored.
class QtQueryLibrary final : public QueryLibrary {
 public:
  explicit QtQueryLibrary(QueryLibrary& inner) : inner_(inner) {}
  explicit QtQueryLibrary(std::unique_ptr<QueryLibrary> inner) : owned_(std::move(inner)), inner_(*owned_) {}
  std::unique_ptr<QueryObject> Create(QueryClass cls) override;

 private:
  std::unique_ptr<QueryLibrary> owned_;
  QueryLibrary& inner_;
};

}  // namespace bsi::qt
