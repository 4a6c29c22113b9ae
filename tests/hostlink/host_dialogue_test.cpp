// System variables, prompt waits, picks and selection exports against the simulated host, in
// process: the host's windows live in the in-memory window system and its user acts as the
// virtual clock advances. Every test runs twice: against a quick host, and against a slow one
// whose commands take 250 ms before their prompt comes back and whose exports appear empty
// and grow for 400 ms, so that the waits are really waited and a file read while it is still
// being written would show in the counts.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "dxf/DxfTables.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostSelection.h"
#include "hostsim/inprocess/Host.h"
#include "platform/Utf.h"
#include "platform/standin/StandinWorld.h"
#include "tests/support/HostFixture.h"

namespace {

using hostsim::Entity;

constexpr const char* kExportPath = "C:\\Velsarom\\Velsarom.dxf";

struct HostTiming {
  const char* name;
  unsigned commandDelayMs;
  unsigned exportWriteMs;
};

void PrintTo(const HostTiming& t, std::ostream* os) { *os << t.name; }

hostsim::HostOptions OptionsOf(const HostTiming& t) {
  hostsim::HostOptions o;
  o.commandDelayMs = t.commandDelayMs;
  o.exportWriteMs = t.exportWriteMs;
  return o;
}

// Two horizontal lines, a circle, a closed square polyline, a text and a block reference,
// laid out side by side with empty space around (for picks that hit nothing).
struct HostTest : ::testing::WithParamInterface<HostTiming>, hosttest::HostFixture {
  HostTest() : HostFixture(OptionsOf(GetParam())) {
    hostsim::Drawing& d = host.drawing();
    Add(hostsim::Line{{0, 0, 0}, {100, 0, 0}});
    Add(hostsim::Line{{0, 50, 0}, {100, 50, 0}});
    Add(hostsim::Circle{{200, 25, 0}, 10});
    AddPolyline({{300.0, 0.0}, {350.0, 0.0}, {350.0, 50.0}, {300.0, 50.0}}, true);
    hostsim::Text text;
    text.insert = {0, 100, 0};
    text.height = 5;
    text.value = "測点A";
    Add(text);
    hostsim::Block mark;
    mark.name = "MARK";
    mark.entities.push_back(
        Entity{d.NewHandle(), "0", 256, "BYLAYER", hostsim::Line{{-5, 0, 0}, {5, 0, 0}}, {}});
    mark.entities.push_back(
        Entity{d.NewHandle(), "0", 256, "BYLAYER", hostsim::Line{{0, -5, 0}, {0, 5, 0}}, {}});
    d.blocks.push_back(mark);
    hostsim::Insert ref;
    ref.block = "MARK";
    ref.insert = {400, 25, 0};
    Add(ref);
  }

