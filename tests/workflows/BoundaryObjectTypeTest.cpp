// The boundary that 自動, １点指示 and 座標求積 trace is a polyline whatever the user's HPBOUND
// holds ("HPBOUND (System Variable)": 0 makes a region): the program holds it at 1 for the trace
// and gives the user's value back; a region that comes back all the same is told, never read.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "hostlink/HostChannel.h"
#include "hostlink/TracedBoundary.h"
#include "hostlink/UserMessages.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

const std::vector<std::pair<double, double>> kSquare = {
    {0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}};

enum class Button { kAuto, kOnePoint, kCoordinateTable };

struct Case {
  Button button;
  const char* hpbound;  // the user's
};

std::string Name(const Case& c) {
  const char* button[] = {"Auto", "OnePoint", "CoordinateTable"};
  return std::string(button[static_cast<int>(c.button)]) + "Hpbound" + c.hpbound;
}
std::string Name(const testing::TestParamInfo<Case>& info) { return Name(info.param); }
void PrintTo(const Case& c, std::ostream* out) { *out << Name(c); }

struct BoundaryObjectType : WorkflowFixture, testing::WithParamInterface<Case> {
  void Click(Button button) {
    host.user().PickPoint(4000, 2000);
    if (button == Button::kCoordinateTable) {
      host.user().PickPoint(20000, 0);  // the table's corner
      form.RunHandler(&TForm1::Button15Click);
    } else {
      form.RunHandler(button == Button::kAuto ? &TForm1::Button10Click : &TForm1::Button6Click);
    }
  }
  std::size_t Left(bool regions) {
    return static_cast<std::size_t>(
        std::count_if(host.drawing().entities.begin(), host.drawing().entities.end(),
                      [&](const hostsim::Entity& e) {
                        return regions ? std::holds_alternative<hostsim::Region>(e.shape)
                                       : std::holds_alternative<hostsim::LwPolyline>(e.shape);
                      }));
  }
  // Where the first command beginning with `prefix` stands among those sent; -1 when none.
  long Position(const std::string& prefix) {
    const std::vector<std::string> sent = Sent();
    for (std::size_t i = 0; i < sent.size(); ++i)
      if (sent[i].rfind(prefix, 0) == 0) return static_cast<long>(i);
    return -1;
  }
};

TEST_P(BoundaryObjectType, ThePolylineIsTracedReadAndErasedAndHpboundGivenBack) {
  const Case c = GetParam();
  AddOutline(kSquare);
  ASSERT_EQ(host.core().Preset("HPBOUND", c.hpbound), "");
  Click(c.button);

  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(CountSent("_-INSERT *"), 1);  // the labels or the table went in
  EXPECT_EQ(CountSent("_ERASE SINGLE LAST "), 1);
  EXPECT_EQ(Left(false), 0u);
  EXPECT_EQ(Left(true), 0u);
  EXPECT_EQ(Variable("HPBOUND"), c.hpbound);
  const bool held = std::string(c.hpbound) != "1";
  EXPECT_EQ(CountSent("_HPBOUND 1 "), held ? 1 : 0);
  EXPECT_EQ(CountSent(std::string("_HPBOUND ") + c.hpbound + "\r"), held ? 1 : 0);
  if (held) {
    // Held for the trace only: set before the boundary command, back before the export.
    EXPECT_LT(Position("_HPBOUND 1 "), Position("_-BOUNDARY "));
    EXPECT_LT(Position("_-BOUNDARY "), Position("_HPBOUND 0\r"));
    EXPECT_LT(Position("_HPBOUND 0\r"), Position("_ERASE SINGLE LAST "));
  }
  ExpectAuditedDrawing();
}

INSTANTIATE_TEST_SUITE_P(Buttons, BoundaryObjectType,
                         testing::Values(Case{Button::kAuto, "0"}, Case{Button::kAuto, "1"},
                                         Case{Button::kOnePoint, "0"}, Case{Button::kOnePoint, "1"},
                                         Case{Button::kCoordinateTable, "0"},
                                         Case{Button::kCoordinateTable, "1"}),
                         [](const testing::TestParamInfo<Case>& info) { return Name(info); });

struct RegionComesBack : WorkflowFixture {};

// HPBOUND that cannot be read is not changed (it could not be given back): the host makes a
// region, which the user is told of and which is taken back; nothing is inserted.
TEST_F(RegionComesBack, FromAnUnreadableHpboundItIsToldAndTakenBack) {
  AddOutline(kSquare);
  ASSERT_EQ(host.core().Preset("HPBOUND", "0"), "");
  const auto rewrite = Unreadable("'SETVAR HPBOUND\r", u"新しい値を入力: ");
  for (auto click : {&TForm1::Button10Click, &TForm1::Button15Click}) {
    world.messages.shown.clear();
    world.windows.sent.clear();
    host.user().PickPoint(4000, 2000);  // the run ends before a table's corner is asked for
    form.RunHandler(click);
    EXPECT_EQ(Messages(), std::vector<std::string>{kBoundaryIsRegion});
    EXPECT_EQ(CountSent("_HPBOUND"), 0);
    EXPECT_EQ(CountSent("_UNDO 1 "), 1);
    EXPECT_EQ(CountSent("_-INSERT"), 0);
    EXPECT_EQ(EntityCount(), kSquare.size());
    EXPECT_EQ(Variable("HPBOUND"), "0");
  }
  EXPECT_EQ(form.Edit16.Text(), "1");
}

// An export of the last object that holds a region and no polyline is told, not taken for an
// outline that did not come back.
TEST_F(RegionComesBack, InTheExportItIsToldAndErased) {
  Add(hostsim::Region{{{0, 0, 0, 0, 0}, {10000, 0, 0, 0, 0}, {10000, 10000, 0, 0, 0}}});
  ASSERT_TRUE(ActivateHost(link));
  EXPECT_TRUE(ExportTracedOutline(link).corners.empty());
  EXPECT_EQ(Messages(), std::vector<std::string>{kBoundaryIsRegion});
  EXPECT_EQ(EntityCount(), 0u);
}

}  // namespace
