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
/// link to the rest ("->/dev/zero").
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

/// Every member of every class of `library`, called once in slot order: "Class.Member=outcome" per line. Any
/// exception other than a RuntimeError escapes and fails the calling test.
std::string CallEveryMember(QueryLibrary& library);

class FakeTree : public ::testing::Test {
 protected:
  FakeTree();
  ~FakeTree() override;

  void Write(const std::vector<TreeFile>& files);
  void MakeFolder(const std::string& path);
  std::string Path(const std::string& path) const { return root_ + path; }

  /// A library over the tree with the fixture's host settings as they are now.
  std::unique_ptr<QueryLibrary> Library();
  template <class T>
  std::unique_ptr<T> Make() {
    std::unique_ptr<QueryObject> object = Library()->Create(T::kClass);
    auto* typed = dynamic_cast<T*>(object.get());
    EXPECT_NE(typed, nullptr);
    object.release();
    return std::unique_ptr<T>(typed);
  }

  std::map<std::string, std::string> env;
  std::uint32_t uid = 1000;
  UiLanguage language = UiLanguage::English;
  std::vector<InterfaceAddress> addresses;

 private:
  std::string root_;  // ends in '/'
};

}  // namespace bsi::sysquery_linux::test
