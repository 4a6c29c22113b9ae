// 基準線, a-b反転 and 戻す against the simulated host: the triangle of two typed sides built on
// a picked line or polyline side, on the side the drawing leaves free or the user picks,
// rebuilt with its sides exchanged, or taken back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::ExpectLabels;
using hosttest::LabelsOf;
using hosttest::RefusingFiles;
using hosttest::WorkflowFixture;

constexpr const char* kNoTriangle = "三角が作成できない";

struct BaseLineTriangleTest : WorkflowFixture {
  BaseLineTriangleTest() {
    // Sides 6 and 8 times the multiplier 1000 (UpDown5 at 3): 6000 and 8000 drawing units over
    // a base of 10000, labelled at scale 1000 as 6.00, 8.00 and 10.00.
    form.Edit1.SetText("6");
    form.Edit2.SetText("8");
    // The user works on a layer of their own, which every run must leave current.
    host.Type("_-LAYER M 測量\r\r");
  }
  void Build() { form.RunHandler(&TForm1::Button1Click); }
  void Exchange() { form.RunHandler(&TForm1::Button9Click); }
  void TakeBack() { form.RunHandler(&TForm1::Button7Click); }
  // One of the triangle's two new sides, on the side-line layer.
  bool HasSide(double ax, double ay, double bx, double by) {
    return HasLine("H_HEN", ax, ay, bx, by);
  }
  // The drawing holds the triangle over (0,0)–(10000,0) with its apex at (x, y): two new sides,
  // one mark numbered `number` carrying the sides as built.
  void ExpectTriangle(double x, double y, int number) {
    EXPECT_EQ(All<hostsim::Line>("H_HEN").size(), 2u);
    EXPECT_TRUE(HasSide(0, 0, x, y)) << x << "," << y;
    EXPECT_TRUE(HasSide(10000, 0, x, y)) << x << "," << y;
    const auto marks = Marks();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].number, number);
    EXPECT_NEAR(marks[0].sides[0], 10000, 1e-6);
    EXPECT_NEAR(marks[0].sides[1], std::hypot(10000 - x, y), 1e-6);
    EXPECT_NEAR(marks[0].sides[2], std::hypot(x, y), 1e-6);
  }
};

// The pick decides which end side a starts at, the target which of the two apexes is taken.
TEST_F(BaseLineTriangleTest, SideAStartsAtTheEndNearerThePickAndTheTargetTakesTheApex) {
  const struct {
    double pickX, targetY;
    double apexX, apexY;
  } cases[] = {
      {1000, 3000, 3600, 4800},
      {1000, -3000, 3600, -4800},
      {9000, 3000, 6400, 4800},
      {9000, -3000, 6400, -4800},
  };
  form.CheckBox1.SetChecked(false);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "pick " << c.pickX << " target " << c.targetY);
    host.drawing().entities.clear();
    form.Edit16.SetText("1");
    AddLine(0, 0, 10000, 0);
    host.user().PickObject(c.pickX, 0).PickPoint(5000, c.targetY);
    Build();
    EXPECT_TRUE(Messages().empty());
    ExpectTriangle(c.apexX, c.apexY, 1);
    std::vector<std::string> texts;
    for (const hostsim::Text* t : Labels()) texts.push_back(t->value);
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"10.00", "6.00", "8.00"}));
    EXPECT_EQ(form.Edit16.Text(), "2");
    EXPECT_EQ(Layer(), "測量");
    EXPECT_EQ(host.user().pending(), 0u);
  }
  ExpectAuditedDrawing();
}

TEST_F(BaseLineTriangleTest, SidesThatCannotMeetOverTheBaseAreToldAndNothingIsDrawn) {
  form.Edit1.SetText("4");
  form.Edit2.SetText("6");
  AddLine(0, 0, 10000, 0);
  host.user().PickObject(1000, 0).PickPoint(5000, 3000);
  Build();
  EXPECT_EQ(Messages(), (std::vector<std::string>{kNoTriangle}));
  EXPECT_EQ(EntityCount(), 1u);
  EXPECT_EQ(CountSent("_UNDO"), 0);
  EXPECT_EQ(form.Edit16.Text(), "1");
  EXPECT_EQ(Layer(), "測量");
  EXPECT_EQ(host.user().pending(), 1u);  // no side was asked for
}

