#include "numbers/FixedDecimal.h"

#include <algorithm>

#include "numbers/NumberText.h"
#include "numbers/RoundToText.h"

namespace {

FixedUnits Power10(int n) {
  FixedUnits p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

FixedDecimal AtPlaces(const FixedDecimal& v, int places) {
  return {v.units * Power10(places - v.places), places};
}

}  // namespace

FixedDecimal ParseFixed(const std::string& text) {
  const std::string t = TrimHostText(text);
  FixedDecimal v;
  bool negative = false, point = false, digit = false;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (i == 0 && (c == '-' || c == '+')) {
      negative = c == '-';
    } else if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9' && v.places < 18) {
      v.units = v.units * 10 + (c - '0');
      if (point) ++v.places;
      digit = true;
    } else {
      throw EConvertError("'" + text + "' は有効な浮動小数点数ではありません。");
    }
  }
  if (!digit) throw EConvertError("'" + text + "' は有効な浮動小数点数ではありません。");
  if (negative) v.units = -v.units;
  return v;
}

std::string FixedText(const FixedDecimal& v) {
  FixedUnits magnitude = v.units < 0 ? -v.units : v.units;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    magnitude /= 10;
  } while (magnitude > 0);
  if (static_cast<int>(digits.size()) <= v.places)
    digits.insert(0, static_cast<std::size_t>(v.places + 1) - digits.size(), '0');
  if (v.places > 0) digits.insert(digits.size() - static_cast<std::size_t>(v.places), ".");
  return (v.units < 0 ? "-" : "") + digits;
}

FixedDecimal operator+(const FixedDecimal& a, const FixedDecimal& b) {
  const int places = std::max(a.places, b.places);
  return {AtPlaces(a, places).units + AtPlaces(b, places).units, places};
}

FixedDecimal operator-(const FixedDecimal& a, const FixedDecimal& b) {
  return a + FixedDecimal{-b.units, b.places};
}

FixedDecimal operator*(const FixedDecimal& a, const FixedDecimal& b) {
  return {a.units * b.units, a.places + b.places};
}

FixedDecimal Half(const FixedDecimal& v) {
  if (v.units % 2 == 0) return {v.units / 2, v.places};
  return {v.units * 5, v.places + 1};
}

std::string RoundFixedText(const FixedDecimal& v, int digits, int mode) {
  digits = std::clamp(digits, 0, 6);
  if (digits >= v.places) return FixedText(AtPlaces(v, digits));
  const FixedUnits step = Power10(v.places - digits);
  const FixedUnits magnitude = v.units < 0 ? -v.units : v.units;
  FixedUnits kept = magnitude / step;
  const FixedUnits dropped = magnitude % step;
  if ((mode == kHalfUp && 2 * dropped >= step) || (mode == kRoundUp && dropped > 0)) ++kept;
  return FixedText({v.units < 0 ? -kept : kept, digits});
}

long double FixedValue(const FixedDecimal& v) { return StrToFloat(FixedText(v)); }
