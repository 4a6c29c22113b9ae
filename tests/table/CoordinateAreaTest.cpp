// The coordinate table's area of parcels whose chord polygon misleads: crossing itself or flat.
// The area is checked against the outline itself, its arcs walked in small steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "numbers/NumberText.h"
#include "table/CoordinateTable.h"

namespace {

struct Parcel {
  const char* name;
  std::vector<TAcadPoint> corners;  // mm
  std::vector<double> bulges;       // of the side from each corner to the next
};

// The outline with every arc replaced by many short chords: its shoelace area is the parcel's
// own, to far below the table's places (m²).
double WalkedArea(const Parcel& p) {
  std::vector<std::pair<double, double>> walk;
  const std::size_t n = p.corners.size();
  for (std::size_t i = 0; i < n; ++i) {
    const double ax = static_cast<double>(p.corners[i].x), ay = static_cast<double>(p.corners[i].y);
    const double bx = static_cast<double>(p.corners[(i + 1) % n].x);
    const double by = static_cast<double>(p.corners[(i + 1) % n].y);
    walk.emplace_back(ax, ay);
    const double b = p.bulges[i];
    if (b == 0) continue;
    // Centre and sweep of the arc: it turns 4·atan b (counter-clockwise when positive).
    const double sweep = 4 * std::atan(b), c = std::hypot(bx - ax, by - ay);
    const double r = c / (2 * std::sin(std::fabs(sweep) / 2));
    const double mx = (ax + bx) / 2, my = (ay + by) / 2;
    // The centre lies off the chord's middle by r·cos(sweep/2), to the left of a→b for a
    // counter-clockwise arc under half a turn.
    const double off = r * std::cos(sweep / 2) * (b > 0 ? 1 : -1);
    const double cx = mx - off * (by - ay) / c, cy = my + off * (bx - ax) / c;
    const double start = std::atan2(ay - cy, ax - cx);
    for (int k = 1; k < 20000; ++k) {
      const double t = start + sweep * k / 20000;
      walk.emplace_back(cx + r * std::cos(t), cy + r * std::sin(t));
    }
  }
  double sum = 0;
  for (std::size_t i = 0; i < walk.size(); ++i) {
    const auto& [x1, y1] = walk[i];
    const auto& [x2, y2] = walk[(i + 1) % walk.size()];
    sum += x1 * y2 - x2 * y1;
  }
  return std::fabs(sum) / 2 / 1e6;
}

Parcel Reversed(const Parcel& p) {
  Parcel r{p.name, {}, {}};
  const std::size_t n = p.corners.size();
  for (std::size_t i = 0; i < n; ++i) {
    r.corners.push_back(p.corners[(n - i) % n]);
    // The side from corner n−i to n−i−1 is the original side from n−i−1, walked back.
    r.bulges.push_back(-p.bulges[(2 * n - i - 1) % n]);
  }
  return r;
}

// A thin triangle under a major arc (its chord triangle turns against the parcel); a half disc
// over a notch whose side crosses the chord (its chord polygon crosses itself); a half disc with
// a corner on its diameter (its chord polygon has no area). Each traced both ways.
const Parcel kParcels[] = {
    {"thin triangle under a major arc", {{0, 0, 0}, {10000, 0, 0}, {5000, 1000, 0}}, {-3, 0, 0}},
    {"half disc over a crossing notch",
     {{0, 0, 0}, {10000, 0, 0}, {6000, 2000, 0}, {4000, -1000, 0}},
     {-1, 0, 0, 0}},
    {"half disc with a corner on its diameter",
     {{0, 0, 0}, {10000, 0, 0}, {5000, 0, 0}},
     {-1, 0, 0}},
};

TEST(ComputeCoordinateTable, ParcelsWhoseChordPolygonMisleadsGetTheirOwnPositiveArea) {
  AreaTableSettings s;
  s.lengths.digits = 3;  // the major arc's radius 6.0858 m to the millimetre
  for (const Parcel& parcel : kParcels) {
    for (const Parcel& p : {parcel, Reversed(parcel)}) {
      const CoordinateTableTexts t = ComputeCoordinateTable(p.corners, p.bulges, true, 1, s);
      ASSERT_TRUE(t.area.has_value()) << p.name;
      const std::string shown = t.texts.summary.back().second;
      const double area = static_cast<double>(StrToFloat(shown));
      // What rounding the radius to the millimetre, the angle to the second and the rows to
      // their places can move.
      EXPECT_GT(area, 0) << p.name;
      EXPECT_NEAR(area, WalkedArea(p), 0.02) << p.name << ": " << shown;
    }
  }
}

// A printed figure in units of its `places`th decimal, as a reader copies it into a calculator
// that keeps every digit; fails the test for a text with other places.
long long Units(const std::string& text, int places) {
  const std::size_t point = text.find('.');
  EXPECT_NE(point, std::string::npos) << text;
  EXPECT_EQ(static_cast<int>(text.size() - point - 1), places) << text;
  long long units = 0;
  for (char c : text)
    if (c >= '0' && c <= '9') units = units * 10 + (c - '0');
  return text[0] == '-' ? -units : units;
}

long long Pow10(int n) { return n == 0 ? 1 : 10 * Pow10(n - 1); }

// Adds the table up from its printed texts alone: each product from the printed coordinates, the
// 倍面積 from the printed products, the 弓形計 from the printed segment areas, the 面積 as half the
// 倍面積 plus the 弓形計, the final area that cut half up to its places. Every sum is exact.
void ExpectAddsUpByHand(const CoordinateTableTexts& t, const TableRounding& r) {
  const int c = r.coordinateDigits, p = 2 * c;
  std::vector<long long> north, east, products;
  long long segments = 0;  // in units of the row areas' last place
  for (const std::vector<std::string>& row : t.texts.rows) {
    if (row[0].rfind("弓", 0) == 0) {
      segments += Units(row[3], r.areas.digits);
      continue;
    }
    north.push_back(Units(row[1], c));
    east.push_back(Units(row[2], c));
    products.push_back(Units(row[3], p));
  }
  const std::size_t n = north.size();
  long long doubleArea = 0;
  for (std::size_t i = 0; i < n; ++i) {
    EXPECT_EQ(north[i] * (east[(i + 1) % n] - east[(i + n - 1) % n]), products[i])
        << "row " << i + 1;
    doubleArea += products[i];
  }
  std::map<std::string, std::string> summary(t.texts.summary.begin(), t.texts.summary.end());
  EXPECT_EQ(Units(summary.at("倍面積"), p), doubleArea);
  const int ap = std::max(p, r.areas.digits) + 1;  // room for the half
  long long area = doubleArea * Pow10(ap - p) / 2;
  if (summary.count("弓形計")) {
    EXPECT_EQ(Units(summary.at("弓形計"), r.areas.digits), segments);
    area += segments * Pow10(ap - r.areas.digits);
  }
  const std::string shownArea = summary.at("面積");
  const int shownPlaces = static_cast<int>(shownArea.size() - shownArea.find('.') - 1);
  ASSERT_LE(shownPlaces, ap);
  EXPECT_EQ(Units(shownArea, shownPlaces) * Pow10(ap - shownPlaces), area) << shownArea;
  const long long step = Pow10(ap - r.finalArea.digits);
  const long long magnitude = area < 0 ? -area : area;
  const long long cut = (magnitude + step / 2) / step;  // half up, by the magnitude
  EXPECT_EQ(Units(summary.at("最終面積"), r.finalArea.digits), area < 0 ? -cut : cut);
}

// A parcel in plane coordinates (X about −34 km, drawn in millimetres) with tenths of a
// millimetre that the coordinates' places cut off, and a square of three arcs whose rounded
// segment areas add up to 13.7258 where their unrounded areas would round to 13.7257.
TEST(ComputeCoordinateTable, RowsAddUpByHandToThePrintedSums) {
  TableRounding r;
  const Parcel survey{"survey",
                      {{-34567123.44, 12345678.96, 0},
                       {-34549876.56, 12345689.04, 0},
                       {-34551234.35, 12367890.16, 0},
                       {-34566789.05, 12371234.55, 0},
                       {-34572345.67, 12359876.95, 0}},
                      {0, 0, 0, 0, 0}};
  const Parcel arcs{"three arcs",
                    {{0, 0, 0}, {10001, 0, 0}, {10001, 9997, 0}, {0, 9997, 0}},
                    {0.11, 0.11, 0.19, 0}};
  for (const Parcel& p : {survey, arcs}) {
    for (int places : {3, 2}) {
      r.coordinateDigits = places;
      const CoordinateTableTexts t = ComputeCoordinateTable(p.corners, p.bulges, true, 1, r);
      SCOPED_TRACE(std::string(p.name) + ", coordinates to " + std::to_string(places));
      ExpectAddsUpByHand(t, r);
    }
  }
  r.coordinateDigits = 3;
  const CoordinateTableTexts t = ComputeCoordinateTable(arcs.corners, arcs.bulges, true, 1, r);
  EXPECT_EQ(t.texts.summary[1], (std::pair<std::string, std::string>{"弓形計", "13.7258"}));
}

}  // namespace
