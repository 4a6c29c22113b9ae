#include "numbers/RoundToText.h"

#include <gtest/gtest.h>

#include <limits>

#include "geometry/Triangles.h"

namespace {

TEST(RoundToText, ExaminesTheFirstDroppedDigitOfTheFifteenDigitText) {
  struct Case {
    double value;
    int digits;
    int mode;
    const char* text;
  } cases[] = {
      {1.005, 2, 0, "1.00"},
      {1.005, 2, 1, "1.01"},
      {1.005, 2, 2, "1.01"},
      {12.345, 2, 1, "12.35"},
      {1.2349, 2, 1, "1.23"},
      {12.344, 2, 2, "12.35"},
      {1.2301, 2, 2, "1.23"},
      {2.5, 0, 0, "2"},
      {2.5, 0, 1, "3"},
      {0.12345, 4, 1, "0.1235"},
      {99.999, 2, 0, "99.99"},
      {99.999, 2, 1, "100.00"},
      {7, 3, 1, "7.000"},
      {0, 2, 0, "0.00"},
      {0, 2, 1, "0.00"},
      {0, 2, 2, "0.00"},
      {0.004, 2, 2, "0.01"},
      {0.004, 2, 1, "0.00"},
      {0.0000001, 2, 2, "0.00"},  // below the examined place entirely
      {5, 0, 2, "5"},
      {4.99, 1, 7, "4.9"},  // unknown mode truncates
      {123456.7891, 6, 1, "123456.789100"},
      {1.5, -1, 1, "2"},
      {1.23456789, 9, 0, "1.234567"},  // places clamped to 0..6
      {-1.005, 2, 1, "-1.01"},
      {-0.001, 2, 1, "0.00"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RoundToText(c.digits, c.mode, c.value), c.text)
        << c.value << " digits " << c.digits << " mode " << c.mode;
}

// The text of an infinity used to be read as "0IN" with the examined digit "F", which rounding
// half up or up turned into one unit of the last place: an overflowed area showed as 0.0001.
TEST(RoundToText, NonFiniteValueIsNotWrittenAsASmallNumber) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  // Sides read back from a damaged mark: the square of the area overflows the double.
  const double area = AreaFromSides(3e160, 4e160, 5e160);
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {area, "INF"},
      {inf, "INF"},
      {-inf, "-INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const auto& c : cases)
    for (int mode = 0; mode <= 2; ++mode)
      EXPECT_EQ(RoundToText(4, mode, c.value), c.text) << c.value << " mode " << mode;
}

}  // namespace
