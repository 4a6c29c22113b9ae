#include "numbers/NumberText.h"

#include <climits>
#include <cstdint>

#include "numbers/BigUnsigned.h"
#include "numbers/Extended.h"
#include "numbers/X87Precision.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// More significant digits than any halfway point between two extended values has (about
// 11,500), so cutting here and keeping a sticky digit still rounds correctly.
constexpr std::size_t kMaxDigits = 12000;

// value = digits × 10^exponent, digits without leading zeros (empty for zero).
struct DecimalNumber {
  bool negative = false;
  std::string digits;
  long long exponent = 0;
};

bool ScanDecimal(std::string_view s, DecimalNumber& out) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) out.negative = s[i++] == '-';
  bool sawDigit = false, afterPoint = false, sticky = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '.' && !afterPoint) {
      afterPoint = true;
      continue;
    }
    if (!IsDigit(c)) break;
    sawDigit = true;
    if (out.digits.empty() && c == '0') {
      if (afterPoint) --out.exponent;
    } else if (out.digits.size() < kMaxDigits) {
      out.digits.push_back(c);
      if (afterPoint) --out.exponent;
    } else {
      sticky = sticky || c != '0';
      if (!afterPoint) ++out.exponent;
    }
  }
  if (!sawDigit) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
    if (i == s.size() || !IsDigit(s[i])) return false;
    long long e = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i)
      if (e < 1000000000) e = e * 10 + (s[i] - '0');
    out.exponent += negativeExponent ? -e : e;
  }
  if (i != s.size()) return false;
  if (sticky) {
    out.digits.push_back('1');
    --out.exponent;
  }
  return true;
}

// Correctly rounded (to nearest, ties to even) extended value; false on overflow.
bool ToExtended(const DecimalNumber& d, long double& value) {
  ExtendedFields f;
  f.negative = d.negative;
  const long long magnitude = static_cast<long long>(d.digits.size()) + d.exponent;
  if (d.digits.empty() || magnitude < -4952) {  // below half the smallest subnormal
    value = JoinExtended(f);
    return true;
  }
  if (magnitude > 4934) return false;

  // Few digits and a small exponent: the digits and the power of ten are both exact extended
  // values, so one correctly rounded x87 multiplication or division gives the answer.
  if (d.digits.size() <= 18 && d.exponent >= -27 && d.exponent <= 27) {
    std::uint64_t n = 0;
    for (char c : d.digits) n = n * 10 + static_cast<std::uint64_t>(c - '0');
    long double power = 1;
    for (long long k = d.exponent < 0 ? -d.exponent : d.exponent; k > 0; --k) power *= 10;
    const long double magnitudeValue =
        d.exponent < 0 ? static_cast<long double>(n) / power : static_cast<long double>(n) * power;
    value = d.negative ? -magnitudeValue : magnitudeValue;
    return true;
  }

  BigUnsigned num, den(1);
  for (char c : d.digits) {
    num.MulSmall(10);
    num.AddSmall(static_cast<std::uint32_t>(c - '0'));
  }
  if (d.exponent >= 0)
    num.MulPow10(static_cast<int>(d.exponent));
  else
    den.MulPow10(static_cast<int>(-d.exponent));

  // q = floor(num × 2^s / den) with 66 or 67 bits: 64 for the mantissa, the rest to round.
  const int s = 66 - (num.BitLength() - den.BitLength());
  if (s > 0)
    num.ShiftLeft(s);
  else
    den.ShiftLeft(-s);
  unsigned __int128 q = 0;
  for (int bit = 67; bit >= 0; --bit) {
    BigUnsigned shifted = den;
    shifted.ShiftLeft(bit);
    if (Compare(num, shifted) >= 0) {
      num.Subtract(shifted);
      q |= static_cast<unsigned __int128>(1) << bit;
    }
  }
  const bool inexact = !num.IsZero();

  int qBits = 0;
  for (unsigned __int128 t = q; t != 0; t >>= 1) ++qBits;
  const int leadExponent = qBits - 1 - s;  // value is in [2^leadExponent, 2^(leadExponent+1))
  int lowExponent = leadExponent - 63;
  if (lowExponent < kExtendedMinLowExponent) lowExponent = kExtendedMinLowExponent;
  const int drop = lowExponent + s;  // low bits of q below the kept mantissa, always >= 1

  std::uint64_t mantissa = 0;
  bool half = false, rest = inexact;
  if (drop < 128) {
    mantissa = static_cast<std::uint64_t>(q >> drop);
    half = ((q >> (drop - 1)) & 1) != 0;
    const unsigned __int128 below = (static_cast<unsigned __int128>(1) << (drop - 1)) - 1;
    rest = rest || (q & below) != 0;
  } else {
    rest = rest || q != 0;
  }
  if (half && (rest || (mantissa & 1) != 0)) {
    ++mantissa;
    if (mantissa == 0) {  // carried out of 64 bits
      mantissa = std::uint64_t{1} << 63;
      ++lowExponent;
    }
  }
  if ((mantissa >> 63) != 0) {
    const int biased = lowExponent + 63 + kExtendedBias;
    if (biased >= 0x7FFF) return false;
    f.biasedExponent = static_cast<std::uint16_t>(biased);
  }
  f.mantissa = mantissa;
  value = JoinExtended(f);
  return true;
}

}  // namespace

bool TryParseFloat(std::string_view text, long double& value) {
  const X87ExtendedPrecision precision;
  DecimalNumber d;
  if (!ScanDecimal(TrimBlanks(text), d)) return false;
  return ToExtended(d, value);
}

bool TryParseInt(std::string_view text, long long& value) {
  std::string_view s = TrimBlanks(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return false;
  const unsigned long long limit =
      negative ? static_cast<unsigned long long>(LLONG_MAX) + 1 : LLONG_MAX;
  unsigned long long magnitude = 0;
  for (char c : s) {
    if (!IsDigit(c)) return false;
    const unsigned digit = static_cast<unsigned>(c - '0');
    if (magnitude > (limit - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
  }
  value = negative ? static_cast<long long>(0ULL - magnitude) : static_cast<long long>(magnitude);
  return true;
}

long double StrToFloat(const std::string& text) {
  long double v = 0;
  if (!TryParseFloat(text, v))
    throw EConvertError("'" + text + "' は有効な浮動小数点数ではありません。");
  return v;
}

int StrToInt(const std::string& text) {
  long long v = 0;
  if (!TryParseInt(text, v) || v < INT_MIN || v > INT_MAX)
    throw EConvertError("'" + text + "' は有効な整数値ではありません。");
  return static_cast<int>(v);
}

std::string TrimHostText(std::string_view text) {
  // Blank, the ASCII control characters and DEL; UTF-8 never uses these bytes inside a
  // multi-byte character, so trimming bytes is safe.
  auto blankOrControl = [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return b <= 0x20 || b == 0x7F;
  };
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && blankOrControl(text[first])) ++first;
  while (last > first && blankOrControl(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}
