#include <limits>

#include "base/Variant.h"
#include "tests/TestSupport.h"

namespace {
using testing_support::errorOf;

TEST(Variant, TextFormsOfEachKindAndNoneForNull) {
  const std::pair<Variant, const wchar_t*> cases[] = {
      {Variant(), L""}, {Variant::integer(-7), L"-7"}, {Variant::longValue(-2147483647 - 1), L"-2147483648"},
      {Variant::byte(255), L"255"}, {Variant::boolean(false), L"False"}, {Variant::number(0.1), L"0.1"},
      {Variant::number(1e20), L"1E+20"}, {Variant::bytes({'h', 0, 'i', 0}), L"hi"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(value.toText(), text);
  EXPECT_EQ(errorOf<VariantError>([] { Variant::null().toText(); }).number(), 94);  // invalid use of Null
}

TEST(Variant, NumbersConvertOnlyWhenTheyFit) {
  EXPECT_EQ(Variant(L" -7").toLong(), -7);
  EXPECT_EQ(Variant::boolean(true).toLong(), -1);
  EXPECT_EQ(Variant::number(2.5).toLong(), 2);  // to even
  EXPECT_EQ(errorOf<VariantError>([] { Variant(L"&H10").toLong(); }).number(), 13);  // type mismatch
  // Found loading stored properties: a NaN became whatever the processor makes of it.
  for (double value : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 2147483647.6}) {
    EXPECT_EQ(errorOf<VariantError>([=] { Variant::number(value).toLong(); }).number(), 6) << value;  // overflow
  }
}
}  // namespace
