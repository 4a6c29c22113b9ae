// Numbers of DXF values: the fast path must give exactly what the program's general
// conversion gives, for every text, accepted or not.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "dxf/DxfNumber.h"
#include "numbers/NumberText.h"

namespace {

TEST(DxfNumber, Reals) {
  struct Case {
    const char* text;
    bool ok;
    long double value;
  };
  const Case cases[] = {
      {"0.1", true, 0.1L},
      {"-0.5", true, -0.5L},
      {"  12 ", true, 12.0L},
      {"1.", true, 1.0L},
      {".5", true, 0.5L},
      {"+3", true, 3.0L},
      {"1e3", true, 1000.0L},
      {"1E-3", true, 0.001L},
      {"\t2\t", true, 2.0L},
      {"12345.6789012345678901234", true, 12345.6789012345678901234L},
      {"0.000000000000000000000000000001", true, 1e-30L},
      {"100000000000000000000000000000", true, 1e29L},
      {"1000000000000000000000.5", true, 1000000000000000000000.5L},
      {"0.10000000000000000000000000", true, 0.1L},
      {"", false, 0},
      {" ", false, 0},
      {"-", false, 0},
      {".", false, 0},
      {"1.5.2", false, 0},
      {"1,5", false, 0},
      {"0x10", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"1e", false, 0},
      {"e5", false, 0},
      {"1 2", false, 0},
      {"--1", false, 0},
      {"1e99999", false, 0},
  };
  for (const Case& c : cases) {
    long double v = 0;
    EXPECT_EQ(ParseDxfReal(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  long double negativeZero = 1;
  ASSERT_TRUE(ParseDxfReal("-0.000", negativeZero));
  EXPECT_TRUE(std::signbit(negativeZero));
}

TEST(DxfNumber, Integers) {
  struct Case {
    const char* text;
    bool ok16;
    int value;
  };
  const Case cases[] = {
      {"  0", true, 0},     {"32767", true, 32767}, {"-32768", true, -32768},
      {" 5 ", true, 5},     {"+5", true, 5},        {"32768", false, 0},
      {"-32769", false, 0}, {"1.0", false, 0},      {"1.5", false, 0},
      {"", false, 0},       {"7a", false, 0},       {"0000000000000000000042", true, 42},
  };
  for (const Case& c : cases) {
    std::int16_t v = 0;
    EXPECT_EQ(ParseDxfInt16(c.text, v), c.ok16) << c.text;
    if (c.ok16) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  int code = 0;
  EXPECT_TRUE(ParseDxfInt("1071", code));
  EXPECT_EQ(code, 1071);
  EXPECT_TRUE(ParseDxfInt(" -5", code));
  EXPECT_EQ(code, -5);
  EXPECT_TRUE(ParseDxfInt("2147483647", code));
  EXPECT_FALSE(ParseDxfInt("2147483648", code));
  EXPECT_FALSE(ParseDxfInt("99999999999999999999", code));
}

// Random texts around the limits of the fast path (19 digits, exponents up to 27, zeros before
// and after, blanks, signs): accepted alike and bit for bit the same value.
TEST(DxfNumber, FastPathAgreesWithTheGeneralRule) {
  std::mt19937_64 rng(20240611);
  const char* signs[] = {"", "", "-", "+"};
  const char* blanks[] = {"", "", " ", "  ", "\t"};
  for (int i = 0; i < 60000; ++i) {
    std::string s = blanks[rng() % 5];
    s += signs[rng() % 4];
    const int intDigits = static_cast<int>(rng() % 24);
    const int fracDigits = static_cast<int>(rng() % 24);
    for (int d = 0; d < intDigits; ++d)
      s += static_cast<char>('0' + (rng() % 3 == 0 ? 0 : rng() % 10));
    if (rng() % 8 != 0) s += '.';
    for (int d = 0; d < fracDigits; ++d)
      s += static_cast<char>('0' + (rng() % 3 == 0 ? 0 : rng() % 10));
    if (rng() % 4 == 0) {
      s += rng() % 2 ? 'e' : 'E';
      if (rng() % 2) s += rng() % 2 ? '-' : '+';
      s += std::to_string(rng() % 40);
    }
    s += blanks[rng() % 5];
    long double fast = 0, general = 0;
    const bool fastOk = ParseDxfReal(s, fast);
    const bool generalOk = TryParseFloat(s, general);
    ASSERT_EQ(fastOk, generalOk) << "'" << s << "'";
    if (fastOk) {
      ASSERT_EQ(fast, general) << "'" << s << "'";
      ASSERT_EQ(std::signbit(fast), std::signbit(general)) << "'" << s << "'";
    }
  }
}

}  // namespace
