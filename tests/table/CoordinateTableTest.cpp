// 座標求積 through the window against the simulated host: the user picks inside a parcel and
// then the table's corner; the table the host holds afterwards and Zahyo.csv are checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::RefusingFiles;
using hosttest::WorkflowFixture;
using Strings = std::vector<std::string>;

const std::string kCsvPath = "C:\\Velsarom\\Zahyo.csv";

// The pentagon A(5,20) B(15,15) C(30,25) D(20,40) E(10,35) in metres, drawn in millimetres.
const std::vector<std::pair<double, double>> kPentagon = {
    {5000, 20000}, {15000, 15000}, {30000, 25000}, {20000, 40000}, {10000, 35000}};

struct CoordinateTable : WorkflowFixture {
  CoordinateTable() {
    host.drawing().header.viewHeight = 50000;
    host.drawing().header.viewCenter = {17500, 27500, 0};
  }

  void Click(double insideX, double insideY, double cornerX, double cornerY) {
    host.user().PickPoint(insideX, insideY).PickPoint(cornerX, cornerY);
    form.RunHandler(&TForm1::Button15Click);
  }
  std::vector<std::pair<const hostsim::Entity*, const hostsim::Text*>> Texts() {
    return All<hostsim::Text>("H_TEXT");
  }
  // The values of the texts on H_TEXT, from the first'th on (those a later click added).
  Strings TextValues(std::size_t first = 0) {
    Strings out;
    const auto texts = Texts();
    for (std::size_t i = first; i < texts.size(); ++i) out.push_back(texts[i].second->value);
    return out;
  }
  // Zahyo.csv decoded from the code page, split into lines and fields (no field is quoted).
  std::vector<Strings> CsvRows() {
    const auto bytes = world.files.ReadAll(kCsvPath);
    EXPECT_TRUE(bytes.has_value());
    if (!bytes) return {};
    const std::string text = world.codePage.AnsiToUtf8(*bytes);
    std::vector<Strings> rows;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         start = end + 2, end = text.find("\r\n", start)) {
      Strings fields{""};
      for (char c : text.substr(start, end - start)) {
        if (c == ',')
          fields.emplace_back();
        else
          fields.back() += c;
      }
      rows.push_back(fields);
    }
    EXPECT_EQ(start, text.size()) << "the last line ends without CR LF";
    return rows;
  }
};

TEST_F(CoordinateTable, PentagonGivesItsAreaWithSurveyAxes) {
  AddOutline(kPentagon);
  Click(16000, 27000, 40000, 40000);
  EXPECT_TRUE(Messages().empty());

  // Clockwise from wherever the trace began: A, E, D, C, B as (X north, Y east) in metres and
  // the product X·(Y next − Y before).
  // Coordinates to the millimetre, each product exact.
  const std::string corners[5][3] = {{"20.000", "5.000", "-100.000000"},
                                     {"35.000", "10.000", "525.000000"},
                                     {"40.000", "20.000", "800.000000"},
                                     {"25.000", "30.000", "-125.000000"},
                                     {"15.000", "15.000", "-375.000000"}};
  const Strings values = TextValues();
  ASSERT_EQ(values.size(), 4u + 5 * 4 + 3 * 2);
  EXPECT_EQ(Strings(values.begin(), values.begin() + 4),
            (Strings{"No.", "X", "Y", "Xn(Yn+1-Yn-1)"}));
  std::size_t first = 5;
  for (std::size_t k = 0; k < 5; ++k)
    if (corners[k][0] == values[5] && corners[k][1] == values[6]) first = k;
  ASSERT_LT(first, 5u) << values[5] << " " << values[6];
  for (std::size_t r = 0; r < 5; ++r) {
    const auto& want = corners[(first + r) % 5];
    EXPECT_EQ(Strings(values.begin() + 4 + 4 * r, values.begin() + 8 + 4 * r),
              (Strings{std::to_string(r + 1), want[0], want[1], want[2]}))
        << "row " << r + 1;
  }
  EXPECT_EQ(Strings(values.end() - 6, values.end()),
            (Strings{"倍面積", "725.000000", "面積", "362.500000", "最終面積", "362.50"}));

  // The final area's text stands in the last column of the last row, carrying the area.
  const auto [areaEntity, areaText] = Texts().back();
  EXPECT_NEAR(areaText->align.x, 40000 + 12000 - 400, 1e-6);
  EXPECT_NEAR(areaText->align.y, 40000 - 8.5 * 800, 1e-6);
  ASSERT_EQ(areaEntity->xdata.size(), 1u);
  EXPECT_EQ(areaEntity->xdata[0].app, "VELSAROM");
  ASSERT_EQ(areaEntity->xdata[0].items.size(), 2u);
  EXPECT_EQ(areaEntity->xdata[0].items[0].text, "COORDINATE-AREA");
  EXPECT_DOUBLE_EQ(areaEntity->xdata[0].items[1].real, 362.5);
  for (const auto& [e, t] : Texts()) {
    if (e != areaEntity) {
      EXPECT_TRUE(e->xdata.empty()) << t->value;
    }
  }

  // Zahyo.csv in the code page: the same texts row by row, the summary under the last columns.
  const auto raw = world.files.ReadAll(kCsvPath);
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ(raw->find("面積"), std::string::npos) << "written as UTF-8";
  const std::vector<Strings> rows = CsvRows();
  ASSERT_EQ(rows.size(), 1u + 5 + 3);
  Strings flattened;
  for (const Strings& row : rows) {
    EXPECT_EQ(row.size(), 4u);
    for (const std::string& field : row)
      if (!field.empty()) flattened.push_back(field);
  }
  EXPECT_EQ(flattened, values);
  EXPECT_EQ(rows.back(), (Strings{"", "", "最終面積", "362.50"}));
  ExpectAuditedDrawing();

  // 作成 takes the table's area for no number mark: the drawing has none, so nothing is added.
  const std::size_t before = EntityCount();
  host.user().PickPoint(0, 0);
  form.RunHandler(&TForm1::Button3Click);
  EXPECT_EQ(EntityCount(), before);
}

