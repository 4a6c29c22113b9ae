// The fields of the x87 80-bit extended type, for conversions that must give the same bits on
// every runtime.
#pragma once

#include <cstdint>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 80-bit extended type (GCC on x86-64)");

struct ExtendedFields {
  bool negative = false;
  std::uint16_t biasedExponent = 0;  // 0 for zero and subnormals, 0x7FFF for Inf and NaN
  std::uint64_t mantissa = 0;        // with the explicit integer bit
};

constexpr int kExtendedBias = 16383;
// Binary exponent of the lowest mantissa bit of the smallest subnormal.
constexpr int kExtendedMinLowExponent = 1 - kExtendedBias - 63;

ExtendedFields SplitExtended(long double v);
long double JoinExtended(const ExtendedFields& f);
