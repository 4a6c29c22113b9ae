// The command strings the product sends, typed into the simulated host exactly as sent, with the
// prompts, reports and effects a real host gives.
#include <gmock/gmock.h>

#include <cmath>

#include "HostFixture.h"
#include "hostsim/DxfRead.h"

namespace hostsim {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string kIdle = "コマンド: ";
const std::string kExport = "C:\\Velsarom\\Velsarom.dxf";

// An annotation document of the product's form: R12, no handles, VELSAROM registered.
std::string AnnotationDocument(const std::string& app = "VELSAROM", bool registerApp = true) {
  std::string s =
      "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  0\r\nENDSEC\r\n"
      "  0\r\nSECTION\r\n  2\r\nTABLES\r\n";
  if (registerApp)
    s += "  0\r\nTABLE\r\n  2\r\nAPPID\r\n  0\r\nAPPID\r\n  2\r\n" + app +
         "\r\n 70\r\n0\r\n  0\r\nENDTAB\r\n";
  s += "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
       "  0\r\nCIRCLE\r\n  8\r\nH_TEXT\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0\r\n"
       " 10\r\n1000\r\n 20\r\n1000\r\n 40\r\n500\r\n"
       "  0\r\nTEXT\r\n  8\r\nH_TEXT\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0\r\n"
       " 10\r\n1000\r\n 20\r\n1000\r\n 11\r\n1000\r\n 21\r\n1000\r\n  1\r\n12\r\n 40\r\n400\r\n"
       " 41\r\n1.0\r\n 50\r\n0\r\n 72\r\n1\r\n 73\r\n2\r\n"
       "1001\r\n" +
       app +
       "\r\n1010\r\n3000\r\n1020\r\n5000\r\n1030\r\n4000\r\n"
       "  0\r\nLINE\r\n  8\r\nH_HEN\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0\r\n"
       " 10\r\n0\r\n 20\r\n0\r\n 30\r\n0\r\n 11\r\n3000\r\n 21\r\n4000\r\n 31\r\n0\r\n"
       "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  return s;
}

class Transcript : public HostFixture {};

TEST_F(Transcript, PickPointThroughLastPointAndId) {
  EXPECT_EQ(CurrentLine(), kIdle);
  Send("\x03\x03LASTPOINT 123,456,789 ");
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_EQ(host.core().Variable("LASTPOINT"), "123.0000,456.0000,789.0000");
  host.user().PickPoint(10, 20);
  Send("_iD\r");
  EXPECT_EQ(CurrentLine(), "点を指定: ");
  Wait(100);  // the user takes longer than that
  EXPECT_EQ(CurrentLine(), "点を指定: ");
  Wait(300);
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_THAT(After("_iD"), HasSubstr("X = 10.0000     Y = 20.0000     Z = 0.0000"));
  // The product reads LASTPOINT with a transparent SETVAR and cancels the prompt.
  Send("'SETVAR LASTPOINT\r");
  EXPECT_EQ(CurrentLine(), "LASTPOINT の新しい値を入力 <10.0000,20.0000,0.0000>: ");
  Send("\x03");
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_EQ(host.core().Variable("LASTPOINT"), "10.0000,20.0000,0.0000");
}

TEST_F(Transcript, EscapeAtTheIdPromptLeavesCancelAfterTheCommandName) {
  host.user().PressEscape();
  Send("_iD\r");
  Wait(1000);
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_THAT(After("_iD"), HasSubstr("*キャンセル*"));
}

TEST_F(Transcript, NobodyThereKeepsTheHostWaiting) {
  Send("_iD\r");
  Wait(60000);
  EXPECT_EQ(CurrentLine(), "点を指定: ");
}

TEST_F(Transcript, VariablesShowAsTheHostShowsThem) {
  struct Case {
    const char* name;
    const char* line;
  } cases[] = {
      {"OSMODE", "OSMODE の新しい値を入力 <4133>: "},
      {"AUNITS", "AUNITS の新しい値を入力 <0>: "},
      {"ANGBASE", "ANGBASE の新しい値を入力 <0>: "},
      {"ANGDIR", "ANGDIR の新しい値を入力 <0>: "},
      {"DIMASZ", "DIMASZ の新しい値を入力 <2.5000>: "},
      {"DIMSCALE", "DIMSCALE の新しい値を入力 <1.0000>: "},
      {"DIMLDRBLK", "DIMLDRBLK の新しい値を入力、なしの場合は . を入力 <\"\">: "},
      {"FILEDIA", "FILEDIA の新しい値を入力 <1>: "},
      {"TEXTSTYLE", "TEXTSTYLE の新しい値を入力 <\"Standard\">: "},
      {"CLAYER", "CLAYER の新しい値を入力 <\"0\">: "},
  };
  for (const Case& c : cases) {
    Send(std::string("'SETVAR ") + c.name + "\r");
    EXPECT_EQ(CurrentLine(), c.line) << c.name;
    Send("\x03");
    EXPECT_EQ(CurrentLine(), kIdle);
    EXPECT_THAT(After(c.name), HasSubstr("*キャンセル*"));
  }
  // Read-only ones are echoed into the history instead.
  Send("'SETVAR VIEWSIZE\r");
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_THAT(After("VIEWSIZE"), HasSubstr(" = 297.0000 (読み込み専用)"));
  Send("ACADVER\r");
  EXPECT_THAT(After("ACADVER"), HasSubstr(" = \"22.0s (LMS Tech)\" (読み込み専用)"));
  EXPECT_EQ(CurrentLine(), kIdle);
}

TEST_F(Transcript, SettingVariablesAndAngleUnits) {
  Send("\x03OSMODE 0 ");
  EXPECT_EQ(host.core().Variable("OSMODE"), "0");
  Send("\x03OSMODE 4133\r");
  EXPECT_EQ(host.core().Variable("OSMODE"), "4133");
  Send("_ANGBASE 90 ");
  Send("_AUNITS 3 ");
  Send("'SETVAR ANGBASE\r");
  EXPECT_EQ(CurrentLine(), "ANGBASE の新しい値を入力 <2r>: ");  // radians, AUPREC 0
  Send("\x03_AUNITS 0 ");
  Send("'SETVAR ANGBASE\r");
  EXPECT_EQ(CurrentLine(), "ANGBASE の新しい値を入力 <90>: ");
  Send("\x03_DIMASZ 4\r_DIMLDRBLK .\r");
  EXPECT_EQ(host.core().Variable("DIMASZ"), "4.0000");
  EXPECT_EQ(host.core().Variable("DIMLDRBLK"), "\"\"");
  // A value out of range is refused and asked again.
  Send("OSMODE 99999 ");
  EXPECT_THAT(History(), HasSubstr("0 から 32767 の整数が必要です。"));
  EXPECT_EQ(CurrentLine(), "OSMODE の新しい値を入力 <4133>: ");
  Send("\x03");
  EXPECT_EQ(CurrentLine(), kIdle);
}

TEST_F(Transcript, UnknownCommandReportsAndReturnsToThePrompt) {
  Send("FOO\r");
  EXPECT_THAT(History(), HasSubstr("不明なコマンド \"FOO\"。"));
  EXPECT_EQ(CurrentLine(), kIdle);
  Send("\x03");
  EXPECT_THAT(History(), HasSubstr("コマンド: *キャンセル*"));
}

TEST_F(Transcript, FenceWindowAllAndSingleSelections) {
  AddSquare(0, 0, 10);
  Send(
      "\x03SELECT FENCE -1.0000000000000000,5.0000000000000000 "
      "11.0000000000000000,5.0000000000000000\r\r\r");
  EXPECT_EQ(CurrentLine(), kIdle);
  std::string h = After("SELECT");
  EXPECT_THAT(h, HasSubstr("認識された数: 2"));
  EXPECT_LT(h.find("認識された数: 2"), h.rfind("オブジェクトを選択"));
  EXPECT_EQ(host.core().previousSelection().size(), 2u);

  Send("\x03SELECT WINDOW -1,-1 5,11\r\r");
  EXPECT_THAT(After("SELECT"), HasSubstr("認識された数: 1"));  // the left side only
  Send("\x03SELECT FENCE 20,20 30,30\r\r\r");
  EXPECT_THAT(After("SELECT"), HasSubstr("認識された数: 0"));
  EXPECT_EQ(host.core().previousSelection().size(), 1u);  // an empty selection keeps it
  Send("\x03SELECT ALL \r");
  EXPECT_THAT(After("SELECT"), HasSubstr("認識された数: 4"));
  EXPECT_EQ(CurrentLine(), kIdle);

  // SINGLE ends with the first pick that finds something; LASTPOINT is that pick.
  host.user().PickObject(5, 0.01);
  Send("\x03\x03LASTPOINT 123,456,789 ");
  Send("SELECT SINGLE ");
  EXPECT_EQ(CurrentLine(), "オブジェクトを選択: ");
  Wait(500);
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_EQ(host.core().previousSelection().size(), 1u);
  EXPECT_EQ(host.core().Variable("LASTPOINT"), "5.0000,0.0100,0.0000");
}

// ALL leaves out objects on frozen and on locked layers, not those on layers that are only off;
// DXFOUT without its Objects option writes the whole drawing, those layers included.
TEST_F(Transcript, AllLeavesOutFrozenAndLockedLayersButTheWholeDrawingDoesNot) {
  Layer off{"OFF"}, frozen{"FROZEN"}, locked{"LOCKED"};
  off.on = false;
  frozen.frozen = true;
  locked.locked = true;
  for (const Layer& l : {off, frozen, locked}) host.drawing().layers.push_back(l);
  AddLine(0, 0, 10, 0, "0");
  AddLine(0, 1, 10, 1, "OFF");
  AddLine(0, 2, 10, 2, "FROZEN");
  AddLine(0, 3, 10, 3, "LOCKED");
  Send("\x03SELECT ALL \r");
  EXPECT_THAT(After("SELECT"), HasSubstr("認識された数: 2"));
  EXPECT_EQ(host.core().previousSelection().size(), 2u);
  Send("_FILEDIA 0 _DXFOUT C:\\Velsarom\\whole.dxf\rV 2000 16\r_FILEDIA 1 ");
  Wait(100);
  EXPECT_EQ(CurrentLine(), kIdle);
  const std::string out = world.files.ReadAll("C:\\Velsarom\\whole.dxf").value_or("");
  for (const char* layer : {"OFF", "FROZEN", "LOCKED"})
    EXPECT_THAT(out, HasSubstr(std::string("\r\n  8\r\n") + layer + "\r\n"));
  std::size_t lines = 0;
  for (std::size_t at = out.find("\r\n  0\r\nLINE\r\n"); at != std::string::npos;
       at = out.find("\r\n  0\r\nLINE\r\n", at + 1))
    ++lines;
  EXPECT_EQ(lines, 4u);
}

TEST_F(Transcript, AWindowWithoutAreaSelectsNothing) {
  AddSquare(0, 0, 10);
  AddLine(5, 5, 5, 5);  // a line of no length inside the point window
  for (const char* window : {"5,0 5,0", "5,5 5,5", "0,0 10,0", "10,-1 10,11"}) {
    SCOPED_TRACE(window);
    Send(std::string("\x03SELECT WINDOW ") + window + "\r\r");
    EXPECT_THAT(After("SELECT"), HasSubstr("認識された数: 0"));
    EXPECT_EQ(CurrentLine(), kIdle);
  }
  Send("\x03SELECT WINDOW -1,-1 11,0\r\r");  // the bottom side lies inside this one
  EXPECT_THAT(After("SELECT"), HasSubstr("認識された数: 1"));
}

TEST_F(Transcript, AFenceThroughATextsBoxSelectsItAlsoFromInside) {
  Text t;
  t.insert = t.align = {3000, 0, 0};
  t.height = 300;
  t.halign = 1;
  t.valign = 1;
  t.value = "6.00";
  Add(t);
  struct Case {
    const char* fence;
    const char* found;
  } cases[] = {
      {"2700,150 3300,150", "認識された数: 1"},  // wholly inside the box
      {"2000,150 4000,150", "認識された数: 1"},  // through it
      {"2700,500 3300,500", "認識された数: 0"},  // above it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fence);
    Send(std::string("\x03SELECT FENCE ") + c.fence + "\r\r\r");
    EXPECT_THAT(After("SELECT"), HasSubstr(c.found));
  }
}

TEST_F(Transcript, InteractiveSelectionReportsTheTotal) {
  AddSquare(0, 0, 10);
  host.user().PickObject(5, 0).PickObject(10, 5).PressEnter();
  Send("SELECT ");
  Wait(2000);
  EXPECT_EQ(CurrentLine(), kIdle);
  std::string h = After("SELECT");
  EXPECT_THAT(h, HasSubstr("総数 2"));
  EXPECT_LT(h.rfind("総数 "), h.rfind("オブジェクトを選択"));
  // Typing ALL gives no point: LASTPOINT keeps what it had.
  Send("\x03\x03LASTPOINT 123,456,789 ");
  host.user().Type("ALL\r").PressEnter();
  Send("SELECT ");
  Wait(2000);
  EXPECT_EQ(host.core().Variable("LASTPOINT"), "123.0000,456.0000,789.0000");
}

TEST_F(Transcript, ExportsOfThePreviousSetAppearCompleteAndStayOpenAWhile) {
  AddSquare(0, 0, 10);
  Send("\x03SELECT WINDOW -1,-1 11,11\r\r");
  Send("FILEDIA 0 ");
  Send("DXFOUT " + kExport + "\rO P \rV 2000 16\r");
  Send("FILEDIA 1 ");
  EXPECT_EQ(CurrentLine(), kIdle);
  ASSERT_TRUE(world.files.Exists(kExport));
  EXPECT_TRUE(world.files.InUse(kExport));
  Wait(100);
  EXPECT_FALSE(world.files.InUse(kExport));
  std::string bytes = *world.files.ReadAll(kExport);
  EXPECT_THAT(bytes, HasSubstr("$ACADVER\r\n  1\r\nAC1015\r\n"));
  EXPECT_THAT(bytes, HasSubstr("$DWGCODEPAGE\r\n  3\r\nANSI_932\r\n"));
  DxfReadResult r = ReadDxf(bytes, world.codePage);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.drawing.entities.size(), 4u);

