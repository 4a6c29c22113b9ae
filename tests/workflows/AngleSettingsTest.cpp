// The host's angle settings (ANGBASE 0, 90, 30; ANGDIR 0, 1), under which the host reads the
// rotation typed at every insertion: whatever they are, each length text stands at its side's
// midpoint reading along the side, each number mark upright at its triangle, each line where
// it belongs. Checked for the single labels (２辺指示), the batch labels (群選択) and the
// division of a traced region (自動), whose diagonals go into the same turned document.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

struct Setting {
  const char* commands;
};
const Setting kSettings[] = {{"_ANGBASE 0 _ANGDIR 0 "},  {"_ANGBASE 0 _ANGDIR 1 "},
                             {"_ANGBASE 90 _ANGDIR 0 "}, {"_ANGBASE 90 _ANGDIR 1 "},
                             {"_ANGBASE 30 _ANGDIR 0 "}, {"_ANGBASE 30 _ANGDIR 1 "}};

constexpr double kDegree = std::numbers::pi / 180;

// The label of a–b: at its midpoint, its rotation the side's direction read from the left
// or from below.
::testing::AssertionResult LabelsSide(const hostsim::Text& t, hostsim::Point a, hostsim::Point b) {
  const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
  if (std::abs(t.align.x - mx) > 1e-6 || std::abs(t.align.y - my) > 1e-6)
    return ::testing::AssertionFailure() << t.value << " at " << t.align.x << "," << t.align.y
                                         << ", midpoint " << mx << "," << my;
  double along = std::atan2(b.y - a.y, b.x - a.x) / kDegree;
  if (along < 0) along += 360;
  if (along > 90 + 1e-9 && along <= 270 + 1e-9) along -= 180;
  if (std::abs(std::remainder(t.rotation - along, 360.0)) > 1e-6)
    return ::testing::AssertionFailure()
           << t.value << " turned " << t.rotation << ", side " << along;
  return ::testing::AssertionSuccess();
}

struct AngleSettingsTest : WorkflowFixture {
  // The label whose text is `value`; fails the test when there is not exactly one.
  const hostsim::Text* Label(const std::string& value) {
    const hostsim::Text* found = nullptr;
    int n = 0;
    for (const hostsim::Text* t : Labels()) {
      if (t->value == value) found = t, ++n;
    }
    EXPECT_EQ(n, 1) << value;
    return found;
  }
  void ExpectUprightMarks(std::size_t count) {
    const auto marks = Marks();
    EXPECT_EQ(marks.size(), count);
    for (const auto& [e, t] : All<hostsim::Text>("H_TEXT")) {
      if (!e->xdata.empty()) {
        EXPECT_NEAR(std::remainder(t->rotation, 360.0), 0, 1e-9) << t->value;
      }
    }
  }
};

TEST_F(AngleSettingsTest, TwoSidesLandsTheSameUnderEverySetting) {
  for (const Setting& s : kSettings) {
    for (int mode : {0, 1}) {
      SCOPED_TRACE(testing::Message() << s.commands << " mode " << mode);
      host.drawing().entities.clear();
      form.RadioGroup1.SetItemIndex(mode);
      host.Type(s.commands);
      AddLine(1000, 2000, 7000, 500);
      AddLine(1000, 2000, 2500, 4500);
      host.user().PickObject(4000, 1250).PickObject(1750, 3250);
      form.RunHandler(&TForm1::Button8Click);
      EXPECT_TRUE(Messages().empty());

      const auto sides = All<hostsim::Line>("H_HEN");
      ASSERT_EQ(sides.size(), 1u);
      EXPECT_NEAR(sides[0].second->start.x, 7000, 1e-6);
      EXPECT_NEAR(sides[0].second->start.y, 500, 1e-6);
      EXPECT_NEAR(sides[0].second->end.x, 2500, 1e-6);
      EXPECT_NEAR(sides[0].second->end.y, 4500, 1e-6);
      if (mode == 0) {
        const hostsim::Text* a = Label("6.18");
        const hostsim::Text* b = Label("6.02");
        const hostsim::Text* c = Label("2.92");
        ASSERT_TRUE(a && b && c);
        EXPECT_TRUE(LabelsSide(*a, {1000, 2000}, {7000, 500}));
        EXPECT_TRUE(LabelsSide(*b, {7000, 500}, {2500, 4500}));
        EXPECT_TRUE(LabelsSide(*c, {2500, 4500}, {1000, 2000}));
      } else {
        // The base is the longest side; the height runs from the apex to its foot on it.
        const hostsim::Text* base = Label("6.18");
        const hostsim::Text* height = Label("2.79");
        ASSERT_TRUE(base && height);
        EXPECT_TRUE(LabelsSide(*base, {1000, 2000}, {7000, 500}));
        const auto line = All<hostsim::Line>("H_TAKASA");
        ASSERT_EQ(line.size(), 1u);
        EXPECT_NEAR(line[0].second->start.x, 2500, 1e-6);  // the apex
        EXPECT_NEAR(line[0].second->start.y, 4500, 1e-6);
        EXPECT_TRUE(LabelsSide(*height, line[0].second->start, line[0].second->end));
      }
      ExpectUprightMarks(1);
      EXPECT_EQ(host.drawing().header.clayer, "0");
    }
  }
  ExpectAuditedDrawing();
}

