// Every command of the host's vocabulary, typed through the channel into the simulated host (an
// independent implementation of the host's command line), is taken without complaint and has
// the effect the system relies on; the prompts and reports it reads back are the host's.
#include "hostlink/HostVocabulary.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "hostlink/HostChannel.h"
#include "hostlink/HostLink.h"
#include "hostlink/HostText.h"
#include "hostsim/inprocess/Host.h"
#include "platform/standin/StandinWorld.h"
#include "tests/support/HostFixture.h"

namespace {

using hostsim::Entity;

struct VocabularyTest : hosttest::HostFixture {
  hostsim::Handle bottom = 0;  // the square's side from 0,0 to 10,0

  VocabularyTest() {
    bottom = AddLine(0, 0, 10, 0);
    AddLine(10, 0, 10, 10);
    AddLine(10, 10, 0, 10);
    AddLine(0, 10, 0, 0);
    Add(hostsim::Circle{{100, 100, 0}, 5});
  }

  std::string Var(const char* name) { return host.core().Variable(name).value_or("?"); }
  const Entity* Find(hostsim::Handle h) {
    for (const Entity& e : host.drawing().entities)
      if (e.handle == h) return &e;
    return nullptr;
  }
  template <class Shape>
  const Shape* Last() {
    return std::get_if<Shape>(&host.drawing().entities.back().shape);
  }
  // The history from the line that held the prompt when the command was typed.
  std::string HistorySince(std::size_t lines) {
    const auto& h = host.core().historyLines();
    std::string s;
    for (std::size_t i = lines > 0 ? lines - 1 : 0; i < h.size(); ++i) s += h[i] + "\n";
    return s;
  }
};

struct Row {
  std::string command;
  std::function<void()> before;  // the scripted user's answers, a selection to work on
  std::function<void(const std::string& history)> check;
  bool leavesValuePrompt = false;  // then left with kCancel after the check
};

TEST_F(VocabularyTest, TheHostTakesEveryCommandAsTheSystemTypesIt) {
  using namespace vocab;
  const std::string exportPath = "C:\\Velsarom\\Velsarom.dxf";
  const std::string allPath = "C:\\Velsarom\\All.dxf";
  const std::string lastPath = "C:\\Velsarom\\Last.dxf";
  const std::string singlePath = "C:\\Velsarom\\Single.dxf";
  const auto exported = [&](const std::string& path) {
    const auto bytes = world.files.ReadAll(path);
    return bytes && bytes->find("ENTITIES") != std::string::npos;
  };
  std::size_t atMark = 0;

  const std::vector<Row> rows = {
      {kCancel, nullptr, nullptr},
      {kCancelTwice, nullptr, nullptr},
      {QueryVariable(kOsmode), nullptr,
       [&](const std::string&) {
         EXPECT_EQ(host.currentLine(), "OSMODE の新しい値を入力 <4133>: ");
       },
       true},
      {QueryVariable("acadver"), nullptr,
       [&](const std::string& h) {
         EXPECT_NE(TextAfterLast("acadver", h)
                       .find(std::string(" = \"22.0s (LMS Tech)\" ") + kReadOnlyRemark),
                   std::string::npos);
       }},
      {kSetSentinel, nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kLastPoint), "123.0000,456.0000,789.0000"); }},
      {kId, [&] { host.user().PickPoint(5, 6); },
       [&](const std::string& h) {
         EXPECT_EQ(Var(kLastPoint), "5.0000,6.0000,0.0000");
         EXPECT_NE(h.find(kIdMarker), std::string::npos);
       }},
      {IdAt({1000000.5L, -2, 0}), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kLastPoint), "1000000.5000,-2.0000,0.0000"); }},
      {kLuprecFull, nullptr, [&](const std::string&) { EXPECT_EQ(Var(kLuprec), "8"); }},
      {QueryVariable(kUcsXDir), nullptr,
       [&](const std::string& h) {
         EXPECT_NE(h.find("UCSXDIR = 1.00000000,0.00000000,0.00000000 (読み込み専用)"),
                   std::string::npos);
       }},
      {LuprecRestore("4"), nullptr, [&](const std::string&) { EXPECT_EQ(Var(kLuprec), "4"); }},
      {kOsmodeOff, nullptr, [&](const std::string&) { EXPECT_EQ(Var(kOsmode), "0"); }},
      {OsmodeRestore("4133"), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kOsmode), "4133"); }},
      {std::string(kCancel) + kEnglishOsmodeOff, nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kOsmode), "0"); }},
      {EnglishOsmodeRestore("39"), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kOsmode), "39"); }},
      {AunitsRestore("3"), nullptr, [&](const std::string&) { EXPECT_EQ(Var(kAunits), "3"); }},
      {kAunitsDegrees, nullptr, [&](const std::string&) { EXPECT_EQ(Var(kAunits), "0"); }},
      {InsUnitsDefSourceRestore("1"), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kInsUnitsDefSource), "1"); }},
      {kInsUnitsDefSourceNone, nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kInsUnitsDefSource), "0"); }},
      {kAuprecFull, nullptr, [&](const std::string&) { EXPECT_EQ(Var(kAuprec), "8"); }},
      {AuprecRestore("0"), nullptr, [&](const std::string&) { EXPECT_EQ(Var(kAuprec), "0"); }},
      {SelectFence({-1, 5, 0}, {11, 5, 0}), nullptr,
       [&](const std::string& h) {
         EXPECT_EQ(TextAfterLastUpTo(kFoundReport, kSelectPrompt, h), "2");
         EXPECT_EQ(host.core().previousSelection().size(), 2u);
       }},
      {SelectWindow({-1, -1, 0}, {5, 11, 0}), nullptr,
       [&](const std::string&) { EXPECT_EQ(host.core().previousSelection().size(), 1u); }},
      {kSelectSingle, [&] { host.user().PickObject(5, 0); },
       [&](const std::string&) {
         ASSERT_EQ(host.core().previousSelection().size(), 1u);
         EXPECT_EQ(host.core().previousSelection()[0], bottom);
       }},
      {kSelectObjects, [&] { host.user().PickObject(5, 0).PickObject(10, 5).PressEnter(); },
       [&](const std::string& h) {
         EXPECT_EQ(TextAfterLastUpTo(kTotalReport, kSelectPrompt, h), "2");
         EXPECT_NE(h.find(kTotalWord), std::string::npos);
       }},
      {kFileDialogOff, nullptr, [&](const std::string&) { EXPECT_EQ(Var("FILEDIA"), "0"); }},
      {DxfOut(exportPath, kExportPrevious), nullptr,
       [&](const std::string&) { EXPECT_TRUE(exported(exportPath)); }},
      {DxfOut(singlePath, kExportPreviousSingle), nullptr,
       [&](const std::string&) { EXPECT_TRUE(exported(singlePath)); }},
      {kFileDialogOn, nullptr, [&](const std::string&) { EXPECT_EQ(Var("FILEDIA"), "1"); }},
      {kEnglishFileDialogOff, nullptr, [&](const std::string&) { EXPECT_EQ(Var("FILEDIA"), "0"); }},
      {EnglishDxfOut(allPath, kExportAll), nullptr,
       [&](const std::string&) { EXPECT_TRUE(exported(allPath)); }},
      // With HPBOUND 0 the boundary is a region, reported as one.
      {HpBoundRestore("0"), nullptr, [&](const std::string&) { EXPECT_EQ(Var(kHpBound), "0"); }},
      {Boundary({5, 5, 0}), nullptr,
       [&](const std::string& h) {
         const std::string report = TextAfterLast(kBoundaryMarker, h);
         EXPECT_EQ(TextAfterLastUpTo(kBoundaryReport, kBoundaryRegionReportEnd, report), "1");
         EXPECT_EQ(TextAfterLastUpTo(kBoundaryReport, kBoundaryReportEnd, report), "");
         EXPECT_NE(Last<hostsim::Region>(), nullptr);
       }},
      {kUndoOne, nullptr, [&](const std::string&) { EXPECT_EQ(Last<hostsim::Region>(), nullptr); }},
      {kHpBoundPolyline, nullptr, [&](const std::string&) { EXPECT_EQ(Var(kHpBound), "1"); }},
      {Boundary({5, 5, 0}), nullptr,
       [&](const std::string& h) {
         EXPECT_EQ(TextAfterLastUpTo(kBoundaryReport, kBoundaryReportEnd,
                                     TextAfterLast(kBoundaryMarker, h)),
                   "1");
         EXPECT_NE(Last<hostsim::LwPolyline>(), nullptr);
       }},
      {EnglishDxfOut(lastPath, kExportLast), nullptr,
       [&](const std::string&) {
         EXPECT_TRUE(exported(lastPath));
         EXPECT_NE(world.files.ReadAll(lastPath)->find("LWPOLYLINE"), std::string::npos);
       }},
      {kEnglishFileDialogOn, nullptr, [&](const std::string&) { EXPECT_EQ(Var("FILEDIA"), "1"); }},
      {kEraseLast, nullptr, [&](const std::string&) { EXPECT_EQ(EntityCount(), 5u); }},
      {kUndoOne, nullptr, [&](const std::string&) { EXPECT_EQ(EntityCount(), 6u); }},
      {kUndoMark, [&] { atMark = EntityCount(); }, nullptr},
      {Line({1.25L, 2, 0}, {3, 4.5L, 0}, 16), nullptr,
       [&](const std::string&) {
         const auto* l = Last<hostsim::Line>();
         ASSERT_NE(l, nullptr);
         EXPECT_EQ(l->start.x, 1.25);
         EXPECT_EQ(l->end.y, 4.5);
       }},
      {Line({20, 20, 0}, {30, 20, 0}, 4), nullptr,
       [&](const std::string&) { EXPECT_EQ(EntityCount(), atMark + 2); }},
      {kUndoBack, nullptr, [&](const std::string&) { EXPECT_EQ(EntityCount(), atMark); }},
      {LayerMake("H_HEN"), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kClayer), "\"H_HEN\""); }},
      {LocalLayerMake("H_TAKASA"), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kClayer), "\"H_TAKASA\""); }},
      {LayerOff("H_HEN"), nullptr,
       [&](const std::string&) { EXPECT_FALSE(host.drawing().FindLayer("H_HEN")->on); }},
      {LayerOn("H_HEN"), nullptr,
       [&](const std::string&) { EXPECT_TRUE(host.drawing().FindLayer("H_HEN")->on); }},
      {ClayerRestore("\"0\""), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kClayer), "\"0\""); }},
      // A blank is Enter at a name prompt: names that hold one are typed whole, and the user's
      // layer comes back from the value GetSysVar gives, in the host's quotes.
      {LayerMake("辺 線"), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kClayer), "\"辺 線\""); }},
      {LocalLayerMake("境界 旧"), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kClayer), "\"境界 旧\""); }},
      {LayerOff("辺 線"), nullptr,
       [&](const std::string&) {
         ASSERT_NE(host.drawing().FindLayer("辺 線"), nullptr);
         EXPECT_FALSE(host.drawing().FindLayer("辺 線")->on);
       }},
      {LayerOn("辺 線"), nullptr,
       [&](const std::string&) {
         ASSERT_NE(host.drawing().FindLayer("辺 線"), nullptr);
         EXPECT_TRUE(host.drawing().FindLayer("辺 線")->on);
       }},
      {ClayerRestore("\"辺 線\""), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kClayer), "\"辺 線\""); }},
      {ClayerRestore("\"境界 旧\""), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kClayer), "\"境界 旧\""); }},
      {RotatePrevious({0, 0, 0}, "90"),
       [&] {
         SendCommand(link, SelectWindow({-1, -1, 0}, {11, 1, 0}));
       },
       [&](const std::string&) {
         const auto& l = std::get<hostsim::Line>(Find(bottom)->shape);
         EXPECT_NEAR(l.end.x, 0, 1e-9);
         EXPECT_NEAR(l.end.y, 10, 1e-9);
       }},
      {MoveFrom({0, 0, 0}), [&] { host.user().PickPoint(50, 60); },
       [&](const std::string& h) {
         const auto& l = std::get<hostsim::Line>(Find(bottom)->shape);
         EXPECT_NEAR(l.start.x, 50, 1e-9);
         EXPECT_NEAR(l.start.y, 60, 1e-9);
         EXPECT_NE(h.find(kMoveMarker), std::string::npos);
       }},
      {DimAsz("4"), nullptr, [&](const std::string&) { EXPECT_EQ(Var(kDimAsz), "4.0000"); }},
      {kDimLdrBlkDefault, nullptr, [&](const std::string&) { EXPECT_EQ(Var(kDimLdrBlk), "\"\""); }},
      {Leader({100, 100, 0}, {120, 100, 0}), nullptr,
       [&](const std::string&) {
         const auto* l = Last<hostsim::Leader>();
         ASSERT_NE(l, nullptr);
         ASSERT_EQ(l->vertices.size(), 2u);
         EXPECT_EQ(l->vertices[0].x, 100);
         EXPECT_EQ(l->vertices[1].x, 120);
         EXPECT_EQ(l->arrowSize, 4);
       }},
      {DimLdrBlk("_DOT"), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kDimLdrBlk), "\"_DOT\""); }},
      // Given back from the values GetSysVar gives: a named arrow, and the default.
      {DimLdrBlkRestore("\"_DOT\""), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kDimLdrBlk), "\"_DOT\""); }},
      {DimLdrBlkRestore("\"\""), nullptr,
       [&](const std::string&) { EXPECT_EQ(Var(kDimLdrBlk), "\"\""); }},
      {InsertExploded(allPath), [&] { atMark = EntityCount(); },
       [&](const std::string&) { EXPECT_EQ(EntityCount(), atMark + 5); }},
  };

  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "command [" << row.command << "]");
    if (row.before) row.before();
    const std::size_t lines = host.core().historyLines().size();
    ASSERT_TRUE(SendCommand(link, row.command));
    world.clock.Sleep(2000);  // the scripted user answers within this
    const std::string history = HistorySince(lines);
    if (row.check) row.check(history);
    for (const char* complaint : {"不明", "無効", "必要です", "できません", "見つかりません"})
      EXPECT_EQ(history.find(complaint), std::string::npos) << history;
    if (row.leavesValuePrompt) SendCommand(link, kCancel);
    EXPECT_EQ(host.currentLine(), kIdlePrompt);
  }
}

