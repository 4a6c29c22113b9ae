#include "geometry/RoundToText.h"

#include <gtest/gtest.h>

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

}  // namespace
