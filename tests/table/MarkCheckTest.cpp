// 検算 on a small drawing given as records: a parcel A B C D (10 m by 8 m at scale 1000) cut by
// the diagonal A–C into triangle 1 (A B C) and triangle 2 (A C D), its side C–D an arc with
// segment mark 弓1, and the length texts at the sides' midpoints. Each case changes the drawing
// (or its marks) one way and names what the check must find, worked out by hand: lengths in
// metres to two places as the table shows them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "table/KenzanReport.h"
#include "table/MarkCheck.h"

namespace {

const TAcadPoint A{0, 0, 0}, B{10000, 0, 0}, C{10000, 8000, 0}, D{0, 8000, 0};
constexpr long double kArcBulge = 0.2L;  // C to D: chord 10 m, radius 13 m

CheckedMark NumberMark(const std::string& name, TAcadPoint p1, TAcadPoint p2, TAcadPoint p3) {
  CheckedMark m;
  m.name = name;
  m.number = std::stoi(name);
  m.sides[0] = std::hypot(p2.x - p1.x, p2.y - p1.y);
  m.sides[1] = std::hypot(p3.x - p2.x, p3.y - p2.y);
  m.sides[2] = std::hypot(p1.x - p3.x, p1.y - p3.y);
  m.corners.kind = MarkCorners::Kind::kTriangle;
  m.corners.points = {p1, p2, p3};
  return m;
}

CheckedDrawing Parcel() {
  CheckedDrawing d;
  d.edges = {{A, B, 0}, {B, C, 0}, {C, D, kArcBulge}, {D, A, 0}, {A, C, 0}};
  d.marks = {NumberMark("1", A, B, C), NumberMark("2", A, C, D)};
  CheckedMark arc;
  arc.segment = true;
  arc.name = "弓1";
  arc.number = 1;
  arc.chord = 10000;
  arc.radius = 13000;
  arc.corners.kind = MarkCorners::Kind::kArc;
  arc.corners.points = {C, D};
  arc.corners.centreSide = -1;
  arc.corners.bulge = kArcBulge;
  d.marks.push_back(arc);
  d.texts = {{{5000, 0, 0}, 300, "10.00"},    {{10000, 4000, 0}, 300, "8.00"},
             {{5000, 4000, 0}, 300, "12.81"}, {{0, 4000, 0}, 300, "8.00"},
             {{5000, 8000, 0}, 300, "10.00"}, {{5000, 3000, 0}, 300, "H_TEXT"}};
  return d;
}

void Replace(CheckedDrawing& d, TAcadPoint st, TAcadPoint ed, std::vector<DrawnEdge> by) {
  for (auto it = d.edges.begin(); it != d.edges.end(); ++it) {
    if (it->st.x == st.x && it->st.y == st.y && it->ed.x == ed.x && it->ed.y == ed.y) {
      d.edges.erase(it);
      d.edges.insert(d.edges.end(), by.begin(), by.end());
      return;
    }
  }
  FAIL() << "no such edge";
}

struct Case {
  const char* name;
  std::function<void(CheckedDrawing&)> change;
  std::vector<std::string> lines;  // FindingLine of every finding, in order
};

TEST(MarkCheck, FindsEachChangeOfTheDrawingAndNothingElse) {
  const TAcadPoint movedB{10500, -800, 0};
  const TAcadPoint offC{9700, 7800, 0};
  const Case cases[] = {
      {"unchanged", [](CheckedDrawing&) {}, {}},
      {"corner B moved with its lines",
       [&](CheckedDrawing& d) {
         Replace(d, A, B, {{A, movedB, 0}});
         Replace(d, B, C, {{movedB, C, 0}});
       },
       // |A B'| = √(10500² + 800²) = 10530.4, |B' C| = √(500² + 8800²) = 8814.2.
       {"番号1 の辺 1-2: 記録 10.00 → 図面 10.53", "番号1 の辺 2-3: 記録 8.00 → 図面 8.81"}},
      {"diagonal erased",
       [](CheckedDrawing& d) { Replace(d, A, C, {}); },
       {"番号1 の辺 3-1: 記録 12.81 → 線がありません",
        "番号2 の辺 1-2: 記録 12.81 → 線がありません"}},
      {"diagonal redrawn to another point",
       [&](CheckedDrawing& d) {
         Replace(d, A, C, {{A, offC, 0}});
       },
       // |A C'| = √(9700² + 7800²) = 12447.1.
       {"番号1 の辺 3-1: 記録 12.81 → 図面 12.45", "番号2 の辺 1-2: 記録 12.81 → 図面 12.45"}},
      {"mark copied",
       [](CheckedDrawing& d) { d.marks.push_back(d.marks[0]); },
       {"番号1 が 2 個あります（複写された印）"}},
      {"number missing",
       [](CheckedDrawing& d) {
         d.marks[1].name = "3";
         d.marks[1].number = 3;
       },
       {"番号2 がありません（欠番）"}},
      {"label edited",
       [](CheckedDrawing& d) { d.texts[0].text = "10.50"; },
       {"番号1 の辺 1-2: 長さの文字 10.50 → 図面 10.00"}},
      {"arc changed",
       [](CheckedDrawing& d) { d.edges[2].bulge = 0.3L; },
       // r = c (1 + b²) / 4b = 10000 · 1.09 / 1.2 = 9083.3.
       {"弓1 の弧: 記録 R13.00 → 図面 R9.08"}},
      {"arc straightened",
       [](CheckedDrawing& d) { d.edges[2].bulge = 0; },
       {"弓1 の弧: 記録 R13.00 → 弧がありません"}},
      {"marks made before corners were kept",
       [](CheckedDrawing& d) {
         d.marks[0].corners = {};
         d.marks[1].corners = {};
         Replace(d, A, C, {});  // what cannot be known is not guessed either
       },
       {"番号1, 番号2: 頂点を持たない以前の印です（線との照合はできません）"}},
  };
  TableRounding r;  // scale 1000, two decimals, rounded
  for (const Case& c : cases) {
    CheckedDrawing d = Parcel();
    c.change(d);
    std::vector<std::string> lines;
    for (const MarkFinding& f : CheckMarks(d, r)) lines.push_back(FindingLine(f));
    EXPECT_EQ(lines, c.lines) << c.name;
  }
}

TEST(MarkCheck, ACornerInTheMiddleOfALongerLineStillStands) {
  // Triangle 1's side A–B drawn as part of one line A–(20000,0): the side is covered.
  CheckedDrawing d = Parcel();
  Replace(d, A, B, {{A, {20000, 0, 0}, 0}});
  d.edges.push_back({B, {20000, 0, 0}, 0});
  EXPECT_TRUE(CheckMarks(d, TableRounding{}).empty());
}

TEST(MarkCheck, TheQuestionNamesTheStaleAndDoubledMarksOnly) {
  CheckedDrawing d = Parcel();
  d.marks.push_back(d.marks[1]);                // 番号2 twice
  d.edges[2].bulge = 0.3L;                      // 弓1 changed
  d.marks[0].corners = {};                      // 番号1 without corners: not stale
  d.marks.push_back(NumberMark("4", A, B, C));  // and 3 missing
  d.marks.back().corners = {};
  const std::vector<MarkFinding> findings = CheckMarks(d, TableRounding{});
  EXPECT_EQ(FindingMarks(findings), (std::vector<std::string>{"番号2", "弓1"}));
  EXPECT_EQ(KenzanQuestion(findings),
            "検算: 次の印が図面と合いません。\n番号2, 弓1\n\n"
            "番号2 が 2 個あります（複写された印）\n"
            "番号3 がありません（欠番）\n"
            "弓1 の弧: 記録 R13.00 → 図面 R9.08\n"
            "番号1, 番号4: 頂点を持たない以前の印です（線との照合はできません）\n"
            "\nこのまま求積表を作成しますか？");
}

}  // namespace
