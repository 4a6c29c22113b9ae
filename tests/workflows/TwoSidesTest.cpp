// ２辺指示 against the simulated host: the user picks two segments, the third side is drawn
// where the drawing lacks it and the triangle is labelled at once.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "numbers/NumberText.h"
#include "tests/support/HostFixture.h"
#include "workflows/TwoSides.h"

namespace {

using hosttest::WorkflowFixture;

constexpr const char* kNotConnected = "2線分の端点がつながっていない";

struct TwoSidesTest : WorkflowFixture {
  TwoSidesTest() {
    // The user works on a layer of their own, which every run must leave current.
    host.Type("_-LAYER M 測量\r\r");
  }
  void Pick(double x1, double y1, double x2, double y2) {
    host.user().PickObject(x1, y1).PickObject(x2, y2);
  }
  void Run() { form.RunHandler(&TForm1::Button8Click); }
  // The labels' texts in the order they went into the drawing.
  std::vector<std::string> LabelTexts() {
    std::vector<std::string> out;
    for (const hostsim::Text* t : Labels()) out.push_back(t->value);
    return out;
  }
};

TEST_F(TwoSidesTest, TwoLinesAtACornerGetTheirThirdSideLabelsAndMark) {
  AddLine(0, 0, 10000, 0);
  AddLine(0, 0, 0, 5000);
  Pick(5000, 0, 0, 2500);
  Run();

  EXPECT_TRUE(Messages().empty());
  ASSERT_EQ(All<hostsim::Line>("H_HEN").size(), 1u);
  EXPECT_TRUE(HasLine("H_HEN", 10000, 0, 0, 5000));
  EXPECT_EQ(LabelTexts(), (std::vector<std::string>{"10.00", "11.18", "5.00"}));
  const auto marks = Marks();
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].number, 1);
  // The triangle (corner, free end of the first, free end of the second).
  EXPECT_NEAR(marks[0].sides[0], 10000, 1e-9);
  EXPECT_NEAR(marks[0].sides[1], std::hypot(10000, 5000), 1e-9);
  EXPECT_NEAR(marks[0].sides[2], 5000, 1e-9);
  EXPECT_EQ(form.Edit16.Text(), "2");
  EXPECT_EQ(Layer(), "測量");
  ExpectAuditedDrawing();

  // The third side there already: no second line, no second label; a new mark only. (Picked
  // away from the labels, which would be picked instead of the lines.)
  Pick(2000, 0, 0, 1000);
  Run();
  EXPECT_EQ(All<hostsim::Line>("H_HEN").size(), 1u);
  EXPECT_EQ(LabelTexts().size(), 3u);
  EXPECT_EQ(Marks().size(), 2u);
  EXPECT_EQ(form.Edit16.Text(), "3");
  EXPECT_EQ(Layer(), "測量");
}

// The lines need not share an end point: their crossing must lie within 0.01 of an end of
// each, and it becomes the corner.
TEST_F(TwoSidesTest, TheCornerIsTheCrossingWithinTheToleranceOfAnEndOfEach) {
  struct Case {
    double x1, y1, x2, y2;  // the second segment
    bool connected;
  };
  const Case cases[] = {
      {0.005, 0.005, 0, 5000, true},     // meets near (0.005, 0)
      {0.02, 0.02, 0.02, 5000, false},   // meets at (0.02, 0): 0.02 from the first line's end
      {5000, -2500, 5000, 2500, false},  // an X: the two cross in their middles
      {10000, 0, 20000, 0, false},       // collinear, end to end: parallel
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2);
    host.drawing().entities.clear();
    world.messages.shown.clear();
    form.Edit16.SetText("1");
    AddLine(0, 0, 10000, 0);
    AddLine(c.x1, c.y1, c.x2, c.y2);
    Pick(2500, 0, (c.x1 + c.x2) / 2 + (c.x1 == c.x2 ? 0 : 10), (c.y1 + c.y2) / 2);
    Run();
    if (c.connected) {
      EXPECT_TRUE(Messages().empty());
      EXPECT_TRUE(HasLine("H_HEN", 10000, 0, 0, 5000));
      ASSERT_EQ(Marks().size(), 1u);
      // The corner is the crossing (just off both ends), not either end.
      const double cornerX = 0.005 + 0.005 * 0.005 / (5000 - 0.005);
      EXPECT_NEAR(Marks()[0].sides[0], 10000 - cornerX, 1e-9);
      EXPECT_EQ(form.Edit16.Text(), "2");
    } else {
      EXPECT_EQ(Messages(), (std::vector<std::string>{kNotConnected}));
      EXPECT_EQ(EntityCount(), 2u);
      EXPECT_EQ(form.Edit16.Text(), "1");
    }
    EXPECT_EQ(Layer(), "測量");
  }
}

TEST_F(TwoSidesTest, BaseHeightModeWritesTheHeightFirstAndAlwaysDrawsTheHeightLine) {
  form.RadioGroup1.SetItemIndex(1);
  AddLine(0, 0, 10000, 0);
  AddLine(0, 0, 0, 5000);
  AddLine(10000, 0, 0, 5000);  // the third side, and on it the base
  Pick(5000, 0, 0, 2500);
  Run();

  EXPECT_TRUE(All<hostsim::Line>("H_HEN").empty());
  // Height 10000 · 5000 / 11180.34 = 4472.14, then the base.
  EXPECT_EQ(LabelTexts(), (std::vector<std::string>{"4.47", "11.18"}));
  const auto height = All<hostsim::Line>("H_TAKASA");
  ASSERT_EQ(height.size(), 1u);
  EXPECT_EQ(height[0].second->start.x, 0);  // from the apex, the corner
  EXPECT_NEAR(height[0].second->end.x, 2000, 1e-9);
  EXPECT_NEAR(height[0].second->end.y, 4000, 1e-9);
  ASSERT_EQ(Marks().size(), 1u);
  EXPECT_EQ(Layer(), "測量");

  // Again: the labels stand, the height line is drawn once more.
  Pick(2000, 0, 0, 1000);
  Run();
  EXPECT_EQ(LabelTexts().size(), 2u);
  EXPECT_EQ(All<hostsim::Line>("H_TAKASA").size(), 2u);
  EXPECT_EQ(Marks().size(), 2u);
  ExpectAuditedDrawing();
}

// A polyline picked near one of its sides gives that side; near a corner, a side of that corner.
TEST_F(TwoSidesTest, APolylinePickedNearASideGivesThatSide) {
  hostsim::LwPolyline l;
  l.vertices = {{10000, 0}, {0, 0}, {0, 5000}};
  Add(l);
  Pick(5000, 0, 0, 2500);
  Run();
  EXPECT_TRUE(HasLine("H_HEN", 10000, 0, 0, 5000));
  EXPECT_EQ(Marks().size(), 1u);
  EXPECT_EQ(LabelTexts().size(), 3u);  // the polyline's sides are no texts: all three labelled
}

TEST_F(TwoSidesTest, SomethingElsePickedStopsWithoutAMessageAndArcsOnlyTellTheUser) {
  hostsim::Circle c;
  c.center = {0, -5000, 0};
  c.radius = 1000;
  Add(c);
  AddLine(0, 0, 10000, 0);
  Pick(1000, -5000, 5000, 0);
  Run();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(EntityCount(), 2u);

  hostsim::LwPolyline arc;
  arc.vertices = {{0, 2000, 1}, {0, 4000, 0}};  // one half circle
  Add(arc);
  host.user().Clear();
  host.user().PickObject(1000, 3000);
  Run();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"線分またはポリラインではない"}));
  EXPECT_EQ(EntityCount(), 3u);
}

}  // namespace
