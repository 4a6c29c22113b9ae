// 番号移動 against the simulated host: the user selects a number mark and picks where it goes;
// a leader with an arrow, or a plain line, ties the moved circle to the old centre.
#include <gtest/gtest.h>

#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "hostsim/Outline.h"
#include "tests/support/HostFixture.h"
#include "tools/MoveNumberMark.h"

namespace {

using hosttest::WorkflowFixture;

constexpr double kX = 5000, kY = 5000, kRadius = 500;

struct MoveNumberMarkTest : WorkflowFixture {
  MoveNumberMarkTest() {
    hostsim::Header& h = host.drawing().header;
    h.dimasz = 2.5;
    h.dimscale = 100;
    h.dimldrblk = "_DOT";
  }
  void AddMark() {
    Add(hostsim::Circle{{kX, kY, 0}, kRadius});
    hostsim::Text t;
    t.value = "7";
    t.height = 400;
    t.halign = 1;
    t.valign = 2;
    t.align = {kX, kY, 0};
    t.insert = hostsim::JustifiedInsert(t);
    Add(t);
  }
  int luprec = 4;  // the host's display precision for lengths, as the user keeps it
  void SelectMark() { host.user().SelectWindow(4000, 4000, 6000, 6000).PressEnter(); }
  void Run() { form.RunHandler(&TForm1::Button5Click); }
  std::vector<const hostsim::Leader*> Leaders() {
    std::vector<const hostsim::Leader*> out;
    for (const auto& e : host.drawing().entities)
      if (const auto* l = std::get_if<hostsim::Leader>(&e.shape)) out.push_back(l);
    return out;
  }
  std::vector<const hostsim::Line*> Lines() {
    std::vector<const hostsim::Line*> out;
    for (const auto& e : host.drawing().entities)
      if (const auto* l = std::get_if<hostsim::Line>(&e.shape)) out.push_back(l);
    return out;
  }
  // Where the mark's circle and number stand now; they must stand together.
  hostsim::Point MarkCentre() {
    const auto circles = All<hostsim::Circle>("0");
    const auto texts = All<hostsim::Text>("0");
    EXPECT_EQ(circles.size(), 1u);
    EXPECT_EQ(texts.size(), 1u);
    if (circles.empty() || texts.empty()) return {};
    EXPECT_NEAR(texts[0].second->align.x, circles[0].second->center.x, 1e-9);
    EXPECT_NEAR(texts[0].second->align.y, circles[0].second->center.y, 1e-9);
    return circles[0].second->center;
  }
  // The host's own settings, as they were before the run.
  void ExpectSettingsGivenBack() {
    const hostsim::Header& h = host.drawing().header;
    EXPECT_EQ(h.dimasz, 2.5);
    EXPECT_EQ(h.dimldrblk, "_DOT");
    EXPECT_EQ(host.core().Variable("OSMODE"), "4133");
    EXPECT_EQ(h.luprec, luprec);
  }
};

void ExpectAt(const hostsim::Point& p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-4);
  EXPECT_NEAR(p.y, y, 1e-4);
}

// The arrow is Edit14 long in the drawing whatever DIMSCALE says: 400 at DIMSCALE 100 is sent as
// DIMASZ 4; DIMSCALE 0 (scaled by the viewport, which in the model is 1) takes it as it is. The
// mark ends where the user picked under every angle setting; the leader runs from the old centre
// (its arrow) to the point of the moved circle that faces it. A host that shows lengths without
// places (LUPREC 0) still gives DIMSCALE 2.5, DIMASZ 2.5 and the picked point whole: DIMASZ is
// given back as 2.5, not as the 3 it shows.
TEST_F(MoveNumberMarkTest, TheLeaderRunsFromTheOldCentreToTheMovedCircle) {
  struct Case {
    double dimscale;
    const char* sentSize;
    double baseDegrees;
    int direction;
    double toX, toY;
    double endX, endY;  // the leader's far end on the moved circle
    int luprec = 4;
  };
  const Case cases[] = {
      {100, "4", 0, 0, 9000, 5000, 8500, 5000},   // to the right: the left-most point
      {0, "400", 0, 0, 5000, 9000, 5000, 8500},   // upwards: the lowest point
      {100, "4", 90, 1, 2000, 1000, 2300, 1400},  // down to the left, north base clockwise
      {2.5, "160", 30, 0, 9000, 8000, 8600, 7700},
      {2.5, "160", 30, 0, 9000.4, 8000.3, 8600.4, 7700.3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "DIMSCALE " << c.dimscale << " ANGBASE " << c.baseDegrees
                                    << " ANGDIR " << c.direction << " LUPREC " << c.luprec);
    host.drawing().entities.clear();
    world.windows.sent.clear();
    hostsim::Header& h = host.drawing().header;
    h.dimscale = c.dimscale;
    h.angbase = c.baseDegrees * std::numbers::pi / 180;
    h.angdir = c.direction;
    h.luprec = luprec = c.luprec;
    AddMark();
    SelectMark();
    host.user().PickPoint(c.toX, c.toY);
    Run();

    EXPECT_TRUE(Messages().empty());
    ExpectAt(MarkCentre(), c.toX, c.toY);
    EXPECT_EQ(CountSent(std::string("_DIMASZ ") + c.sentSize + "\r"), 1);
    const auto leaders = Leaders();
    ASSERT_EQ(leaders.size(), 1u);
    ASSERT_EQ(leaders[0]->vertices.size(), 2u);
    ExpectAt(leaders[0]->vertices[0], kX, kY);
    ExpectAt(leaders[0]->vertices[1], c.endX, c.endY);
    EXPECT_TRUE(leaders[0]->arrow);
    EXPECT_NEAR(leaders[0]->arrowSize, 400, 1e-9);
    EXPECT_EQ(leaders[0]->arrowBlock, "");  // closed filled
    EXPECT_TRUE(Lines().empty());
    ExpectSettingsGivenBack();
  }
  ExpectAuditedDrawing();
}

