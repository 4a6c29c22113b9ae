#include "numbers/RoundToText.h"

#include <cmath>

#include "numbers/NumberFormat.h"
#include "numbers/NumberText.h"
#include "numbers/X87Precision.h"

namespace {

long double PowerOfTen(int n) {
  long double p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

}  // namespace

std::string RoundToText(int digits, int mode, double value) {
  const X87ExtendedPrecision precision;
  if (digits < 0) digits = 0;
  if (digits > 6) digits = 6;
  // An overflowed or undefined value has no digit to examine; its own text ("INF", "NAN")
  // shows the fault where a rounded figure would pass for a measurement.
  if (!std::isfinite(value)) return FormatFixed(value, digits);
  if (value < 0) {
    const std::string magnitude = RoundToText(digits, mode, -value);
    return magnitude.find_first_not_of("0.") == std::string::npos ? magnitude : "-" + magnitude;
  }
  // One extra place brings the first dropped digit into the units place of the text.
  const long double scaled = value * PowerOfTen(digits + 1);
  std::string text = "0";
  text += FormatPlain15(scaled);
  const std::size_t point = text.find('.');
  const std::size_t examined = (point == std::string::npos ? text.size() : point) - 1;
  const char digit = text[examined];

  long double keptValue = 0;
  TryParseFloat(std::string_view(text).substr(0, examined), keptValue);
  double kept = static_cast<double>(keptValue);
  if ((mode == kHalfUp && digit >= '5') || (mode == kRoundUp && digit > '0')) kept += 1;
  const double result = kept / static_cast<double>(PowerOfTen(digits));
  return FormatFixed(result, digits);
}

std::string ShownLength(int digits, int mode, long double length, long double scale) {
  return RoundToText(digits, mode, static_cast<double>(length / scale));
}