// With the side found automatically, a fence on each side of the base counts the lines it
// crosses, the base included whatever its kind: a side whose fence crosses the base alone is
// free and taken without asking; otherwise the user picks the side.
TEST_F(BaseLineTriangleTest, TheAutomaticSideIsTheOneWhoseFenceCrossesOnlyTheBase) {
  const struct {
    const char* name;
    bool polylineBase;
    double otherLineY;  // a line across the fences' foot on this side; 0 for none
    bool asked;         // the user picks (below, at y -3000)
    double apexY;
  } cases[] = {
      {"line base, a line below", false, -2000, false, 4800},
      {"line base, a line above", false, 2000, false, -4800},
      {"line base, nothing near", false, 0, true, -4800},
      {"polyline base, a line below", true, -2000, false, 4800},
      {"polyline base, a line above", true, 2000, false, -4800},
      {"polyline base, nothing near", true, 0, true, -4800},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.drawing().entities.clear();
    host.user().Clear();
    form.Edit16.SetText("1");
    if (c.polylineBase) {
      hostsim::LwPolyline base;
      base.vertices = {{0, 0, 0}, {10000, 0, 0}};
      Add(base);
    } else {
      AddLine(0, 0, 10000, 0);
    }
    if (c.otherLineY != 0) AddLine(-1000, c.otherLineY, 11000, c.otherLineY);
    host.user().PickObject(1000, 0).PickPoint(5000, -3000);
    Build();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(host.user().pending(), c.asked ? 0u : 1u);
    ExpectTriangle(3600, c.apexY, 1);
    EXPECT_EQ(Layer(), "測量");
  }
}

// A closed polyline is one object however many of its sides a fence crosses: inside the
// parcel the fence crosses the base and the far side, so the free side is outside.
TEST_F(BaseLineTriangleTest, AParcelPolylineCountsEachSideTheFenceCrosses) {
  AddPolygon({{0, 0}, {10000, 0}, {10000, 9000}, {0, 9000}});
  host.user().PickObject(1000, 0).PickPoint(5000, 3000);
  Build();
  EXPECT_EQ(host.user().pending(), 1u);
  ExpectTriangle(3600, -4800, 1);
}

// The second triangle on a base goes where the first is not, and the labels and marks on the
// text layer do not occupy a side. The text layer is left on or off as the user had it.
TEST_F(BaseLineTriangleTest, ASecondTriangleOnTheSameBaseGoesToTheOtherSide) {
  for (const bool textLayerOn : {true, false}) {
    SCOPED_TRACE(textLayerOn ? "text layer on" : "text layer off");
    host.drawing().entities.clear();
    host.user().Clear();
    form.Edit16.SetText("1");
    AddLine(0, 0, 10000, 0);
    form.CheckBox1.SetChecked(false);
    host.user().PickObject(1000, 0).PickPoint(5000, 3000);
    Build();
    ASSERT_EQ(Marks().size(), 1u);
    // A line on the text layer below (a mark's leader, say) is no occupant either.
    Add(hostsim::Line{{-1000, -2000, 0}, {11000, -2000, 0}}, "H_TEXT");
    host.Type(textLayerOn ? "_-LAYER ON H_TEXT\r\r" : "_-LAYER OF H_TEXT\r\r");

    form.CheckBox1.SetChecked(true);
    host.user().PickObject(1000, 0).PickPoint(5000, 3000);
    Build();
    EXPECT_EQ(host.user().pending(), 1u);
    EXPECT_TRUE(HasSide(0, 0, 3600, -4800));
    EXPECT_TRUE(HasSide(10000, 0, 3600, -4800));
    EXPECT_EQ(form.Edit16.Text(), "3");
    ASSERT_NE(host.drawing().FindLayer("H_TEXT"), nullptr);
    EXPECT_EQ(host.drawing().FindLayer("H_TEXT")->on, textLayerOn);
    EXPECT_EQ(Layer(), "測量");
    host.Type("_-LAYER ON H_TEXT\r\r");
  }
}

TEST_F(BaseLineTriangleTest, ACancelledSidePickBuildsNothing) {
  AddLine(0, 0, 10000, 0);
  const std::string before = DescribeEntities();
  host.user().PickObject(1000, 0).PressEscape();
  Build();
  EXPECT_EQ(DescribeEntities(), before);
  EXPECT_EQ(CountSent("_UNDO"), 0);
  EXPECT_EQ(form.Edit16.Text(), "1");
  EXPECT_EQ(Layer(), "測量");
  // Nothing to exchange or take back.
  world.windows.sent.clear();
  Exchange();
  TakeBack();
  EXPECT_TRUE(world.windows.sent.empty());
  EXPECT_EQ(form.Edit16.Text(), "1");
}

