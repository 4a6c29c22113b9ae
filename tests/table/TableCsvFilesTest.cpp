// The CSV files of both tables against the drawing: 座標求積 and 自動 on the pentagon, then 作成
// in both modes; the host saves its drawing and check_table_csv.py, with ezdxf and Python's csv
// module, compares every file's rows with the texts of its table where they stand.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

struct TableCsvFiles : WorkflowFixture {
  TableCsvFiles() {
    host.drawing().header.viewHeight = 50000;
    host.drawing().header.viewCenter = {17500, 27500, 0};
  }
  // A file the product wrote, copied out of the simulated file system.
  void CopyOut(const std::string& name, const std::filesystem::path& to) {
    const auto bytes = world.files.ReadAll("C:\\Velsarom\\" + name);
    ASSERT_TRUE(bytes.has_value()) << name;
    std::ofstream(to, std::ios::binary) << *bytes;
  }
};

TEST_F(TableCsvFiles, EveryRowIsTheDrawingsRow) {
  // The pentagon A(5,20) B(15,15) C(30,25) D(20,40) E(10,35) in metres, drawn in millimetres.
  AddOutline({{5000, 20000}, {15000, 15000}, {30000, 25000}, {20000, 40000}, {10000, 35000}});
  const std::filesystem::path dir = std::filesystem::current_path() / "table_csv";
  std::filesystem::create_directories(dir);

  host.user().PickPoint(16000, 27000).PickPoint(40000, 40000);
  form.RunHandler(&TForm1::Button15Click);
  CopyOut("Zahyo.csv", dir / "Zahyo.csv");
  host.user().PickPoint(16000, 27000);
  form.RunHandler(&TForm1::Button10Click);
  // A number the user retyped with a comma and a half-width kana: one field all the same.
  bool renamed = false;
  for (auto& e : host.drawing().entities)
    if (auto* t = std::get_if<hostsim::Text>(&e.shape); t && !e.xdata.empty() && t->value == "1") {
      t->value = "1,ｲ";
      renamed = true;
    }
  ASSERT_TRUE(renamed);

  std::string arguments;
  const struct {
    const char* file;
    int mode;
    double x, y;
  } tables[] = {{"Menseki-three-sides.csv", 0, 60000, 40000},
                {"Menseki-base-height.csv", 1, 80000, 40000}};
  for (const auto& t : tables) {
    form.RadioGroup1.SetItemIndex(t.mode);
    host.user().PickPoint(t.x, t.y);
    form.RunHandler(&TForm1::Button3Click);
    CopyOut("Menseki.csv", dir / t.file);
    arguments +=
        " '" + (dir / t.file).string() + "' " + std::to_string(t.x) + " " + std::to_string(t.y);
  }
  EXPECT_TRUE(Messages().empty());
  arguments += " '" + (dir / "Zahyo.csv").string() + "' 40000 40000";

  const std::filesystem::path drawing = dir / "drawing.dxf";
  std::ofstream(drawing, std::ios::binary) << host.SaveDrawing();
  const char* source = std::getenv("VELSAROM_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::string command = std::string("/usr/bin/python3 ") + source +
                              "/tests/table/check_table_csv.py '" + drawing.string() + "'" +
                              arguments;
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace
