#include "hostsim/Numbers.h"

#include <gtest/gtest.h>

namespace hostsim {
namespace {

TEST(Numbers, FixedAndReal) {
  EXPECT_EQ(FormatFixed(123, 4), "123.0000");
  EXPECT_EQ(FormatFixed(-0.00001, 4), "0.0000");
  EXPECT_EQ(FormatFixed(2.5, 0), "2");  // round half to even, as printf does
  EXPECT_EQ(FormatReal(1500), "1500.0");
  EXPECT_EQ(FormatReal(-2.5), "-2.5");
  EXPECT_EQ(FormatReal(1.0 / 3.0), "0.3333333333333333");
  EXPECT_EQ(FormatReal(1234.5678901234567), "1234.567890123457");
  EXPECT_EQ(FormatReal(0.1 + 0.2, 15), "0.3");
  EXPECT_EQ(FormatReal(1e20), "1.000000000000000E+20");
  EXPECT_EQ(FormatReal(1.224646799147353e-16), "1.224646799147353E-16");
  EXPECT_EQ(FormatReal(-1.5e-7), "-1.500000000000000E-07");
  EXPECT_EQ(FormatReal(0.00001), "0.00001");
}

TEST(Numbers, Parse) {
  EXPECT_EQ(ParseReal(" 12.5 "), 12.5);
  EXPECT_EQ(ParseReal("+3"), 3.0);
  EXPECT_EQ(ParseReal("-.5"), -0.5);
  EXPECT_EQ(ParseReal("1e3"), 1000.0);
  EXPECT_FALSE(ParseReal("12,5"));
  EXPECT_FALSE(ParseReal(""));
  EXPECT_FALSE(ParseReal("1.2.3"));
  EXPECT_EQ(ParseInteger("4133"), 4133);
  EXPECT_FALSE(ParseInteger("1.0"));
}

}  // namespace
}  // namespace hostsim
