// SPDX-License-Identifier: MIT
// A system query library for tests: every result settable, every creation and operation able to fail with a
// chosen number and description, and a log of creations, calls and releases in order.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "query/query_library.h"
#include "runtime/error.h"
#include "support/call_log.h"

namespace bsi::test {

/// A collection of fixed items, like the form run time's Collection.
class ScriptedCollection final : public Collection {
 public:
  explicit ScriptedCollection(std::vector<Variant> items) : items_(std::move(items)) {}
  std::int32_t Count() override { return static_cast<std::int32_t>(items_.size()); }
  Variant Item(std::int32_t index) override;

 private:
  std::vector<Variant> items_;
};

class ScriptedLibrary final : public QueryLibrary {
 public:
  /// Starts with the results of a plausible machine, so that a list built over it is complete.
  explicit ScriptedLibrary(CallLog* log = nullptr);
  ~ScriptedLibrary() override;

  // --- Scripting. Operations are named "Class.Operation", e.g. "MemoryInfo.PhysicalTotal".
  void Set(const std::string& operation, Variant value) { results_[operation] = std::move(value); }
  void Set(const std::string& operation, const char16_t* text) { Set(operation, Variant::String(text)); }
  /// A registry value under HKEY_LOCAL_MACHINE; std::nullopt makes it missing.
  void SetRegistry(const Text& key_path, const Text& value_name, std::optional<Variant> value);
  /// The next and every later call of the operation raises this error.
  void Fail(const std::string& operation, std::int32_t number, Text description = {});
  /// Creating the class raises this error (429 by default, as for an unregistered class).
  void FailCreate(QueryClass cls, std::int32_t number = err::kCannotCreateObject, Text description = {});
  /// Every creation fails with 429, as when the library is not installed.
  void FailAllCreations();
  void ClearFailures();

  // --- Observations.
  CallLog& log() { return *log_; }
  int LiveObjects() const { return live_; }
  int Creations(QueryClass cls) const { return creations_[static_cast<std::size_t>(cls)]; }

  // --- What the fake objects call.
  std::unique_ptr<QueryObject> Create(QueryClass cls) override;
  /// Logs the operation, raises its scripted failure or returns its scripted result (Empty when unset).
  Variant Call(const std::string& operation);
  std::optional<Variant> Registry(std::int32_t root, const Text& key_path, const Text& value_name) const;
  void Released(QueryClass cls);

 private:
  CallLog own_log_;
  CallLog* log_;
  std::map<std::string, Variant> results_;
  std::map<std::string, RuntimeError> failures_;
  std::map<Text, Variant> registry_;
  std::array<int, kQueryClassCount> creations_{};
  int live_ = 0;
};

}  // namespace bsi::test
