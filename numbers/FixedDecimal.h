// Decimal numbers held exactly, as a count of units of their last place: the sums and products of
// a table that a reader adds up by hand from the printed figures, with no binary rounding between.
#pragma once

#include <string>

__extension__ typedef __int128 FixedUnits;

struct FixedDecimal {
  FixedUnits units = 0;  // the value times 10^places
  int places = 0;
};

// A decimal text as RoundToText writes it ("-12.340" is {-12340, 3}); throws EConvertError for
// anything else.
FixedDecimal ParseFixed(const std::string& text);
// Every place written ("-12.340"), "0.000" for zero, never "-0.000".
std::string FixedText(const FixedDecimal& value);

FixedDecimal operator+(const FixedDecimal& a, const FixedDecimal& b);
FixedDecimal operator-(const FixedDecimal& a, const FixedDecimal& b);
FixedDecimal operator*(const FixedDecimal& a, const FixedDecimal& b);  // places add up
// Half of the value, exactly: one place more when the last unit is odd.
FixedDecimal Half(const FixedDecimal& value);

// The value cut to `digits` places (0 to 6) by a rounding mode of RoundToText (kTruncate,
// kHalfUp, kRoundUp; by the magnitude, as there), decided on every place it has.
std::string RoundFixedText(const FixedDecimal& value, int digits, int mode);
long double FixedValue(const FixedDecimal& value);
