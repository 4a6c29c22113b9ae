// 最大 and 作成 through the window against the simulated host: the marks stand in the host's
// drawing, the buttons are clicked, and the counter and the table the host holds afterwards
// are checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "hostlink/UserMessages.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::RefusingFiles;
using hosttest::WorkflowFixture;
using Strings = std::vector<std::string>;

const std::string kCsvPath = "C:\\Velsarom\\Menseki.csv";

constexpr double kPi = 3.14159265358979323846;

struct TableButtons : WorkflowFixture {
  explicit TableButtons(hostsim::HostOptions options = {}) : WorkflowFixture(options) {}

  // A number mark as the labelling writes it: a circle and a centred text carrying the sides
  // under the application's name.
  void AddMark(const std::string& number, double x, double y, double a, double b, double c,
               const std::string& app = "VELSAROM") {
    Add(hostsim::Circle{{x, y, 0}, 500}, "H_TEXT");
    hostsim::Text t;
    t.insert = t.align = {x, y, 0};
    t.height = 400;
    t.halign = 1;
    t.valign = 2;
    t.value = number;
    const hostsim::Handle h = Add(t, "H_TEXT");
    auto& ids = host.drawing().appIds;
    if (std::find(ids.begin(), ids.end(), app) == ids.end()) ids.push_back(app);
    hostsim::XDataItem sides;
    sides.code = 1010;
    sides.point = {a, b, c};
    for (auto& e : host.drawing().entities)
      if (e.handle == h) e.xdata.push_back({app, {sides}});
  }
  void AddMarks3127() {
    AddMark("3", 1000, 1000, 3000, 5000, 4000);
    AddMark("12", 5000, 1000, 6000, 10000, 8000);
    AddMark("7", 9000, 1000, 1000, 1414.2135623731, 1000);
  }
  int Counter() { return form.UpDown4.Position(); }

  // The table's texts (those without application data on the text layer), in drawing order.
  std::vector<const hostsim::Text*> TableTexts() { return Labels("H_TEXT"); }
  std::vector<const hostsim::Line*> TableLines() {
    std::vector<const hostsim::Line*> out;
    for (const auto& [e, l] : All<hostsim::Line>("H_TEXT")) out.push_back(l);
    return out;
  }
  Strings TableValues() {
    Strings out;
    for (const hostsim::Text* t : TableTexts()) out.push_back(t->value);
    return out;
  }

