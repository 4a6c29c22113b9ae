#include "dxf/DxfNumber.h"

#include <climits>
#include <limits>

#include "numbers/NumberText.h"
#include "numbers/X87Precision.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Powers of ten that extended precision holds exactly (5^27 < 2^64).
constexpr int kMaxExactPow10 = 27;
constexpr long double kPow10[kMaxExactPow10 + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// "[blanks]-?digits[.digits][e[+-]dd][blanks]" with at most 19 significant digits and a small
// exponent: the digits are an exact 64-bit integer and the power of ten is exact, so one
// multiplication or division rounds correctly. Anything else goes to the general rule.
bool FastReal(std::string_view s, long double& value) {
  const char* p = s.data();
  const char* end = p + s.size();
  while (p != end && *p == ' ') ++p;
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  const char* intStart = p;
  while (p != end && *p == '0') ++p;  // leading zeros are no significant digits
  std::uint64_t mantissa = 0;         // wraps beyond 19 digits, and is then not used
  std::int64_t digits = 0;            // counts never overflow, however long the line
  for (; p != end; ++p) {
    const unsigned d = static_cast<unsigned>(*p - '0');
    if (d > 9) break;
    mantissa = mantissa * 10 + d;
    ++digits;
  }
  bool sawDigit = p != intStart;
  std::int64_t fraction = 0;
  if (p != end && *p == '.') {
    ++p;
    const char* fracStart = p;
    if (digits == 0) {
      while (p != end && *p == '0') ++p;
      fraction = p - fracStart;
    }
    for (; p != end; ++p) {
      const unsigned d = static_cast<unsigned>(*p - '0');
      if (d > 9) break;
      mantissa = mantissa * 10 + d;
      ++digits;
      ++fraction;
    }
    sawDigit = sawDigit || p != fracStart;
  }
  if (!sawDigit || digits > 19) return false;
  std::int64_t exponent = -fraction;
  if (p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negativeExponent = false;
    if (p != end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
    int e = 0, n = 0;
    for (; p != end && IsDigit(*p); ++p, ++n) {
      if (n == 4) return false;
      e = e * 10 + (*p - '0');
    }
    if (n == 0) return false;
    exponent += negativeExponent ? -e : e;
  }
  while (p != end && *p == ' ') ++p;
  if (p != end) return false;
  long double v = static_cast<long double>(mantissa);
  if (mantissa != 0) {
    if (exponent > kMaxExactPow10 || exponent < -kMaxExactPow10) return false;
    v = exponent >= 0 ? v * kPow10[exponent] : v / kPow10[-exponent];
  }
  value = negative ? -v : v;
  return true;
}

bool FastInt(std::string_view s, long long& value) {
  const char* p = s.data();
  const char* end = p + s.size();
  while (p != end && *p == ' ') ++p;
  bool negative = false;
  if (p != end && *p == '-') {
    negative = true;
    ++p;
  }
  const char* first = p;
  long long v = 0;
  for (; p != end && IsDigit(*p); ++p) {
    if (p - first == 18) return false;
    v = v * 10 + (*p - '0');
  }
  if (p == first) return false;
  while (p != end && *p == ' ') ++p;
  if (p != end) return false;
  value = negative ? -v : v;
  return true;
}

bool ParseWide(std::string_view text, long long& value) {
  return FastInt(text, value) || TryParseInt(text, value);
}

}  // namespace

bool ParseDxfInt(std::string_view text, int& value) {
  long long v = 0;
  if (!ParseWide(text, v) || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

bool ParseDxfInt16(std::string_view text, std::int16_t& value) {
  long long v = 0;
  if (!ParseWide(text, v) || v < INT16_MIN || v > INT16_MAX) return false;
  value = static_cast<std::int16_t>(v);
  return true;
}

bool ParseDxfReal(std::string_view text, long double& value) {
  const X87ExtendedPrecision precision;
  return FastReal(text, value) || TryParseFloat(text, value);
}

bool ParseDxfDouble(std::string_view text, double& value) {
  long double v = 0;
  if (!ParseDxfReal(text, v)) return false;
  if (v > std::numeric_limits<double>::max() || v < -std::numeric_limits<double>::max())
    return false;
  value = static_cast<double>(v);
  return true;
}
