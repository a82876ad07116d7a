#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Numbers to text and back, exact and correctly rounded (ties to even) as the C library's printf
// and strtod are meant to be, without linking MinGW's own: those add about 40 KB to the shipped
// program (and its strtod rounds twice, through a long double, so is now and then one step off).

// In decimal with at least minDigits digits ("-7"; "0101" with 4), as printf's "%.*d".
std::wstring decimalText(int64_t value, int minDigits = 1);
// As printf's "%.15G": 15 significant digits without trailing zeros, an exponent of two digits
// at least ("0.1", "1E+20"); "INF", "-INF" and "NAN" for the values that are no number.
std::wstring numberText(double value);
// The number that the whole text spells in decimal, with optional blanks before it
// ("  -1.5e3"); nothing for anything else (hexadecimal, "inf", trailing characters, "").
std::optional<double> parseNumber(const std::wstring& text);