  // The whole table as it must stand in the drawing: its top-left corner at (x0, y0), rows of
  // h = 800, the default widths of the mode, upright texts of height 400 in their cells, and
  // every text and line in the order the table is written.
  void ExpectTableAt(double x0, double y0, bool baseHeight, const std::vector<Strings>& rows,
                     const std::vector<std::pair<std::string, std::string>>& summary) {
    const double h = 800;
    const std::vector<double> widths = baseHeight
                                           ? std::vector<double>{1500, 3000, 3000, 4500}
                                           : std::vector<double>{1500, 3000, 3000, 3000, 4500};
    const std::size_t k = widths.size(), n = rows.size();
    const std::size_t r = n + (baseHeight ? 4 : 3);
    std::vector<double> edge{0};
    for (double w : widths) edge.push_back(edge.back() + w);
    const double width = edge.back();

    const auto lines = TableLines();
    ASSERT_EQ(lines.size(), (r + 1) + (k + 1)) << "horizontal " << r + 1 << ", vertical " << k + 1;
    auto expectLine = [](const hostsim::Line* l, double x1, double y1, double x2, double y2) {
      EXPECT_NEAR(l->start.x, x1, 1e-6);
      EXPECT_NEAR(l->start.y, y1, 1e-6);
      EXPECT_NEAR(l->end.x, x2, 1e-6);
      EXPECT_NEAR(l->end.y, y2, 1e-6);
    };
    for (std::size_t i = 0; i <= r; ++i) {
      SCOPED_TRACE("horizontal line " + std::to_string(i));
      expectLine(lines[i], x0, y0 - i * h, x0 + width, y0 - i * h);
    }
    for (std::size_t j = 0; j <= k; ++j) {
      SCOPED_TRACE("vertical line " + std::to_string(j));
      // The edges and the line left of the last column reach the bottom; the others end under
      // the last data row.
      const double length = (j == 0 || j + 1 >= k ? r : n + 1) * h;
      expectLine(lines[r + 1 + j], x0 + edge[j], y0, x0 + edge[j], y0 - length);
    }

    struct Want {
      std::string value;
      double x, y;
      int halign;
    };
    std::vector<Want> want;
    const Strings heads =
        baseHeight ? Strings{"No.", "底辺", "高さ", "面積"} : Strings{"No.", "a", "b", "c", "面積"};
    for (std::size_t j = 0; j < k; ++j)
      want.push_back({heads[j], x0 + edge[j] + widths[j] / 2, y0 - h / 2, 1});
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t j = 0; j < k; ++j)
        want.push_back({rows[i][j], x0 + edge[j + 1] - h / 2, y0 - (i + 1.5) * h, 2});
    for (std::size_t s = 0; s < summary.size(); ++s) {
      const double y = y0 - (n + 1 + s + 0.5) * h;
      want.push_back({summary[s].first, x0 + edge[k - 1] - h / 2, y, 2});
      want.push_back({summary[s].second, x0 + width - h / 2, y, 2});
    }
    const auto texts = TableTexts();
    ASSERT_EQ(texts.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
      const hostsim::Text* t = texts[i];
      SCOPED_TRACE("text " + std::to_string(i) + " '" + want[i].value + "'");
      EXPECT_EQ(t->value, want[i].value);
      EXPECT_NEAR(t->align.x, want[i].x, 1e-6);
      EXPECT_NEAR(t->align.y, want[i].y, 1e-6);
      EXPECT_EQ(t->halign, want[i].halign);
      EXPECT_EQ(t->valign, 2);
      EXPECT_NEAR(std::remainder(t->rotation, 360.0), 0, 1e-9);
      EXPECT_DOUBLE_EQ(t->height, 400);
    }
  }

  void ClickTable(double x, double y) {
    host.user().PickPoint(x, y);
    form.RunHandler(&TForm1::Button3Click);
  }
};

// ---- 最大 ----

TEST_F(TableButtons, CounterGoesOnAfterTheHighestMarkOfTheApplication) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> marks;  // number text, application
    int next;
  } cases[] = {
      {"3, 12 and 7", {{"3", "VELSAROM"}, {"12", "VELSAROM"}, {"7", "VELSAROM"}}, 13},
      {"a text that is no integer beside them",
       {{"3", "VELSAROM"}, {"12.5", "VELSAROM"}, {"7", "VELSAROM"}, {"No.9", "VELSAROM"}},
       8},
      {"only texts that are no integers", {{"1a", "VELSAROM"}, {"x", "VELSAROM"}}, 1},
      {"a higher mark of another application", {{"3", "VELSAROM"}, {"99", "OTHERAPP"}}, 4},
      {"a higher mark named in small letters", {{"3", "VELSAROM"}, {"99", "velsarom"}}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.drawing().entities.clear();
    double x = 1000;
    for (const auto& [number, app] : c.marks) {
      AddMark(number, x, 1000, 3000, 4000, 5000, app);
      x += 2000;
    }
    form.UpDown4.SetPosition(50);
    form.RunHandler(&TForm1::Button4Click);
    EXPECT_EQ(Counter(), c.next);
    EXPECT_TRUE(Messages().empty());
  }
}

// Started again at 1, the count would let the next triangles repeat the drawing's numbers once
// the host runs again: without a host the user is told, and the counter stays.
TEST_F(TableButtons, CounterStaysWithoutAHostAndTheUserIsTold) {
  AddMarks3127();
  form.UpDown4.SetPosition(20);
  host.Close();
  form.RunHandler(&TForm1::Button4Click);
  EXPECT_EQ(Counter(), 20);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(Messages(), Strings{NoHostMessage()});
}

