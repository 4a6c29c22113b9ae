// Angles as the host reads them typed: what each notation means under each AUNITS, and what the
// host would not read (and so must never be typed into its angle prompt).
#include "numbers/AngleText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(HostAngleDegrees, EachNotationUnderEachAngleUnit) {
  struct Case {
    const char* text;
    int aunits;
    double degrees;  // counter-clockwise
  };
  const Case cases[] = {
      // A plain number is read in AUNITS's unit: degrees for 0, 1 and 4.
      {"180.0", 0, 180},
      {"-90", 0, -90},
      {"+45", 1, 45},
      {".5", 4, 0.5},
      {"1e2", 0, 100},
      {"100", 2, 90},                      // grads
      {"3.14159265358979323846", 3, 180},  // radians
      // Its own unit, whatever AUNITS is.
      {"45d", 2, 45},
      {"45d30'", 3, 45.5},
      {"45d30'15\"", 0, 45.504166666666667},
      {"-45d30'15\"", 2, -45.504166666666667},
      {"0d10'20\"", 3, 0.17222222222222222},
      {"12.5d", 1, 12.5},
      {"50g", 0, 45},
      {"50G", 3, 45},
      {"1.2r", 0, 68.754935415698782},
      {"-0.5R", 2, -28.647889756541161},
      // Surveyor's bearings, counted from east, whatever AUNITS is.
      {"N45d30'E", 4, 44.5},
      {"N45d30'W", 0, 135.5},
      {"S45d30'E", 2, 315.5},
      {"S45d30'W", 3, 224.5},
      {"n45d20'6\"e", 4, 44.665},
      {"N30E", 0, 60},
      {"S90W", 4, 180},
      {"N0d0'0\"E", 4, 90},
      {"N", 4, 90},
      {"e", 0, 0},
      {"W", 1, 180},
      {"S", 2, 270},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "[" << c.text << "] AUNITS " << c.aunits);
    const std::optional<long double> got = HostAngleDegrees(c.text, c.aunits);
    ASSERT_TRUE(got.has_value());
    EXPECT_NEAR(static_cast<double>(*got), c.degrees, 1e-12);
    EXPECT_TRUE(IsHostAngle(c.text));
  }
}

// None of these is read as an angle under any AUNITS. A blank ends the answer at the host's
// prompt, so " 90" would answer the default and type "90" as a command.
TEST(HostAngleDegrees, WhatTheHostWouldNotRead) {
  const char* const texts[] = {
      "",     " 90", "90 ",   "9 0",    "N 45d E", "90\t",     "4\r5",    "半回転",      "９０",
      "90°",  "abc", "d",     "45D",    "45d30",   "45d30'15", "45d-30'", "45d30'-15\"", "d30'",
      "45dd", "g",   "r",     "1.2rad", "50gon",   "1,2",      "@90",     "'90",         "N45",
      "45E",  "NE",  "N-45E", "N+45E",  "N91E",    "N90d1'E",  "E45dN",   "NS",          "1e400",
      "inf",  "nan", "0x10",  "1.2.3",  "--5",     "5-",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(testing::Message() << "[" << text << "]");
    for (int aunits = 0; aunits <= 4; ++aunits)
      EXPECT_FALSE(HostAngleDegrees(text, aunits).has_value()) << "AUNITS " << aunits;
    EXPECT_FALSE(IsHostAngle(text));
  }
}

}  // namespace
