// 検算 through the window against the simulated host: 自動 on a parcel, then nothing changed
// (the check says so), then one corner of the parcel moved with the lines that end there, as a
// grip edit does. The marks the check must name are found from the drawing alone: the
// triangles fanned around the corner by the lines that end there, and the number marks whose
// texts stand inside them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

// Five corners, counter-clockwise, odd tenths so that no length lies on a rounding tie.
const std::vector<std::pair<double, double>> kParcel = {
    {2000.3, 2000.1}, {18000.7, 2500.3}, {21000.1, 12000.9}, {11000.3, 19000.7}, {1500.9, 13000.3}};

struct Kenzan : WorkflowFixture {
  hostsim::Point Corner(std::size_t i) { return {kParcel[i].first, kParcel[i].second, 0}; }

  static bool Same(const hostsim::Point& a, const hostsim::Point& b) {
    return std::abs(a.x - b.x) < 1e-6 && std::abs(a.y - b.y) < 1e-6;
  }

  // The other ends of every line and polyline side that ends at p.
  std::vector<hostsim::Point> Neighbours(const hostsim::Point& p) {
    std::vector<hostsim::Point> out;
    auto add = [&](const hostsim::Point& a, const hostsim::Point& b) {
      if (Same(a, p)) out.push_back(b);
      if (Same(b, p)) out.push_back(a);
    };
    for (const auto& e : host.drawing().entities) {
      if (const auto* l = std::get_if<hostsim::Line>(&e.shape)) add(l->start, l->end);
      if (const auto* pl = std::get_if<hostsim::LwPolyline>(&e.shape)) {
        const auto& v = pl->vertices;
        for (std::size_t i = 0; i < v.size(); ++i) {
          const auto& w = v[(i + 1) % v.size()];
          add({v[i].x, v[i].y, 0}, {w.x, w.y, 0});
        }
      }
    }
    return out;
  }

  // The numbers of the marks inside the triangles that the lines at corner p fan out into.
  std::set<std::string> MarksAround(const hostsim::Point& p) {
    std::vector<hostsim::Point> ends = Neighbours(p);
    auto angle = [&](const hostsim::Point& q) { return std::atan2(q.y - p.y, q.x - p.x); };
    std::sort(ends.begin(), ends.end(), [&](auto& a, auto& b) { return angle(a) < angle(b); });
    auto cross = [](const hostsim::Point& o, const hostsim::Point& a, const hostsim::Point& b) {
      return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
    };
    std::set<std::string> numbers;
    for (const auto& e : host.drawing().entities) {
      const auto* t = std::get_if<hostsim::Text>(&e.shape);
      if (!t || e.xdata.empty() || e.xdata.front().app != "VELSAROM") continue;
      for (std::size_t i = 0; i + 1 < ends.size(); ++i) {
        const hostsim::Point& a = ends[i];
        const hostsim::Point& b = ends[i + 1];
        const double s = cross(p, a, b);
        if (cross(p, a, t->align) * s > 0 && cross(a, b, t->align) * s > 0 &&
            cross(b, p, t->align) * s > 0)
          numbers.insert(t->value);
      }
    }
    return numbers;
  }

  // Moves every line end and polyline corner at `from` to `to`.
  void MoveCorner(const hostsim::Point& from, const hostsim::Point& to) {
    for (auto& e : host.drawing().entities) {
      if (auto* l = std::get_if<hostsim::Line>(&e.shape)) {
        if (Same(l->start, from)) l->start = to;
        if (Same(l->end, from)) l->end = to;
      }
      if (auto* pl = std::get_if<hostsim::LwPolyline>(&e.shape)) {
        for (auto& v : pl->vertices)
          if (Same({v.x, v.y, 0}, from)) v.x = to.x, v.y = to.y;
      }
    }
  }

  static std::set<std::string> NamedMarks(const std::string& message) {
    std::set<std::string> named;
    static const std::regex side("番号([0-9]+) の辺");
    for (std::sregex_iterator it(message.begin(), message.end(), side), end; it != end; ++it)
      named.insert((*it)[1]);
    return named;
  }
};

