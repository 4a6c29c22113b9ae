#include "numbers/NumberText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

struct FloatCase {
  const char* text;
  bool ok;
  long double value;
};

TEST(TryParseFloat, AcceptsTheFormsAFormLibraryAccepts) {
  const FloatCase cases[] = {
      {"0", true, 0.0L},      {"2.5", true, 2.5L},     {"  -12.75  ", true, -12.75L},
      {"+3", true, 3.0L},     {".5", true, 0.5L},      {"5.", true, 5.0L},
      {"1e3", true, 1000.0L}, {"1E-2", true, 0.01L},   {"-1.5e+2", true, -150.0L},
      {"\t7\t", true, 7.0L},  {"1000", true, 1000.0L}, {"00012.500", true, 12.5L},
      {"", false, 0},         {"   ", false, 0},       {"abc", false, 0},
      {"1,5", false, 0},      {"1.2.3", false, 0},     {"1e", false, 0},
      {"e5", false, 0},       {".", false, 0},         {"-", false, 0},
      {"1 2", false, 0},      {"0x10", false, 0},      {"inf", false, 0},
      {"nan", false, 0},      {"1e99999", false, 0},   {"12a", false, 0},
  };
  for (const auto& c : cases) {
    long double v = -99;
    EXPECT_EQ(TryParseFloat(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

TEST(TryParseFloat, NegativeZeroAndUnderflowKeepTheSign) {
  long double v = 1;
  ASSERT_TRUE(TryParseFloat("-0", v));
  EXPECT_TRUE(std::signbit(v));
  ASSERT_TRUE(TryParseFloat("1e-99999", v));
  EXPECT_EQ(v, 0.0L);
}

// glibc's strtold is correctly rounded; ours must agree bit for bit on every kind of input:
// short and long digit strings, halfway cases, subnormals and the edges of the range.
TEST(TryParseFloat, AgreesWithACorrectlyRoundedReferenceEverywhere) {
  std::mt19937_64 rng(12345);
  auto digits = [&](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>('0' + rng() % 10));
    return s;
  };
  std::vector<std::string> inputs = {
      "0.1",
      "0.3",
      "1.005",
      "3.1415926535897932384626433832795",
      "1e4932",
      "1.18973149535723176502e4932",
      "1.18973149535723176508e4932",  // just past the largest value: overflow in both
      "3.64519953188247460253e-4951",
      "1.8225997659412373012e-4951",
      "1.82259976594123730127e-4951",
      "3.3621031431120935063e-4932",
      "9007199254740993",
      "18446744073709551615",
      "18446744073709551617",
      "36893488147419103231",  // halfway above 2^65
      "0.000000000000000000000000000000000000001",
      "123456789012345678901234567890e-30"};
  for (int i = 0; i < 20000; ++i) {
    std::string s = digits(1 + static_cast<int>(rng() % 40));
    const int point = static_cast<int>(rng() % (s.size() + 1));
    s.insert(static_cast<std::size_t>(point), ".");
    // Mostly the magnitudes of drawings, now and then the far ends of the range.
    const int e = static_cast<int>(rng() % 9900) - 4950;
    if (rng() % 4 != 0) s += "e" + std::to_string(rng() % 20 == 0 ? e : e / 100);
    inputs.push_back(s);
  }
  // Exact halfway points between neighbouring extended values of assorted magnitudes.
  for (int i = 0; i < 2000; ++i) {
    long double a = std::ldexp(static_cast<long double>(rng() | (1ULL << 63)),
                               static_cast<int>(rng() % 400) - 263);
    long double b = std::nextafter(a, 1e4000L);
    char buf[200];
    std::snprintf(buf, sizeof buf, "%.70Le", a / 2 + b / 2);  // not exact: near-halfway
    inputs.push_back(buf);
  }
  int checked = 0;
  for (const auto& s : inputs) {
    char* end = nullptr;
    errno = 0;
    const long double reference = std::strtold(s.c_str(), &end);
    const bool overflow = errno == ERANGE && std::isinf(reference);
    long double ours = 0;
    const bool ok = TryParseFloat(s, ours);
    ASSERT_EQ(ok, !overflow) << s;
    if (ok) {
      ASSERT_EQ(std::memcmp(&ours, &reference, 10), 0) << s;
      ++checked;
    }
  }
  EXPECT_GT(checked, 20000);
}

TEST(TryParseInt, AcceptsDecimalIntegersWithinRange) {
  struct Case {
    const char* text;
    bool ok;
    long long value;
  } cases[] = {
      {"0", true, 0},
      {" 42 ", true, 42},
      {"-17", true, -17},
      {"+5", true, 5},
      {"9223372036854775807", true, 9223372036854775807LL},
      {"-9223372036854775808", true, -9223372036854775807LL - 1},
      {"9223372036854775808", false, 0},
      {"1.0", false, 0},
      {"1e3", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"12 3", false, 0},
      {"0x1F", false, 0},
  };
  for (const auto& c : cases) {
    long long v = -99;
    EXPECT_EQ(TryParseInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

TEST(StrToNumber, ThrowsTheConversionErrorNamingTheText) {
  EXPECT_EQ(StrToFloat(" 2.5"), 2.5L);
  EXPECT_EQ(StrToInt("-3"), -3);
  try {
    StrToFloat("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' は有効な浮動小数点数ではありません。");
  }
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' は有効な整数値ではありません。");
  }
  EXPECT_THROW(StrToInt("2147483648"), EConvertError);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
  EXPECT_THROW(StrToInt("1.5"), EConvertError);
}

}  // namespace
