#include "numbers/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

TEST(FormatReal, FifteenSignificantDigitsShortestForm) {
  const long double pi = std::numbers::pi_v<long double>;
  struct Case {
    long double value;
    const char* text;
  } cases[] = {
      {0.0L, "0"},
      {-0.0L, "0"},
      {2.5L, "2.5"},
      {1234.56L, "1234.56"},
      {1.0L / 3, "0.333333333333333"},
      {0.00001L, "1E-5"},
      {0.0001L, "0.0001"},
      {0.000099999999999999999L, "0.0001"},  // the rounded magnitude decides the notation
      {1.5e20L, "1.5E20"},
      {1e15L, "1E15"},
      {999999999999999.4L, "999999999999999"},
      {999999999999999.5L, "1E15"},
      {123456.789L, "123456.789"},
      {-42.125L, "-42.125"},
      {29.999999999999996L, "30"},
      {static_cast<double>(pi / 6) * (180 / pi), "30"},
      {std::atan2(3.0L, 4.0L) * (180 / pi), "36.869897645844"},
      {static_cast<double>(2.0 / 3), "0.666666666666667"},
      {-1.25e-7L, "-1.25E-7"},
      {std::numeric_limits<long double>::max(), "1.18973149535723E4932"},
      {std::numeric_limits<long double>::denorm_min(), "3.64519953188247E-4951"},
      {std::numeric_limits<long double>::infinity(), "INF"},
      {-std::numeric_limits<long double>::infinity(), "-INF"},
      {std::numeric_limits<long double>::quiet_NaN(), "NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatReal(c.value), c.text) << FormatExact(c.value);
}

TEST(FormatFixed, ExactlyTheGivenPlaces) {
  struct Case {
    long double value;
    int places;
    const char* text;
  } cases[] = {
      {7, 3, "7.000"},
      {2.5L, 0, "3"},
      {0.125L, 2, "0.13"},
      {1.005, 2, "1.00"},
      {0, 2, "0.00"},
      {-0.001L, 2, "0.00"},
      {-1.5L, 1, "-1.5"},
      {99.995L, 2, "100.00"},
      {1234.5678L, 16, "1234.5678000000000000"},
      {0.1, 20, "0.10000000000000000555"},
      {1e20L, 0, "100000000000000000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.value, c.places), c.text) << c.places;
}

TEST(FormatExact, EveryDigitOfTheBinaryValue) {
  EXPECT_EQ(FormatExact(0.1), "0.1000000000000000055511151231257827021181583404541015625");
  EXPECT_EQ(FormatExact(1e20L), "100000000000000000000");
  EXPECT_EQ(FormatExact(-0.5L), "-0.5");
}

TEST(FormatPlain15, NeverScientific) {
  EXPECT_EQ(FormatPlain15(0.00001L), "0.00001");
  EXPECT_EQ(FormatPlain15(1.5e20L), "150000000000000000000");
  EXPECT_EQ(FormatPlain15(12.5L), "12.5");
  EXPECT_EQ(FormatPlain15(0), "0");
}

}  // namespace