// Marks on frozen and on locked layers belong to the drawing too: SELECT's ALL would leave them
// out, and the next triangles would repeat their numbers, or the table would lack their rows.
TEST_F(TableButtons, MarksOnFrozenAndLockedLayersAreCountedAndListed) {
  AddMarks3127();
  hostsim::Layer frozen{"旧 番号"}, locked{"確定"};
  frozen.frozen = true;
  locked.locked = true;
  host.drawing().layers.push_back(frozen);
  host.drawing().layers.push_back(locked);
  auto& entities = host.drawing().entities;
  for (std::size_t i = 2; i < 4; ++i) entities[i].layer = frozen.name;  // mark 12
  for (std::size_t i = 4; i < 6; ++i) entities[i].layer = locked.name;  // mark 7
  form.UpDown4.SetPosition(1);
  form.RunHandler(&TForm1::Button4Click);
  EXPECT_EQ(Counter(), 13);
  EXPECT_EQ(CountSent("\x03SELECT ALL"), 0);
  ClickTable(12000, 20000);
  EXPECT_TRUE(Messages().empty());
  ExpectTableAt(12000, 20000, false,
                {{"3", "3.00", "5.00", "4.00", "6.0000"},
                 {"7", "1.00", "1.41", "1.00", "0.5000"},
                 {"12", "6.00", "10.00", "8.00", "24.0000"}},
                {{"合計", "30.5000"}, {"面積", "30.50  "}});
}

TEST_F(TableButtons, CounterCancelsARunningCommandBeforeTheExport) {
  AddMarks3127();
  // The user left a line half drawn: what is typed next goes to its point prompt.
  host.Type("_LINE 0,0 ");
  ASSERT_NE(host.currentLine(), "コマンド: ");
  form.UpDown4.SetPosition(20);
  form.RunHandler(&TForm1::Button4Click);
  EXPECT_EQ(Counter(), 13);
  const Strings sent = Sent();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.front().rfind("\x03", 0), 0u) << sent.front();
}

struct CounterOnASlowHost {
  const char* name;
  unsigned commandDelayMs, exportWriteMs;
  bool busy;         // still at work on a command the user ended just before the click
  int expected;      // with the counter at 20 before
  const char* told;  // what the user is told of the export, if anything
};

hostsim::HostOptions SlowHostOptions(const CounterOnASlowHost& c) {
  hostsim::HostOptions o;
  o.commandDelayMs = c.commandDelayMs;
  o.exportWriteMs = c.exportWriteMs;
  return o;
}

// A host whose export comes late or stays held: the counter keeps its place rather than fall
// to a number that later triangles would repeat.
struct CounterOnSlowHosts : TableButtons, ::testing::WithParamInterface<CounterOnASlowHost> {
  CounterOnSlowHosts() : TableButtons(SlowHostOptions(GetParam())) {}
};

TEST_P(CounterOnSlowHosts, ChangesOnlyAfterACompleteScan) {
  AddMarks3127();
  for (int i = 0; i < 300; ++i)  // a drawing large enough to take a while to write
    AddLine(i * 10.0, 20000, i * 10.0 + 5, 20005);
  if (GetParam().busy) host.Type("_LINE 0,0 10,10 \r");
  form.UpDown4.SetPosition(20);
  form.RunHandler(&TForm1::Button4Click);
  EXPECT_EQ(Counter(), GetParam().expected);
  const std::string told = GetParam().told;
  EXPECT_EQ(Messages(), told.empty()
                            ? Strings{}
                            : Strings{"ホストがファイル C:\\Velsarom\\Velsarom.dxf " + told});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CounterOnSlowHosts,
    ::testing::Values(
        CounterOnASlowHost{"quick", 0, 0, false, 13, ""},
        // Written over 5 s: the file is there at once, partial, and held until complete.
        CounterOnASlowHost{"written slowly", 0, 5000, false, 13, ""},
        // Still held open when the wait for its writer ends.
        CounterOnASlowHost{"held past the wait", 0, 45000, false, 20, "を書き終えません。"},
        // Every command takes 2 s, the export's own too: its file comes at once.
        CounterOnASlowHost{"slow commands", 2000, 0, false, 13, ""},
        // The host is 3 s at work on the line just drawn: the export has not appeared when
        // the wait for it ends.
        CounterOnASlowHost{"busy host", 3000, 0, true, 20, "を書き出しません。"}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n)
        if (ch == ' ') ch = '_';
      return n;
    });

