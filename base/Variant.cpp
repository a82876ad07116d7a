#include "base/Variant.h"

#include <cmath>
#include <cwchar>
#include <limits>
#include <optional>

#include "base/NumberText.h"

Variant Variant::null() { return Variant(VariantKind::Null, std::monostate{}); }
Variant Variant::integer(int16_t value) { return Variant(VariantKind::Integer, value); }
Variant Variant::longValue(int32_t value) { return Variant(VariantKind::Long, value); }
Variant Variant::number(double value) { return Variant(VariantKind::Double, value); }
Variant Variant::boolean(bool value) { return Variant(VariantKind::Boolean, value); }
Variant Variant::byte(uint8_t value) { return Variant(VariantKind::Byte, value); }
Variant Variant::text(std::wstring value) { return Variant(VariantKind::Text, std::move(value)); }
Variant Variant::bytes(ByteArray value) { return Variant(VariantKind::ByteArray, std::move(value)); }
Variant Variant::bytes(std::vector<uint8_t> bytes, int32_t lowerBound) {
  return Variant::bytes(ByteArray{lowerBound, std::move(bytes)});
}

template <typename T>
const T& Variant::get() const {
  if (const T* value = std::get_if<T>(&value_)) return *value;
  throw VariantError(13, "Type mismatch");
}

int16_t Variant::asInteger() const { return get<int16_t>(); }
int32_t Variant::asLong() const { return get<int32_t>(); }
double Variant::asDouble() const { return get<double>(); }
bool Variant::asBoolean() const { return get<bool>(); }
uint8_t Variant::asByte() const { return get<uint8_t>(); }
const std::wstring& Variant::asText() const { return get<std::wstring>(); }
const ByteArray& Variant::asBytes() const { return get<ByteArray>(); }

std::wstring Variant::toText() const {
  switch (kind_) {
    case VariantKind::Empty: return L"";
    case VariantKind::Null: throw VariantError(94, "Invalid use of Null");
    case VariantKind::Integer: return decimalText(asInteger());
    case VariantKind::Long: return decimalText(asLong());
    case VariantKind::Byte: return decimalText(asByte());
    case VariantKind::Boolean: return asBoolean() ? L"True" : L"False";
    case VariantKind::Text: return asText();
    case VariantKind::Double: return numberText(asDouble());
    case VariantKind::ByteArray: {
      const auto& bytes = asBytes().bytes;
      std::wstring text;
      for (size_t i = 0; i < bytes.size(); i += 2) {
        const uint8_t high = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        text.push_back(static_cast<wchar_t>(bytes[i] | (high << 8)));
      }
      return text;
    }
  }
  return L"";
}

namespace {
std::optional<double> numericValue(const Variant& value) {
  switch (value.kind()) {
    case VariantKind::Empty: return 0.0;
    case VariantKind::Integer: return value.asInteger();
    case VariantKind::Long: return value.asLong();
    case VariantKind::Byte: return value.asByte();
    case VariantKind::Double: return value.asDouble();
    case VariantKind::Boolean: return value.asBoolean() ? -1.0 : 0.0;
    case VariantKind::Text: return parseNumber(value.asText());
    default: return std::nullopt;
  }
}
}  // namespace

int32_t Variant::toLong() const {
  const auto number = numericValue(*this);
  if (!number) throw VariantError(13, "Type mismatch");
  const double rounded = std::nearbyint(*number);  // banker's rounding, as the default FPU mode
  // Written so that a value that is no number (NaN) is out of range too, not converted.
  if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max())) {
    throw VariantError(6, "Overflow");
  }
  return static_cast<int32_t>(rounded);
}

bool Variant::toBoolean() const {
  if (kind_ == VariantKind::Text) {
    const std::wstring& text = asText();
    if (_wcsicmp(text.c_str(), L"True") == 0) return true;
    if (_wcsicmp(text.c_str(), L"False") == 0) return false;
  }
  const auto number = numericValue(*this);
  if (!number) throw VariantError(13, "Type mismatch");
  return *number != 0.0;
}

bool Variant::sameValue(const Variant& other) const {
  const bool numeric = kind_ != VariantKind::Text && kind_ != VariantKind::ByteArray && kind_ != VariantKind::Null;
  const bool otherNumeric =
      other.kind_ != VariantKind::Text && other.kind_ != VariantKind::ByteArray && other.kind_ != VariantKind::Null;
  if (numeric && otherNumeric) return numericValue(*this) == numericValue(other);
  return *this == other;
}