  // The single form takes the previous set as one selection.
  world.files.Delete(kExport);
  Send("FILEDIA 0 ");
  Send("DXFOUT " + kExport + "\rO SINGLE P V 2000 16\r");
  EXPECT_EQ(CurrentLine(), kIdle);
  r = ReadDxf(*(Wait(100), world.files.ReadAll(kExport)), world.codePage);
  EXPECT_EQ(r.drawing.entities.size(), 4u);

  // With the file dialog on, the host opens its dialog and disables its main window.
  Send("FILEDIA 1 ");
  Send("DXFOUT ");
  EXPECT_FALSE(world.windows.IsEnabled(host.mainWindow()));
  host.user().PressEscape();
  Wait(400);
  EXPECT_TRUE(world.windows.IsEnabled(host.mainWindow()));
  EXPECT_EQ(CurrentLine(), kIdle);
}

TEST_F(Transcript, BoundaryExportOfTheLastObjectAndErase) {
  AddSquare(0, 0, 10);
  Send("\x03");
  Send("_-BOUNDARY 5.0000,5.0000\r\r");
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_EQ(After("境界が"), " 1 個のポリラインを作成しました\r\n");
  ASSERT_EQ(Count(), 5u);
  const auto& pl = std::get<LwPolyline>(host.drawing().entities.back().shape);
  EXPECT_TRUE(pl.closed);
  ASSERT_EQ(pl.vertices.size(), 4u);
  EXPECT_EQ(pl.vertices[0].x, 0);
  EXPECT_EQ(pl.vertices[1].x, 10);  // counter-clockwise from the lowest corner
  EXPECT_EQ(pl.vertices[1].y, 0);

  Send("_FILEDIA 0 ");
  Send("_DXFOUT " + kExport + "\rO SINGLE LAST\rV 2004 16\r");
  Send("_FILEDIA 1 ");
  Send("_ERASE SINGLE LAST ");
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_EQ(Count(), 4u);
  Wait(100);
  std::string bytes = *world.files.ReadAll(kExport);
  EXPECT_THAT(bytes, HasSubstr("AC1018"));
  DxfReadResult r = ReadDxf(bytes, world.codePage);
  ASSERT_EQ(r.drawing.entities.size(), 1u);
  EXPECT_EQ(std::get<LwPolyline>(r.drawing.entities[0].shape).vertices.size(), 4u);

  // Outside every region: no count in the report.
  Send("_-BOUNDARY 50.0000,50.0000\r\r");
  EXPECT_THAT(After("-BOUNDARY"), Not(HasSubstr("個のポリラインを")));
  EXPECT_EQ(Count(), 4u);
  EXPECT_EQ(CurrentLine(), kIdle);
}

