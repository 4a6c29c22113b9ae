#include "numbers/NumberFormat.h"

#include "numbers/BigUnsigned.h"
#include "numbers/Extended.h"

namespace {

// value = digits × 10^exponent; digits has no leading or trailing zeros, empty for zero.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

enum class Special { None, NaN, Inf };

Special Classify(const ExtendedFields& f) {
  if (f.biasedExponent != 0x7FFF) return Special::None;
  return (f.mantissa << 1) == 0 ? Special::Inf : Special::NaN;
}

std::string SpecialText(Special s, bool negative) {
  if (s == Special::NaN) return "NAN";
  return negative ? "-INF" : "INF";
}

Decimal ExactDecimal(const ExtendedFields& f) {
  Decimal d;
  d.negative = f.negative;
  if (f.mantissa == 0) return d;
  // value = mantissa × 2^e; for e < 0 that is mantissa × 5^-e × 10^e.
  const int e = (f.biasedExponent == 0 ? 1 : f.biasedExponent) - kExtendedBias - 63;
  BigUnsigned n(f.mantissa);
  if (e >= 0) {
    n.ShiftLeft(e);
  } else {
    n.MulPow5(-e);
    d.exponent = e;
  }
  d.digits = n.ToDecimal();
  while (d.digits.back() == '0') {
    d.digits.pop_back();
    ++d.exponent;
  }
  return d;
}

// Keeps the first `keep` digits and rounds half away from zero on the first dropped one (the
// exact value being known, that digit alone decides). keep <= 0 keeps nothing but a carry.
void RoundKeeping(Decimal& d, int keep) {
  const int size = static_cast<int>(d.digits.size());
  if (keep >= size) return;
  const bool up = keep >= 0 && d.digits[static_cast<std::size_t>(keep)] >= '5';
  const int kept = keep < 0 ? 0 : keep;
  d.exponent += size - kept;
  d.digits.resize(static_cast<std::size_t>(kept));
  if (up) {
    int i = kept - 1;
    for (; i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9'; --i)
      d.digits[static_cast<std::size_t>(i)] = '0';
    if (i < 0)
      d.digits.insert(d.digits.begin(), '1');
    else
      ++d.digits[static_cast<std::size_t>(i)];
  }
  while (!d.digits.empty() && d.digits.back() == '0') {
    d.digits.pop_back();
    ++d.exponent;
  }
}

int LeadingExponent(const Decimal& d) { return d.exponent + static_cast<int>(d.digits.size()) - 1; }

// Plain notation of d with at least `places` decimals (padding with zeros).
std::string Plain(const Decimal& d, int places) {
  if (d.digits.empty())
    return places > 0 ? "0." + std::string(static_cast<std::size_t>(places), '0') : "0";
  std::string out = d.negative && !d.digits.empty() ? "-" : "";
  const int size = static_cast<int>(d.digits.size());
  const int intDigits = size + d.exponent;  // digits before the full stop
  if (intDigits <= 0) {
    out += "0";
  } else {
    for (int i = 0; i < intDigits; ++i)
      out.push_back(i < size ? d.digits[static_cast<std::size_t>(i)] : '0');
  }
  std::string fraction;
  for (int i = intDigits; i < size; ++i)
    fraction.push_back(i < 0 ? '0' : d.digits[static_cast<std::size_t>(i)]);
  while (static_cast<int>(fraction.size()) < places) fraction.push_back('0');
  if (!fraction.empty()) out += "." + fraction;
  return out;
}

Decimal Significant15(long double value, Special& special, bool& negative) {
  const ExtendedFields f = SplitExtended(value);
  special = Classify(f);
  negative = f.negative;
  if (special != Special::None) return {};
  Decimal d = ExactDecimal(f);
  RoundKeeping(d, 15);
  return d;
}

}  // namespace

std::string FormatReal(long double value) {
  Special special;
  bool negative;
  const Decimal d = Significant15(value, special, negative);
  if (special != Special::None) return SpecialText(special, negative);
  if (d.digits.empty()) return "0";
  const int lead = LeadingExponent(d);
  if (lead >= -4 && lead < 15) return Plain(d, 0);
  std::string out = d.negative ? "-" : "";
  out.push_back(d.digits[0]);
  if (d.digits.size() > 1) {
    out.push_back('.');
    out.append(d.digits, 1);
  }
  out.push_back('E');
  out += std::to_string(lead);
  return out;
}

std::string FormatPlain15(long double value) {
  Special special;
  bool negative;
  const Decimal d = Significant15(value, special, negative);
  if (special != Special::None) return SpecialText(special, negative);
  return Plain(d, 0);
}

std::string FormatFixed(long double value, int places) {
  if (places < 0) places = 0;
  const ExtendedFields f = SplitExtended(value);
  const Special special = Classify(f);
  if (special != Special::None) return SpecialText(special, f.negative);
  Decimal d = ExactDecimal(f);
  // Keep the digits down to the place 10^-places.
  RoundKeeping(d, static_cast<int>(d.digits.size()) + d.exponent + places);
  return Plain(d, places);
}

std::string FormatExact(long double value) {
  const ExtendedFields f = SplitExtended(value);
  const Special special = Classify(f);
  if (special != Special::None) return SpecialText(special, f.negative);
  return Plain(ExactDecimal(f), 0);
}
