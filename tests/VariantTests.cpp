#include <gtest/gtest.h>

#include "registry/Variant.h"

TEST(Variant, TextFormsOfEachKind) {
  EXPECT_EQ(Variant().toText(), L"");
  EXPECT_EQ(Variant::integer(-7).toText(), L"-7");
  EXPECT_EQ(Variant::longValue(-2147483647 - 1).toText(), L"-2147483648");
  EXPECT_EQ(Variant::byte(255).toText(), L"255");
  EXPECT_EQ(Variant::boolean(false).toText(), L"False");
  EXPECT_EQ(Variant::number(0.1).toText(), L"0.1");
  EXPECT_EQ(Variant::number(1e20).toText(), L"1E+20");
  EXPECT_EQ(Variant::bytes({'h', 0, 'i', 0}).toText(), L"hi");
  EXPECT_EQ(Variant(L"text").toText(), L"text");
  try {
    Variant::null().toText();
    FAIL() << "a null value has no text";
  } catch (const VariantError& error) {
    EXPECT_EQ(error.number(), 94);
  }
}

TEST(Variant, KindsAreKeptApartAndByteArraysKeepTheirBounds) {
  EXPECT_NE(Variant::integer(1), Variant::longValue(1));
  EXPECT_THROW(Variant::integer(1).asLong(), VariantError);
  const Variant array = Variant::bytes({1, 2}, 5);
  EXPECT_EQ(array.asBytes().lowerBound, 5);
  EXPECT_EQ(array.asBytes().upperBound(), 6);
  EXPECT_EQ(Variant::bytes(std::vector<uint8_t>{}).asBytes().upperBound(), -1);
}