  bool WasSent(const std::string& command) const {
    for (const auto& s : Sent()) {
      if (s == command) return true;
    }
    return false;
  }
  bool ExportRequested() const { return CountSent("DXFOUT ") > 0; }
  // A selection that brought nothing back: no count, nothing read, no pick.
  static bool Nothing(const Selection& s) {
    return s.count == 0 && s.tables == TDxfTables{} && s.lines.empty() && s.pick == kSentinelPoint;
  }
  Selection sel;  // the last selection's result
};

// -- System variables and prompt waits --

TEST_P(HostTest, GetSysVarFromTheValuePrompt) {
  const auto start = world.clock.TickCount();
  EXPECT_EQ(GetSysVar(link, "OSMODE"), "4133");
  EXPECT_EQ(world.clock.TickCount() - start, 200u);
  // The prompt was left with ETX: the variable is unchanged and the host idle.
  EXPECT_EQ(Sent(), (std::vector<std::string>{"'SETVAR OSMODE\r", "\x03"}));
  EXPECT_EQ(host.core().Variable("OSMODE"), "4133");
  EXPECT_EQ(host.currentLine(), "コマンド: ");
  // String values keep their quotes; points come as coordinates.
  EXPECT_EQ(GetSysVar(link, "CLAYER"), "\"0\"");
  host.core().SetLastPoint({1.5, -2.25, 0});
  EXPECT_EQ(GetSysVar(link, "LASTPOINT"), "1.5000,-2.2500,0.0000");
}

TEST_P(HostTest, GetSysVarOfReadOnlyVariablesFromTheEcho) {
  const auto start = world.clock.TickCount();
  EXPECT_EQ(GetSysVar(link, "VIEWSIZE"), *host.core().Variable("VIEWSIZE"));
  EXPECT_EQ(world.clock.TickCount() - start, 300u);
  // Typed on its own; the value's own parentheses survive because the remark's come last.
  EXPECT_EQ(GetSysVar(link, "ACADVER"), "\"22.0s (LMS Tech)\"");
  EXPECT_TRUE(WasSent("ACADVER\r"));
  EXPECT_EQ(GetSysVar(link, "NOSUCHVAR"), "");
  EXPECT_EQ(host.currentLine(), "コマンド: ");
}

TEST_P(HostTest, GetSysVarWithoutHostSendsNothing) {
  host.Close();
  EXPECT_EQ(GetSysVar(link, "OSMODE"), "");
  EXPECT_TRUE(world.windows.sent.empty());
}

TEST_P(HostTest, WaitForPromptEndsNormallyCancelledOrTimedOut) {
  host.user().PickPoint(150.5, 75.25);
  SendCommand(link, "_iD\r");
  EXPECT_EQ(WaitForPrompt(link, "_iD", 100, 6000), HostResult::Done);

  host.user().PressEscape();
  SendCommand(link, "_iD\r");
  EXPECT_EQ(WaitForPrompt(link, "_iD", 100, 6000), HostResult::Cancelled);

  // Nobody answers: after 5 s worth of polls the wait gives up, the host still asking.
  SendCommand(link, "_iD\r");
  const auto start = world.clock.TickCount();
  EXPECT_EQ(WaitForPrompt(link, "_iD", 100, 5), HostResult::Failed);
  EXPECT_EQ(world.clock.TickCount() - start, 51u * 200u);
  EXPECT_NE(host.currentLine(), "コマンド: ");
}

// -- Picks --

TEST_P(HostTest, PickPointReturnsThePickedPoint) {
  host.user().PickPoint(150.5, 75.25);
  TAcadPoint p;
  EXPECT_EQ(PickPoint(link, p), HostResult::Done);
  EXPECT_EQ(p.x, 150.5L);
  EXPECT_EQ(p.y, 75.25L);
  EXPECT_EQ(p.z, 0.0L);
  const auto sent = Sent();
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[0], "\x03\x03LASTPOINT 123,456,789 ");
  EXPECT_EQ(sent[1], "_iD\r");
  EXPECT_EQ(world.windows.foreground, host.mainWindow());
}

TEST_P(HostTest, PickPointCancelledOrAtTheSentinelGivesZero) {
  TAcadPoint p;
  host.user().PressEscape();
  EXPECT_EQ(PickPoint(link, p), HostResult::Cancelled);
  host.user().Type("123,456,789\r");
  EXPECT_EQ(PickPoint(link, p), HostResult::Cancelled);
  EXPECT_EQ(p.x, 123.0L);
  EXPECT_EQ(p.z, 789.0L);
  // Only all three coordinates make the sentinel.
  host.user().Type("123,456,0\r");
  EXPECT_EQ(PickPoint(link, p), HostResult::Done);
  EXPECT_EQ(p.y, 456.0L);
  EXPECT_EQ(p.z, 0.0L);
}

TEST_P(HostTest, PickPointWithoutHostFails) {
  host.Close();
  TAcadPoint p;
  EXPECT_EQ(PickPoint(link, p), HostResult::Failed);
  EXPECT_TRUE(world.windows.sent.empty());
}

// -- Selections: each one that exports hands back exactly the exported objects --

TEST_P(HostTest, SelectObjectsCountsTheLastRunningTotal) {
  host.user().PickObject(50, 0).PickObject(210, 25).PickObject(400, 30).PressEnter();
  sel = SelectObjects(link);
  EXPECT_EQ(sel.count, 3);
  const TDxfTables& t = sel.tables;
  EXPECT_EQ(t.entities.lines.size(), 1u);
  EXPECT_EQ(t.entities.circles.size(), 1u);
  EXPECT_EQ(t.inserts.size(), 1u);  // one per reference, not its block's two lines
  EXPECT_EQ(t.blockBodies.lines.size(), 2u);
  EXPECT_TRUE(t.entities.texts.empty());
  EXPECT_TRUE(t.entities.polylines.empty());
  EXPECT_NE(host.history().find("総数 3"), std::string::npos);
}

