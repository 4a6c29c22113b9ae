// File paths typed at the host's file-name prompts: unchanged without a blank, in double
// quotes with one, refused when no quoting could carry them.
#include <gtest/gtest.h>

#include "annotation/DxfInsertion.h"
#include "hostlink/TypedPaths.h"

namespace {

TEST(TypedPaths, QuotedOnlyWhenTheyHoldABlank) {
  const struct {
    const char* path;
    const char* prefix;
    const char* typed;
  } cases[] = {
      {"C:\\Velsarom\\Velsarom.dxf", "", "C:\\Velsarom\\Velsarom.dxf"},
      {"C:\\Velsarom\\Velsarom.dxf", "*", "*C:\\Velsarom\\Velsarom.dxf"},
      {"C:\\Users\\測量太郎\\Velsarom.dxf", "", "C:\\Users\\測量太郎\\Velsarom.dxf"},
      {"C:\\Users\\測量 太郎\\Velsarom.dxf", "", "\"C:\\Users\\測量 太郎\\Velsarom.dxf\""},
      {"C:\\Users\\測量 太郎\\Velsarom.dxf", "*", "\"*C:\\Users\\測量 太郎\\Velsarom.dxf\""},
      {"C:\\a  b\\ c.dxf", "", "\"C:\\a  b\\ c.dxf\""},
      // An ideographic space is no blank to the host.
      {"C:\\測量　太郎\\x.dxf", "", "C:\\測量　太郎\\x.dxf"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(PathCanBeTyped(c.path)) << c.path;
    EXPECT_EQ(TypedPath(c.path, c.prefix), c.typed) << c.path;
  }
}

TEST(TypedPaths, AQuoteOrAControlCharacterCannotBeTyped) {
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
}

TEST(TypedPaths, TheInsertionCommandQuotesTheFileWithItsAsterisk) {
  EXPECT_EQ(InsertCommand("C:\\Tools\\annotate.dxf"),
            "_-INSERT *C:\\Tools\\annotate.dxf\r*0.0,0.0 1.0 0.0\r");
  EXPECT_EQ(InsertCommand("C:\\Users\\測量 太郎\\Velsarom\\Menseki.dxf"),
            "_-INSERT \"*C:\\Users\\測量 太郎\\Velsarom\\Menseki.dxf\"\r*0.0,0.0 1.0 0.0\r");
  EXPECT_THROW(InsertCommand("C:\\a\"b\\Menseki.dxf"), EUntypeablePath);
}

}  // namespace
