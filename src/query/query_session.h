// SPDX-License-Identifier: MIT
// The query objects of one routine run: each class created on first use, all released when the run ends.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "query/query_library.h"
#include "runtime/error.h"

namespace bsi {

class QuerySession {
 public:
  explicit QuerySession(QueryLibrary& library) : library_(library) {}
  QuerySession(const QuerySession&) = delete;
  QuerySession& operator=(const QuerySession&) = delete;
  ~QuerySession() { ReleaseAll(); }

  /// The run's object of class T, created the first time it is asked for. Raises 429 when the library cannot
  /// create it (and asks again on the next call).
  template <class T>
  T& Get() {
    auto& slot = objects_[static_cast<std::size_t>(T::kClass)];
    if (!slot) {
      auto created = library_.Create(T::kClass);
      if (!created) Raise(err::kCannotCreateObject);
      slot = std::move(created);
      order_.push_back(T::kClass);
    }
    auto* typed = dynamic_cast<T*>(slot.get());
    if (typed == nullptr) Raise(err::kTypeMismatch);
    return *typed;
  }

  /// Releases every object, the latest first.
  void ReleaseAll() noexcept {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) objects_[static_cast<std::size_t>(*it)].reset();
    order_.clear();
  }

 private:
  QueryLibrary& library_;
  std::array<std::unique_ptr<QueryObject>, kQueryClassCount> objects_;
  std::vector<QueryClass> order_;
};

}  // namespace bsi