// The variables the system reads: each shows a value prompt or, read-only, an echo.
TEST_F(VocabularyTest, EveryVariableReadGivesAValue) {
  using namespace vocab;
  for (const char* name :
       {kOsmode, kLastPoint, kTextStyle, kClayer, kViewSize, kAunits, kAngBase, kAngDir, kDimAsz,
        kDimLdrBlk, kDimScale, kInsUnitsDefSource, kHpBound, kLuprec, kAuprec}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(SendCommand(link, QueryVariable(name)));
    const std::string line = host.currentLine();
    const bool prompt =
        line.find(kValueOpen) != std::string::npos && line.find(kValueClose) != std::string::npos;
    const bool echo =
        TextAfterLast(name, host.history()).find(kEchoValueStart) != std::string::npos;
    EXPECT_TRUE(prompt || echo) << line;
    SendCommand(link, kCancel);
    EXPECT_EQ(host.currentLine(), kIdlePrompt);
  }
}

// What the host shows of a string variable is not what its value prompt takes: a value typed
// back in the host's quotes, or a name with a blank typed at the value prompt, is refused or cut.
TEST_F(VocabularyTest, TheHostRefusesSettingsTypedBackAsShown) {
  using namespace vocab;
  SendCommand(link, LayerMake("境界 旧"));
  SendCommand(link, LayerMake("H_HEN"));
  struct Case {
    std::string command;
    const char* variable;
    std::string kept;
  };
  const std::vector<Case> cases = {
      {"\x03_CLAYER \"境界 旧\"\r", kClayer, "\"H_HEN\""},
      {"\x03_CLAYER 境界 旧\r", kClayer, "\"H_HEN\""},
      {"\x03_CLAYER \"H_HEN\"\r", kClayer, "\"H_HEN\""},
      {DimLdrBlk("\"_DOT\""), kDimLdrBlk, "\"\""},
      {DimLdrBlk("\"\""), kDimLdrBlk, "\"\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "command [" << c.command << "]");
    SendCommand(link, c.command);
    world.clock.Sleep(500);
    EXPECT_EQ(Var(c.variable), c.kept);
    SendCommand(link, kCancelTwice);
  }
}

TEST(SettingsGivenBack, EachValueIsTypedAsTheHostTakesIt) {
  using namespace vocab;
  struct Case {
    const char* shown;
    bool clayer;
    std::string clayerRestore;
    bool arrow;
    std::string arrowRestore;
  };
  const Case cases[] = {
      {"\"0\"", true, "\x03_CLAYER 0\r", true, "_DIMLDRBLK 0\r"},
      {"\"境界 旧\"", true, "\x03_-LAYER S \"境界 旧\"\r\r", false, ""},
      {"\"\"", false, "", true, "_DIMLDRBLK .\r"},
      {"\"_DOT\"", true, "\x03_CLAYER _DOT\r", true, "_DIMLDRBLK _DOT\r"},
      {"", false, "", false, ""},
      {"0", false, "", false, ""},
      {"\"a\"b\"", false, "", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(ClayerRestorable(c.shown), c.clayer);
    if (c.clayer) {
      EXPECT_EQ(ClayerRestore(c.shown), c.clayerRestore);
    }
    EXPECT_EQ(DimLdrBlkRestorable(c.shown), c.arrow);
    if (c.arrow) {
      EXPECT_EQ(DimLdrBlkRestore(c.shown), c.arrowRestore);
    }
  }
}

}  // namespace