TEST_F(Transcript, InsertExplodesTheAnnotationDocumentWithItsApplicationData) {
  world.files.WriteAll(kExport, AnnotationDocument());
  Send("_-INSERT *" + kExport + "\r0.0,0.0 1.0 0.0\r");
  EXPECT_EQ(CurrentLine(), kIdle);
  ASSERT_EQ(Count(), 3u);
  const Entity& text = host.drawing().entities[1];
  EXPECT_EQ(text.layer, "H_TEXT");
  const Text& t = std::get<Text>(text.shape);
  EXPECT_EQ(t.value, "12");
  EXPECT_EQ(t.align.x, 1000);
  EXPECT_EQ(t.align.y, 1000);
  ASSERT_EQ(text.xdata.size(), 1u);
  EXPECT_EQ(text.xdata[0].app, "VELSAROM");
  EXPECT_EQ(text.xdata[0].items[0].point.y, 5000);
  EXPECT_NE(host.drawing().FindLayer("H_HEN"), nullptr);
  EXPECT_TRUE(host.drawing().IsRegistered("VELSAROM"));
  // And back out, as the number scan reads it: the name registered, the data after the text.
  Send("_FILEDIA 0 _DXFOUT C:\\Velsarom\\all.dxf\rO ALL \rV 2000 16\r_FILEDIA 1 ");
  Wait(100);
  std::string out = world.files.ReadAll("C:\\Velsarom\\all.dxf").value_or("");
  EXPECT_THAT(out, HasSubstr("\r\n  0\r\nAPPID\r\n"));
  EXPECT_THAT(out, HasSubstr("\r\n  2\r\nVELSAROM\r\n"));
  EXPECT_THAT(out, HasSubstr("\r\n  1\r\n12\r\n"));
  EXPECT_THAT(out, HasSubstr("\r\n1001\r\nVELSAROM\r\n1010\r\n3000.0\r\n1020\r\n5000.0\r\n"
                             "1030\r\n4000.0\r\n  0\r\nLINE\r\n"));
}

