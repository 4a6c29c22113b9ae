// 文字回転 against the simulated host: the picked text turns about the point it is justified
// to, whatever the host's angle settings.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "hostsim/Outline.h"
#include "tests/support/HostFixture.h"
#include "tools/RotateText.h"

namespace {

using hosttest::Degrees360;
using hosttest::WorkflowFixture;

struct RotateTextTest : WorkflowFixture {
  void Run() { form.RunHandler(&TForm1::Button2Click); }
  void SetAngles(double baseDegrees, int direction) {
    host.drawing().header.angbase = baseDegrees * std::numbers::pi / 180;
    host.drawing().header.angdir = direction;
  }
  const hostsim::Entity& Only() {
    EXPECT_EQ(EntityCount(), 1u);
    return host.drawing().entities.front();
  }
};

void ExpectAt(const hostsim::Point& p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-6);
  EXPECT_NEAR(p.y, y, 1e-6);
}

// Texts as the labels and the user's notes stand: left on the baseline, centred on the
// bottom (the length labels), and an MTEXT, whose group 11 is its direction (1,0): turned
// about that "point" it would swing away to near the origin.
TEST_F(RotateTextTest, TheTextTurnsAboutItsAlignmentPointUnderEveryAngleSetting) {
  enum Kind { kLeft, kCentred, kMText };
  struct Case {
    Kind kind;
    double baseDegrees;
    int direction;
    const char* angle;
    double turned;  // degrees counter-clockwise the text ends turned by
  };
  const Case cases[] = {
      {kLeft, 0, 0, "180.0", 180},
      {kCentred, 0, 0, "180.0", 180},
      {kMText, 0, 0, "180.0", 180},
      {kLeft, 90, 1, "180.0", 180},
      {kCentred, 90, 1, "180.0", 180},
      {kMText, 90, 1, "180.0", 180},
      {kCentred, 30, 0, "180.0", 180},
      {kMText, 30, 0, "45", 45},
      // The angle is the host's, read as its ROTATE reads a typed turn: clockwise under ANGDIR 1.
      {kCentred, 90, 1, "90", -90},
      {kLeft, 30, 0, "90", 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " ANGBASE " << c.baseDegrees
                                    << " ANGDIR " << c.direction << " angle " << c.angle);
    host.drawing().entities.clear();
    SetAngles(c.baseDegrees, c.direction);
    form.Edit13.SetText(c.angle);
    hostsim::Point stays;  // the point the text turns about
    if (c.kind == kMText) {
      hostsim::MText m;
      m.insert = {3000, 3000, 0};
      m.height = 300;
      m.value = "道路";
      Add(m);
      stays = m.insert;
      host.user().PickObject(3100, 2900);  // attached top left: the text hangs below
    } else {
      hostsim::Text t;
      t.height = 300;
      t.value = "12.34";
      if (c.kind == kCentred) {
        t.halign = 1;
        t.valign = 1;
        t.align = {5000, 5000, 0};
        t.insert = hostsim::JustifiedInsert(t);
        stays = t.align;
        host.user().PickObject(5000, 5150);
      } else {
        t.insert = {1000, 2000, 0};
        stays = t.insert;
        host.user().PickObject(1100, 2150);
      }
      Add(t);
    }
    Run();

    EXPECT_TRUE(Messages().empty());
    const hostsim::Entity& e = Only();
    if (const auto* m = std::get_if<hostsim::MText>(&e.shape)) {
      ExpectAt(m->insert, stays.x, stays.y);
      EXPECT_NEAR(Degrees360(m->rotation), Degrees360(c.turned), 1e-6);
    } else {
      const auto& t = std::get<hostsim::Text>(e.shape);
      ExpectAt(c.kind == kCentred ? t.align : t.insert, stays.x, stays.y);
      EXPECT_NEAR(Degrees360(t.rotation), Degrees360(c.turned), 1e-6);
    }
    // Object snaps off only while the centre is typed.
    EXPECT_EQ(host.core().Variable("OSMODE"), "4133");
    world.windows.sent.clear();
  }
}

TEST_F(RotateTextTest, AnythingButOneTextIsToldAndLeftAlone) {
  AddLine(0, 0, 10000, 0);
  host.user().PickObject(5000, 0);
  Run();
  EXPECT_EQ(Messages(), (std::vector<std::string>{kNotText}));
  EXPECT_EQ(CountSent("_ROTATE"), 0);
  EXPECT_EQ(CountSent("\x03_OSMODE"), 0);
  const auto lines = All<hostsim::Line>("0");
  ASSERT_EQ(lines.size(), 1u);
  ExpectAt(lines[0].second->end, 10000, 0);
}

// The angle goes to the host as typed, so every notation the host reads is taken: a number in
// the host's angular unit, degrees/minutes/seconds, grads, radians and bearings in any.
TEST_F(RotateTextTest, TheHostsAngleNotationsTurnTheTextByTheirAngle) {
  struct Case {
    int aunits;
    int direction;
    const char* angle;
    double turned;  // degrees counter-clockwise
  };
  const Case cases[] = {
      {0, 0, "45d30'15\"", 45.504166666666667},
      {0, 0, "50g", 45},
      {0, 0, "1.2r", 68.754935415698782},
      {0, 0, "N45d30'E", 44.5},
      {1, 0, "45d30'", 45.5},
      {2, 0, "100", 90},
      {2, 0, "45d", 45},
      {3, 0, "0.5", 28.647889756541161},
      {4, 0, "N45d30'W", 135.5},
      {4, 0, "S", 270},
      {4, 0, "30", 30},
      {0, 1, "50g", -45},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "AUNITS " << c.aunits << " ANGDIR " << c.direction << " angle " << c.angle);
    host.drawing().entities.clear();
    host.drawing().header.aunits = c.aunits;
    SetAngles(0, c.direction);
    hostsim::Text t;
    t.insert = {1000, 2000, 0};
    t.height = 300;
    t.value = "12.34";
    Add(t);
    form.Edit13.SetText(c.angle);
    host.user().PickObject(1100, 2150);
    Run();

    EXPECT_TRUE(Messages().empty());
    const auto& turned = std::get<hostsim::Text>(Only().shape);
    ExpectAt(turned.insert, 1000, 2000);
    EXPECT_NEAR(Degrees360(turned.rotation), Degrees360(c.turned), 1e-6);
    EXPECT_EQ(host.currentLine(), "コマンド: ");
    world.messages.shown.clear();
  }
}

// An angle the host would not read stops the click before the host hears of it, with the field
// and its text named. A blank would be Enter at the host's prompt: " 90" would answer ROTATE
// with its default, "90 " would end it and the Enter after it would start ROTATE again.
TEST_F(RotateTextTest, AnAngleTheHostWouldNotReadStopsBeforeAnythingIsSent) {
  hostsim::Text t;
  t.insert = {1000, 2000, 0};
  t.height = 300;
  t.value = "12.34";
  Add(t);
  for (const char* angle : {"半回転", "90 ", " 90", "N 45d E", "45°", "45d30", ""}) {
    SCOPED_TRACE(testing::Message() << "[" << angle << "]");
    form.Edit13.SetText(angle);
    host.user().PickObject(1100, 2150);
    Run();
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              std::string("角度は 180.0、45d30'15\"、50g、1.2r、N45d30'E のように"
                                          "空白なしで指定してください: '") +
                              angle + "'"}));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(std::get<hostsim::Text>(Only().shape).rotation, 0);
    world.messages.shown.clear();
    host.user().Clear();
  }
}

}  // namespace
