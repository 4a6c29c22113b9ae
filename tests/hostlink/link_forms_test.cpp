// The forms that take a host link work on that link's channel and tables only, against the
// simulated host in process: a core given its own link leaves the process-wide ones alone.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "RuzuRaru2016/dxf/DxfReader.h"
#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostDialogue.h"
#include "RuzuRaru2016/hostlink/HostLink.h"
#include "RuzuRaru2016/hostlink/HostSelection.h"
#include "annotation/NumberMarks.h"
#include "hostsim/inprocess/Host.h"
#include "platform/standin/StandinWorld.h"

namespace {

struct LinkFormsTest : ::testing::Test {
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};
  hostsim::Host host{world};
  THostChannel channel;
  TDxfTables tables;
  HostLink link{channel, tables};

  LinkFormsTest() {
    HostChannel() = {};
    DxfTables() = TDxfTables{};
    TCircleBlk marker;
    marker.hankei = 12345;
    DxfTables().entities.circles.push_back(marker);
    AddLine({0, 0, 0}, {100, 0, 0});
    AddLine({0, 50, 0}, {100, 50, 0});
  }
  ~LinkFormsTest() override {
    HostChannel() = {};
    DxfTables() = TDxfTables{};
  }

  void AddLine(hostsim::Point a, hostsim::Point b) {
    hostsim::Entity e;
    e.handle = host.drawing().NewHandle();
    e.shape = hostsim::Line{a, b};
    host.drawing().entities.push_back(e);
  }
  // Nothing of the process-wide channel found and the process-wide tables as they were.
  static void ExpectProcessWideUntouched() {
    const THostChannel& ch = HostChannel();
    EXPECT_EQ(ch.hAcad, 0u);
    EXPECT_EQ(ch.processId, 0u);
    EXPECT_EQ(ch.hText, 0u);
    const TEntityTables& e = DxfTables().entities;
    ASSERT_EQ(e.circles.size(), 1u);
    EXPECT_EQ(e.circles[0].hankei, 12345);
    EXPECT_TRUE(e.lines.empty());
  }
};

TEST_F(LinkFormsTest, SelectionsFindTheHostAndFillTheTablesOfTheLink) {
  EXPECT_EQ(SelectAll(link), 2);
  EXPECT_EQ(tables.entities.lines.size(), 2u);
  EXPECT_EQ(channel.hAcad, host.mainWindow());
  EXPECT_EQ(channel.processId, hostsim::Host::kProcessId);

  // The fence reads the host's report from the history: the text window is found too.
  EXPECT_EQ(SelectByFence(link, {50, -10, 0}, {50, 10, 0}), 1);
  ASSERT_EQ(tables.entities.lines.size(), 1u);
  EXPECT_EQ(tables.entities.lines[0].st.y, 0.0L);
  EXPECT_EQ(channel.hCurrentLine, host.currentLineControl());
  EXPECT_EQ(channel.hHistory, host.historyControl());
  ExpectProcessWideUntouched();
}

TEST_F(LinkFormsTest, PicksVariablesAndWaitsGoThroughTheLink) {
  host.user().PickPoint(30.5, 40.25);
  TAcadPoint p;
  EXPECT_EQ(PickPoint(link, p), HostResult::Done);
  EXPECT_EQ(p.x, 30.5L);
  EXPECT_EQ(p.y, 40.25L);
  EXPECT_EQ(GetSysVar(link, "OSMODE"), "4133");

  host.user().PressEscape();
  ASSERT_TRUE(SendCommand(link, "_iD\r"));
  EXPECT_EQ(WaitForPrompt(link, "_iD", 100, 60), HostResult::Cancelled);
  EXPECT_EQ(ReadCurrentLine(link), "コマンド: ");
  EXPECT_NE(ReadPreviousLine(link).find("キャンセル"), std::string::npos);
  ExpectProcessWideUntouched();
}

TEST_F(LinkFormsTest, ReadDxfFillsTheTablesItIsGiven) {
  ASSERT_EQ(SelectAll(link), 2);  // leaves the export file beside the executable
  TDxfTables other;
  const DxfReadResult r = ReadDxf(other, ExportFilePath());
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.version, "AC1015");
  EXPECT_EQ(other.entities.lines.size(), 2u);
  EXPECT_EQ(LayerColor(other, "外周"), 7);
  EXPECT_EQ(other.layers.back().Name, "外周");
  ExpectProcessWideUntouched();
}

// The worked example of the workflow shape: the number-mark core, given a link, has the host
// insert a mark whose number text carries the three sides.
TEST_F(LinkFormsTest, NumberMarkCoreInsertsThroughTheLink) {
  const TAcadTriangle t{{0, 0}, {3000, 0}, {0, 4000}};
  const NumberMarkStyle style{500, 400, 0, "H_TEXT", ""};
  InsertNumberMark(link, ThreeSideMarkCentre(t), t, 12, style);
  EXPECT_EQ(channel.hAcad, host.mainWindow());
  ExpectProcessWideUntouched();

  const hostsim::Drawing& d = host.drawing();
  ASSERT_EQ(d.entities.size(), 4u);
  const auto* circle = std::get_if<hostsim::Circle>(&d.entities[2].shape);
  const auto* text = std::get_if<hostsim::Text>(&d.entities[3].shape);
  ASSERT_NE(circle, nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(d.entities[2].layer, "H_TEXT");
  EXPECT_NEAR(circle->center.x, 1000, 1e-9);
  EXPECT_NEAR(circle->center.y, 1000, 1e-9);
  EXPECT_EQ(circle->radius, 500);
  EXPECT_EQ(text->value, "12");
  ASSERT_EQ(d.entities[3].xdata.size(), 1u);
  const hostsim::XData& x = d.entities[3].xdata[0];
  EXPECT_EQ(x.app, "VELSAROM");
  ASSERT_EQ(x.items.size(), 1u);  // 1010 with its 1020 and 1030: one point
  EXPECT_EQ(x.items[0].code, 1010);
  EXPECT_EQ(x.items[0].point.x, 3000);
  EXPECT_EQ(x.items[0].point.y, 5000);
  EXPECT_EQ(x.items[0].point.z, 4000);
}

}  // namespace
