// Numbers as text without MinGW's printf and strtod: the results must be the ones those give
// (they are still linked into the tests), over many values drawn with a fixed seed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cwchar>
#include <random>

#include "base/NumberText.h"

namespace {
TEST(NumberText, WritesNumbersAsPrintfDoes) {
  std::mt19937_64 random(20040930);
  wchar_t expected[64];
  for (int i = 0; i < 4000; ++i) {
    const int64_t integer = static_cast<int64_t>(random()) >> (random() % 64);
    std::swprintf(expected, 64, L"%.4lld", static_cast<long long>(integer));
    ASSERT_EQ(decimalText(integer, 4), expected);
    uint64_t bits = random();
    double number;
    std::memcpy(&number, &bits, sizeof number);  // any bit pattern, and then 16-digit ties
    for (double value : {number, static_cast<double>(1000000000000000 + random() % 9000000000000000)}) {
      std::swprintf(expected, 64, L"%.15G", value);
      ASSERT_EQ(numberText(value), expected) << static_cast<long double>(value);
    }
  }
}

TEST(NumberText, ParsesDecimalTextCorrectlyRounded) {
  std::mt19937 random(20040930);
  auto digits = [&](int most) {
    std::wstring text;
    for (int n = random() % most; n > 0; --n) text += static_cast<wchar_t>(L'0' + random() % 10);
    return text;
  };
  for (int i = 0; i < 10000; ++i) {
    std::wstring text = std::wstring(random() % 4 == 0, L' ') + (random() % 2 ? L"-" : L"") + digits(25) +
                        (random() % 2 ? L"." : L"") + digits(25);
    if (random() % 2) text += L"e" + std::wstring(random() % 2, L'-') + digits(4);
    if (random() % 8 == 0) text += L" x.e5"[random() % 5];
    wchar_t* end = nullptr;
    const double scanned = std::wcstod(text.c_str(), &end);
    const auto expected = text.empty() || *end ? std::nullopt : std::optional(scanned);
    const auto actual = parseNumber(text);
    ASSERT_EQ(actual.has_value(), expected.has_value()) << text;
    if (!expected || std::memcmp(&*actual, &*expected, sizeof(double)) == 0) continue;  // -0 too
    // MinGW reads through an 80-bit long double and rounds twice; where the first rounding lands
    // on the midpoint of two doubles it may pick the farther one. Ours must be the other one.
    ASSERT_EQ(std::nextafter(*expected, *actual), *actual) << text;
    ASSERT_EQ(std::wcstold(text.c_str(), nullptr), (static_cast<long double>(*actual) + *expected) / 2) << text;
  }
  EXPECT_EQ(parseNumber(L"2583.8765997849626e+3"), 0x1.3b6a24cc5c0efp+21);  // one of those, worked out exactly
  // Hexadecimal and the names of the non-numbers are no decimal numbers: a type mismatch, as in
  // Basic, where the C library would read them.
  for (const wchar_t* text : {L"0x10", L"inf", L"nan", L"", L" ", L"1e", L"5 ", L"1,5", L"\x0661"}) {
    EXPECT_FALSE(parseNumber(text)) << text;
  }
}
}  // namespace
