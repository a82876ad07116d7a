// Numbers as text without MinGW's printf and strtod: the results must be the ones those give
// (they are still linked into the tests), over many values drawn with a fixed seed.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <limits>
#include <random>

#include "base/NumberText.h"

namespace {
std::wstring printed(const wchar_t* format, double value) {
  wchar_t buffer[64];
  std::swprintf(buffer, 64, format, value);
  return buffer;
}

std::optional<double> scanned(const std::wstring& text) {
  wchar_t* end = nullptr;
  const double number = std::wcstod(text.c_str(), &end);
  if (text.empty() || *end != L'\0') return std::nullopt;
  return number;
}

double fromBits(uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

TEST(NumberText, IntegersAsPrintfWritesThem) {
  std::mt19937_64 random(20040930);
  std::vector<int64_t> values = {0, 1, -1, 9, 10, -10, INT64_MAX, INT64_MIN, INT32_MIN, INT32_MAX};
  for (int i = 0; i < 2000; ++i) values.push_back(static_cast<int64_t>(random()) >> (random() % 64));
  for (int64_t value : values) {
    for (int digits : {1, 2, 4, 25}) {
      wchar_t expected[64];
      std::swprintf(expected, 64, L"%.*lld", digits, static_cast<long long>(value));
      ASSERT_EQ(decimalText(value, digits), expected) << value << " " << digits;
    }
  }
}

TEST(NumberText, FloatingPointAsPercentFifteenG) {
  std::mt19937_64 random(20040930);
  std::vector<double> values = {0.0, -0.0, 0.1, 1e20, 1e15, 1e14, 123456789012345.0, 0.0001, 0.00001, DBL_MAX,
                                DBL_MIN, std::numeric_limits<double>::denorm_min(), -2.5, 1234567890123455.0,
                                1234567890123465.0, std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(), std::nan("")};
  for (int i = 0; i < 5000; ++i) {
    values.push_back(fromBits(random()));                                       // any bit pattern
    values.push_back(static_cast<double>(random() % 10000000) / 1000.0);        // short decimals
    values.push_back(static_cast<double>(1000000000000000 + random() % 9000000000000000));  // 16-digit ties
  }
  for (double value : values) ASSERT_EQ(numberText(value), printed(L"%.15G", value)) << printed(L"%.17G", value);
}

TEST(NumberText, ParsesDecimalTextCorrectlyRounded) {
  std::mt19937 random(20040930);
  auto pick = [&](const wchar_t* choices) { return choices[random() % std::wcslen(choices)]; };
  for (int i = 0; i < 10000; ++i) {
    std::wstring text;
    if (random() % 4 == 0) text += pick(L" \t\n\r");
    if (random() % 2) text += pick(L"+-");
    for (int n = random() % 25; n > 0; --n) text += pick(L"0123456789");
    if (random() % 2) text += L'.';
    for (int n = random() % 25; n > 0; --n) text += pick(L"0123456789");
    if (random() % 2) {
      text += pick(L"eE");
      if (random() % 2) text += pick(L"+-");
      for (int n = random() % 4; n > 0; --n) text += pick(L"0123456789");
    }
    if (random() % 8 == 0) text += pick(L" x.e5");
    const auto expected = scanned(text);
    const auto actual = parseNumber(text);
    ASSERT_EQ(actual.has_value(), expected.has_value()) << text;
    if (!expected || std::memcmp(&*actual, &*expected, sizeof(double)) == 0) continue;  // -0 too
    // MinGW reads through an 80-bit long double and rounds twice; where the first rounding lands
    // on the midpoint of two doubles it may pick the farther one. Ours must be the other one.
    const long double wide = std::wcstold(text.c_str(), nullptr);
    ASSERT_EQ(std::nextafter(*expected, *actual), *actual) << text;
    ASSERT_EQ(wide, (static_cast<long double>(*actual) + *expected) / 2) << text;
  }
  // One of those, checked with exact rational arithmetic.
  EXPECT_EQ(parseNumber(L"2583.8765997849626e+3"), 0x1.3b6a24cc5c0efp+21);
  for (const wchar_t* text : {L"0.1", L"1E+308", L"4.9E-324", L"2.2250738585072014E-308", L"-123.456", L"1e-400",
                              L"1E+400", L"-0", L".5", L"5.", L"00012"}) {
    EXPECT_EQ(parseNumber(text), scanned(text)) << text;
  }
  // Hexadecimal and the names of the non-numbers are no decimal numbers: a type mismatch, as in
  // Basic, where the C library would read them.
  for (const wchar_t* text : {L"0x10", L"inf", L"-Infinity", L"nan", L"", L" ", L"1e", L"5 ", L"1,5", L"\x0661"}) {
    EXPECT_FALSE(parseNumber(text)) << text;
  }
}
}  // namespace
