#include "base/NumberText.h"

#include <cmath>
#include <vector>

namespace {
// A natural number of any size, in 32-bit limbs, least significant first: enough arithmetic to
// turn a double into decimal digits and back without any rounding on the way.
class Natural {
 public:
  explicit Natural(uint64_t value = 0) {
    for (; value != 0; value >>= 32) limbs_.push_back(static_cast<uint32_t>(value));
  }
  Natural& multiplyAdd(uint32_t factor, uint32_t addend = 0) {
    uint64_t carry = addend;
    for (uint32_t& limb : limbs_) {
      carry += static_cast<uint64_t>(limb) * factor;
      limb = static_cast<uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<uint32_t>(carry));
    return *this;
  }
  Natural& timesPowerOfTen(int exponent) {
    for (; exponent >= 9; exponent -= 9) multiplyAdd(1000000000);
    for (; exponent > 0; --exponent) multiplyAdd(10);
    return *this;
  }
  Natural shifted(int bits) const {
    Natural result;
    result.limbs_.assign(static_cast<size_t>(bits / 32), 0);
    uint32_t carry = 0;
    for (uint32_t limb : limbs_) {
      result.limbs_.push_back(bits % 32 ? (limb << (bits % 32)) | carry : limb);
      carry = bits % 32 ? limb >> (32 - bits % 32) : 0;
    }
    if (carry != 0) result.limbs_.push_back(carry);
    result.trim();
    return result;
  }
  int bitLength() const {
    if (limbs_.empty()) return 0;
    int bits = 32 * static_cast<int>(limbs_.size() - 1);
    for (uint32_t top = limbs_.back(); top != 0; top >>= 1) ++bits;
    return bits;
  }
  friend int compare(const Natural& a, const Natural& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (size_t i = a.limbs_.size(); i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
  }
  // Divides by a divisor that goes fewer than 2^64 times; this keeps the remainder.
  uint64_t divideBy(const Natural& divisor) {
    uint64_t quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
      const Natural part = divisor.shifted(bit);
      if (compare(*this, part) >= 0) {
        subtract(part);
        quotient |= uint64_t{1} << bit;
      }
    }
    return quotient;
  }

 private:
  void subtract(const Natural& other) {  // other <= *this
    int64_t borrow = 0;
    for (size_t i = 0; i < limbs_.size(); ++i) {
      int64_t difference = static_cast<int64_t>(limbs_[i]) - borrow - (i < other.limbs_.size() ? other.limbs_[i] : 0);
      borrow = difference < 0;
      limbs_[i] = static_cast<uint32_t>(difference + (borrow << 32));
    }
    trim();
  }
  void trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }
  std::vector<uint32_t> limbs_;
};

// numerator / denominator rounded to the nearest whole number, ties to the even one.
uint64_t roundedQuotient(Natural numerator, const Natural& denominator) {
  uint64_t quotient = numerator.divideBy(denominator);
  const int half = compare(numerator.shifted(1), denominator);
  if (half > 0 || (half == 0 && (quotient & 1))) ++quotient;
  return quotient;
}

constexpr int kSignificantDigits = 15;
constexpr uint64_t kSmallest15Digits = 100000000000000;  // 10^14
}  // namespace

