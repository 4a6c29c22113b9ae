// The export file beside the executable goes wrong: the host writes none, the folder takes no
// file, an old one cannot be removed. The user is told which file, nothing is drawn, and the
// next run works.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;
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
// one (the host's export, the system's documents).
struct FolderCase {
  const char* name;
  void (TForm1::*button)();
  bool readOnly;
  std::string told;
};

const std::string kNoFolder = "処理を続けられません。\nフォルダ C:\\Velsarom に書き込めません。";

struct ExportFolderFault : WorkflowFixture, ::testing::WithParamInterface<FolderCase> {};

TEST_P(ExportFolderFault, IsToldBeforeTheHostIsAsked) {
  const FolderCase& c = GetParam();
  AddOutline(kSquare);
  world.files.SetReadOnly(c.readOnly);
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
                      FolderCase{"BaseLineReadOnly", &TForm1::Button1Click, true, kNoFolder}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

// Every button that has the host export: when its export does not come back (never written,
// an old one that cannot be removed, one held open past the wait), the user is told which file,
// the drawing and the counter stay as they were, and nothing is inserted.
enum class ExportFault { kLost, kOldHeld, kHeldOpen };

struct ButtonCase {
  const char* name;
  void (TForm1::*button)();
  std::function<void(hostsim::ScriptedUser&)> user;  // the picks the button asks for
};

hostsim::HostOptions FaultyHost(ExportFault fault) {
  hostsim::HostOptions options;
  if (fault == ExportFault::kLost) options.lostExports = 1;
  if (fault == ExportFault::kHeldOpen) options.exportHoldMs = 40000;  // past the reader's wait
  return options;
}

struct ExportFaultFixture : WorkflowFixture {
  explicit ExportFaultFixture(ExportFault fault) : WorkflowFixture(FaultyHost(fault)) {}
  void TestBody() override {}
};

class ExportFaultTable : public ::testing::TestWithParam<std::tuple<ButtonCase, ExportFault>> {};

TEST_P(ExportFaultTable, IsToldAndChangesNothing) {
  const auto& [c, fault] = GetParam();
  ExportFaultFixture f(fault);
  // A square with one diagonal: lines to pick, triangles to find, a text and a mark to select.
  f.AddOutline(kSquare);
  f.AddLine(0, 0, 10000, 10000);
  if (fault == ExportFault::kOldHeld) {
    f.world.files.WriteAll(kExport, "  0\r\nEOF\r\n");
    f.world.files.SetInUse(kExport, true);
  }
  const std::size_t before = f.EntityCount();
  c.user(f.host.user());
  f.form.RunHandler(c.button);

  const std::string told =
      fault == ExportFault::kLost ? "ホストがファイル " + kExport + " を書き出しません。"
      : fault == ExportFault::kOldHeld ? "ファイル " + kExport + " を削除できません。"
                                       : "ホストがファイル " + kExport + " を書き終えません。";
  EXPECT_EQ(f.Messages(), Strings{told});
  EXPECT_EQ(f.CountSent("_-INSERT"), 0);
  EXPECT_EQ(f.EntityCount(), before);
  EXPECT_EQ(f.form.Edit16.Text(), "1");
}

const auto kPickBottom = [](hostsim::ScriptedUser& u) {
  u.PickObject(5000, 0).PickObject(0, 5000);
};
const auto kSelectAll = [](hostsim::ScriptedUser& u) {
  u.SelectWindow(-100, -100, 10100, 10100).PressEnter();
};

const ButtonCase kButtons[] = {
    {"Auto", &TForm1::Button10Click, [](hostsim::ScriptedUser& u) { u.PickPoint(7000, 2000); }},
    {"GroupSelection", &TForm1::Button13Click, kSelectAll},
    {"TwoSides", &TForm1::Button8Click, kPickBottom},
    {"BaseLine", &TForm1::Button1Click, kPickBottom},
    {"NextNumber", &TForm1::Button4Click, [](hostsim::ScriptedUser&) {}},
    {"AreaTable", &TForm1::Button3Click, kSelectAll},
    {"RotateText", &TForm1::Button2Click, kPickBottom},
    {"MoveNumberMark", &TForm1::Button5Click, kSelectAll},
    {"WriteLineLength", &TForm1::Button11Click, kPickBottom},
};

std::string CaseName(const ::testing::TestParamInfo<std::tuple<ButtonCase, ExportFault>>& info) {
  static const char* const faults[] = {"Lost", "OldHeld", "HeldOpen"};
  return std::string(std::get<0>(info.param).name) +
         faults[static_cast<int>(std::get<1>(info.param))];
}

// The product's files, the export read with its first entity's x broken (as a disk or a
// half-written copy might leave it).
class BreakingFiles : public platform::FileSystem {
 public:
  explicit BreakingFiles(platform::FileSystem& inner) : inner_(inner) {}
  std::string ExecutablePath() override { return inner_.ExecutablePath(); }
  bool Exists(const std::string& path) override { return inner_.Exists(path); }
  bool Delete(const std::string& path) override { return inner_.Delete(path); }
  bool InUse(const std::string& path) override { return inner_.InUse(path); }
  std::optional<std::string> ReadAll(const std::string& path) override {
    std::optional<std::string> bytes = inner_.ReadAll(path);
    const std::string pair = "\n 10\r\n";
    const std::size_t at = bytes ? bytes->find(pair, bytes->find("ENTITIES")) : std::string::npos;
    if (path == kExport && at != std::string::npos) bytes->insert(at + pair.size(), "x");
    return bytes;
  }
  bool WriteAll(const std::string& path, std::string_view bytes) override {
    return inner_.WriteAll(path, bytes);
  }

 private:
  platform::FileSystem& inner_;
};

// An export the reader cannot read: the user is told the reader's report once, under its own
// title, after the run has given back what it changed; nothing is inserted.
class UnreadableExport : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(UnreadableExport, IsToldOnceWithTheReadersReport) {
  const ButtonCase& c = GetParam();
  ExportFaultFixture f(ExportFault::kOldHeld);  // an ordinary host: nothing is held or lost
  f.AddOutline(kSquare);
  f.AddLine(0, 0, 10000, 10000);
  BreakingFiles breaking(f.world.files);
  platform::Ports ports = f.world.ports();
  ports.files = &breaking;
  const platform::ScopedPorts installed(ports);
  const std::size_t before = f.EntityCount();
  c.user(f.host.user());
  f.form.RunHandler(c.button);

  ASSERT_EQ(f.world.messages.shown.size(), 1u);
  const auto& [text, title] = f.world.messages.shown[0];
  EXPECT_EQ(title, "DxfReport");
  EXPECT_NE(text.find(" :  10 / "), std::string::npos) << text;
  EXPECT_NE(text.find(" : x"), std::string::npos) << text;
  EXPECT_EQ(f.CountSent("_-INSERT"), 0);
  EXPECT_EQ(f.EntityCount(), before);
  EXPECT_EQ(f.form.Edit16.Text(), "1");
  f.host.Settle();
  EXPECT_EQ(f.host.core().Variable("OSMODE"), "4133");
}

INSTANTIATE_TEST_SUITE_P(Buttons, ExportFaultTable,
                         ::testing::Combine(::testing::ValuesIn(kButtons),
                                            ::testing::Values(ExportFault::kLost,
                                                              ExportFault::kOldHeld,
                                                              ExportFault::kHeldOpen)),
                         CaseName);

// Every button but the next number, which only scans the export's lines.
std::vector<ButtonCase> ReadingObjects() {
  std::vector<ButtonCase> cases;
  for (const ButtonCase& c : kButtons)
    if (c.button != &TForm1::Button4Click) cases.push_back(c);
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Buttons, UnreadableExport, ::testing::ValuesIn(ReadingObjects()),
                         [](const ::testing::TestParamInfo<ButtonCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