// In both modes; base-height mode leaves the height-line layer current after labelling.
TEST_F(BaseLineTriangleTest, ExchangeRebuildsTheLastTriangleUnderItsNumberOnTheSameSide) {
  form.CheckBox1.SetChecked(false);
  for (const int mode : {0, 1}) {
    SCOPED_TRACE(mode == 0 ? "three sides" : "base and height");
    host.drawing().entities.clear();
    form.Edit16.SetText("1");
    form.RadioGroup1.SetItemIndex(mode);
    AddLine(0, 0, 10000, 0);
    host.user().PickObject(1000, 0).PickPoint(5000, 3000);
    Build();
    ExpectTriangle(3600, 4800, 1);

    Exchange();
    ExpectTriangle(6400, 4800, 1);
    EXPECT_EQ(Labels().size(), mode == 0 ? 3u : 2u);
    // The first triangle's height line went with it.
    EXPECT_EQ(All<hostsim::Line>("H_TAKASA").size(), mode == 0 ? 0u : 1u);
    EXPECT_EQ(form.Edit16.Text(), "2");
    EXPECT_EQ(Layer(), "測量");

    // Again: back where it was, still number 1.
    Exchange();
    ExpectTriangle(3600, 4800, 1);
    EXPECT_EQ(form.Edit16.Text(), "2");
    EXPECT_EQ(Layer(), "測量");
  }
  ExpectAuditedDrawing();
}

TEST_F(BaseLineTriangleTest, TakeBackUndoesTheConstructionOnceAndTheCounterGoesBackOne) {
  AddLine(0, 0, 10000, 0);
  const std::string before = DescribeEntities();
  form.CheckBox1.SetChecked(false);
  host.user().PickObject(1000, 0).PickPoint(5000, 3000);
  Build();
  ASSERT_EQ(form.Edit16.Text(), "2");

  TakeBack();
  EXPECT_EQ(DescribeEntities(), before);
  EXPECT_EQ(form.Edit16.Text(), "1");
  EXPECT_EQ(Layer(), "測量");

  // A second 戻す, or a-b反転 after it, finds no construction to act on.
  world.windows.sent.clear();
  TakeBack();
  Exchange();
  EXPECT_TRUE(world.windows.sent.empty());
  EXPECT_EQ(DescribeEntities(), before);
  EXPECT_EQ(form.Edit16.Text(), "1");

  // With the host gone nothing is undone, so the counter stays.
  host.user().PickObject(1000, 0).PickPoint(5000, 3000);
  Build();
  ASSERT_EQ(form.Edit16.Text(), "2");
  host.Close();
  TakeBack();
  EXPECT_EQ(form.Edit16.Text(), "2");
}

// After any other workflow the host's last undo mark stands before that work too: neither
// button may go back to it.
TEST_F(BaseLineTriangleTest, AnotherWorkflowInBetweenLeavesNothingToTakeBackOrExchange) {
  AddLine(0, 0, 10000, 0);
  AddOutline({{0, 10000}, {10000, 10000}, {10000, 15000}, {0, 15000}});
  form.CheckBox1.SetChecked(false);
  host.user().PickObject(1000, 0).PickPoint(5000, 3000);
  Build();
  host.user().PickPoint(5000, 12500);
  form.RunHandler(&TForm1::Button10Click);  // 自動: two triangles, numbers 2 and 3
  ASSERT_EQ(form.Edit16.Text(), "4");
  const std::string after = DescribeEntities();

  world.windows.sent.clear();
  TakeBack();
  Exchange();
  EXPECT_TRUE(world.windows.sent.empty());
  EXPECT_EQ(DescribeEntities(), after);
  EXPECT_EQ(form.Edit16.Text(), "4");
}

