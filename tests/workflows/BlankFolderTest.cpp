// Velsarom run from a folder whose path holds a blank and Japanese characters, against the
// simulated host, which ends a typed file name at a blank. Regression: the paths were typed
// unquoted; the export went to "C:\Users\測量.dxf", the rest of the path was typed into the host
// as answers and commands, and the workflow went on as if the export had worked. A quoted name
// behind -INSERT's "*" is not documented, so the folder goes by its short (8.3) name, and a
// volume without one stops the click before anything is typed.
#include <gtest/gtest.h>

#include "hostlink/UserMessages.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::WorkflowFixture;

constexpr const char* kFolder = "C:\\Users\\測量 太郎\\Velsarom\\";
constexpr const char* kShortFolder = "C:\\Users\\2C88~1\\Velsarom\\";

struct BlankFolderTest : WorkflowFixture {
  BlankFolderTest() {
    world.files = platform::MemoryFileSystem(std::string(kFolder) + "Velsarom.exe");
  }
  void SquareWithDiagonal() {
    AddPolygon({{0, 0}, {10000, 0}, {10000, 10000}, {0, 10000}});
    AddLine(0, 10000, 10000, 0);
  }
  void GroupSelection() {
    SquareWithDiagonal();
    host.user().SelectWindow(-100, -100, 10100, 10100).PressEnter();
    form.RunHandler(&TForm1::Button13Click);
  }
};

TEST_F(BlankFolderTest, GroupSelectionExportsAndInsertsThroughTheShortName) {
  world.files.SetShortName("C:\\Users\\測量 太郎", "C:\\Users\\2C88~1");
  GroupSelection();

  EXPECT_TRUE(Messages().empty());
  const std::string file = std::string(kShortFolder) + "Velsarom.dxf";
  EXPECT_EQ(CountSent("DXFOUT " + file + "\rO P \rV 2000 16\r"), 1);
  EXPECT_EQ(CountSent("_-INSERT *" + file + "\r*0.0,0.0 1.0 0.0\r"), 1);
  for (const auto& sent : Sent())
    EXPECT_EQ(sent.find(' ' + std::string("太郎")), std::string::npos);
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

// No short name (the call fails), or one that still holds the blank (short names switched off
// on the volume): the user is told which folder before anything is typed, and the drawing and
// the next number stay.
TEST_F(BlankFolderTest, WithoutAShortNameTheUserIsToldTheFolderBeforeAnythingIsTyped) {
  SquareWithDiagonal();
  const std::string number = form.Edit16.Text();
  for (const char* shortName : {"", "C:\\Users\\測量 太郎"}) {
    SCOPED_TRACE(shortName);
    if (*shortName != '\0') world.files.SetShortName("C:\\Users\\測量 太郎", shortName);
    world.messages.shown.clear();
    form.RunHandler(&TForm1::Button13Click);
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], NoShortNameMessage("C:\\Users\\測量 太郎\\Velsarom"));
    EXPECT_TRUE(world.windows.sent.empty());
    EXPECT_EQ(EntityCount(), 2u);
    EXPECT_EQ(form.Edit16.Text(), number);
  }
}

// A folder the host could not be told about at all: the workflow stops with a message naming
// the path before anything is typed.
TEST_F(BlankFolderTest, AnUntypeablePathStopsBeforeTheHostIsTouched) {
  world.files = platform::MemoryFileSystem("C:\\Users\\a\"b\\Velsarom.exe");
  GroupSelection();
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("C:\\Users\\a\"b\\Velsarom.dxf"), std::string::npos);
  EXPECT_TRUE(world.windows.sent.empty());
  EXPECT_EQ(EntityCount(), 2u);
}

}  // namespace
