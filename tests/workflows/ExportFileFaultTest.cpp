// The export file beside the executable goes wrong: the host writes none, the folder takes no
// file, an old one cannot be removed. The user is told which file, nothing is drawn, and the
// next run works.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/workflows/WorkflowFixture.h"

namespace {

using workflowtest::WorkflowFixture;
using Strings = std::vector<std::string>;

const std::string kExport = "C:\\Velsarom\\Velsarom.dxf";
const std::vector<std::pair<double, double>> kSquare = {
    {0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}};

hostsim::HostOptions LosingFirstExport() {
  hostsim::HostOptions options;
  options.lostExports = 1;
  return options;
}

struct LostExport : WorkflowFixture {
  LostExport() : WorkflowFixture(LosingFirstExport()) {}
};

TEST_F(LostExport, AutoTellsTheMissingFileDrawsNothingAndTheNextRunDraws) {
  AddOutline(kSquare);
  host.user().PickPoint(5000, 5000);
  form.RunHandler(&TForm1::Button10Click);

  EXPECT_EQ(Messages(), Strings{"ホストがファイル " + kExport + " を書き出しません。"});
  EXPECT_EQ(CountSent("_-INSERT"), 0);
  // The traced outline was erased as usual; the drawing is as before.
  EXPECT_EQ(EntityCount(), 4u);
  EXPECT_EQ(form.Edit16.Text(), "1");

  host.user().PickPoint(5000, 5000);
  form.RunHandler(&TForm1::Button10Click);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(EntityCount(), 4u + 1 + 5 + 2 * 2);
  EXPECT_EQ(form.Edit16.Text(), "3");
  ExpectAuditedDrawing();
}

// Before anything reaches the host: a folder that takes no file stops every button that needs
// one (the host's export, the system's documents); an old export that cannot be removed would
// be read as this run's outline.
struct FolderCase {
  const char* name;
  void (TForm1::*button)();
  bool readOnly;  // else an old export held open by another program
  std::string told;
};

const std::string kNoFolder = "処理を続けられません。\nフォルダ C:\\Velsarom に書き込めません。";

struct ExportFolderFault : WorkflowFixture, ::testing::WithParamInterface<FolderCase> {};

TEST_P(ExportFolderFault, IsToldBeforeTheHostIsAsked) {
  const FolderCase& c = GetParam();
  AddOutline(kSquare);
  if (c.readOnly) {
    world.files.SetReadOnly(true);
  } else {
    world.files.WriteAll(kExport, "0\r\nEOF\r\n");
    world.files.SetInUse(kExport, true);
  }
  host.user().PickPoint(5000, 5000).PickPoint(20000, 0);
  form.RunHandler(c.button);

  EXPECT_EQ(Messages(), Strings{c.told});
  EXPECT_EQ(Sent(), Strings{});
  EXPECT_EQ(EntityCount(), 4u);
  EXPECT_EQ(form.Edit16.Text(), "1");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportFolderFault,
    ::testing::Values(FolderCase{"AutoReadOnly", &TForm1::Button10Click, true, kNoFolder},
                      FolderCase{"CoordinateTableReadOnly", &TForm1::Button15Click, true,
                                 kNoFolder},
                      FolderCase{"AreaTableReadOnly", &TForm1::Button3Click, true, kNoFolder},
                      FolderCase{"GroupSelectionReadOnly", &TForm1::Button13Click, true, kNoFolder},
                      FolderCase{"BaseLineReadOnly", &TForm1::Button1Click, true, kNoFolder},
                      FolderCase{"AutoOldExportHeld", &TForm1::Button10Click, false,
                                 "ファイル " + kExport + " を削除できません。"}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

}  // namespace
