// Velsarom run from a folder whose path holds a blank and Japanese characters, against the
// simulated host, which ends a typed file name at a blank unless the name is in double
// quotes. Regression: the paths were typed unquoted; the export went to "C:\Users\測量.dxf",
// the rest of the path was typed into the host as answers and commands, and the workflow went
// on as if the export had worked.
#include <gtest/gtest.h>

#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

constexpr const char* kFolder = "C:\\Users\\測量 太郎\\Velsarom\\";

struct BlankFolderTest : WorkflowFixture {
  void SquareWithDiagonal() {
    AddPolygon({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
    AddLine(0, 10000, 10000, 0);
  }
};

TEST_F(BlankFolderTest, GroupSelectionExportsAndInsertsThroughQuotedPaths) {
  world.files = platform::MemoryFileSystem(std::string(kFolder) + "Velsarom.exe");
  SquareWithDiagonal();
  host.user().SelectWindow(-100, -100, 10100, 10100).PressEnter();
  form.RunHandler(&TForm1::Button13Click);

  EXPECT_TRUE(Messages().empty());
  const std::string file = std::string(kFolder) + "Velsarom.dxf";
  EXPECT_EQ(CountSent("DXFOUT \"" + file + "\"\rO P \rV 2000 16\r"), 1);
  EXPECT_EQ(CountSent("_-INSERT \"*" + file + "\"\r*0.0,0.0 1.0 0.0\r"), 1);
  EXPECT_EQ(Marks().size(), 2u);
  EXPECT_EQ(Labels().size(), 5u);
  EXPECT_EQ(form.Edit16.Text(), "3");
  // Nothing of the path reached the host as a command or an answer.
  EXPECT_EQ(host.history().find("不明なコマンド"), std::string::npos);
  EXPECT_EQ(host.history().find("無効"), std::string::npos);
  for (const auto& [path, bytes] : world.files.files()) {
    EXPECT_EQ(path.rfind(kFolder, 0), 0u) << path;
  }
}

// A folder the host could not be told about even in quotes: the workflow stops with a message
// naming the path before anything is typed.
TEST_F(BlankFolderTest, AnUntypeablePathStopsBeforeTheHostIsTouched) {
  world.files = platform::MemoryFileSystem("C:\\Users\\a\"b\\Velsarom.exe");
  SquareWithDiagonal();
  host.user().SelectWindow(-100, -100, 10100, 10100).PressEnter();
  form.RunHandler(&TForm1::Button13Click);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("C:\\Users\\a\"b\\Velsarom.dxf"), std::string::npos);
  EXPECT_TRUE(world.windows.sent.empty());
  EXPECT_EQ(EntityCount(), 2u);
}

}  // namespace
