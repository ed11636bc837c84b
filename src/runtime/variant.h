// SPDX-License-Identifier: MIT
// The value kinds that query results need, as the form run time's Variant holds them.
#pragma once

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "runtime/text.h"

namespace bsi {

/// A fixed-point number that counts ten-thousandths of a unit (the Currency type).
struct Currency {
  std::int64_t scaled = 0;
  static constexpr Currency FromWhole(std::int64_t whole) { return Currency{whole * 10000}; }
  friend bool operator==(Currency, Currency) = default;
};

class Variant;

/// Any object a query can hand back. Objects that are collections implement Collection.
class Object {
 public:
  virtual ~Object() = default;
};

/// A 1-based collection (Count, Item), like the form run time's Collection.
class Collection : public Object {
 public:
  virtual std::int32_t Count() = 0;
  /// Raises 9 for an index outside 1..Count.
  virtual Variant Item(std::int32_t index) = 0;
};

enum class VariantKind { Empty, Null, Boolean, Integer, Long, Currency, Double, String, Object, Array };

class Variant {
 public:
  struct NullTag {
    friend bool operator==(NullTag, NullTag) = default;
  };
  using Array = std::vector<Variant>;

  Variant() = default;
  static Variant Null() { return Variant(Storage(NullTag{})); }
  static Variant Boolean(bool value) { return Variant(Storage(value)); }
  static Variant Integer(std::int16_t value) { return Variant(Storage(value)); }
  static Variant Long(std::int32_t value) { return Variant(Storage(value)); }
  static Variant FromCurrency(Currency value) { return Variant(Storage(value)); }
  static Variant Double(double value) { return Variant(Storage(value)); }
  static Variant String(Text value) { return Variant(Storage(std::move(value))); }
  static Variant FromObject(std::shared_ptr<Object> value) { return Variant(Storage(std::move(value))); }
  static Variant FromArray(Array value) { return Variant(Storage(std::make_shared<const Array>(std::move(value)))); }

  VariantKind kind() const noexcept { return static_cast<VariantKind>(value_.index()); }
  bool IsEmpty() const noexcept { return kind() == VariantKind::Empty; }
  bool IsNull() const noexcept { return kind() == VariantKind::Null; }

  bool AsBoolean() const { return std::get<bool>(value_); }
  std::int16_t AsInteger() const { return std::get<std::int16_t>(value_); }
  std::int32_t AsLong() const { return std::get<std::int32_t>(value_); }
  Currency AsCurrency() const { return std::get<Currency>(value_); }
  double AsDouble() const { return std::get<double>(value_); }
  const Text& AsString() const { return std::get<Text>(value_); }
  const std::shared_ptr<Object>& AsObject() const { return std::get<std::shared_ptr<Object>>(value_); }
  const Array& AsArray() const { return *std::get<std::shared_ptr<const Array>>(value_); }

 private:
  // The order of the alternatives follows VariantKind.
  using Storage = std::variant<std::monostate, NullTag, bool, std::int16_t, std::int32_t, Currency, double, Text,
                               std::shared_ptr<Object>, std::shared_ptr<const Array>>;
  explicit Variant(Storage value) : value_(std::move(value)) {}
  Storage value_;
};

}  // namespace bsi
