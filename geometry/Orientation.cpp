#include "geometry/Orientation.h"

#include <array>
#include <cstddef>
#include <limits>

namespace {

static_assert(std::numeric_limits<long double>::digits == 64);

// Error-free transformations of the extended type (64-bit significand, rounding to nearest):
// a sum and a product as the rounded result plus the exact remainder.
void TwoSum(long double a, long double b, long double& sum, long double& err) {
  sum = a + b;
  const long double bVirtual = sum - a;
  const long double aVirtual = sum - bVirtual;
  err = (a - aVirtual) + (b - bVirtual);
}

void Split(long double a, long double& hi, long double& lo) {
  const long double c = 4294967297.0L * a;  // 2^32 + 1
  hi = c - (c - a);
  lo = a - hi;
}

void TwoProduct(long double a, long double b, long double& product, long double& err) {
  product = a * b;
  long double aHi, aLo, bHi, bLo;
  Split(a, aHi, aLo);
  Split(b, bHi, bLo);
  err = aLo * bLo - (((product - aHi * bHi) - aLo * bHi) - aHi * bLo);
}

long double Abs(long double v) { return v < 0 ? -v : v; }

// The sign of a·d − b·c + e·h − f·g + ... summed exactly: every product split into two exact
// parts, the parts gathered into an expansion whose largest part carries the sign.
int ExactSign(const std::array<long double, 12>& parts) {
  std::array<long double, 12> expansion{};
  std::size_t length = 0;
  for (long double q : parts) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < length; ++i) {
      long double sum, err;
      TwoSum(q, expansion[i], sum, err);
      if (err != 0) expansion[kept++] = err;
      q = sum;
    }
    if (q != 0) expansion[kept++] = q;
    length = kept;
  }
  if (length == 0) return 0;
  return expansion[length - 1] > 0 ? 1 : -1;
}

}  // namespace

int Orientation(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c) {
  const long double left = (a.x - c.x) * (b.y - c.y);
  const long double right = (a.y - c.y) * (b.x - c.x);
  const long double det = left - right;
  // Bound of the rounding error of the two differences, products and the subtraction above.
  constexpr long double kEpsilon = 0x1p-64L;
  const long double bound = (3 + 16 * kEpsilon) * kEpsilon * 2 * (Abs(left) + Abs(right));
  if (det > bound) return 1;
  if (-det > bound) return -1;
  if (left == 0 && right == 0) return 0;
  // a.x·b.y − a.y·b.x + b.x·c.y − b.y·c.x + c.x·a.y − c.y·a.x, each product exact in two parts.
  std::array<long double, 12> parts;
  const long double factors[6][2] = {{a.x, b.y},  {-a.y, b.x}, {b.x, c.y},
                                     {-b.y, c.x}, {c.x, a.y},  {-c.y, a.x}};
  for (std::size_t i = 0; i < 6; ++i)
    TwoProduct(factors[i][0], factors[i][1], parts[2 * i], parts[2 * i + 1]);
  return ExactSign(parts);
}
