// 弓形 through the window against the simulated host: 自動 (形状優先 and 弓形 on) on a parcel
// with one curved side marks that side's circular segment, 最大 still counts the triangles
// only, and 作成 adds the segment's row to the total, so that the final area is the parcel's own
// and not its chord polygon's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

constexpr double kPi = std::numbers::pi;

struct CurvedParcel {
  const char* name;
  std::vector<std::pair<double, double>> corners;  // counter-clockwise, mm
  int arcSide;                                     // the side from this corner to the next
  double bulge;
  int sign;  // +1 the arc bulges out of the parcel, −1 in
  bool baseHeight;
};

void PrintTo(const CurvedParcel& p, std::ostream* os) { *os << p.name; }

// A road frontage bulging out, and a cul-de-sac frontage bulging in; odd tenths of a millimetre
// keep every length off a rounding tie.
const std::vector<std::pair<double, double>> kFrontageOut = {
    {2000.3, 2000.1}, {18000.7, 2000.3}, {18000.1, 14000.9}, {10000.3, 18000.7}, {2000.9, 14000.3}};
const std::vector<std::pair<double, double>> kCulDeSac = {
    {2000.3, 2000.1}, {18000.7, 2000.3}, {18000.1, 15000.9}, {2000.9, 15000.3}};

const CurvedParcel kParcels[] = {
    {"bulge_out_three_side", kFrontageOut, 1, 0.25, +1, false},
    {"bulge_out_base_height", kFrontageOut, 1, 0.25, +1, true},
    {"cul_de_sac_three_side", kCulDeSac, 2, -0.3, -1, false},
    {"cul_de_sac_base_height", kCulDeSac, 2, -0.3, -1, true},
    // The side K2-K3 as a lobe of 225° (bulge 1.5): a reader who works the angle back from the
    // chord and radius gets the minor arc, 135°, and misses most of the lobe.
    {"major_arc_three_side", kFrontageOut, 1, 1.5, +1, false},
    {"major_arc_base_height", kFrontageOut, 1, 1.5, +1, true},
};

// Half up to `digits` places, as the table shows lengths and areas (no value here is a tie).
std::string Fixed(double v, int digits) {
  char b[64];
  std::snprintf(b, sizeof b, "%.*f", digits, v);
  return b;
}

double Shoelace(const std::vector<std::pair<double, double>>& p) {
  double sum = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const auto& a = p[i];
    const auto& b = p[(i + 1) % p.size()];
    sum += a.first * b.second - b.first * a.second;
  }
  return sum / 2;
}

struct Segment {
  double chord, radius, angle, arcX, arcY;  // drawing units; the arc's middle
};

// From the circle through the side: the centre lies r·cos(θ/2) from the chord's middle on one
// side, the arc's middle r − r·cos(θ/2) on the other (to the right of the side's direction for
// a positive bulge).
Segment SegmentOf(const CurvedParcel& p) {
  const auto& a = p.corners[static_cast<std::size_t>(p.arcSide)];
  const auto& b = p.corners[(static_cast<std::size_t>(p.arcSide) + 1) % p.corners.size()];
  Segment s;
  s.chord = std::hypot(b.first - a.first, b.second - a.second);
  s.angle = 4 * std::atan(std::abs(p.bulge));
  s.radius = s.chord / 2 / std::sin(s.angle / 2);
  const double rise = s.radius * (1 - std::cos(s.angle / 2));
  const double ux = (b.first - a.first) / s.chord, uy = (b.second - a.second) / s.chord;
  const double right = p.bulge > 0 ? 1 : -1;
  s.arcX = (a.first + b.first) / 2 + right * rise * uy;
  s.arcY = (a.second + b.second) / 2 - right * rise * ux;
  return s;
}

double Heron(double a, double b, double c) {
  const double s = (a + b + c) / 2;
  return std::sqrt(std::max(0.0, s * (s - a) * (s - b) * (s - c)));
}

double SegmentArea(double radius, double angle) {
  return radius * radius * (angle - std::sin(angle)) / 2;
}

// The most a row's area (in the units of its lengths) moves when each of its figures is off by
// half a centimetre, either way: the corners of that box, as the area is smooth on it.
template <class Area>
double Spread(const std::vector<double>& figures, Area area) {
  const double exact = area(figures);
  double most = 0;
  for (unsigned corner = 0; corner < (1u << figures.size()); ++corner) {
    std::vector<double> moved = figures;
    for (std::size_t i = 0; i < moved.size(); ++i) moved[i] += (corner >> i & 1) ? 0.005 : -0.005;
    most = std::max(most, std::abs(area(moved) - exact));
  }
  return most;
}

// A triangle's row: Heron on its three sides, or half of base × height from its longest side.
double RowRoundingBound(double a, double b, double c, bool baseHeight) {
  if (!baseHeight)
    return Spread({a, b, c}, [](const std::vector<double>& f) { return Heron(f[0], f[1], f[2]); });
  const double base = std::max({a, b, c});
  const double height = 2 * Heron(a, b, c) / base;
  return Spread({base, height}, [](const std::vector<double>& f) { return f[0] * f[1] / 2; });
}

