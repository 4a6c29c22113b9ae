// The values a user's host holds before anything is typed (hostsim.exe --set NAME=VALUE), and
// what the host does under the settings its public reference describes.
#include <gmock/gmock.h>

#include <cmath>

#include "HostFixture.h"
#include "hostsim/DxfRead.h"

namespace hostsim {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class UserSettings : public HostFixture {};

TEST_F(UserSettings, PresetValuesAreReadAsSetvarReadsThemAndLeaveNoTrace) {
  struct Case {
    const char* name;
    const char* value;
    const char* complaint;  // empty: set
    const char* shown;      // as the host shows it afterwards (when set)
  };
  const Case cases[] = {
      {"OSMODE", "0", "", "0"},
      {"filedia", "0", "", "0"},
      {"OSMODE", "40000", "0 から 32767 の整数が必要です。", "0"},
      {"LUPREC", "0", "", "0"},
      {"CLAYER", "無い層", "CLAYER をその値に設定できません。", "\"0\""},
      {"VIEWSIZE", "10", "VIEWSIZE は読み込み専用です。", nullptr},
      {"NOSUCHVARIABLE", "1", "不明な変数名です。", nullptr},
  };
  const std::string history = History();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "=" + c.value);
    EXPECT_EQ(host.core().Preset(c.name, c.value), c.complaint);
    if (c.shown) {
      EXPECT_EQ(host.core().Variable(c.name), c.shown);
    }
  }
  EXPECT_EQ(host.core().undoDepth(), 0u);
  EXPECT_EQ(History(), history);
  EXPECT_EQ(CurrentLine(), "コマンド: ");
}

TEST_F(UserSettings, AHostLevelPresetOutlivesTheDrawingOpenedAfterIt) {
  ASSERT_EQ(host.core().Preset("OSMODE", "512"), "");
  ASSERT_EQ(host.core().Preset("LUPREC", "0"), "");
  ASSERT_EQ(host.LoadDrawing("  0\nSECTION\n  2\nHEADER\n  9\n$LUPREC\n 70\n6\n  0\nENDSEC\n"
                             "  0\nEOF\n"),
            "");
  EXPECT_EQ(host.core().Variable("OSMODE"), "512");
  // Saved with the drawing: the drawing's own value.
  EXPECT_EQ(host.core().Variable("LUPREC"), "6");
  EXPECT_THAT(host.core().Variables(), Not(HasSubstr("LUPREC=0\n")));
}

// An R12 file (no $INSUNITS) of one line 1000 long from 100,0, inserted exploded at the origin.
std::string UnitlessLine() {
  return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n"
         "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n100\n 20\n0\n 30\n0\n"
         " 11\n1100\n 21\n0\n 31\n0\n  0\nENDSEC\n  0\nEOF\n";
}

// "About Block Units and Insertion Scale": a file is scaled from its units to the drawing's, a
// file without units counting as INSUNITSDEFSOURCE, a drawing without them as
// INSUNITSDEFTARGET; either still none, nothing is scaled.
TEST_F(UserSettings, AFileWithoutUnitsIsScaledFromTheDefaultSourceUnitToTheDrawings) {
  struct Case {
    int drawingUnits;  // INSUNITS
    int defaultSource;
    int defaultTarget;
    double length;  // of the inserted line
  };
  const Case cases[] = {
      {6, 0, 1, 1000},           // the simulated host as it starts: nothing scaled
      {6, 1, 1, 1000 * 0.0254},  // inches into metres
      {4, 1, 1, 1000 * 25.4},    // inches into millimetres
      {4, 6, 1, 1000 * 1000},    // metres into millimetres
      {0, 4, 6, 1000 * 0.001},   // millimetres into a drawing without units taken as metres
      {0, 4, 0, 1000},           // a drawing without units and no default: not scaled
      {4, 4, 1, 1000},           // the same units
  };
  world.files.WriteAll("C:\\v\\line.dxf", UnitlessLine());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.drawingUnits) + " " + std::to_string(c.defaultSource) + " " +
                 std::to_string(c.defaultTarget));
    host.drawing().entities.clear();
    ASSERT_EQ(host.core().Preset("INSUNITS", std::to_string(c.drawingUnits)), "");
    ASSERT_EQ(host.core().Preset("INSUNITSDEFSOURCE", std::to_string(c.defaultSource)), "");
    ASSERT_EQ(host.core().Preset("INSUNITSDEFTARGET", std::to_string(c.defaultTarget)), "");
    Send("_-INSERT *C:\\v\\line.dxf\r0.0,0.0 1.0 0.0\r");
    ASSERT_EQ(Count(), 1u);
    const auto& line = std::get<Line>(host.drawing().entities.back().shape);
    EXPECT_NEAR(line.end.x - line.start.x, c.length, 1e-9 * c.length);
    EXPECT_NEAR(line.start.x, 100 * c.length / 1000, 1e-9 * c.length);
  }
}