// ---- 作成 ----

struct TableCase {
  const char* name;
  bool baseHeight;
  std::vector<Strings> rows;
  std::vector<std::pair<std::string, std::string>> summary;
};

TEST_F(TableButtons, TheTableOfOneTriangleInBothModes) {
  const TableCase cases[] = {
      {"three sides from 3004, 4004, 5004",
       false,
       {{"1", "3.00", "4.00", "5.00", "6.0000"}},
       {{"合計", "6.0000"}, {"面積", "6.00  "}}},
      {"base and height from 3000, 4000, 5000",
       true,
       {{"1", "5.00", "2.40", "12.0000"}},
       {{"合計", "12.0000"}, {"1/2", "6.0000"}, {"面積", "6.00  "}}},
  };
  for (const TableCase& c : cases) {
    SCOPED_TRACE(c.name);
    host.drawing().entities.clear();
    if (c.baseHeight) {
      AddMark("1", 2000, 2000, 3000, 4000, 5000);
    } else {
      AddMark("1", 2000, 2000, 3004, 4004, 5004);
    }
    form.RadioGroup1.SetItemIndex(c.baseHeight ? 1 : 0);
    ClickTable(12000, 20000);
    ExpectTableAt(12000, 20000, c.baseHeight, c.rows, c.summary);
    EXPECT_TRUE(Messages().empty());
    ExpectAuditedDrawing();
  }
}

TEST_F(TableButtons, EntriesAreListedByNumberWhateverTheirOrderInTheDrawing) {
  AddMark("10", 1000, 1000, 3000, 4000, 5000);
  AddMark("2", 3000, 1000, 6000, 8000, 10000);
  AddMark("7", 5000, 1000, 1000, 1000, 1000);
  ClickTable(12000, 20000);
  ExpectTableAt(12000, 20000, false,
                {{"2", "6.00", "8.00", "10.00", "24.0000"},
                 {"7", "1.00", "1.00", "1.00", "0.4330"},
                 {"10", "3.00", "4.00", "5.00", "6.0000"}},
                {{"合計", "30.4330"}, {"面積", "30.43  "}});
}

TEST_F(TableButtons, OnlyTheSelectedMarksWhenNotEveryMarkIsAsked) {
  AddMark("1", 1000, 1000, 3000, 4000, 5000);
  AddMark("2", 3000, 1000, 6000, 8000, 10000);
  AddMark("3", 8000, 1000, 1000, 1000, 1000);
  form.CheckBox2.SetChecked(false);
  // The user selects the first two marks and picks the corner.
  host.user().SelectWindow(0, 0, 4000, 2000).PressEnter().PickPoint(12000, 20000);
  form.RunHandler(&TForm1::Button3Click);
  ExpectTableAt(
      12000, 20000, false,
      {{"1", "3.00", "4.00", "5.00", "6.0000"}, {"2", "6.00", "8.00", "10.00", "24.0000"}},
      {{"合計", "30.0000"}, {"面積", "30.00  "}});
}

