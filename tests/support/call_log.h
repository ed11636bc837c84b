// SPDX-License-Identifier: MIT
// One ordered record of calls shared by the fake library and the fake views, so a test sees how they interleave.
#pragma once

#include <concepts>
#include <string>
#include <type_traits>
#include <vector>

#include "runtime/text.h"

namespace bsi::test {

template <class Part>
std::string LogPart(const Part& part) {
  if constexpr (std::integral<Part>)
    return std::to_string(part);
  else if constexpr (std::is_same_v<Part, Text>)
    return ToUtf8(part);
  else
    return std::string(part);
}

class CallLog {
 public:
  /// Appends the parts as one entry; a log that is not recording (benchmarks) does not even build the text.
  template <class... Parts>
  void Add(const Parts&... parts) {
    if (recording) entries_.push_back((std::string() + ... + LogPart(parts)));
  }
  const std::vector<std::string>& entries() const { return entries_; }
  void Clear() { entries_.clear(); }
  /// The entries that start with `prefix`, in order.
  std::vector<std::string> Matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& entry : entries_)
      if (entry.rfind(prefix, 0) == 0) out.push_back(entry);
    return out;
  }
  /// The entries one per line, for a golden file.
  std::string Lines() const {
    std::string out;
    for (const auto& entry : entries_) out += entry + "\n";
    return out;
  }
  bool recording = true;

 private:
  std::vector<std::string> entries_;
};

}  // namespace bsi::test
