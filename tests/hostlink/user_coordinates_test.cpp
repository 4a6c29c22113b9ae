// A user's UCS turned to a road, with dynamic input reading second points as relative: every
// point the system types lands at the world point it means, and every point it reads back is a
// world point.
#include "hostlink/UserCoordinates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <variant>

#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"
#include "hostlink/HostVocabulary.h"
#include "tests/support/HostFixture.h"

namespace {

// UCS turned 30 degrees, its origin at 5000,-3000; the host set as installed (DYNMODE 3,
// DYNPICOORDS 0).
struct TurnedUcs : hosttest::HostFixture {
  TurnedUcs() {
    const std::string header =
        "  0\nSECTION\n  2\nHEADER\n"
        "  9\n$UCSORG\n 10\n5000\n 20\n-3000\n 30\n0\n"
        "  9\n$UCSXDIR\n 10\n0.8660254037844387\n 20\n0.49999999999999994\n 30\n0\n"
        "  9\n$UCSYDIR\n 10\n-0.49999999999999994\n 20\n0.8660254037844387\n 30\n0\n"
        "  0\nENDSEC\n  0\nEOF\n";
    EXPECT_EQ(host.LoadDrawing(header), "");
    EXPECT_EQ(host.core().Preset("DYNMODE", "3"), "");
    EXPECT_EQ(host.core().Preset("DYNPICOORDS", "0"), "");
  }
};

TEST_F(TurnedUcs, APickIsReadBackAsTheWorldPointClickedAndLuprecIsGivenBack) {
  host.user().PickPoint(12345.5, -678.25);
  TAcadPoint p;
  ASSERT_EQ(PickPoint(link, p), HostResult::Done);
  // LASTPOINT is shown in the UCS at LUPREC's 4 places: the world point within that.
  EXPECT_NEAR(static_cast<double>(p.x), 12345.5, 1e-3);
  EXPECT_NEAR(static_cast<double>(p.y), -678.25, 1e-3);
  host.Settle();
  EXPECT_EQ(host.core().Variable("LUPREC"), "4");
  // No pick: the sentinel, as shown, is no point.
  host.user().PressEscape();
  EXPECT_EQ(PickPoint(link, p), HostResult::Cancelled);
}

TEST_F(TurnedUcs, TypedPointsLandAtTheWorldPointsMeant) {
  SendCommand(link, vocab::Line({1000, 2000, 0}, {3000.5L, 4000, 0}, 16));
  host.Settle();
  ASSERT_EQ(host.drawing().entities.size(), 1u);
  const auto& line = std::get<hostsim::Line>(host.drawing().entities[0].shape);
  EXPECT_NEAR(line.start.x, 1000, 1e-9);
  EXPECT_NEAR(line.start.y, 2000, 1e-9);
  EXPECT_NEAR(line.end.x, 3000.5, 1e-9);
  EXPECT_NEAR(line.end.y, 4000, 1e-9);
  // A fence across that line, by world points, finds it.
  EXPECT_EQ(SelectByFence(link, {2000, 2000, 0}, {2000, 4000, 0}).count, 1);
}

TEST_F(TurnedUcs, TheAnglesCarryTheUcsTurnThatInsertAddsToItsRotation) {
  const HostAngles angles = ReadHostAngles(link);
  EXPECT_EQ(angles.base, 0);
  // Measured, not read from UCSXDIR's eight places: 検算 takes points 1e-9 of the drawing apart.
  EXPECT_NEAR(angles.ucsTurn, std::atan2(0.49999999999999994, 0.8660254037844387), 1e-14);
  host.Settle();
  EXPECT_EQ(host.core().Variable("LUPREC"), "4");
  EXPECT_EQ(host.core().Variable("AUNITS"), "0");
}

TEST(UserCoordinates, UcsPointsInWorldCoordinates) {
  const double c = std::sqrt(3.0) / 2;
  const UserCoordinates ucs{{5000, -3000, 0}, {c, 0.5L, 0}, {-0.5L, c, 0}};
  const TAcadPoint w = UcsToWorld(ucs, {100, 0, 0});
  EXPECT_NEAR(static_cast<double>(w.x), 5000 + 100 * c, 1e-9);
  EXPECT_NEAR(static_cast<double>(w.y), -3000 + 50, 1e-9);
  EXPECT_NEAR(XAxisDirection(ucs), std::numbers::pi / 6, 1e-12);
  const UserCoordinates world;
  const TAcadPoint p{1.25L, -7, 3};
  EXPECT_EQ(UcsToWorld(world, p).x, p.x);
  EXPECT_EQ(UcsToWorld(world, p).y, p.y);
  EXPECT_EQ(XAxisDirection(world), 0);
}

}  // namespace
