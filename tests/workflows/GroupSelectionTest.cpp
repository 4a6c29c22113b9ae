// 群選択 against the simulated host: the user selects segments, the triangles among them are
// labelled in one insertion.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::ExpectLabels;
using hosttest::LabelsOf;
using hosttest::WorkflowFixture;

struct GroupSelectionTest : WorkflowFixture {
  // A 10 m square (drawing units are millimetres at the default scale 1000) as one closed
  // polyline, and its diagonal drawn as a line.
  void SquareWithDiagonal() {
    AddPolygon({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
    AddLine(0, 10000, 10000, 0);
  }
  void SelectEverything() { host.user().SelectWindow(-100, -100, 10100, 10100).PressEnter(); }
};

TEST_F(GroupSelectionTest, SquareWithADiagonalGivesTwoNumberedTriangles) {
  SquareWithDiagonal();
  form.Edit16.SetText("7");
  SelectEverything();
  form.RunHandler(&TForm1::Button13Click);

  EXPECT_TRUE(Messages().empty());
  // The diagonal is labelled once; the sides at their midpoints, reading upright.
  ExpectLabels(LabelsOf(Labels()), {{"14.14", 5000, 5000, 315},
                                    {"10.00", 5000, 0, 0},
                                    {"10.00", 0, 5000, 90},
                                    {"10.00", 5000, 10000, 0},
                                    {"10.00", 10000, 5000, 90}});
  // Two marks, numbered on from the counter, at the incentres of ((10,0),(0,10),(0,0)) and
  // ((10,0),(0,10),(10,10)), each carrying its side lengths in the triangle's order.
  const auto marks = Marks();
  ASSERT_EQ(marks.size(), 2u);
  const double r = 10000 - 10000 / std::sqrt(2.0);  // inradius of the half square
  const double diag = 10000 * std::sqrt(2.0);
  EXPECT_EQ(marks[0].number, 7);
  EXPECT_NEAR(marks[0].centre.x, r, 1e-6);
  EXPECT_NEAR(marks[0].centre.y, r, 1e-6);
  EXPECT_NEAR(marks[0].sides[0], diag, 1e-9);
  EXPECT_NEAR(marks[0].sides[1], 10000, 1e-9);
  EXPECT_NEAR(marks[0].sides[2], 10000, 1e-9);
  EXPECT_EQ(marks[1].number, 8);
  EXPECT_NEAR(marks[1].centre.x, 10000 - r, 1e-6);
  EXPECT_NEAR(marks[1].centre.y, 10000 - r, 1e-6);
  EXPECT_EQ(form.Edit16.Text(), "9");
  // One insertion; the selection itself is untouched (one polyline, one line).
  EXPECT_EQ(CountSent("_-INSERT *"), 1);
  EXPECT_EQ(All<hostsim::LwPolyline>("0").size(), 1u);
  EXPECT_EQ(All<hostsim::Line>("0").size(), 1u);
  EXPECT_EQ(host.core().Variable("AUNITS"), "0");
  ExpectAuditedDrawing();
}

TEST_F(GroupSelectionTest, BaseHeightModeDrawsHeightsAndLabelsASharedBaseOnce) {
  SquareWithDiagonal();
  form.RadioGroup1.SetItemIndex(1);
  SelectEverything();
  form.RunHandler(&TForm1::Button13Click);
  // Both triangles have the diagonal as their base: labelled once; each height labelled and
  // drawn from the right-angle corner to the square's centre.
  ExpectLabels(LabelsOf(Labels()),
               {{"14.14", 5000, 5000, 315}, {"7.07", 2500, 2500, 45}, {"7.07", 7500, 7500, 45}});
  const auto heights = All<hostsim::Line>("H_TAKASA");
  ASSERT_EQ(heights.size(), 2u);
  for (const auto& [e, l] : heights) {
    EXPECT_NEAR(l->end.x, 5000, 1e-9);
    EXPECT_NEAR(l->end.y, 5000, 1e-9);
  }
  EXPECT_EQ(Marks().size(), 2u);
  ExpectAuditedDrawing();
}

TEST_F(GroupSelectionTest, OnlyTextsSelectedIsNoSegment) {
  hostsim::Text t;
  t.insert = {100, 100, 0};
  t.value = "A";
  Add(t);
  hostsim::Circle c{{500, 500, 0}, 50};
  Add(c);
  const std::size_t before = EntityCount();
  host.user().SelectWindow(0, 0, 1000, 1000).PressEnter();
  form.RunHandler(&TForm1::Button13Click);
  EXPECT_EQ(Messages(), std::vector<std::string>{"線分またはポリラインではない."});
  EXPECT_EQ(EntityCount(), before);
  EXPECT_EQ(CountSent("_-INSERT *"), 0);
  EXPECT_EQ(form.Edit16.Text(), "1");
}

TEST_F(GroupSelectionTest, FourSidesWithoutADiagonalDrawNothing) {
  AddOutline({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
  SelectEverything();
  form.RunHandler(&TForm1::Button13Click);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(CountSent("_-INSERT *"), 0);
  EXPECT_EQ(EntityCount(), 4u);
  EXPECT_EQ(form.Edit16.Text(), "1");
}

// Regression: an angle unit that could not be read was sent back as "_AUNITS \r", leaving the
// host at 0. It is not touched at all then.
TEST_F(GroupSelectionTest, AnAngleUnitThatCannotBeReadIsNotChanged) {
  SquareWithDiagonal();
  host.drawing().header.aunits = 3;
  const auto unreadable = Unreadable("'SETVAR AUNITS\r", u"AUNITS の新しい値を入力: ");
  SelectEverything();
  form.RunHandler(&TForm1::Button13Click);
  EXPECT_EQ(CountSent("_AUNITS"), 0);
  EXPECT_EQ(host.core().Variable("AUNITS"), "3");
}

// Another workflow's button clicked while this one waits for the user's selection does not
// start inside it; a settings control clicked meanwhile does its work.
TEST_F(GroupSelectionTest, AClickOnAnotherWorkflowDuringTheWaitIsIgnored) {
  SquareWithDiagonal();
  bool delivered = false, runningThen = false;
  world.clock.PostTask([&] {
    delivered = true;
    runningThen = form.WorkflowRunning();
    form.RunHandler(&TForm1::Button13Click);
    form.RunHandler(&TForm1::Button12Click);
    form.UpDown2.SetPosition(3);
    form.RunHandler(&TForm1::UpDown2Click);
  });
  host.user().After(3000).SelectWindow(-100, -100, 10100, 10100).PressEnter();
  form.RunHandler(&TForm1::Button13Click);
  EXPECT_TRUE(delivered);
  EXPECT_TRUE(runningThen);
  EXPECT_FALSE(form.WorkflowRunning());
  EXPECT_EQ(CountSent("SELECT "), 1);
  EXPECT_EQ(CountSent("_iD"), 0);
  EXPECT_EQ(form.Keta1, 3);
  EXPECT_EQ(Marks().size(), 2u);
  EXPECT_EQ(Labels().size(), 5u);
  // The next click, after the run, starts normally.
  host.user().SelectWindow(-100, -100, 10100, 10100).PressEnter();
  form.RunHandler(&TForm1::Button13Click);
  EXPECT_EQ(CountSent("SELECT "), 2);
}

}  // namespace
