// SPDX-License-Identifier: MIT
// One ordered record of calls shared by the fake library and the fake views, so a test sees how they interleave.
#pragma once

#include <string>
#include <vector>

namespace bsi::test {

class CallLog {
 public:
  void Add(std::string entry) { entries_.push_back(std::move(entry)); }
  const std::vector<std::string>& entries() const { return entries_; }
  void Clear() { entries_.clear(); }
  /// The entries that start with `prefix`, in order.
  std::vector<std::string> Matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& entry : entries_) {
      if (entry.rfind(prefix, 0) == 0) out.push_back(entry);
    }
    return out;
  }

 private:
  std::vector<std::string> entries_;
};

}  // namespace bsi::test
