// 長さ記入 against the simulated host: the length of a picked line, or of the polyline side
// nearest to the pick, lands at its midpoint reading along it, under every angle setting.
#include <gtest/gtest.h>

#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/HostFixture.h"
#include "tools/WriteLineLength.h"

namespace {

using hosttest::Label;
using hosttest::WorkflowFixture;

struct WriteLineLengthTest : WorkflowFixture {
  WriteLineLengthTest() {
    // The user works on a layer of their own and in degrees, minutes and seconds.
    host.Type("_-LAYER M 測量\r\r");
    host.drawing().header.aunits = 1;
  }
  void Run() { form.RunHandler(&TForm1::Button11Click); }
  void ExpectSettingsGivenBack() {
    EXPECT_EQ(host.drawing().header.clayer, "測量");
    EXPECT_EQ(host.core().Variable("AUNITS"), "1");
  }
};

TEST_F(WriteLineLengthTest, ALineOrThePolylineSideNearestThePickIsLabelledAlongIt) {
  struct Case {
    bool polyline;
    double pickX, pickY;
    double baseDegrees;
    int direction;
    Label expected;
  };
  // Millimetres at scale 1000: the labels read metres.
  const Case cases[] = {
      {false, 3000, 1000, 0, 0, {"6.00", 5000, 1000, 0}},
      {false, 3000, 1000, 90, 1, {"6.00", 5000, 1000, 0}},
      {false, 3000, 1000, 30, 0, {"6.00", 5000, 1000, 0}},
      // The square (12000,2000)-(18000,6000): right side picked low, top side picked at its right.
      {true, 18000, 2500, 0, 0, {"4.00", 18000, 4000, 90}},
      {true, 17500, 6000, 0, 0, {"6.00", 15000, 6000, 0}},
      {true, 18000, 2500, 90, 1, {"4.00", 18000, 4000, 90}},
      {true, 12000, 3000, 30, 0, {"4.00", 12000, 4000, 90}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.polyline ? "polyline" : "line") << " ANGBASE "
                                    << c.baseDegrees << " ANGDIR " << c.direction);
    host.drawing().entities.clear();
    host.drawing().header.angbase = c.baseDegrees * std::numbers::pi / 180;
    host.drawing().header.angdir = c.direction;
    if (c.polyline) {
      AddPolygon({{12000, 2000}, {18000, 2000}, {18000, 6000}, {12000, 6000}});
    } else {
      AddLine(8000, 1000, 2000, 1000);  // drawn right to left: the text still reads left to right
    }
    host.user().PickObject(c.pickX, c.pickY);
    Run();

    EXPECT_TRUE(Messages().empty());
    hosttest::ExpectLabels(hosttest::LabelsOf(Labels()), {c.expected});
    ExpectSettingsGivenBack();
  }
  ExpectAuditedDrawing();
}

TEST_F(WriteLineLengthTest, AnObjectWithoutStraightSidesGetsNothingAndNoMessage) {
  Add(hostsim::Arc{{5000, 5000, 0}, 2000, 0, 90});
  host.user().PickObject(7000, 5000);
  Run();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(EntityCount(), 1u);
  EXPECT_EQ(CountSent("_-INSERT"), 0);
  ExpectSettingsGivenBack();
}

}  // namespace