TEST_F(Kenzan, NamesExactlyTheMarksOfTheTrianglesAtAMovedCorner) {
  AddPolygon(kParcel);
  form.UpDown4.SetPosition(1);
  host.user().PickPoint(10000, 9000);
  form.RunHandler(&TForm1::Button10Click);
  ASSERT_GE(form.UpDown4.Position(), 4) << "自動 made no triangles";
  const std::size_t entities = host.drawing().entities.size();

  form.RunHandler(&TForm1::Button16Click);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages().back(), "検算: すべての印が図面と合っています。");

  for (std::size_t corner : {2u, 4u}) {
    world.messages.shown.clear();
    const hostsim::Point from = Corner(corner);
    const std::set<std::string> expected = MarksAround(from);
    ASSERT_FALSE(expected.empty());
    MoveCorner(from, {from.x + 700, from.y - 400, 0});
    form.RunHandler(&TForm1::Button16Click);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(NamedMarks(Messages().back()), expected) << Messages().back();
    EXPECT_EQ(Messages().back().find("線がありません"), std::string::npos) << Messages().back();
    MoveCorner({from.x + 700, from.y - 400, 0}, from);
  }
  EXPECT_EQ(host.drawing().entities.size(), entities) << "検算 changed the drawing";
}

// 作成 after the same move: it asks, naming the marks, before the table's corner is asked for;
// No leaves the drawing as it was, Yes draws. On the unchanged drawing it asks nothing.
TEST_F(Kenzan, MakeTableAsksFirstAndDrawsNothingUntilAnswered) {
  AddPolygon(kParcel);
  form.UpDown4.SetPosition(1);
  host.user().PickPoint(10000, 9000);
  form.RunHandler(&TForm1::Button10Click);
  const std::size_t afterAuto = host.drawing().entities.size();

  host.user().PickPoint(40000, 30000);
  form.RunHandler(&TForm1::Button3Click);
  EXPECT_EQ(world.messages.asked, 0);
  EXPECT_TRUE(Messages().empty());
  const std::size_t table = host.drawing().entities.size() - afterAuto;
  ASSERT_GT(table, 0u) << "作成 drew nothing on the unchanged drawing";

  const hostsim::Point from = Corner(2);
  const std::set<std::string> around = MarksAround(from);
  MoveCorner(from, {from.x + 700, from.y - 400, 0});
  const std::size_t before = host.drawing().entities.size();
  host.user().PickPoint(40000, 60000);
  world.messages.answers = {false};
  form.RunHandler(&TForm1::Button3Click);
  ASSERT_EQ(world.messages.asked, 1);
  ASSERT_EQ(Messages().size(), 1u);
  const std::string question = Messages().back();
  EXPECT_EQ(question.rfind("検算: 次の印が図面と合いません。\n", 0), 0u) << question;
  EXPECT_EQ(NamedMarks(question), around) << question;
  EXPECT_EQ(host.drawing().entities.size(), before) << "作成 drew after No";

  world.messages.answers = {true};
  form.RunHandler(&TForm1::Button3Click);  // the pick is still waiting for it
  EXPECT_EQ(world.messages.asked, 2);
  EXPECT_EQ(host.drawing().entities.size(), before + table) << "作成 did not draw after Yes";
}

TEST_F(Kenzan, ASelectionIsCheckedAgainstTheWholeDrawingsLines) {
  AddPolygon(kParcel);
  form.UpDown4.SetPosition(1);
  host.user().PickPoint(10000, 9000);
  form.RunHandler(&TForm1::Button10Click);
  const hostsim::Point from = Corner(2);
  const std::set<std::string> around = MarksAround(from);
  MoveCorner(from, {from.x + 700, from.y - 400, 0});

  // Every mark selected, and none of the lines: the lines still come from the whole drawing.
  form.CheckBox2.SetChecked(false);
  for (const auto& e : host.drawing().entities) {
    if (const auto* t = std::get_if<hostsim::Text>(&e.shape); t && !e.xdata.empty())
      host.user().PickObject(t->align.x, t->align.y);
  }
  host.user().PressEnter();
  form.RunHandler(&TForm1::Button16Click);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(NamedMarks(Messages().back()), around) << Messages().back();
}

TEST_F(Kenzan, ToldWhenThereIsNoMarkToCheck) {
  AddPolygon(kParcel);
  form.RunHandler(&TForm1::Button16Click);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"検算: 番号の印がありません。"}));
}

}  // namespace