// A segment's row: its radius off by half a centimetre and its angle by half a second move
// r²(θ − sin θ)/2 by at most these rates (a little over them) times the errors.
double SegmentRoundingBound(double radius, double angle) {
  const double halfSecond = kPi / 648000 / 2;
  return 1.01 * (radius * (angle - std::sin(angle)) * 0.005 +
                 radius * radius * (1 - std::cos(angle)) / 2 * halfSecond);
}

// 度分秒 to the second, and back to radians as a reader with a calculator takes it.
std::string Dms(double radians) {
  const long seconds = std::lround(radians * 648000 / kPi);
  char b[64];
  std::snprintf(b, sizeof b, "%ld°%02ld′%02ld″", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return b;
}
double RadiansOfDms(const std::string& dms) {
  int d = 0, m = 0, s = 0;
  EXPECT_EQ(std::sscanf(dms.c_str(), "%d°%d′%d″", &d, &m, &s), 3) << dms;
  return (d * 3600.0 + m * 60 + s) * kPi / 648000;
}

struct CurvedRun : WorkflowFixture, ::testing::WithParamInterface<CurvedParcel> {
  // The texts the last click added to the drawing, in order.
  std::vector<std::string> TextsFrom(std::size_t first) {
    std::vector<std::string> out;
    for (std::size_t i = first; i < host.drawing().entities.size(); ++i)
      if (const auto* t = std::get_if<hostsim::Text>(&host.drawing().entities[i].shape))
        out.push_back(t->value);
    return out;
  }
  struct SegmentSeen {
    const hostsim::Entity* entity;
    const hostsim::Text* text;
  };
  std::vector<SegmentSeen> SegmentMarks() {
    std::vector<SegmentSeen> out;
    for (const auto& e : host.drawing().entities) {
      const auto* t = std::get_if<hostsim::Text>(&e.shape);
      if (t && !e.xdata.empty() && e.xdata[0].app == "VELSAROM_SEGMENT") out.push_back({&e, t});
    }
    return out;
  }
};

TEST_P(CurvedRun, SegmentMarkedListedAndCounted) {
  const CurvedParcel& p = GetParam();
  std::vector<double> bulges(p.corners.size(), 0.0);
  bulges[static_cast<std::size_t>(p.arcSide)] = p.bulge;
  AddPolygon(p.corners, bulges);
  form.CheckBox5.SetChecked(true);
  form.CheckBox6.SetChecked(true);
  form.RadioGroup1.SetItemIndex(p.baseHeight ? 1 : 0);
  form.UpDown4.SetPosition(1);

  host.user().PickPoint(10000, 6000);
  form.RunHandler(&TForm1::Button10Click);
  ASSERT_TRUE(Messages().empty()) << Messages().front();
  const auto marks = Marks();
  ASSERT_EQ(marks.size(), p.corners.size() - 2);

  // One segment mark, at the arc's middle, in the labels' layer and height, carrying chord,
  // radius, sign and angle.
  const Segment expected = SegmentOf(p);
  const auto segments = SegmentMarks();
  ASSERT_EQ(segments.size(), 1u);
  const auto& [entity, text] = segments.front();
  EXPECT_EQ(text->value, "弓1");
  EXPECT_EQ(entity->layer, "H_TEXT");
  ASSERT_FALSE(Labels().empty());
  const double height = Labels().front()->height;
  EXPECT_EQ(text->height, height);
  // One text height beyond the arc, away from the chord's middle.
  const auto& a = p.corners[static_cast<std::size_t>(p.arcSide)];
  const auto& b = p.corners[(static_cast<std::size_t>(p.arcSide) + 1) % p.corners.size()];
  const double mx = (a.first + b.first) / 2, my = (a.second + b.second) / 2;
  const double rise = std::hypot(expected.arcX - mx, expected.arcY - my);
  EXPECT_NEAR(text->align.x, expected.arcX + (expected.arcX - mx) / rise * height, 1e-6);
  EXPECT_NEAR(text->align.y, expected.arcY + (expected.arcY - my) / rise * height, 1e-6);
  ASSERT_EQ(entity->xdata[0].items.size(), 2u);
  EXPECT_NEAR(entity->xdata[0].items[0].point.x, expected.chord, 1e-6);
  EXPECT_NEAR(entity->xdata[0].items[0].point.y, expected.radius, 1e-6);
  EXPECT_EQ(entity->xdata[0].items[0].point.z, p.sign);
  EXPECT_NEAR(entity->xdata[0].items[1].real, expected.angle, 1e-12);

  // 最大 counts triangles only.
  form.UpDown4.SetPosition(500);
  form.RunHandler(&TForm1::Button4Click);
  EXPECT_EQ(form.UpDown4.Position(), static_cast<int>(marks.size()) + 1);

  const std::size_t before = EntityCount();
  host.user().PickPoint(22000, 24000);
  form.RunHandler(&TForm1::Button3Click);
  ASSERT_TRUE(Messages().empty()) << Messages().front();
  const std::vector<std::string> table = TextsFrom(before);
  const std::size_t columns = p.baseHeight ? 4 : 5;
  const std::size_t rows = marks.size() + 1;
  ASSERT_EQ(table.size(), columns * (rows + 1) + (p.baseHeight ? 6 : 4));

  // The segment's row, last of the rows: the angle as measured, to the second, and the area from
  // the radius and the angle as shown.
  const std::string chord = Fixed(expected.chord / 1000, 2);
  const double radius = std::stod(Fixed(expected.radius / 1000, 2));
  const std::string angle = Dms(expected.angle);
  const double shownAngle = RadiansOfDms(angle);
  const std::string area =
      Fixed(p.sign * radius * radius * (shownAngle - std::sin(shownAngle)) / 2, 4);
  std::vector<std::string> row(table.begin() + static_cast<long>(columns * rows),
                               table.begin() + static_cast<long>(columns * (rows + 1)));
  if (p.baseHeight)
    EXPECT_EQ(row, (std::vector<std::string>{"弓1", "R" + Fixed(radius, 2), angle,
                                             Fixed(2 * std::stod(area), 4)}));
  else
    EXPECT_EQ(row, (std::vector<std::string>{"弓1", chord, "R" + Fixed(radius, 2), angle, area}));

  // 合計 adds every row's last cell, the segment's too.
  double total = 0;
  for (std::size_t r = 1; r <= rows; ++r) total += std::stod(table[columns * (r + 1) - 1]);
  const std::size_t summary = columns * (rows + 1);
  EXPECT_EQ(table[summary], "合計");
  EXPECT_EQ(table[summary + 1], Fixed(total, 4));
  const double final = std::stod(table[table.size() - 1]);
  EXPECT_EQ(table[table.size() - 2], "面積");
  EXPECT_EQ(table.back(), Fixed(p.baseHeight ? total / 2 : total, 2) + "  ");

  // The parcel's true area: the chord polygon and the segment, in m². The table may miss it by
  // what its rounding allows: each row by the most its figures' rounding (half a centimetre on
  // each length) can move it, plus half a unit of its own places, and the final area by half a
  // unit of its own.
  const double trueArea =
      Shoelace(p.corners) / 1e6 + p.sign * SegmentArea(expected.radius / 1000, expected.angle);
  double bound = 0.005;
  for (const auto& m : marks)
    bound +=
        RowRoundingBound(m.sides[0] / 1000, m.sides[1] / 1000, m.sides[2] / 1000, p.baseHeight) +
        0.00005;
  bound += SegmentRoundingBound(expected.radius / 1000, expected.angle) + 0.00005;
  EXPECT_LE(std::abs(final - trueArea), bound) << "final " << final << ", parcel " << trueArea
                                               << ", chord polygon " << Shoelace(p.corners) / 1e6;
  ExpectAuditedDrawing();
}

// Names go on after the highest segment mark of the drawing, wherever it stands; a text that
// only reads like one (a table's cell, without the data) does not count.
TEST_F(CurvedRun, SegmentNamesGoOnAfterTheDrawingsHighest) {
  const CurvedParcel& p = kParcels[0];
  std::vector<double> bulges(p.corners.size(), 0.0);
  bulges[static_cast<std::size_t>(p.arcSide)] = p.bulge;
  AddPolygon(p.corners, bulges);
  host.drawing().appIds.push_back("VELSAROM_SEGMENT");
  auto segmentMark = [this](const std::string& name, double x) {
    AddText(name, x, 40000, 300);
    hostsim::Entity& e = host.drawing().entities.back();
    hostsim::XDataItem chord, angle;
    chord.code = 1010;
    chord.point = {5000, 9000, 1};
    angle.code = 1040;
    angle.real = 0.6;
    e.xdata.push_back({"VELSAROM_SEGMENT", {chord, angle}});
  };
  segmentMark("弓3", 50000);
  segmentMark("弓1", 52000);
  AddText("弓9", 54000, 40000, 300);  // a table's cell
  form.CheckBox6.SetChecked(true);
  host.user().PickPoint(10000, 6000);
  form.RunHandler(&TForm1::Button10Click);
  ASSERT_TRUE(Messages().empty()) << Messages().front();
  std::vector<std::string> names;
  for (const auto& [e, t] : SegmentMarks()) names.push_back(t->value);
  EXPECT_EQ(names, (std::vector<std::string>{"弓3", "弓1", "弓4"}));
}

INSTANTIATE_TEST_SUITE_P(Parcels, CurvedRun, ::testing::ValuesIn(kParcels),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