TEST_F(AngleSettingsTest, GroupSelectionLandsTheSameUnderEverySetting) {
  for (const Setting& s : kSettings) {
    for (int mode : {0, 1}) {
      SCOPED_TRACE(testing::Message() << s.commands << " mode " << mode);
      host.drawing().entities.clear();
      form.RadioGroup1.SetItemIndex(mode);
      host.Type(s.commands);
      AddPolygon({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
      AddLine(0, 10000, 10000, 0);
      host.user().SelectWindow(-100, -100, 10100, 10100).PressEnter();
      form.RunHandler(&TForm1::Button13Click);
      EXPECT_TRUE(Messages().empty());

      if (mode == 0) {
        ASSERT_EQ(Labels().size(), 5u);
        EXPECT_TRUE(LabelsSide(*Label("14.14"), {0, 10000}, {10000, 0}));
        for (const hostsim::Text* t : Labels()) {
          if (t->value != "10.00") continue;
          const bool vertical = std::abs(t->align.y - 5000) < 1e-6;
          const double c = vertical ? t->align.x : t->align.y;
          EXPECT_TRUE(vertical ? LabelsSide(*t, {c, 0}, {c, 10000})
                               : LabelsSide(*t, {0, c}, {10000, c}));
        }
      } else {
        ASSERT_EQ(Labels().size(), 3u);
        EXPECT_TRUE(LabelsSide(*Label("14.14"), {0, 10000}, {10000, 0}));
        const auto heights = All<hostsim::Line>("H_TAKASA");
        ASSERT_EQ(heights.size(), 2u);
        for (const auto& [e, l] : heights) {
          EXPECT_NEAR(l->end.x, 5000, 1e-6);  // the foot: the square's centre
          EXPECT_NEAR(l->end.y, 5000, 1e-6);
        }
      }
      const auto marks = Marks();
      ASSERT_EQ(marks.size(), 2u);
      if (mode == 0) {
        const double r = 10000 - 10000 / std::sqrt(2.0);
        EXPECT_NEAR(marks[0].centre.x, r, 1e-6);
        EXPECT_NEAR(marks[0].centre.y, r, 1e-6);
      }
      ExpectUprightMarks(2);
    }
  }
  ExpectAuditedDrawing();
}

TEST_F(AngleSettingsTest, AutoLandsTheSameUnderEverySetting) {
  // The L-shape: its sides and the three diagonals of its division, each to be labelled once.
  const std::vector<std::pair<double, double>> outline = {
      {0, 0}, {20000, 0}, {20000, 10000}, {10000, 10000}, {10000, 20000}, {0, 20000}};
  const hostsim::Point diagonals[3][2] = {
      {{0, 0}, {20000, 10000}}, {{10000, 10000}, {0, 20000}}, {{0, 0}, {10000, 10000}}};
  std::vector<std::pair<hostsim::Point, hostsim::Point>> segments;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const auto& [x1, y1] = outline[i];
    const auto& [x2, y2] = outline[(i + 1) % outline.size()];
    segments.push_back({{x1, y1}, {x2, y2}});
  }
  for (const auto& d : diagonals) segments.push_back({d[0], d[1]});

  for (const Setting& s : kSettings) {
    SCOPED_TRACE(s.commands);
    host.drawing().entities.clear();
    form.Edit16.SetText("1");
    host.Type(s.commands);
    AddOutline(outline);
    host.user().PickPoint(5000, 5000);
    form.RunHandler(&TForm1::Button10Click);
    EXPECT_TRUE(Messages().empty());

    const auto lines = All<hostsim::Line>("H_HEN");
    ASSERT_EQ(lines.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_NEAR(lines[i].second->start.x, diagonals[i][0].x, 1e-6) << i;
      EXPECT_NEAR(lines[i].second->start.y, diagonals[i][0].y, 1e-6) << i;
      EXPECT_NEAR(lines[i].second->end.x, diagonals[i][1].x, 1e-6) << i;
      EXPECT_NEAR(lines[i].second->end.y, diagonals[i][1].y, 1e-6) << i;
    }
    // Every label stands at the midpoint of its own segment and reads along it.
    const auto labels = Labels();
    ASSERT_EQ(labels.size(), segments.size());
    std::vector<int> labelled(segments.size(), 0);
    for (const hostsim::Text* t : labels) {
      for (std::size_t k = 0; k < segments.size(); ++k) {
        const auto& [a, b] = segments[k];
        if (std::hypot(t->align.x - (a.x + b.x) / 2, t->align.y - (a.y + b.y) / 2) < 1e-6) {
          ++labelled[k];
          EXPECT_TRUE(LabelsSide(*t, a, b));
        }
      }
    }
    for (std::size_t k = 0; k < segments.size(); ++k) EXPECT_EQ(labelled[k], 1) << k;
    // The first mark at the incentre of (0,0),(20000,0),(20000,10000).
    const auto marks = Marks();
    ASSERT_EQ(marks.size(), 4u);
    const double a = 10000, b = std::hypot(20000.0, 10000.0), c = 20000;
    EXPECT_NEAR(marks[0].centre.x, (a * 0 + b * 20000 + c * 20000) / (a + b + c), 1e-6);
    EXPECT_NEAR(marks[0].centre.y, (a * 0 + b * 0 + c * 10000) / (a + b + c), 1e-6);
    ExpectUprightMarks(4);
    EXPECT_EQ(form.Edit16.Text(), "5");
  }
  ExpectAuditedDrawing();
}

}  // namespace