std::wstring decimalText(int64_t value, int minDigits) {
  // The magnitude as unsigned, so the most negative value has one too.
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  wchar_t digits[24];
  int count = 0;
  do {
    digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::wstring text = value < 0 ? L"-" : L"";
  if (minDigits > count) text.append(static_cast<size_t>(minDigits - count), L'0');
  while (count > 0) text += digits[--count];
  return text;
}

std::wstring numberText(double value) {
  if (std::isnan(value)) return L"NAN";
  const std::wstring sign = std::signbit(value) ? L"-" : L"";
  if (std::isinf(value)) return sign + L"INF";
  if (value == 0) return sign + L"0";

  // value = mantissa * 2^binaryExponent exactly; digits = value * 10^(14 - decimalExponent),
  // rounded, has 15 digits when decimalExponent is the power of ten of the value's first digit.
  int binaryExponent = 0;
  const uint64_t mantissa = static_cast<uint64_t>(std::ldexp(std::frexp(std::fabs(value), &binaryExponent), 53));
  binaryExponent -= 53;
  // value lies in [2^(b-1), 2^b) for b = binaryExponent + 53: an estimate at most one too low.
  int decimalExponent = static_cast<int>(std::floor((binaryExponent + 52) * 0.30102999566398120));
  uint64_t digits = 0;
  for (;;) {
    const int scale = kSignificantDigits - 1 - decimalExponent;
    Natural numerator = Natural(mantissa).shifted(binaryExponent > 0 ? binaryExponent : 0);
    Natural denominator = Natural(1).shifted(binaryExponent < 0 ? -binaryExponent : 0);
    numerator.timesPowerOfTen(scale > 0 ? scale : 0);
    denominator.timesPowerOfTen(scale < 0 ? -scale : 0);
    digits = roundedQuotient(numerator, denominator);
    if (digits < kSmallest15Digits) {
      --decimalExponent;
    } else if (digits > 10 * kSmallest15Digits) {
      ++decimalExponent;
    } else {
      break;
    }
  }
  if (digits == 10 * kSmallest15Digits) {  // rounded up to the next power of ten
    digits = kSmallest15Digits;
    ++decimalExponent;
  }
  std::wstring significant = decimalText(static_cast<int64_t>(digits));
  const size_t last = significant.find_last_not_of(L'0');
  significant.erase(last + 1);

  std::wstring text = sign;
  if (decimalExponent < -4 || decimalExponent >= kSignificantDigits) {
    text += significant[0];
    if (significant.size() > 1) text += L"." + significant.substr(1);
    text += decimalExponent < 0 ? L"E-" : L"E+";
    text += decimalText(decimalExponent < 0 ? -decimalExponent : decimalExponent, 2);
  } else if (decimalExponent < 0) {
    text += L"0." + std::wstring(static_cast<size_t>(-decimalExponent - 1), L'0') + significant;
  } else {
    const size_t whole = static_cast<size_t>(decimalExponent) + 1;
    if (significant.size() <= whole) {
      text += significant + std::wstring(whole - significant.size(), L'0');
    } else {
      text += significant.substr(0, whole) + L"." + significant.substr(whole);
    }
  }
  return text;
}

std::optional<double> parseNumber(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';

  // The significant digits (at most enough to decide any rounding: a longer tail only counts as
  // "something more"), and the power of ten that the last digit kept stands for.
  constexpr int kDigitsKept = 800;
  std::string digits;
  long long exponent = 0;
  bool tail = false, anyDigit = false, point = false;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'.' && !point) {
      point = true;
      continue;
    }
    if (c < L'0' || c > L'9') break;
    anyDigit = true;
    if (digits.empty() && c == L'0') {
      if (point) --exponent;
    } else if (digits.size() < kDigitsKept) {
      digits += static_cast<char>(c);
      if (point) --exponent;
    } else {
      tail = tail || c != L'0';
      if (!point) ++exponent;
    }
  }
  if (!anyDigit) return std::nullopt;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    size_t at = i + 1;
    bool negativeExponent = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) negativeExponent = text[at++] == L'-';
    long long written = 0;
    const size_t first = at;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
      if (written < 100000) written = written * 10 + (text[at] - L'0');
    }
    if (at == first) return std::nullopt;
    exponent += negativeExponent ? -written : written;
    i = at;
  }
  if (i != text.size()) return std::nullopt;

  const double sign = negative ? -1.0 : 1.0;
  if (digits.empty()) return sign * 0.0;
  if (tail) {  // a digit beyond those kept: the value lies strictly between two kept ones
    digits += '1';
    --exponent;
  }
  const long long magnitude = exponent + static_cast<long long>(digits.size());  // value < 10^magnitude
  if (magnitude > 310) return sign * HUGE_VAL;
  if (magnitude < -324) return sign * 0.0;

  // value = numerator / denominator exactly; find the 54 leading bits of its binary form (the
  // 53 a double holds and one more to round with), or fewer where the value is subnormal.
  Natural numerator, denominator(1);
  for (char digit : digits) numerator.multiplyAdd(10, static_cast<uint32_t>(digit - '0'));
  numerator.timesPowerOfTen(exponent > 0 ? static_cast<int>(exponent) : 0);
  denominator.timesPowerOfTen(exponent < 0 ? static_cast<int>(-exponent) : 0);
  int shift = 54 - (numerator.bitLength() - denominator.bitLength());  // value * 2^shift ~ 2^54
  for (;;) {
    const int applied = shift < 1075 ? shift : 1075;  // 2^-1075: half the smallest subnormal
    const Natural scaled = applied > 0 ? numerator.shifted(applied) : numerator;
    const Natural divisor = applied < 0 ? denominator.shifted(-applied) : denominator;
    Natural whole = scaled;
    const uint64_t bits = whole.divideBy(divisor);
    if (applied == shift && bits >= (uint64_t{1} << 54)) {
      --shift;
    } else if (applied == shift && bits < (uint64_t{1} << 53)) {
      ++shift;
    } else {
      // The 53 bits a double holds, rounded to even on the 54th and everything after it.
      const uint64_t mantissa = roundedQuotient(scaled, divisor.shifted(1));
      return sign * std::ldexp(static_cast<double>(mantissa), 1 - applied);
    }
  }
}