// Where the inserted line (0,0)-(3000,4000) and the number text end up, and the text's
// rotation, for a rotation typed at -INSERT under the drawing's angle settings.
struct InsertedAngle {
  const char* settings;
  const char* rotation;
  double x, y;         // end of the line
  double textDegrees;  // rotation of the number text, DXF sense
};

TEST_F(Transcript, InsertRotationIsReadFromTheBaseAngleInTheAngleDirection) {
  world.files.WriteAll(kExport, AnnotationDocument());
  const InsertedAngle cases[] = {
      {"_ANGBASE 0 _ANGDIR 0 ", "0.0", 3000, 4000, 0},
      {"_ANGBASE 0 _ANGDIR 1 ", "0.0", 3000, 4000, 0},
      {"_ANGBASE 0 _ANGDIR 1 ", "90", 4000, -3000, 270},
      {"_ANGBASE 90 _ANGDIR 0 ", "0.0", -4000, 3000, 90},
      {"_ANGBASE 90 _ANGDIR 0 ", "-90", 3000, 4000, 0},
      {"_ANGBASE 90 _ANGDIR 1 ", "90", 3000, 4000, 0},
      {"_ANGBASE 90 _ANGDIR 1 ", "", -4000, 3000, 90},  // the default <0> counts from north too
      {"_ANGBASE 30 _ANGDIR 0 ", "-30d", 3000, 4000, 0},
      {"_ANGBASE 30 _ANGDIR 1 ", "0.5235987755982988r", 3000, 4000, 0},
  };
  for (const InsertedAngle& c : cases) {
    SCOPED_TRACE(std::string(c.settings) + c.rotation);
    host.drawing().entities.clear();
    Send(c.settings);
    Send("_-INSERT *" + kExport + "\r0.0,0.0 1.0 " + c.rotation + "\r");
    EXPECT_EQ(CurrentLine(), kIdle);
    ASSERT_EQ(Count(), 3u);
    const Line& line = std::get<Line>(host.drawing().entities[2].shape);
    EXPECT_NEAR(line.start.x, 0, 1e-9);
    EXPECT_NEAR(line.end.x, c.x, 1e-9);
    EXPECT_NEAR(line.end.y, c.y, 1e-9);
    const Text& t = std::get<Text>(host.drawing().entities[1].shape);
    EXPECT_NEAR(std::remainder(t.rotation - c.textDegrees, 360), 0, 1e-9);
  }
  // A polar point follows the same rule: 90 clockwise from north is east.
  host.drawing().entities.clear();
  Send("_ANGBASE 90 _ANGDIR 1 ");
  Send("_LINE 0,0 10<90\r\r");
  ASSERT_EQ(Count(), 1u);
  EXPECT_NEAR(std::get<Line>(host.drawing().entities[0].shape).end.x, 10, 1e-9);
  EXPECT_NEAR(std::get<Line>(host.drawing().entities[0].shape).end.y, 0, 1e-9);
}

