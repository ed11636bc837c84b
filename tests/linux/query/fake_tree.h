// SPDX-License-Identifier: MIT
// The one fixture of the query library's tests: a temporary folder that stands for "/", filled from tables, and
// the host the library reads it with (environment, user id, language and interface addresses under the test's
// control).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/error.h"
#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux::test {

/// A file of a tree: its path below the root and its bytes. A content that starts with "->" makes a symbolic
/// link to the rest ("->/dev/zero"), one that starts with "<" takes the bytes of that file of
/// tests/data/linux/query ("<mountinfo").
using TreeFile = std::pair<std::string, std::string>;

/// The outcome of one call: its text, or "error N" when it raised run-time error N.
template <class Call>
std::string Outcome(Call&& call) {
  try {
    return call();
  } catch (const RuntimeError& error) {
    return "error " + std::to_string(error.number());
  }
}

// The parts of an outcome joined by spaces; texts in UTF-8, numbers in decimal.
inline std::string Part(const Text& text) {
  return ToUtf8(text);
}
inline std::string Part(const Variant& value) {
  return value.kind() == VariantKind::Boolean ? std::to_string(value.AsBoolean()) : ToUtf8(value.AsString());
}
inline std::string Part(std::int64_t number) {
  return std::to_string(number);
}
template <class... Parts>
std::string Join(const Parts&... parts) {
  std::string text;
  ((text += Part(parts) + " "), ...);
  text.pop_back();
  return text;
}

/// A new object of class T from `library`.
template <class T>
std::unique_ptr<T> Create(QueryLibrary& library) {
  return std::unique_ptr<T>(dynamic_cast<T*>(library.Create(T::kClass).release()));
}

class FakeTree : public ::testing::Test {
 protected:
  FakeTree();
  ~FakeTree() override;

  void Write(const std::vector<TreeFile>& files);
  void MakeFolder(const std::string& path);
  /// Removes everything below the root.
  void Clear();
  /// Every member of every class of the library over the tree, called once in slot order, and then the battery:
  /// "Class.Member=outcome" per line. Any exception other than a RuntimeError escapes and fails the calling test.
  std::string CallEveryMember();
  /// The outcome CallEveryMember writes for `name` ("UptimeInfo", "MemoryInfo.PageFile") over the tree as it is.
  std::string Fact(const std::string& name);
  std::string Path(const std::string& path) const { return root_ + path; }

  /// A library over the tree with the fixture's host settings as they are now.
  std::unique_ptr<QueryLibrary> Library();
  template <class T>
  std::unique_ptr<T> Make() {
    return Create<T>(*Library());
  }

  std::map<std::string, std::string> env;
  std::uint32_t uid = 1000;
  UiLanguage language = UiLanguage::English;
  std::vector<InterfaceAddress> addresses;

 private:
  std::string root_;  // ends in '/'
};

}  // namespace bsi::sysquery_linux::test
