// With 弓形 off, a parcel with a curved side gets the very documents and files it got before
// curved sides could be counted: 自動's document, 作成's table and CSV, 座標求積's table and CSV,
// byte for byte against those the earlier program wrote (tests/data/segments-off/; the
// coordinate table's two made again when it came to show coordinates to its own places and each
// product exactly). With VELSAROM_WRITE_BEFORE=DIR the files are written to DIR instead, which is
// how they were made. Number marks have since come to carry their corners under an application
// of their own: 自動's document is compared less that application (its APPID entry and its data),
// which is all that may differ; and a drawing made with the earlier document gives the same
// numbers and tables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "annotation/DxfInsertion.h"
#include "dxf/DxfWriter.h"
#include "dxf/NumberEntries.h"
#include "hostlink/HostExport.h"
#include "hostlink/HostVocabulary.h"
#include "platform/ExecutablePaths.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

// A document's bytes less the corners' application: its APPID entry (0 APPID, 2 name, 70) and
// every 1001 block of it up to the next entity or application.
std::string WithoutCorners(const std::string& bytes) {
  std::vector<std::pair<std::string, std::string>> pairs;  // code line, value line
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t codeEnd = bytes.find("\r\n", at);
    const std::size_t valueEnd = bytes.find("\r\n", codeEnd + 2);
    pairs.emplace_back(bytes.substr(at, codeEnd - at),
                       bytes.substr(codeEnd + 2, valueEnd - codeEnd - 2));
    at = valueEnd + 2;
  }
  auto code = [&](std::size_t i) { return std::stoi(pairs[i].first); };
  std::string out;
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (code(i) == 0 && pairs[i].second == "APPID" && i + 2 < pairs.size() &&
        pairs[i + 1].second == kCornerAppName) {
      i += 2;  // 0, 2 and 70
      continue;
    }
    if (code(i) == 1001 && pairs[i].second == kCornerAppName) {
      while (i + 1 < pairs.size() && code(i + 1) > 1001) ++i;
      continue;
    }
    out += pairs[i].first + "\r\n" + pairs[i].second + "\r\n";
  }
  return out;
}

std::string Before(const std::string& name) {
  const char* source = std::getenv("VELSAROM_SOURCE_DIR");
  EXPECT_NE(source, nullptr);
  std::ifstream in(std::filesystem::path(source ? source : "") / "tests/data/segments-off" / name,
                   std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::stringstream before;
  before << in.rdbuf();
  return before.str();
}

// Seven corners, counter-clockwise, the road side bulging out and a back side bulging in.
const std::vector<std::pair<double, double>> kCorners = {
    {2000.3, 2000.1},   {11000.7, 1500.3}, {18000.1, 2600.9}, {18500.3, 14000.7},
    {12000.9, 17500.3}, {6000.1, 16000.7}, {1500.7, 11000.3}};
const std::vector<double> kBulges = {0, 0, 0.2, 0, -0.15, 0, 0};

struct SegmentsOff : WorkflowFixture {
  // Each file as the run left it (as `as` makes it), against the earlier program's.
  void Compare(const std::string& path, const std::string& name,
               std::string (*as)(const std::string&) = nullptr) {
    const auto bytes = world.files.ReadAll(path);
    ASSERT_TRUE(bytes.has_value()) << path;
    if (const char* out = std::getenv("VELSAROM_WRITE_BEFORE")) {
      std::ofstream(std::filesystem::path(out) / name, std::ios::binary) << *bytes;
      return;
    }
    EXPECT_TRUE((as ? as(*bytes) : *bytes) == Before(name))
        << name << " differs from the earlier program's";
  }

  // 最大, then 作成 in both modes, each table and CSV against the earlier program's.
  void CountAndTables() {
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
  }

  static std::vector<std::string> Entries(const std::string& bytes) {
    EntityLineList lines;
    ScanDxfText(bytes, lines, platform::Ansi());
    std::vector<std::string> entries;
    CollectNumberMarks(lines, entries);
    return entries;
  }
};

TEST_F(SegmentsOff, ACurvedParcelGetsTheSameDocumentsAsBefore) {
  AddPolygon(kCorners, kBulges);
  form.UpDown4.SetPosition(1);
  host.user().PickPoint(10000, 9000).PickPoint(22000, 30000);
  form.RunHandler(&TForm1::Button15Click);
  Compare(platform::FileBesideExecutable(kSingleTextFile), "coordinate.dxf");
  Compare(platform::FileBesideExecutable("Zahyo.csv"), "coordinate.csv");

  host.user().PickPoint(10000, 9000);
  form.RunHandler(&TForm1::Button10Click);
  if (!std::getenv("VELSAROM_WRITE_BEFORE")) {
    const std::string document = *world.files.ReadAll(ExportFilePath());
    // The new marks do carry their corners; the number scan reads them as it read the old.
    EXPECT_NE(document.find(kCornerAppName), std::string::npos);
    EXPECT_EQ(Entries(document), Entries(Before("auto.dxf")));
  }
  Compare(ExportFilePath(), "auto.dxf", WithoutCorners);
  CountAndTables();
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SegmentsOff, ADrawingMadeBeforeGivesTheSameNumbersAndTables) {
  // The parcel with the earlier program's 自動 document in it, as a drawing of those days.
  AddPolygon(kCorners, kBulges);
  const std::string before = platform::FileBesideExecutable("before.dxf");
  ASSERT_TRUE(world.files.WriteAll(before, Before("auto.dxf")));
  Set(vocab::InsertExploded(before));
  ASSERT_EQ(Entries(Before("auto.dxf")).size(), 5u);
  CountAndTables();
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