TEST_F(TableButtons, TextsInTheHostsStyleWhenAsked) {
  hostsim::TextStyle mincho;
  mincho.name = "MINCHO";
  host.drawing().styles.push_back(mincho);
  host.drawing().header.textstyle = "MINCHO";
  AddMark("1", 2000, 2000, 3004, 4004, 5004);
  form.CheckBox4.SetChecked(true);
  ClickTable(12000, 20000);
  EXPECT_EQ(form.CeTextStyle, "MINCHO");
  const auto texts = TableTexts();
  ASSERT_EQ(texts.size(), 5u + 5u + 4u);
  for (const hostsim::Text* t : texts) EXPECT_EQ(t->style, "MINCHO") << t->value;

  // Not asked: the style is forgotten and the texts take the host's default.
  host.drawing().entities.clear();
  AddMark("1", 2000, 2000, 3004, 4004, 5004);
  form.CheckBox4.SetChecked(false);
  ClickTable(12000, 20000);
  EXPECT_EQ(form.CeTextStyle, "");
  for (const hostsim::Text* t : TableTexts()) EXPECT_EQ(t->style, "Standard") << t->value;
}

TEST_F(TableButtons, NothingIsDrawnWithoutMarksOrWithoutACorner) {
  struct Case {
    const char* name;
    bool mark;
    bool pick;
  } cases[] = {{"a drawing without marks", false, true},
               {"the corner's pick cancelled", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.drawing().entities.clear();
    AddLine(0, 0, 3000, 0);
    if (c.mark) AddMark("1", 2000, 2000, 3004, 4004, 5004);
    const std::size_t before = EntityCount();
    if (c.pick) {
      host.user().PickPoint(12000, 20000);
    } else {
      host.user().PressEscape();
    }
    form.RunHandler(&TForm1::Button3Click);
    EXPECT_EQ(EntityCount(), before);
    EXPECT_EQ(CountSent("_-INSERT"), 0);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(world.files.Exists(kCsvPath));
  }
}

struct HostAngleCase {
  double baseDegrees;
  int direction;
};

struct TableUnderHostAngles : TableButtons, ::testing::WithParamInterface<HostAngleCase> {};

TEST_P(TableUnderHostAngles, StandsWherePickedWithUprightTextsInTheirCells) {
  hostsim::Header& header = host.drawing().header;
  header.angbase = GetParam().baseDegrees * kPi / 180;
  header.angdir = GetParam().direction;
  header.aunits = 1;  // degrees, minutes and seconds: sent back afterwards
  AddMark("1", 2000, 2000, 3004, 4004, 5004);
  AddMark("2", 4000, 2000, 3000, 4000, 5000);
  ClickTable(12000, 20000);
  ExpectTableAt(12000, 20000, false,
                {{"1", "3.00", "4.00", "5.00", "6.0000"}, {"2", "3.00", "4.00", "5.00", "6.0000"}},
                {{"合計", "12.0000"}, {"面積", "12.00  "}});
  EXPECT_EQ(header.aunits, 1);
  EXPECT_NEAR(header.angbase, GetParam().baseDegrees * kPi / 180, 1e-12);
  EXPECT_EQ(header.angdir, GetParam().direction);
}

INSTANTIATE_TEST_SUITE_P(Angles, TableUnderHostAngles,
                         ::testing::Values(HostAngleCase{0, 0}, HostAngleCase{90, 0},
                                           HostAngleCase{90, 1}, HostAngleCase{30, 1}),
                         [](const auto& info) {
                           return "ANGBASE_" + std::to_string(int(info.param.baseDegrees)) +
                                  "_ANGDIR_" + std::to_string(info.param.direction);
                         });

TEST_F(TableButtons, AWidthListOfTheWrongCountIsReportedAndNothingIsInserted) {
  struct Case {
    int mode;
    const char* widths3;
    const char* widths4;
  } cases[] = {{0, "1500,3000,3000,4500", "1500,3000,3000,4500"},
               {1, "1500,3000,3000,3000,4500", "1500,3000,3000,3000,4500"}};
  AddMark("1", 2000, 2000, 3004, 4004, 5004);
  const std::size_t before = EntityCount();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    world.messages.shown.clear();
    world.windows.sent.clear();
    form.RadioGroup1.SetItemIndex(c.mode);
    form.Edit11.SetText(c.widths3);
    form.Edit20.SetText(c.widths4);
    ClickTable(12000, 20000);
    const Strings messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(c.mode == 1 ? "4 個" : "5 個"), std::string::npos) << messages[0];
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(EntityCount(), before);
  }
}

