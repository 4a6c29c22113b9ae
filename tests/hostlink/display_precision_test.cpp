// Values the host shows rounded to the user's display precision ("LUPREC (System Variable)",
// "AUPREC (System Variable)": no places of angle as the host is installed) are read with every
// place, and the user's precision comes back as it was.
#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"
#include "hostlink/HostVocabulary.h"
#include "tests/support/HostFixture.h"

namespace {

using DisplayPrecisionTest = hosttest::HostFixture;

TEST_F(DisplayPrecisionTest, AnglesLengthsAndPicksAreReadWithEveryPlace) {
  constexpr double kDegree = std::numbers::pi / 180;
  hostsim::Header& h = host.drawing().header;
  for (const int places : {0, 3, 8}) {
    SCOPED_TRACE(places);
    world.windows.sent.clear();
    h.luprec = places;
    h.auprec = places;
    h.angbase = 33.33 * kDegree;
    h.dimscale = 2.5;
    EXPECT_NEAR(ReadHostAngles(link).base, 33.33 * kDegree, 1e-9);
    EXPECT_EQ(ReadHostNumber(link, vocab::kDimScale), 2.5);
    host.user().PickPoint(10.2525, 20.7575);
    TAcadPoint p;
    ASSERT_EQ(PickPoint(link, p), HostResult::Done);
    EXPECT_NEAR(static_cast<double>(p.x), 10.2525, 1e-9);
    EXPECT_NEAR(static_cast<double>(p.y), 20.7575, 1e-9);
    // The user's precision as it was; at 8 places nothing needs changing.
    host.Settle();
    EXPECT_EQ(host.core().Variable("LUPREC"), std::to_string(places));
    EXPECT_EQ(host.core().Variable("AUPREC"), std::to_string(places));
    EXPECT_EQ(CountSent("_LUPREC 8 ") > 0, places != 8);
    EXPECT_EQ(CountSent("_AUPREC 8 ") > 0, places != 8);
  }
}

}  // namespace
