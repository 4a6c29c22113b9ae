// The guard of the extended arithmetic: whatever control word the process is left with (a DLL
// may set a 53-bit mantissa, another rounding or unmasked exceptions), the arithmetic runs with
// a 64-bit mantissa rounding to nearest, and the caller gets its own word back.
#include <gtest/gtest.h>

#include <cstdint>

#include "geometry/PlaneGeometry.h"
#include "numbers/NumberText.h"
#include "numbers/RoundToText.h"
#include "numbers/X87Precision.h"

namespace {

// Sets a control word for the length of a test and restores the one it found.
class ControlWordFixture : public ::testing::Test {
 protected:
  void TearDown() override { X87ExtendedPrecision::SetControlWord(saved_); }
  void Use(std::uint16_t word) { X87ExtendedPrecision::SetControlWord(word); }

 private:
  std::uint16_t saved_ = X87ExtendedPrecision::ControlWord();
};

// A division whose quotient needs every mantissa bit, from operands in memory so that the
// compiler cannot fold it.
long double Third() {
  volatile long double one = 1, three = 3;
  return one / three;
}

TEST_F(ControlWordFixture, SetsFullPrecisionAndGivesTheCallersWordBack) {
  struct Case {
    std::uint16_t word;
    const char* what;
  } cases[] = {{0x037F, "start-up word of a 64-bit program here"},
               {0x027F, "53-bit mantissa"},
               {0x007F, "24-bit mantissa"},
               {0x0F7F, "rounding towards zero, 64 bits"},
               {0x0372, "invalid operation and division by zero unmasked"}};
  for (const Case& c : cases) {
    Use(c.word);
    {
      X87ExtendedPrecision precision;
      EXPECT_EQ(X87ExtendedPrecision::ControlWord(), 0x037F) << c.what;
      {
        X87ExtendedPrecision nested;
        EXPECT_EQ(X87ExtendedPrecision::ControlWord(), 0x037F) << c.what;
      }
      EXPECT_EQ(X87ExtendedPrecision::ControlWord(), 0x037F) << c.what;
    }
    EXPECT_EQ(X87ExtendedPrecision::ControlWord(), c.word) << c.what;
  }
}

// The unit really computes differently under a 53-bit word, so that the equality below means
// something; under the guard it computes as at start-up.
TEST_F(ControlWordFixture, ArithmeticUnderA53BitWordMatchesTheStartUpWord) {
  const long double full = Third();
  Use(0x027F);
  EXPECT_NE(Third(), full);
  {
    X87ExtendedPrecision precision;
    EXPECT_EQ(Third(), full);
  }
  EXPECT_NE(Third(), full);
}

// The library's own entry points set the precision themselves.
TEST_F(ControlWordFixture, LibraryFunctionsDoNotTrustTheCallersWord) {
  long double parsed64 = 0, parsed53 = 0;
  ASSERT_TRUE(TryParseFloat("0.1", parsed64));
  const TAcadPoint a{0.1L, 0.7L}, b{12345.678L, -0.3L};
  const long double distance64 = Distance2D(a, b);
  const long double angle64 = Angle2D(a, b);
  const std::string rounded64 = RoundToText(3, kHalfUp, 1234.5675);

  Use(0x027F);
  ASSERT_TRUE(TryParseFloat("0.1", parsed53));
  const long double distance53 = Distance2D(a, b);
  const long double angle53 = Angle2D(a, b);
  const std::string rounded53 = RoundToText(3, kHalfUp, 1234.5675);
  const std::uint16_t after = X87ExtendedPrecision::ControlWord();
  Use(0x037F);
  EXPECT_EQ(parsed53, parsed64);
  EXPECT_EQ(distance53, distance64);
  EXPECT_EQ(angle53, angle64);
  EXPECT_EQ(rounded53, rounded64);
  EXPECT_EQ(after, 0x027F);
}

// A caller that unmasked an exception does not get a fault from flags our arithmetic raised
// under its own masks (here an inexact division).
TEST_F(ControlWordFixture, FlagsRaisedUnderTheGuardDoNotReachTheCaller) {
  Use(0x035F);  // precision (inexact) exception unmasked
  long double third = 0;
  {
    X87ExtendedPrecision precision;
    third = Third();
  }
  std::uint16_t status = 0;
  asm volatile("fnstsw %0" : "=m"(status));
  EXPECT_EQ(status & 0x20, 0) << "inexact flag still raised";
  Use(0x037F);
  EXPECT_EQ(third, Third());
}

}  // namespace