TEST_P(HostTest, SelectObjectsEmptiedByRemovingIsNothing) {
  // An earlier selection is the host's previous set; exporting it would be wrong.
  sel = SelectAll(link);
  EXPECT_EQ(sel.count, 6);
  world.windows.sent.clear();
  host.user().PickObject(50, 0).Type("R\r").PickObject(50, 0).PressEnter();
  EXPECT_TRUE(Nothing(SelectObjects(link)));
  host.user().PickObject(50, 0).Type("R\r").PickObject(50, 0).Type("A\r").PressEnter();
  EXPECT_TRUE(Nothing(SelectObjects(link)));
  EXPECT_FALSE(ExportRequested());
}

TEST_P(HostTest, SelectObjectsByTypingAllGivesNoPointAndNoExport) {
  host.user().Type("ALL\r").PressEnter();
  EXPECT_TRUE(Nothing(SelectObjects(link)));
  EXPECT_FALSE(ExportRequested());
}

TEST_P(HostTest, SelectObjectsCancelledOrEmpty) {
  host.user().PickObject(50, 0).PressEscape();
  EXPECT_TRUE(Nothing(SelectObjects(link)));
  host.user().PressEnter();  // nothing picked at all
  EXPECT_TRUE(Nothing(SelectObjects(link)));
  EXPECT_FALSE(ExportRequested());
}

TEST_P(HostTest, SelectByFenceCrossingNothingLeavesTheFileAlone) {
  world.files.WriteAll(kExportPath, "an earlier export");
  EXPECT_TRUE(Nothing(SelectByFence(link, {0, 200, 0}, {100, 200, 0})));
  EXPECT_EQ(*world.files.ReadAll(kExportPath), "an earlier export");
  EXPECT_FALSE(ExportRequested());
  host.Settle();  // a slow host is still at the commands typed last
  EXPECT_EQ(host.core().Variable("OSMODE"), "4133");  // restored
}

TEST_P(HostTest, SelectByFenceExportsWhatItCrosses) {
  world.files.WriteAll(kExportPath, "an earlier export");
  sel = SelectByFence(link, {50, -10, 0}, {50, 60, 0});
  EXPECT_EQ(sel.count, 2);
  EXPECT_EQ(sel.tables.entities.lines.size(), 2u);
  EXPECT_TRUE(
      WasSent("\x03SELECT FENCE *50.0000000000000000,-10.0000000000000000 "
              "*50.0000000000000000,60.0000000000000000\r\r\r"));
  EXPECT_TRUE(WasSent("\x03OSMODE 0 "));
  EXPECT_TRUE(WasSent("\x03OSMODE 4133\r"));
  host.Settle();
  EXPECT_EQ(host.core().Variable("OSMODE"), "4133");
  EXPECT_EQ(host.core().Variable("FILEDIA"), "1");
  EXPECT_EQ(host.core().previousSelection().size(), 2u);
}

TEST_P(HostTest, SelectByWindowCountsAPolylineOnce) {
  sel = SelectByWindow(link, {290, -10, 0}, {360, 60, 0});
  EXPECT_EQ(sel.count, 1);
  const TDxfTables& t = sel.tables;
  ASSERT_EQ(t.entities.polylines.size(), 1u);
  EXPECT_EQ(t.entities.vertices.size(), 4u);
  EXPECT_TRUE(t.entities.lines.empty());
}

TEST_P(HostTest, SelectSingleReturnsThePickPoint) {
  host.user().PickObject(60, 50);
  sel = SelectSingle(link);
  EXPECT_EQ(sel.count, 1);
  EXPECT_EQ(sel.pick.x, 60.0L);
  EXPECT_EQ(sel.pick.y, 50.0L);
  ASSERT_EQ(sel.tables.entities.lines.size(), 1u);
  EXPECT_EQ(sel.tables.entities.lines[0].st.y, 50.0L);

  host.user().PressEscape();
  EXPECT_TRUE(Nothing(SelectSingle(link)));

  // The last object taken by typing L: selected, but no point given, so nothing is exported.
  host.user().Type("L\r");
  EXPECT_TRUE(Nothing(SelectSingle(link)));
  EXPECT_EQ(CountSent("DXFOUT "), 1);  // the first pick's export only
}