// ---- Menseki.csv ----

// The table's texts in the code page, row by row: the summary label and value under the last two
// columns; a number text with a comma of its own is quoted, so that it stays one field.
TEST_F(TableButtons, TheTableGoesToMensekiCsvInTheCodePage) {
  const struct {
    const char* name;
    bool baseHeight;
    std::vector<Strings> rows;  // as the drawing shows them
    std::vector<std::pair<std::string, std::string>> summary;
    std::string csv;
  } cases[] = {
      {"three sides",
       false,
       {{"1,ｲ", "3.00", "4.00", "5.00", "6.0000"}, {"2", "6.00", "8.00", "10.00", "24.0000"}},
       {{"合計", "30.0000"}, {"面積", "30.00  "}},
       "No.,a,b,c,面積\r\n"
       "\"1,ｲ\",3.00,4.00,5.00,6.0000\r\n"
       "2,6.00,8.00,10.00,24.0000\r\n"
       ",,,合計,30.0000\r\n"
       ",,,面積,30.00  \r\n"},
      {"base and height",
       true,
       {{"1,ｲ", "5.00", "2.40", "12.0000"}, {"2", "10.00", "4.80", "48.0000"}},
       {{"合計", "60.0000"}, {"1/2", "30.0000"}, {"面積", "30.00  "}},
       "No.,底辺,高さ,面積\r\n"
       "\"1,ｲ\",5.00,2.40,12.0000\r\n"
       "2,10.00,4.80,48.0000\r\n"
       ",,合計,60.0000\r\n"
       ",,1/2,30.0000\r\n"
       ",,面積,30.00  \r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.drawing().entities.clear();
    AddMark("1,ｲ", 1000, 1000, 3000, 4000, 5000);
    AddMark("2", 3000, 1000, 6000, 8000, 10000);
    form.RadioGroup1.SetItemIndex(c.baseHeight ? 1 : 0);
    ClickTable(12000, 20000);
    EXPECT_TRUE(Messages().empty());
    ExpectTableAt(12000, 20000, c.baseHeight, c.rows, c.summary);
    const auto bytes = world.files.ReadAll(kCsvPath);
    ASSERT_TRUE(bytes.has_value());
    // 面積 as code page 932 has it (96CA 90CF), ｲ as its one byte B2; no UTF-8.
    EXPECT_NE(bytes->find("\x96\xCA\x90\xCF"), std::string::npos);
    EXPECT_NE(bytes->find("\"1,\xB2\""), std::string::npos);
    EXPECT_EQ(bytes->find("面積"), std::string::npos);
    EXPECT_EQ(world.codePage.AnsiToUtf8(*bytes), c.csv);
  }
}

TEST_F(TableButtons, AMensekiCsvThatCannotBeWrittenIsToldAndTheTableStillInserted) {
  AddMark("1", 2000, 2000, 3004, 4004, 5004);
  {
    RefusingFiles files(world.files, kCsvPath);
    platform::Ports withRefusal = world.ports();
    withRefusal.files = &files;
    const platform::ScopedPorts installed(withRefusal);
    ClickTable(12000, 20000);
  }
  EXPECT_EQ(Messages(), Strings{kCsvPath + " に書き込めません"});
  ExpectTableAt(12000, 20000, false, {{"1", "3.00", "4.00", "5.00", "6.0000"}},
                {{"合計", "6.0000"}, {"面積", "6.00  "}});
  EXPECT_FALSE(world.files.Exists(kCsvPath));
}

}  // namespace
