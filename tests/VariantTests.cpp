#include <gtest/gtest.h>

#include "base/Variant.h"

TEST(Variant, TextFormsOfEachKindAndNoneForNull) {
  const std::pair<Variant, const wchar_t*> cases[] = {
      {Variant(), L""}, {Variant::integer(-7), L"-7"}, {Variant::longValue(-2147483647 - 1), L"-2147483648"},
      {Variant::byte(255), L"255"}, {Variant::boolean(false), L"False"}, {Variant::number(0.1), L"0.1"},
      {Variant::number(1e20), L"1E+20"}, {Variant::bytes({'h', 0, 'i', 0}), L"hi"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(value.toText(), text);
  try {
    Variant::null().toText();
    ADD_FAILURE() << "a null value has no text";
  } catch (const VariantError& error) {
    EXPECT_EQ(error.number(), 94);
  }
}

TEST(Variant, KindsAreKeptApartAndByteArraysKeepTheirBounds) {
  EXPECT_NE(Variant::integer(1), Variant::longValue(1));
  EXPECT_THROW(Variant::integer(1).asLong(), VariantError);
  EXPECT_EQ(Variant::bytes({1, 2}, 5).asBytes().upperBound(), 6);
  EXPECT_EQ(Variant::bytes(std::vector<uint8_t>{}).asBytes().upperBound(), -1);
}