// A run that fails while it labels gives the user's layer back, and leaves no construction for
// 戻す or a-b反転 to act on: its mark may stand before a triangle the counter never counted.
TEST_F(BaseLineTriangleTest, TheLayerComesBackWhenAnErrorEndsTheRun) {
  AddLine(0, 0, 10000, 0);
  form.CheckBox1.SetChecked(false);
  host.user().PickObject(1000, 0).PickPoint(5000, 3000);
  {
    RefusingFiles files(world.files, "C:\\Velsarom\\Menseki.dxf");
    platform::Ports withRefusal = world.ports();
    withRefusal.files = &files;
    const platform::ScopedPorts installed(withRefusal);
    Build();
  }
  ASSERT_EQ(world.messages.shown.size(), 1u);  // the general error: the label's file
  EXPECT_NE(world.messages.shown[0].first.find("Menseki.dxf"), std::string::npos);
  EXPECT_TRUE(HasSide(0, 0, 3600, 4800));
  EXPECT_EQ(Layer(), "測量");
  EXPECT_EQ(form.Edit16.Text(), "1");

  world.windows.sent.clear();
  TakeBack();
  Exchange();
  EXPECT_TRUE(world.windows.sent.empty());
  EXPECT_EQ(form.Edit16.Text(), "1");
}

// A host value that cannot be read: an unreadable layer is not sent back (the host would be
// left asking for one), and an angle base that is no number ends the run before anything is
// drawn, with the angle unit and the user's layer as they were.
TEST_F(BaseLineTriangleTest, HostValuesThatCannotBeReadAreNotSentBack) {
  const struct {
    const char* query;
    const char16_t* shown;
    bool built;
  } cases[] = {
      {"'SETVAR CLAYER\r", u"CLAYER の新しい値を入力 <>: ", true},
      {"'SETVAR ANGBASE\r", u"ANGBASE の新しい値を入力 <北>: ", false},
  };
  form.CheckBox1.SetChecked(false);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    host.drawing().entities.clear();
    host.Type("_-LAYER S 測量\r\r");
    host.drawing().header.aunits = 2;
    world.windows.sent.clear();
    world.messages.shown.clear();
    form.Edit16.SetText("1");
    AddLine(0, 0, 10000, 0);
    const auto unreadable = Unreadable(c.query, c.shown);
    host.user().PickObject(1000, 0).PickPoint(5000, 3000);
    Build();
    EXPECT_EQ(host.core().Variable("AUNITS"), "2");
    if (c.built) {
      EXPECT_TRUE(Messages().empty());
      ExpectTriangle(3600, 4800, 1);
      EXPECT_EQ(CountSent("\x03_CLAYER"), 0);
    } else {
      EXPECT_EQ(Messages().size(), 1u);  // the general error
      EXPECT_EQ(EntityCount(), 1u);
      EXPECT_EQ(CountSent("_UNDO"), 0);
      EXPECT_EQ(form.Edit16.Text(), "1");
      EXPECT_EQ(Layer(), "測量");
    }
  }
}

// Under every angle setting the labels stand at their sides' midpoints reading along them and
// the mark stands upright at the incentre (4000, 2000), as with ANGBASE 0.
TEST_F(BaseLineTriangleTest, LabelsAndMarkLandWhereTheyBelongUnderEveryAngleSetting) {
  const char* settings[] = {"_ANGBASE 0 _ANGDIR 0 ", "_ANGBASE 90 _ANGDIR 1 ",
                            "_ANGBASE 90 _ANGDIR 0 ", "_ANGBASE 30 _ANGDIR 1 "};
  form.CheckBox1.SetChecked(false);
  for (const char* setting : settings) {
    SCOPED_TRACE(setting);
    host.drawing().entities.clear();
    form.Edit16.SetText("1");
    host.Type(setting);
    AddLine(0, 0, 10000, 0);
    host.user().PickObject(1000, 0).PickPoint(5000, 3000);
    Build();
    ExpectTriangle(3600, 4800, 1);
    // 10000,0 → 3600,4800 reads at 143.13° - 180°; 3600,4800 → 0,0 at 233.13° - 180°.
    ExpectLabels(
        LabelsOf(Labels()),
        {{"10.00", 5000, 0, 0}, {"8.00", 6800, 2400, 323.130102}, {"6.00", 1800, 2400, 53.130102}});
    const auto marks = Marks();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_NEAR(marks[0].centre.x, 4000, 1e-6);
    EXPECT_NEAR(marks[0].centre.y, 2000, 1e-6);
    for (const auto& [e, t] : All<hostsim::Text>("H_TEXT")) {
      if (!e->xdata.empty()) {
        EXPECT_NEAR(std::remainder(t->rotation, 360.0), 0, 1e-9);
      }
    }
    // The exchanged triangle too.
    Exchange();
    ExpectTriangle(6400, 4800, 1);
    EXPECT_EQ(Layer(), "測量");
  }
}

}  // namespace
