// File paths typed at the host's file-name prompts: unchanged without a blank, with their folder's
// short (8.3) name with one, refused when nothing could carry them.
#include <gtest/gtest.h>

#include <string>

#include "annotation/DxfInsertion.h"
#include "hostlink/TypedPaths.h"
#include "hostlink/UserMessages.h"
#include "numbers/NumberText.h"
#include "platform/standin/StandinWorld.h"

namespace {

struct TypedPaths : testing::Test {
  platform::StandinWorld world;
  platform::ScopedPorts ports{world.ports()};
};

TEST_F(TypedPaths, AFolderWithABlankGoesByItsShortName) {
  world.files.SetShortName("C:\\Users\\測量 太郎", "C:\\Users\\2C88~1");
  world.files.SetShortName("C:\\a  b", "C:\\AB6F~1");
  const struct {
    const char* path;
    const char* prefix;
    const char* typed;
  } cases[] = {
      {"C:\\Velsarom\\Velsarom.dxf", "", "C:\\Velsarom\\Velsarom.dxf"},
      {"C:\\Velsarom\\Velsarom.dxf", "*", "*C:\\Velsarom\\Velsarom.dxf"},
      {"C:\\Users\\測量太郎\\Velsarom.dxf", "", "C:\\Users\\測量太郎\\Velsarom.dxf"},
      // The file need not exist: its folder is shortened, the name kept.
      {"C:\\Users\\測量 太郎\\Velsarom.dxf", "", "C:\\Users\\2C88~1\\Velsarom.dxf"},
      {"C:\\Users\\測量 太郎\\Velsarom\\Menseki.dxf", "*",
       "*C:\\Users\\2C88~1\\Velsarom\\Menseki.dxf"},
      {"C:\\a  b\\c.dxf", "", "C:\\AB6F~1\\c.dxf"},
      // An ideographic space is no blank to the host.
      {"C:\\測量　太郎\\x.dxf", "", "C:\\測量　太郎\\x.dxf"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(PathCanBeTyped(c.path)) << c.path;
    EXPECT_EQ(TypedPath(c.path, c.prefix), c.typed) << c.path;
  }
  // The insertion point is a world point whatever the UCS.
  EXPECT_EQ(InsertCommand("C:\\Tools\\annotate.dxf"),
            "_-INSERT *C:\\Tools\\annotate.dxf\r*0.0,0.0 1.0 0.0\r");
  EXPECT_EQ(InsertCommand("C:\\Users\\測量 太郎\\Velsarom\\Menseki.dxf"),
            "_-INSERT *C:\\Users\\2C88~1\\Velsarom\\Menseki.dxf\r*0.0,0.0 1.0 0.0\r");
}

// A volume without short names (the call fails), or one that gives the long name back (8.3
// names switched off): the user is told which folder, before anything is typed.
TEST_F(TypedPaths, ABlankWithoutAShortNameNamesTheFolder) {
  world.files.SetShortName("D:\\共有 フォルダ", "D:\\共有 フォルダ");
  for (const char* folder : {"C:\\Users\\測量 太郎\\Velsarom", "D:\\共有 フォルダ\\Velsarom"}) {
    const std::string path = std::string(folder) + "\\Velsarom.dxf";
    try {
      TypedPath(path, "*");
      ADD_FAILURE() << "typed: " << path;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.what(), NoShortNameMessage(folder));
    }
  }
}

TEST_F(TypedPaths, AQuoteOrAControlCharacterCannotBeTyped) {
  for (const char* path : {"C:\\a\"b\\x.dxf", "C:\\a\rb\\x.dxf",
                           "C:\\a\x03"
                           "b.dxf",
                           "C:\\a\tb.dxf", "C:\\a\x7F.dxf"}) {
    EXPECT_FALSE(PathCanBeTyped(path)) << path;
    try {
      TypedPath(path);
      ADD_FAILURE() << "typed: " << path;
    } catch (const EUntypeablePath& e) {
      // The message names the path, so the user knows which folder to move the program from.
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
  }
  EXPECT_THROW(InsertCommand("C:\\a\"b\\Menseki.dxf"), EUntypeablePath);
}

}  // namespace