TEST_P(HostTest, SelectAllExportsTheWholeDrawing) {
  sel = SelectAll(link);
  EXPECT_EQ(sel.count, 6);
  const TDxfTables& t = sel.tables;
  EXPECT_EQ(t.entities.lines.size(), 2u);
  EXPECT_EQ(t.entities.circles.size(), 1u);
  EXPECT_EQ(t.entities.polylines.size(), 1u);
  ASSERT_EQ(t.entities.texts.size(), 1u);
  EXPECT_EQ(t.entities.texts[0].str, "測点A");
  EXPECT_EQ(t.inserts.size(), 1u);
  host.Settle();
  EXPECT_EQ(host.core().Variable("FILEDIA"), "1");
}

// The exact command strings of every pick and selection, in the order they are typed: the
// sentinel before the user acts, osnap saved, off and restored around typed points, points
// with 16 decimals and no z, LASTPOINT read with LUPREC held at 8 (the host's 4 given back), the
// export of the previous set with its options and the file dialog switched off around it.
TEST_P(HostTest, EveryOperationTypesItsCommandsByteForByte) {
  const std::string dxfout = std::string("DXFOUT ") + kExportPath + "\r";
  const std::vector<std::string> exportPrevious = {"FILEDIA 0 ", dxfout + "O P \rV 2000 16\r",
                                                   "FILEDIA 1 "};
  const auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  // LASTPOINT with LUPREC at 8, then the UCS it is shown in (LUPREC found at 8 already), and
  // LUPREC given back.
  const std::vector<std::string> readLastPoint = {"'SETVAR LUPREC\r",
                                                  "\x03",
                                                  "_LUPREC 8 ",
                                                  "'SETVAR LASTPOINT\r",
                                                  "\x03",
                                                  "'SETVAR LUPREC\r",
                                                  "\x03",
                                                  "'SETVAR UCSORG\r",
                                                  "\x03",
                                                  "'SETVAR UCSXDIR\r",
                                                  "\x03",
                                                  "'SETVAR UCSYDIR\r",
                                                  "\x03",
                                                  "_LUPREC 4\r"};
  const std::string sentinel = "\x03\x03LASTPOINT 123,456,789 ";

  TAcadPoint p;
  host.user().PickPoint(150.5, 75.25);
  EXPECT_EQ(PickPoint(link, p), HostResult::Done);
  EXPECT_EQ(Sent(), join({sentinel, "_iD\r"}, readLastPoint));

  // The whole drawing: no selection, frozen and locked layers included.
  world.windows.sent.clear();
  sel = SelectAll(link);
  EXPECT_EQ(sel.count, 6);
  EXPECT_EQ(Sent(), (std::vector<std::string>{
                        "\x03\x03_FILEDIA 0 ",
                        std::string("_DXFOUT ") + kExportPath + "\rV 2000 16\r", "_FILEDIA 1 "}));

  world.windows.sent.clear();
  sel = SelectByFence(link, {50.125L, -10.1L, 7}, {50.125L, 60, 7});
  EXPECT_EQ(sel.count, 2);
  EXPECT_EQ(Sent(), join({"'SETVAR OSMODE\r", "\x03", "\x03OSMODE 0 ",
                          "\x03SELECT FENCE *50.1250000000000000,-10.1000000000000000 "
                          "*50.1250000000000000,60.0000000000000000\r\r\r",
                          "\x03OSMODE 4133\r"},
                         exportPrevious));

  world.windows.sent.clear();
  sel = SelectByWindow(link, {289.9L, -10, 0}, {1100.0L / 3, 60, 0});
  EXPECT_EQ(sel.count, 1);
  EXPECT_EQ(Sent(), join({"'SETVAR OSMODE\r", "\x03", "\x03OSMODE 0 ",
                          "\x03SELECT WINDOW *289.9000000000000000,-10.0000000000000000 "
                          "*366.6666666666666667,60.0000000000000000\r\r",
                          "\x03OSMODE 4133\r"},
                         exportPrevious));

  world.windows.sent.clear();
  host.user().PickObject(60, 50);
  sel = SelectSingle(link);
  EXPECT_EQ(sel.count, 1);
  EXPECT_EQ(Sent(), join(join({sentinel, "SELECT SINGLE "}, readLastPoint),
                         {"FILEDIA 0 ", dxfout + "O SINGLE P V 2000 16\r", "FILEDIA 1 "}));

  world.windows.sent.clear();
  host.user().PickObject(50, 0).PressEnter();
  sel = SelectObjects(link);
  EXPECT_EQ(sel.count, 1);
  EXPECT_EQ(Sent(), join(join({sentinel, "SELECT "}, readLastPoint), exportPrevious));
}

