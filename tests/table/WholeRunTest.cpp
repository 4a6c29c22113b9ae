// The whole road of a parcel: 自動 divides and numbers it, 最大 finds the next number, 作成
// draws the table. check_whole_run.py then computes, without the product's code, the parcel's
// coordinate area and the table's final area from the triangles' sides as the marks in the
// host's drawing hold them, and compares the table the host shows with both.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/HostFixture.h"
#include "tests/table/WholeRunParcels.h"

namespace {

using hosttest::WorkflowFixture;

std::string Real(double v) {
  char b[40];
  std::snprintf(b, sizeof b, "%.17g", v);
  return b;
}

struct WholeRun : WorkflowFixture, ::testing::WithParamInterface<WholeRunParcel> {};

TEST_P(WholeRun, TableAgreesWithTheParcelsArea) {
  const WholeRunParcel& parcel = GetParam();
  const auto corners = WholeRunOutline(parcel);
  std::vector<double> bulges(corners.size(), 0.0);
  if (parcel.curvedSide >= 0) bulges[static_cast<std::size_t>(parcel.curvedSide)] = parcel.bulge;
  AddPolygon(corners, bulges);

  form.UpDown4.SetPosition(1);
  host.user().PickPoint(10000, 10000);
  form.RunHandler(&TForm1::Button10Click);
  const auto marks = Marks();
  ASSERT_GE(marks.size(), corners.size() - 2);

  // The counter is put somewhere else first: 最大 must find the marks again.
  form.UpDown4.SetPosition(500);
  form.RunHandler(&TForm1::Button4Click);
  EXPECT_EQ(form.UpDown4.Position(), static_cast<int>(marks.size()) + 1);

  form.RadioGroup1.SetItemIndex(parcel.baseHeight ? 1 : 0);
  const std::size_t before = EntityCount();
  host.user().PickPoint(22000, 24000);
  form.RunHandler(&TForm1::Button3Click);
  std::vector<std::string> table;
  for (std::size_t i = before; i < host.drawing().entities.size(); ++i)
    if (const auto* t = std::get_if<hostsim::Text>(&host.drawing().entities[i].shape))
      table.push_back(t->value);
  // Head, one row per mark, 合計 (1/2) and 面積 with their values.
  const std::size_t columns = parcel.baseHeight ? 4 : 5;
  ASSERT_EQ(table.size(), columns + columns * marks.size() + (parcel.baseHeight ? 6 : 4));
  EXPECT_EQ(table[table.size() - 2], "面積");
  EXPECT_TRUE(Messages().empty());

  // What the checker reads: the outline as drawn, the sides each mark carries, the table's texts.
  const std::filesystem::path dir = std::filesystem::current_path() / "whole_runs";
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / (std::string(parcel.name) + ".txt");
  {
    std::ofstream out(file);
    out << "parcel " << parcel.name << "\n";
    out << "mode " << (parcel.baseHeight ? "base-height" : "three-side") << "\n";
    for (std::size_t i = 0; i < corners.size(); ++i)
      out << "corner " << Real(corners[i].first) << " " << Real(corners[i].second) << " "
          << Real(bulges[i]) << "\n";
    for (const auto& m : marks)
      out << "mark " << m.number << " " << Real(m.sides[0]) << " " << Real(m.sides[1]) << " "
          << Real(m.sides[2]) << "\n";
    for (const std::string& t : table) out << "text " << t << "\n";
  }
  const char* source = std::getenv("VELSAROM_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::string command = std::string("/usr/bin/python3 ") + source +
                              "/tests/table/check_whole_run.py '" + file.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << file;
}

INSTANTIATE_TEST_SUITE_P(Parcels, WholeRun, ::testing::ValuesIn(kWholeRunParcels),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