TEST_F(Transcript, ApplicationDataOfAnUnregisteredNameIsDropped) {
  world.files.WriteAll(kExport, AnnotationDocument("VELSAROM", false));
  Send("_-INSERT *" + kExport + "\r0.0,0.0 1.0 0.0\r");
  ASSERT_EQ(Count(), 3u);
  EXPECT_TRUE(host.drawing().entities[1].xdata.empty());
  // Registered in the drawing, the same data survives.
  host.drawing().appIds.push_back("VELSAROM");
  Send("_-INSERT *" + kExport + "\r0.0,0.0 1.0 0.0\r");
  ASSERT_EQ(Count(), 6u);
  EXPECT_EQ(host.drawing().entities[4].xdata.size(), 1u);
}

TEST_F(Transcript, UndoMarksAndGroups) {
  Send("_UNDO M ");
  Send("_LINE 0.0,0.0 10.0,0.0\r\r");
  Send("_-LAYER M H_HEN\r\r");
  Send("_LINE 0.0,0.0 0.0,10.0\r\r");
  EXPECT_EQ(Count(), 2u);
  EXPECT_EQ(host.drawing().header.clayer, "H_HEN");
  Send("_UNDO 1 ");
  EXPECT_EQ(Count(), 1u);
  EXPECT_EQ(host.drawing().header.clayer, "H_HEN");
  Send("_UNDO B ");
  Send("\x03\x03");
  EXPECT_EQ(Count(), 0u);
  EXPECT_EQ(host.drawing().header.clayer, "0");
  EXPECT_EQ(host.drawing().FindLayer("H_HEN"), nullptr);
  Send("_UNDO M ");
  EXPECT_EQ(CurrentLine(), kIdle);
  // Settings kept outside the drawing are not undone; those saved with it are.
  Send("\x03OSMODE 0 _AUNITS 3 ");
  Send("_UNDO 1 _UNDO 1 ");
  EXPECT_EQ(host.core().Variable("OSMODE"), "0");
  EXPECT_EQ(host.core().Variable("AUNITS"), "0");
  Send("_UNDO M ");
  // Back without a mark asks before undoing everything; the product's ETX answers no.
  Send("_LINE 0,0 1,1\r\r");
  Send("_UNDO B ");
  Send("_UNDO B ");
  EXPECT_THAT(CurrentLine(), HasSubstr("すべて元に戻します。よろしいですか?"));
  Send("\x03\x03");
  EXPECT_EQ(Count(), 0u);  // the first B went back to the mark
  EXPECT_EQ(CurrentLine(), kIdle);
}