TEST_P(HostTest, SelectionsWithoutHostSendNothing) {
  host.Close();
  EXPECT_TRUE(Nothing(SelectAll(link)));
  EXPECT_TRUE(Nothing(SelectObjects(link)));
  EXPECT_TRUE(Nothing(SelectSingle(link)));
  EXPECT_TRUE(Nothing(SelectByFence(link, {0, 0, 0}, {1, 1, 0})));
  EXPECT_TRUE(Nothing(SelectByWindow(link, {0, 0, 0}, {1, 1, 0})));
  EXPECT_TRUE(world.windows.sent.empty());
}

TEST_P(HostTest, ExportFileThatCannotBeRemovedIsNotReadAsTheSelection) {
  // An earlier export is still held open (by the host or a viewer): it cannot be deleted,
  // and reading it would pass its objects off as the new selection.
  world.files.WriteAll(kExportPath, "0\nSECTION\n2\nENTITIES\n0\nLINE\n0\nENDSEC\n0\nEOF\n");
  world.files.SetInUse(kExportPath, true);
  try {
    SelectAll(link);
    ADD_FAILURE() << "no EExportFailed";
  } catch (const EExportFailed& e) {
    EXPECT_EQ(e.outcome, ExportOutcome::kOldFileStays);
    EXPECT_EQ(std::string(e.what()),
              std::string("ファイル ") + kExportPath + " を削除できません。");
  }
  EXPECT_FALSE(ExportRequested());
}

// The window is closed while the system waits for the user, who never acts: the wait ends
// at once as after a cancel, the host's command is ended with ETX, and nothing is exported.
TEST_P(HostTest, ACancelRequestedDuringTheWaitEndsItAndTheHostsCommand) {
  const auto requestAfter = [this](std::uint64_t ms) {
    const std::uint64_t at = world.clock.TickCount() + ms;
    auto posted = std::make_shared<bool>(false);  // shared: the clock calls a copy
    return world.clock.AddListener([this, at, posted](std::uint64_t now) {
      if (now >= at && !*posted) {
        *posted = true;  // the close arrives as a message
        world.clock.PostTask([this] { world.clock.RequestCancel(); });
      }
    });
  };
  struct Case {
    const char* name;
    std::function<int()> run;
  } cases[] = {
      {"PickPoint",
       [this] {
         TAcadPoint p;
         return static_cast<int>(PickPoint(link, p));  // Cancelled is 0, as a selection's nothing
       }},
      {"SelectSingle", [this] { return SelectSingle(link).count; }},
      {"SelectObjects", [this] { return SelectObjects(link).count; }},
  };
  for (const Case& c : cases) {
    const std::uint64_t start = world.clock.TickCount();
    const int listener = requestAfter(2000);
    EXPECT_EQ(c.run(), 0) << c.name;
    world.clock.RemoveListener(listener);
    EXPECT_LT(world.clock.TickCount() - start, 2500u) << c.name;
    EXPECT_EQ(Sent().back(), "\x03") << c.name;
    world.clock.ClearCancelRequest();
    host.Settle();
    EXPECT_EQ(host.currentLine(), "コマンド: ") << c.name;
  }
  EXPECT_FALSE(ExportRequested());
}

// An executable in a folder whose path holds a blank: the export file is typed with the folder's
// short name, which holds none, and the selection comes back whole.
TEST_P(HostTest, ExportIntoAFolderWithABlank) {
  world.files = platform::MemoryFileSystem("C:\\Users\\測量 太郎\\Velsarom\\Velsarom.exe");
  world.files.SetShortName("C:\\Users\\測量 太郎", "C:\\Users\\2C88~1");
  sel = SelectAll(link);
  EXPECT_EQ(sel.count, 6);
  EXPECT_TRUE(WasSent("_DXFOUT C:\\Users\\2C88~1\\Velsarom\\Velsarom.dxf\rV 2000 16\r"));
  EXPECT_EQ(sel.tables.entities.texts.size(), 1u);
  host.Settle();
  EXPECT_EQ(host.currentLine(), "コマンド: ");
  EXPECT_EQ(host.history().find("無効"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Timings, HostTest,
                         ::testing::Values(HostTiming{"Quick", 0, 0}, HostTiming{"Slow", 250, 400}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