// 作成 after 座標求積 and 自動 on the pentagon ends with the coordinate area and the difference;
// a second coordinate table leaves it unknown which is this parcel's, and the rows out.
TEST_F(CoordinateTable, AreaTableShowsTheCoordinateAreaAndTheDifference) {
  AddOutline(kPentagon);
  Click(16000, 27000, 40000, 40000);
  host.user().PickPoint(16000, 27000);
  form.RunHandler(&TForm1::Button10Click);
  const std::size_t before = Texts().size();
  host.user().PickPoint(60000, 40000);
  form.RunHandler(&TForm1::Button3Click);
  EXPECT_TRUE(Messages().empty());

  const Strings table = TextValues(before);
  ASSERT_GE(table.size(), 6u);
  const Strings last(table.end() - 6, table.end());
  EXPECT_EQ(last[0], "面積");
  EXPECT_EQ(Strings(last.begin() + 2, last.end() - 1), (Strings{"座標面積", "362.50  ", "差"}));
  // The ﾍﾛﾝ table's area comes from rounded sides: close to the coordinate area, not equal.
  const double final = std::stod(last[1]), difference = std::stod(last[5]);
  EXPECT_NEAR(final - 362.5, difference, 1e-9) << last[1] << " " << last[5];
  EXPECT_LT(std::abs(difference), 0.05);

  // A second coordinate table, of another parcel: no rows for either.
  AddOutline({{32000, 5000}, {40000, 5000}, {40000, 12000}, {32000, 12000}});
  Click(36000, 8000, 80000, 40000);
  EXPECT_TRUE(Messages().empty());
  const std::size_t withTwo = Texts().size();
  host.user().PickPoint(100000, 40000);
  form.RunHandler(&TForm1::Button3Click);
  const Strings third = TextValues(withTwo);
  ASSERT_GE(third.size(), 2u);
  EXPECT_EQ(third[third.size() - 2], "面積");
  EXPECT_EQ(std::count(third.begin(), third.end(), "座標面積"), 0);
}

TEST_F(CoordinateTable, AParcelWithAnArcSaysSoInsteadOfAnArea) {
  AddPolygon({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}}, {0, 0, 0.25, 0});
  Click(5000, 5000, 20000, 10000);
  EXPECT_TRUE(Messages().empty());
  const Strings values = TextValues();
  ASSERT_EQ(values.size(), 4u + 4 * 4 + 2 * 2);
  EXPECT_EQ(Strings(values.end() - 4, values.end()),
            (Strings{"倍面積", "円弧を含む", "面積", "円弧を含む"}));
  for (const auto& [e, t] : Texts()) EXPECT_TRUE(e->xdata.empty()) << t->value;
  const std::vector<Strings> rows = CsvRows();
  ASSERT_EQ(rows.size(), 1u + 4 + 2);
  EXPECT_EQ(rows.back(), (Strings{"", "", "面積", "円弧を含む"}));
}