// A drawing whose UCS is turned 30 degrees about the world's z axis, its origin at 1000,500.
std::string TurnedUcsDrawing() {
  return "  0\nSECTION\n  2\nHEADER\n"
         "  9\n$UCSORG\n 10\n1000\n 20\n500\n 30\n0\n"
         "  9\n$UCSXDIR\n 10\n0.8660254037844387\n 20\n0.5\n 30\n0\n"
         "  9\n$UCSYDIR\n 10\n-0.5\n 20\n0.8660254037844387\n 30\n0\n"
         "  0\nENDSEC\n  0\nEOF\n";
}

// Where a UCS point lies in the world, for the UCS above.
Point World(double x, double y) {
  const double c = std::sqrt(3.0) / 2, s = 0.5;
  return {1000 + x * c - y * s, 500 + x * s + y * c, 0};
}

// "UCSORG (System Variable)", "LASTPOINT (System Variable)", "DYNPICOORDS (System Variable)":
// typed points are in the UCS unless "*" makes them world points, and with pointer input on a
// second point of LINE is relative unless it begins with "#" or "*".
TEST_F(UserSettings, TypedPointsAreInTheUcsAndDynamicInputMakesSecondPointsRelative) {
  ASSERT_EQ(host.LoadDrawing(TurnedUcsDrawing()), "");
  EXPECT_EQ(host.core().Variable("UCSORG"), "1000.0000,500.0000,0.0000");
  EXPECT_EQ(host.core().Variable("UCSXDIR"), "0.8660,0.5000,0.0000");
  EXPECT_EQ(host.core().Variable("UCSYDIR"), "-0.5000,0.8660,0.0000");
  EXPECT_EQ(host.core().Preset("UCSORG", "0,0,0"), "UCSORG は読み込み専用です。");
  struct Case {
    const char* dynmode;
    const char* dynpicoords;
    const char* typed;
    Point start, end;
  };
  const Case cases[] = {
      {"0", "0", "_LINE 10,0 20,5\r\r", World(10, 0), World(20, 5)},
      {"0", "0", "_LINE *10,0 *20,5\r\r", {10, 0, 0}, {20, 5, 0}},
      {"3", "0", "_LINE 10,0 20,5\r\r", World(10, 0), World(30, 5)},
      {"1", "0", "_LINE 10,0 20,5\r\r", World(10, 0), World(30, 5)},
      {"2", "0", "_LINE 10,0 20,5\r\r", World(10, 0), World(20, 5)},  // no pointer input
      {"3", "1", "_LINE 10,0 20,5\r\r", World(10, 0), World(20, 5)},
      {"3", "0", "_LINE 10,0 #20,5\r\r", World(10, 0), World(20, 5)},
      {"3", "0", "_LINE *10,0 *20,5\r\r", {10, 0, 0}, {20, 5, 0}},
      {"3", "0", "_LEADER *10,0 *20,5\r\r\rN ", {10, 0, 0}, {20, 5, 0}},
      {"3", "0", "_LEADER 10,0 20,5\r\r\rN ", World(10, 0), World(30, 5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dynmode) + " " + c.dynpicoords + " " + c.typed);
    ASSERT_EQ(host.core().Preset("DYNMODE", c.dynmode), "");
    ASSERT_EQ(host.core().Preset("DYNPICOORDS", c.dynpicoords), "");
    host.drawing().entities.clear();
    Send(c.typed);
    ASSERT_EQ(Count(), 1u);
    Point a, b;
    if (const auto* line = std::get_if<Line>(&host.drawing().entities[0].shape)) {
      a = line->start;
      b = line->end;
    } else {
      const auto& leader = std::get<Leader>(host.drawing().entities[0].shape);
      a = leader.vertices.front();
      b = leader.vertices.back();
    }
    EXPECT_NEAR(a.x, c.start.x, 1e-9);
    EXPECT_NEAR(a.y, c.start.y, 1e-9);
    EXPECT_NEAR(b.x, c.end.x, 1e-9);
    EXPECT_NEAR(b.y, c.end.y, 1e-9);
  }
  // The user's click is a world point; LASTPOINT shows it in the UCS, and takes a UCS point.
  host.drawing().entities.clear();
  host.user().PickPoint(World(100, -20).x, World(100, -20).y);
  Send("_iD\r");
  Wait(1000);
  EXPECT_EQ(host.core().Variable("LASTPOINT"), "100.0000,-20.0000,0.0000");
  Send("LASTPOINT 123,456,789 ");
  EXPECT_EQ(host.core().Variable("LASTPOINT"), "123.0000,456.0000,789.0000");
}