TEST_F(Transcript, MoveWaitsForTheDestination) {
  Handle c = Add(Circle{{100, 100, 0}, 5});
  Handle t = Add(Text{{100, 100, 0}, {100, 100, 0}, 4, 0, 1, 0, "Standard", 1, 2, "7"});
  Send("\x03SELECT WINDOW 90,90 110,110\r\r");
  host.user().PickPoint(130, 100);
  Send("\x03\x03_mOvE P \r100.0000,100.0000\r");
  EXPECT_EQ(CurrentLine(), "目的点を指定 または <1 点目を移動距離として使用>: ");
  Wait(500);
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_EQ(std::get<Circle>(host.drawing().FindEntity(c)->shape).center.x, 130);
  EXPECT_EQ(std::get<Text>(host.drawing().FindEntity(t)->shape).align.x, 130);
  EXPECT_EQ(host.core().Variable("LASTPOINT"), "130.0000,100.0000,0.0000");
  EXPECT_THAT(After("_mOvE"), Not(HasSubstr("キャンセル")));
}

TEST_F(Transcript, MoveKeepsAnglesExactAndOnlyTravellingApplicationDataFollows) {
  // A number mark's text: its rotation must survive a move bit for bit (the host only shifts
  // it), its side lengths (1010, a plain point) never follow the object; a world position
  // (1011) moves and turns with it, a distance (1041) scales with it.
  Text text{{100, 100, 0}, {100, 100, 0}, 4, 36.869897645844, 1, 0, "Standard", 1, 2, "7"};
  Handle t = Add(text);
  XData x{"VELSAROM", {}};
  XDataItem it;
  it.code = 1010;
  it.point = {3000, 5000, 4000};
  x.items.push_back(it);
  it.code = 1011;
  it.point = {100, 100, 0};
  x.items.push_back(it);
  host.drawing().FindEntity(t)->xdata.push_back(x);
  Send("\x03SELECT WINDOW 90,90 110,110\r\r");
  Send("\x03\x03_mOvE P \r100.0000,100.0000\r130.0000,100.0000\r");
  const Entity& e = *host.drawing().FindEntity(t);
  EXPECT_EQ(std::get<Text>(e.shape).rotation, 36.869897645844);
  EXPECT_EQ(e.xdata[0].items[0].point.x, 3000);
  EXPECT_EQ(e.xdata[0].items[1].point.x, 130);
  Send("_ROTATE P \r130.0000,100.0000\r90\r");
  EXPECT_EQ(e.xdata[0].items[0].point.x, 3000);
  EXPECT_NEAR(e.xdata[0].items[1].point.x, 130, 1e-12);
  EXPECT_NEAR(std::get<Text>(e.shape).rotation, 126.869897645844, 1e-12);

  // Inserted at rotation 0 and scale 1, the annotation's texts keep their rotation too.
  std::string doc = AnnotationDocument();
  doc.replace(doc.find(" 50\r\n0\r\n"), 8, " 50\r\n36.869897645844\r\n");
  world.files.WriteAll(kExport, doc);
  Send("_-INSERT *" + kExport + "\r0.0,0.0 1.0 0.0\r");
  EXPECT_EQ(std::get<Text>(host.drawing().entities[2].shape).rotation, 36.869897645844);
}