// With 弓形 the arcs are rows of their own after the corners, in the rows' clockwise order: the
// top side bulging out (+), then the bottom side bulging in (−); the area counts them, and 作成
// after 自動 (which marks the same arcs) compares like with like.
TEST_F(CoordinateTable, WithSegmentsTheArcsAreRowsAndCountInTheArea) {
  AddPolygon({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}}, {-0.2, 0, 0.3, 0});
  form.CheckBox6.SetChecked(true);
  Click(5000, 5000, 20000, 10000);
  EXPECT_TRUE(Messages().empty());
  // Radius and angle as measured: r = c / (2 sin(2 atan b)) is 9.0833… and 13; the areas from the
  // radius and the angle (to the second) as shown, to the row areas' places.
  auto dms = [](double radians, double& shown) {
    const long seconds = std::lround(radians * 648000 / std::numbers::pi);
    shown = seconds * std::numbers::pi / 648000;
    char b[64];
    std::snprintf(b, sizeof b, "%ld°%02ld′%02ld″", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return std::string(b);
  };
  double outAngle = 0, inAngle = 0;
  const std::string outText = dms(4 * std::atan(0.3), outAngle);
  const std::string inText = dms(4 * std::atan(0.2), inAngle);
  auto area = [](double r, double angle) { return r * r * (angle - std::sin(angle)) / 2; };
  const double out = std::round(area(9.08, outAngle) * 1e4) / 1e4;
  const double in = -std::round(area(13, inAngle) * 1e4) / 1e4;
  auto fixed = [](double v, int places = 2) {
    char b[32];
    std::snprintf(b, sizeof b, "%.*f", places, v);
    return std::string(b);
  };
  const Strings values = TextValues();
  ASSERT_EQ(values.size(), 4u + 4 * 4 + 2 * 4 + 4 * 2);
  EXPECT_EQ(Strings(values.end() - 16, values.end()),
            (Strings{"弓1", "R9.08", outText, fixed(out, 4), "弓2", "R13.00", inText, fixed(in, 4),
                     "倍面積", "200.000000", "弓形計", fixed(out + in, 4), "面積",
                     fixed(100 + out + in, 6), "最終面積", fixed(100 + out + in)}));
  const std::vector<Strings> rows = CsvRows();
  ASSERT_EQ(rows.size(), 1u + 4 + 2 + 4);
  EXPECT_EQ(rows[5], (Strings{"弓1", "R9.08", outText, fixed(out, 4)}));
  EXPECT_EQ(rows.back(), (Strings{"", "", "最終面積", fixed(100 + out + in)}));

  host.user().PickPoint(5000, 5000);
  form.RunHandler(&TForm1::Button10Click);
  // 自動 names the arcs as the table does: 弓1 the top one (bulging out), 弓2 the bottom one.
  Strings marks;
  for (const auto& [e, t] : Texts()) {
    if (e->xdata.empty() || e->xdata[0].app != "VELSAROM_SEGMENT") continue;
    const double sign = e->xdata[0].items[0].point.z;
    marks.push_back(t->value + (t->align.y > 5000 ? " top " : " bottom ") + (sign > 0 ? "+" : "-"));
  }
  EXPECT_EQ(marks, (Strings{"弓1 top +", "弓2 bottom -"}));
  const std::size_t before = Texts().size();
  host.user().PickPoint(40000, 10000);
  form.RunHandler(&TForm1::Button3Click);
  EXPECT_TRUE(Messages().empty());
  const Strings table = TextValues(before);
  ASSERT_GE(table.size(), 8u);
  const Strings last(table.end() - 8, table.end());
  EXPECT_EQ(last[0], "合計");
  EXPECT_EQ(last[2], "面積");
  EXPECT_EQ(last[4], "座標面積");
  EXPECT_EQ(last[5], fixed(100 + out + in) + "  ");
  // Segments on both sides: what is left is the rounding of the two triangles' sides alone.
  EXPECT_LT(std::abs(std::stod(last[7])), 0.01) << last[3] << " against " << last[5];
}

// One name for one arc: with 弓2 already in the drawing, the table names the arcs 弓3 and 弓4, and
// 自動 marks them so.
TEST_F(CoordinateTable, SegmentRowsAreNamedAsTheMarksWillBe) {
  AddPolygon({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}}, {-0.2, 0, 0.3, 0});
  host.drawing().appIds.push_back("VELSAROM_SEGMENT");
  AddText("弓2", 60000, 60000, 300);
  hostsim::XDataItem chord, angle;
  chord.code = 1010;
  chord.point = {5000, 9000, 1};
  angle.code = 1040;
  angle.real = 0.6;
  host.drawing().entities.back().xdata.push_back({"VELSAROM_SEGMENT", {chord, angle}});
  form.CheckBox6.SetChecked(true);
  Click(5000, 5000, 20000, 10000);
  EXPECT_TRUE(Messages().empty());
  Strings names;
  for (const std::string& v : TextValues())
    if (v.rfind("弓", 0) == 0 && v != "弓形計") names.push_back(v);
  EXPECT_EQ(names, (Strings{"弓3", "弓4"}));

  host.user().PickPoint(5000, 5000);
  form.RunHandler(&TForm1::Button10Click);
  Strings marks;
  for (const auto& [e, t] : Texts()) {
    if (e->xdata.empty() || e->xdata[0].app != "VELSAROM_SEGMENT" || t->value == "弓2") continue;
    marks.push_back(t->value + (t->align.y > 5000 ? " top" : " bottom"));
  }
  EXPECT_EQ(marks, (Strings{"弓3 top", "弓4 bottom"}));
}

TEST_F(CoordinateTable, ACsvThatCannotBeWrittenIsToldAndTheTableStillInserted) {
  AddOutline(kPentagon);
  {
    RefusingFiles files(world.files, kCsvPath);
    platform::Ports withRefusal = world.ports();
    withRefusal.files = &files;
    const platform::ScopedPorts installed(withRefusal);
    Click(16000, 27000, 40000, 40000);
  }
  EXPECT_EQ(Messages(), Strings{kCsvPath + " に書き込めません"});
  const Strings values = TextValues();
  ASSERT_EQ(values.size(), 30u);
  EXPECT_EQ(values.back(), "362.50");
  EXPECT_FALSE(world.files.Exists(kCsvPath));
}

}  // namespace