// "-INSERT (Command)": the insertion point is a UCS point and the rotation is measured from the
// UCS's X axis (from ANGBASE in it); "*" gives the point in world coordinates.
TEST_F(UserSettings, InsertPlacesAndTurnsInTheUcs) {
  ASSERT_EQ(host.LoadDrawing(TurnedUcsDrawing()), "");
  ASSERT_EQ(host.core().Preset("DYNMODE", "3"), "");
  world.files.WriteAll("C:\\v\\line.dxf", UnitlessLine());
  struct Case {
    const char* typed;
    Point start, end;
  };
  const double c = std::sqrt(3.0) / 2;
  const Case cases[] = {
      {"_-INSERT *C:\\v\\line.dxf\r*0.0,0.0 1.0 0.0\r", {100 * c, 50, 0}, {1100 * c, 550, 0}},
      {"_-INSERT *C:\\v\\line.dxf\r0.0,0.0 1.0 0.0\r", World(100, 0), World(1100, 0)},
      {"_-INSERT *C:\\v\\line.dxf\r*0.0,0.0 1.0 -30\r", {100, 0, 0}, {1100, 0, 0}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed);
    host.drawing().entities.clear();
    Send(k.typed);
    ASSERT_EQ(Count(), 1u);
    const auto& line = std::get<Line>(host.drawing().entities.back().shape);
    EXPECT_NEAR(line.start.x, k.start.x, 1e-9);
    EXPECT_NEAR(line.start.y, k.start.y, 1e-9);
    EXPECT_NEAR(line.end.x, k.end.x, 1e-9);
    EXPECT_NEAR(line.end.y, k.end.y, 1e-9);
  }
  // The UCS is saved as it was read.
  EXPECT_THAT(host.SaveDrawing(), HasSubstr("$UCSXDIR\r\n 10\r\n0.8660254037844387\r\n"));
}

TEST_F(UserSettings, TheDrawingsUnitsComeFromItsHeaderAndGoBackWithIt) {
  ASSERT_EQ(host.LoadDrawing("  0\nSECTION\n  2\nHEADER\n  9\n$INSUNITS\n 70\n4\n  0\nENDSEC\n"
                             "  0\nEOF\n"),
            "");
  EXPECT_EQ(host.core().Variable("INSUNITS"), "4");
  Send("INSUNITS 6\r");
  EXPECT_EQ(host.core().Variable("INSUNITS"), "6");
  Send("_UNDO 1 ");
  EXPECT_EQ(host.core().Variable("INSUNITS"), "4");
  EXPECT_THAT(host.SaveDrawing(), HasSubstr("$INSUNITS\r\n 70\r\n     4\r\n"));
}

