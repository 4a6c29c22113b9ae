#include "geometry/Orientation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Orientation, SignsOfPlainTurns) {
  EXPECT_EQ(Orientation({0, 0}, {1, 0}, {0, 1}), 1);
  EXPECT_EQ(Orientation({0, 0}, {0, 1}, {1, 0}), -1);
  EXPECT_EQ(Orientation({0, 0}, {1, 1}, {3, 3}), 0);
  EXPECT_EQ(Orientation({0, 0}, {0, 0}, {5, 7}), 0);
}

TEST(Orientation, ExactWhereRoundingWouldGuess) {
  // Points on the line y = x of huge coordinates, and one nudged by the smallest step the
  // type can make there: the rounded determinant is 0 or of either sign, the exact one not.
  const long double big = 0x1p40L;
  const long double step = big * 0x1p-63L;
  const TAcadPoint a{big, big}, b{3 * big, 3 * big};
  EXPECT_EQ(Orientation(a, b, {5 * big, 5 * big}), 0);
  EXPECT_EQ(Orientation(a, b, {5 * big, 5 * big + 4 * step}), 1);
  EXPECT_EQ(Orientation(a, b, {5 * big + 4 * step, 5 * big}), -1);
  // Decimal coordinates that are not exact in binary: the three points are not collinear in
  // the values actually held, and the sign must not depend on the order they are given in.
  const TAcadPoint p{0.1L, 0.1L}, q{0.3L, 0.3L}, r{0.7L, 0.7L};
  const int o = Orientation(p, q, r);
  EXPECT_EQ(Orientation(q, r, p), o);
  EXPECT_EQ(Orientation(r, p, q), o);
  EXPECT_EQ(Orientation(q, p, r), -o);
  EXPECT_EQ(Orientation(p, r, q), -o);
}

TEST(Orientation, AgreesWithIntegerArithmetic) {
  // Integers up to 2^31 give products beyond the 64-bit significand: exact in __int128.
  unsigned long long seed = 12345;
  auto next = [&] {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<long long>(seed >> 33) - (1LL << 30);
  };
  for (int i = 0; i < 20000; ++i) {
    long long ax = next(), ay = next(), bx = next(), by = next();
    // Every fourth case nearly collinear: c on the line a–b give or take one.
    long long cx, cy;
    if (i % 4 == 0) {
      const long long t = next() % 3;
      cx = ax + t * (bx - ax), cy = ay + t * (by - ay) + (next() % 3 - 1);
    } else {
      cx = next(), cy = next();
    }
    const __int128 det =
        static_cast<__int128>(bx - ax) * (cy - ay) - static_cast<__int128>(by - ay) * (cx - ax);
    const int expected = det > 0 ? 1 : det < 0 ? -1 : 0;
    ASSERT_EQ(Orientation({static_cast<long double>(ax), static_cast<long double>(ay)},
                          {static_cast<long double>(bx), static_cast<long double>(by)},
                          {static_cast<long double>(cx), static_cast<long double>(cy)}),
              expected)
        << i;
  }
}

}  // namespace