TEST_F(Transcript, LeaderRotateLayerAndCurrentLayer) {
  Send("_DIMASZ 4\r_DIMSCALE 100\r_DIMLDRBLK .\r");
  Send("_LEADER 100.0000,100.0000 125.0000,100.0000\r\r\rN ");
  EXPECT_EQ(CurrentLine(), kIdle);
  ASSERT_EQ(Count(), 1u);
  const Leader& l = std::get<Leader>(host.drawing().entities[0].shape);
  EXPECT_EQ(l.vertices.size(), 2u);
  EXPECT_DOUBLE_EQ(l.arrowSize, 400);
  EXPECT_TRUE(l.arrowBlock.empty());

  Handle t = Add(Text{{0, 0, 0}, {50, 50, 0}, 10, 30, 1, 0, "Standard", 1, 1, "5.00"});
  Send("\x03SELECT WINDOW 0,0 100,100\r\r");
  Send("\x03_OSMODE 0 ");
  Send("_ROTATE SINGLE P\r50.0000,50.0000\r180.0\r");
  EXPECT_EQ(CurrentLine(), kIdle);
  const Text& tt = std::get<Text>(host.drawing().FindEntity(t)->shape);
  EXPECT_DOUBLE_EQ(tt.rotation, 210);
  EXPECT_DOUBLE_EQ(tt.align.x, 50);

  Send("_-LAYER M H_HEN\r\r");
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_EQ(host.drawing().header.clayer, "H_HEN");
  Send("_LINE 0.0000000000000000,0.0000000000000000 5.0000000000000000,0.0000000000000000\r\r");
  EXPECT_EQ(host.drawing().entities.back().layer, "H_HEN");
  Send("\x03_CLAYER 0\r");
  EXPECT_EQ(CurrentLine(), kIdle);
  EXPECT_EQ(host.drawing().header.clayer, "0");
}

