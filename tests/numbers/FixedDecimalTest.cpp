// Exact decimals for the tables that a reader adds up by hand.
#include "numbers/FixedDecimal.h"

#include <gtest/gtest.h>

#include "numbers/NumberText.h"
#include "numbers/RoundToText.h"

namespace {

std::string Text(const FixedDecimal& v) { return FixedText(v); }

TEST(FixedDecimal, ProductsSumsAndHalvesKeepEveryPlace) {
  const FixedDecimal x = ParseFixed("-34567.123"), y1 = ParseFixed("12345.679"),
                     y0 = ParseFixed("12371.235");
  EXPECT_EQ(Text(x * (y1 - y0)), "883397.395388");
  EXPECT_EQ(Text(ParseFixed("0.001") + ParseFixed("-0.0015")), "-0.0005");
  EXPECT_EQ(Text(Half(ParseFixed("725.000001"))), "362.5000005");
  EXPECT_EQ(Text(Half(ParseFixed("-3.00"))), "-1.50");
  EXPECT_EQ(Text(ParseFixed("-0.000")), "0.000");
  EXPECT_THROW(ParseFixed("1.2.3"), EConvertError);
  EXPECT_THROW(ParseFixed("-"), EConvertError);
}

TEST(FixedDecimal, RoundsOnEveryPlaceByTheMagnitude) {
  const struct {
    const char* value;
    int digits, mode;
    const char* text;
  } cases[] = {
      {"12.344999999999999999", 2, kHalfUp, "12.34"},  // 15 digits would read 12.345
      {"12.345", 2, kHalfUp, "12.35"},
      {"-12.345", 2, kHalfUp, "-12.35"},
      {"12.349", 2, kTruncate, "12.34"},
      {"-12.349", 2, kTruncate, "-12.34"},
      {"12.3401", 2, kRoundUp, "12.35"},
      {"12.3400", 2, kRoundUp, "12.34"},
      {"10.99", 0, kTruncate, "10"},
      {"1.5", 3, kHalfUp, "1.500"},
      {"-0.004", 2, kHalfUp, "0.00"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RoundFixedText(ParseFixed(c.value), c.digits, c.mode), c.text) << c.value;
}

}  // namespace