// "HPBOUND (System Variable)": 0 makes a region, 1 (initial) a polyline; "-BOUNDARY (Command)":
// Advanced options, Object type, Region or Polyline, which is the session's type.
TEST_F(UserSettings, HpboundAndTheObjectTypeOptionChooseWhatTheBoundaryIs) {
  struct Case {
    const char* preset;  // HPBOUND before the command
    const char* typed;   // the command
    bool region;
    const char* report;
    const char* after;  // HPBOUND afterwards
  };
  const Case cases[] = {
      {"1", "_-BOUNDARY 5,5\r\r", false, " 1 個のポリラインを作成しました\r\n", "1"},
      {"0", "_-BOUNDARY 5,5\r\r", true, " 1 個のリージョンを作成しました\r\n", "0"},
      {"1", "_-BOUNDARY _A _O _R\r5,5\r\r", true, " 1 個のリージョンを作成しました\r\n", "0"},
      {"0", "_-BOUNDARY A O P\r5,5\r\r", false, " 1 個のポリラインを作成しました\r\n", "1"},
      {"0", "_-BOUNDARY A O \r5,5\r\r", true, " 1 個のリージョンを作成しました\r\n", "0"},
  };
  AddSquare(0, 0, 10);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.preset) + " " + c.typed);
    ASSERT_EQ(host.core().Preset("HPBOUND", c.preset), "");
    Send(c.typed);
    EXPECT_EQ(CurrentLine(), "コマンド: ");
    EXPECT_EQ(After("境界が"), c.report);
    ASSERT_EQ(Count(), 5u);
    const Shape& made = host.drawing().entities.back().shape;
    if (c.region) {
      ASSERT_TRUE(std::holds_alternative<Region>(made));
      EXPECT_EQ(std::get<Region>(made).loop.size(), 4u);
    } else {
      ASSERT_TRUE(std::holds_alternative<LwPolyline>(made));
      EXPECT_TRUE(std::get<LwPolyline>(made).closed);
    }
    EXPECT_EQ(host.core().Variable("HPBOUND"), c.after);
    Send("_ERASE SINGLE LAST ");
    ASSERT_EQ(Count(), 4u);
  }
}

// A region goes out through DXFOUT and the saved drawing as a REGION, comes back as one, and is
// picked and erased as any object; HPBOUND stays the session's and is not saved.
TEST_F(UserSettings, ARegionIsExportedSavedAndOpenedAsARegion) {
  const std::string path = "C:\\Velsarom\\Velsarom.dxf";
  Add(LwPolyline{
      {{0, 0, 0, 0, 0}, {40, 0, 0.5, 0, 0}, {40, 30, 0, 0, 0}, {0, 30, 0, 0, 0}}, true, 0, 0});
  ASSERT_EQ(host.core().Preset("HPBOUND", "0"), "");
  Send("_-BOUNDARY 20,15\r\r");
  ASSERT_EQ(Count(), 2u);
  const Region made = std::get<Region>(host.drawing().entities.back().shape);
  ASSERT_EQ(made.loop.size(), 4u);
  auto sameLoop = [&](const Region& r) {
    ASSERT_EQ(r.loop.size(), made.loop.size());
    for (std::size_t i = 0; i < r.loop.size(); ++i) {
      EXPECT_DOUBLE_EQ(r.loop[i].x, made.loop[i].x);
      EXPECT_DOUBLE_EQ(r.loop[i].y, made.loop[i].y);
      EXPECT_DOUBLE_EQ(r.loop[i].bulge, made.loop[i].bulge);
    }
  };
  double bulges = 0;
  for (const PolyVertex& v : made.loop) bulges += std::abs(v.bulge);
  EXPECT_DOUBLE_EQ(bulges, 0.5);  // the arc side kept

  Send("_FILEDIA 0 ");
  Send("_DXFOUT " + path + "\rO SINGLE LAST\rV 2004 16\r");
  Send("_FILEDIA 1 ");
  Wait(100);
  const std::string exported = *world.files.ReadAll(path);
  EXPECT_THAT(exported, HasSubstr("\r\nREGION\r\n"));
  EXPECT_THAT(exported, HasSubstr("AcDbModelerGeometry"));
  EXPECT_THAT(exported, Not(HasSubstr("LWPOLYLINE")));
  const DxfReadResult read = ReadDxf(exported, world.codePage);
  ASSERT_EQ(read.drawing.entities.size(), 1u);
  sameLoop(std::get<Region>(read.drawing.entities[0].shape));

  Send("\x03SELECT WINDOW -1,-30 70,31\r\r");  // around the arc too
  EXPECT_THAT(After("SELECT"), HasSubstr("認識された数: 2"));

  const std::string saved = host.SaveDrawing();
  EXPECT_THAT(saved, Not(HasSubstr("HPBOUND")));
  ASSERT_EQ(host.LoadDrawing(saved), "");
  ASSERT_EQ(Count(), 2u);
  sameLoop(std::get<Region>(host.drawing().entities.back().shape));
  EXPECT_EQ(host.core().Variable("HPBOUND"), "0");

  Send("_ERASE SINGLE LAST ");
  EXPECT_EQ(Count(), 1u);
}

}  // namespace
}  // namespace hostsim
