// The text of a length or an area, cut to a number of decimal places.
#pragma once

#include <string>

// How the first dropped digit is treated.
enum RoundingMode : int {
  kTruncate = 0,  // 切捨
  kHalfUp = 1,    // 四捨
  kRoundUp = 2    // 切上 (any other value behaves as kTruncate)
};

// How a kind of figure is shown: its decimal places and the rounding of the first digit dropped.
struct NumberFormat {
  int digits = 2;
  RoundingMode rounding = kHalfUp;
};

// value cut to `digits` decimal places (0 to 6; outside, the nearest of these) and written
// with exactly that many ("7.000"). The digit that decides is read from the value's
// 15-significant-digit text, so 1.005 rounds half up to 1.01 as a reader of the number expects,
// though the double holds 1.00499999…. Negative values are cut by their magnitude; infinities
// and NaN give "INF", "-INF" and "NAN".
std::string RoundToText(int digits, int mode, double value);

// A measured length as the drawing shows it: divided by the drawing scale in extended precision,
// then cut as RoundToText does.
std::string ShownLength(int digits, int mode, long double length, long double scale);
