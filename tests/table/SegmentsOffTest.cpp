// With 弓形 off, a parcel with a curved side gets the very documents and files it got before
// curved sides could be counted: 自動's document, 作成's table and CSV, 座標求積's table and CSV,
// byte for byte against those the earlier program wrote (tests/data/segments-off/; the
// coordinate table's two made again when it came to show coordinates to its own places and each
// product exactly). With VELSAROM_WRITE_BEFORE=DIR the files are written to DIR instead, which is
// how they were made.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "annotation/DxfInsertion.h"
#include "hostlink/HostExport.h"
#include "platform/ExecutablePaths.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

struct SegmentsOff : WorkflowFixture {
  // Each file as the run left it, against the earlier program's.
  void Compare(const std::string& path, const std::string& name) {
    const auto bytes = world.files.ReadAll(path);
    ASSERT_TRUE(bytes.has_value()) << path;
    if (const char* out = std::getenv("VELSAROM_WRITE_BEFORE")) {
      std::ofstream(std::filesystem::path(out) / name, std::ios::binary) << *bytes;
      return;
    }
    const char* source = std::getenv("VELSAROM_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    std::ifstream in(std::filesystem::path(source) / "tests/data/segments-off" / name,
                     std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::stringstream before;
    before << in.rdbuf();
    EXPECT_TRUE(*bytes == before.str()) << name << " differs from the earlier program's";
  }
};

TEST_F(SegmentsOff, ACurvedParcelGetsTheSameDocumentsAsBefore) {
  // Seven corners, counter-clockwise, the road side bulging out and a back side bulging in.
  AddPolygon({{2000.3, 2000.1},
              {11000.7, 1500.3},
              {18000.1, 2600.9},
              {18500.3, 14000.7},
              {12000.9, 17500.3},
              {6000.1, 16000.7},
              {1500.7, 11000.3}},
             {0, 0, 0.2, 0, -0.15, 0, 0});
  form.UpDown4.SetPosition(1);
  host.user().PickPoint(10000, 9000).PickPoint(22000, 30000);
  form.RunHandler(&TForm1::Button15Click);
  Compare(platform::FileBesideExecutable(kSingleTextFile), "coordinate.dxf");
  Compare(platform::FileBesideExecutable("Zahyo.csv"), "coordinate.csv");

  host.user().PickPoint(10000, 9000);
  form.RunHandler(&TForm1::Button10Click);
  Compare(ExportFilePath(), "auto.dxf");

  form.UpDown4.SetPosition(500);
  form.RunHandler(&TForm1::Button4Click);
  EXPECT_EQ(form.UpDown4.Position(), 6);

  for (int mode : {0, 1}) {
    form.RadioGroup1.SetItemIndex(mode);
    host.user().PickPoint(40000 + 20000 * mode, 30000);
    form.RunHandler(&TForm1::Button3Click);
    const std::string name = mode == 0 ? "table-three-side" : "table-base-height";
    Compare(platform::FileBesideExecutable(kSingleTextFile), name + ".dxf");
    Compare(platform::FileBesideExecutable("Menseki.csv"), name + ".csv");
  }
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
