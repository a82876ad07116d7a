#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "base/ProgramError.h"

// A one-dimensional byte array with its own lower bound, as the registry reads and writes it.
struct ByteArray {
  int32_t lowerBound = 0;
  std::vector<uint8_t> bytes;
  int32_t upperBound() const { return lowerBound + static_cast<int32_t>(bytes.size()) - 1; }
  bool operator==(const ByteArray& other) const {
    return lowerBound == other.lowerBound && bytes == other.bytes;
  }
};

enum class VariantKind { Empty, Null, Integer, Long, Double, Boolean, Byte, Text, ByteArray };

// Raised by a conversion the value does not allow (text of a null value, a number of a text...).
class VariantError : public ProgramError {
 public:
  VariantError(int32_t number, const std::string& what) : ProgramError(what), number_(number) {}
  int32_t number() const { return number_; }
 private:
  int32_t number_;
};

// A tagged value: empty, null, 16/32-bit integer, floating point, Boolean, byte, text or byte array.
class Variant {
 public:
  Variant() = default;
  static Variant null();
  static Variant integer(int16_t value);
  static Variant longValue(int32_t value);
  static Variant number(double value);
  static Variant boolean(bool value);
  static Variant byte(uint8_t value);
  static Variant text(std::wstring value);
  static Variant bytes(ByteArray value);
  static Variant bytes(std::vector<uint8_t> bytes, int32_t lowerBound = 0);
  Variant(const wchar_t* value) : Variant(text(value)) {}  // NOLINT: text literals read naturally

  VariantKind kind() const { return kind_; }
  bool isEmpty() const { return kind_ == VariantKind::Empty; }

  // The stored value of that kind; throws VariantError for another kind.
  int16_t asInteger() const;
  int32_t asLong() const;
  double asDouble() const;
  bool asBoolean() const;
  uint8_t asByte() const;
  const std::wstring& asText() const;
  const ByteArray& asBytes() const;

  // The ordinary text form: numbers in decimal, Booleans "True"/"False", empty as "", a byte
  // array as the UTF-16 text its bytes hold. A null value has none (VariantError 94).
  std::wstring toText() const;
  // Numeric conversions as stored properties need them: numbers, Booleans (True is -1) and
  // numeric text convert; anything else raises VariantError 13 (type mismatch).
  int32_t toLong() const;
  bool toBoolean() const;
  // Equal values of possibly different numeric kinds (16-bit 50 equals 32-bit 50).
  bool sameValue(const Variant& other) const;

  bool operator==(const Variant& other) const { return kind_ == other.kind_ && value_ == other.value_; }
  bool operator!=(const Variant& other) const { return !(*this == other); }

 private:
  using Storage = std::variant<std::monostate, int16_t, int32_t, double, bool, uint8_t, std::wstring, ByteArray>;
  Variant(VariantKind kind, Storage value) : kind_(kind), value_(std::move(value)) {}
  template <typename T> const T& get() const;

  VariantKind kind_ = VariantKind::Empty;
  Storage value_;
};