TEST_F(MoveNumberMarkTest, WithoutTheArrowAPlainLineTiesTheMarkToItsOldPlace) {
  form.CheckBox3.SetChecked(false);
  form.CheckBox3Click();
  form.Edit14.SetText("not read without the arrow");
  AddMark();
  SelectMark();
  host.user().PickPoint(9000, 5000);
  Run();

  EXPECT_TRUE(Messages().empty());
  ExpectAt(MarkCentre(), 9000, 5000);
  EXPECT_TRUE(Leaders().empty());
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  ExpectAt(lines[0]->start, kX, kY);
  ExpectAt(lines[0]->end, 8500, 5000);
  EXPECT_EQ(CountSent("\x03\x03_OSMODE 0 "), 1);
  EXPECT_EQ(CountSent("\x03\x03_OSMODE 4133\r"), 1);
  EXPECT_EQ(CountSent("_DIMASZ"), 0);
  ExpectSettingsGivenBack();
}

TEST_F(MoveNumberMarkTest, ACancelledMoveDrawsNothingAndTouchesNoSetting) {
  AddMark();
  const std::string before = DescribeEntities();
  SelectMark();
  host.user().PressEscape();
  Run();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(DescribeEntities(), before);
  EXPECT_EQ(CountSent("_DIMASZ"), 0);
  EXPECT_EQ(CountSent("_DIMLDRBLK"), 0);
  ExpectSettingsGivenBack();
}

// A selection of another make is told; one circle and one text with more beside them is a mark,
// and the rest moves with it.
TEST_F(MoveNumberMarkTest, OnlyOneCircleAndOneTextMakeAMark) {
  AddMark();
  Add(hostsim::Circle{{5200, 5200, 0}, 100});
  SelectMark();
  Run();
  EXPECT_EQ(Messages(), (std::vector<std::string>{kNotCircleAndText}));
  EXPECT_EQ(CountSent("\x03\x03_mOvE"), 0);

  world.messages.shown.clear();
  host.drawing().entities.clear();
  AddMark();
  AddLine(4500, 4200, 5500, 4200);
  SelectMark();
  host.user().PickPoint(9000, 5000);
  Run();
  EXPECT_TRUE(Messages().empty());
  ExpectAt(MarkCentre(), 9000, 5000);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  ExpectAt(lines[0]->start, 8500, 4200);
  EXPECT_EQ(Leaders().size(), 1u);
}

// A DIMSCALE that shows no number stops the click before the mark moves (an unreadable DIMASZ or
// DIMLDRBLK does too, in UnreadableToolSettingsTest.cpp). A destination that cannot be read back
// leaves the moved mark without a connection rather than one drawn to a made-up point.
TEST_F(MoveNumberMarkTest, HostSettingsThatCannotBeReadAreLeftAsTheyAre) {
  struct Case {
    const char* unread;
    bool moves;
    bool connected;
  };
  const Case cases[] = {{"DIMSCALE", false, false}, {"LASTPOINT", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unread);
    host.drawing().entities.clear();
    world.windows.sent.clear();
    world.messages.shown.clear();
    const std::string query = std::string("'SETVAR ") + c.unread + "\r";
    hosttest::ScopedRewrite rewrite(world,
                                    [&](platform::WindowHandle w, const std::string& last,
                                        const std::u16string&) -> std::optional<std::u16string> {
                                      // The selection reads LASTPOINT too: only the move's own
                                      // reading is spoilt.
                                      const bool moving = CountSent("\x03\x03_mOvE") > 0;
                                      if (w == host.currentLineControl() && last == query &&
                                          (moving || query != "'SETVAR LASTPOINT\r"))
                                        return u"新しい値を入力: ";
                                      return std::nullopt;
                                    });
    AddMark();
    SelectMark();
    host.user().PickPoint(9000, 5000);
    Run();
    EXPECT_EQ(Messages().size(), c.moves ? 0u : 1u);
    EXPECT_EQ(CountSent("\x03\x03_mOvE"), c.moves ? 1 : 0);
    if (c.moves) {
      ExpectAt(MarkCentre(), 9000, 5000);
    } else {
      ExpectAt(MarkCentre(), kX, kY);
    }
    EXPECT_EQ(Leaders().size(), c.connected ? 1u : 0u);
    EXPECT_TRUE(Lines().empty());
    if (c.moves) {
      EXPECT_EQ(CountSent(std::string("_") + c.unread), 0);
    }
    if (!c.connected) {
      EXPECT_EQ(CountSent("_DIMASZ"), 0);
    }
    ExpectSettingsGivenBack();
  }
}

}  // namespace