TEST_F(Transcript, LayerOffKeepsItsObjectsOutOfSelections) {
  AddLine(0, 0, 10, 0, "H_TEXT");
  AddLine(0, 1, 10, 1, "0");
  host.drawing().layers.push_back(Layer{"H_TEXT"});
  Send("_-LAYER OF H_TEXT\r\r");
  EXPECT_FALSE(host.drawing().FindLayer("H_TEXT")->on);
  Send("\x03SELECT FENCE 5,-1 5,2\r\r\r");
  EXPECT_THAT(After("SELECT"), HasSubstr("認識された数: 1"));
  Send("_-LAYER ON H_TEXT\r\r");
  Send("\x03SELECT FENCE 5,-1 5,2\r\r\r");
  EXPECT_THAT(After("SELECT"), HasSubstr("認識された数: 2"));
  // Turning off the current layer is asked first; Enter means no.
  Send("_-LAYER OF 0\r\r");
  EXPECT_TRUE(host.drawing().FindLayer("0")->on);
  EXPECT_THAT(CurrentLine(), HasSubstr("オプションを入力"));
  Send("\r");
  EXPECT_EQ(CurrentLine(), kIdle);
}

// A blank is Enter at a layer-name prompt as everywhere: a name that holds one is taken only in
// double quotes at -LAYER's prompts. Unquoted, the name is cut at the blank and the rest is
// typed as an option keyword. CLAYER's value prompt takes no quotes: they are part of the name.
TEST_F(Transcript, ALayerNameHoldsABlankOnlyInDoubleQuotes) {
  Send("_-LAYER M \"境界 旧\"\r\r");
  EXPECT_EQ(host.drawing().header.clayer, "境界 旧");
  EXPECT_EQ(CurrentLine(), kIdle);
  Send("_-LAYER M 0\r\r");
  Send("_-LAYER OF \"境界 旧\"\r\r");
  EXPECT_FALSE(host.drawing().FindLayer("境界 旧")->on);
  Send("_-LAYER ON \"境界 旧\"\r\r");
  EXPECT_TRUE(host.drawing().FindLayer("境界 旧")->on);
  EXPECT_THAT(History(), Not(HasSubstr("無効")));
  Send("\x03_CLAYER \"境界 旧\"\r");
  EXPECT_EQ(host.drawing().header.clayer, "0");
  EXPECT_THAT(History(), HasSubstr("CLAYER をその値に設定できません。"));
  Send("\x03\x03_-LAYER S \"境界 旧\"\r\r");
  EXPECT_EQ(host.drawing().header.clayer, "境界 旧");
  EXPECT_EQ(CurrentLine(), kIdle);

  Send("_-LAYER M 辺 線\r\r");
  EXPECT_EQ(host.drawing().header.clayer, "辺");
  EXPECT_EQ(host.drawing().FindLayer("辺 線"), nullptr);
  EXPECT_THAT(History(), HasSubstr("無効なオプション キーワードです。"));
  EXPECT_EQ(CurrentLine(), kIdle);
}

TEST_F(Transcript, TransparentSetvarInsideACommandResumesIt) {
  Send("_LINE 0,0 ");
  Send("'SETVAR OSMODE\r0\r");
  EXPECT_THAT(History(), HasSubstr("LINE コマンドを再開します。"));
  EXPECT_EQ(CurrentLine(), "次の点を指定 または [元に戻す(U)]: ");
  EXPECT_EQ(host.core().Variable("OSMODE"), "0");
  Send("5,0\r\r");
  EXPECT_EQ(Count(), 1u);
}

}  // namespace
}  // namespace hostsim
