#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "annotation/DxfInsertion.h"
#include "dxf/DxfDocument.h"
#include "dxf/DxfWriter.h"
#include "hostsim/DxfRead.h"
#include "platform/Utf.h"
#include "platform/standin/Cp932CodePage.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::CreateHostWindows;

struct DxfSaveTest : hosttest::WindowsFixture {
  DxfSaveTest() { world.files = platform::MemoryFileSystem("C:\\Tools\\annotate.exe"); }

  std::string File(const std::string& path) {
    const auto it = world.files.files().find(path);
    return it == world.files.files().end() ? std::string("<missing>") : it->second;
  }
};

TEST_F(DxfSaveTest, BytesAreCp932WithCrLfAfterEveryLineAndNoByteOrderMark) {
  DxfDocument d;
  WriteDxfHeaderWithoutAppId(d, "");
  WriteDxfText(d, "J BC ", {1, 2}, 3, 0, "面積", "測量", "");
  WriteDxfEnd(d);
  SaveDxfDocument(d, "C:\\Tools\\out.dxf");
  const std::string expected =
      "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  0\r\nENDSEC\r\n"
      "  0\r\nSECTION\r\n  2\r\nTABLES\r\n"
      "  0\r\nENDSEC\r\n"
      "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
      "  0\r\nTEXT\r\n"
      "  8\r\n\x91\xaa\x97\xca\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0\r\n"
      " 10\r\n1\r\n 20\r\n2\r\n"
      " 11\r\n1\r\n 21\r\n2\r\n"
      "  1\r\n\x96\xca\x90\xcf\r\n"
      " 40\r\n3\r\n"
      " 41\r\n1.0\r\n"
      " 50\r\n0\r\n"
      " 72\r\n1\r\n 73\r\n1\r\n"
      "  0\r\nENDSEC\r\n"
      "  0\r\nEOF\r\n";
  EXPECT_EQ(File("C:\\Tools\\out.dxf"), expected);
}

// Regression: a character the code page lacks was written as its default character "?", so a
// layer named "筆界²" came back into the host's drawing as "筆界?".
TEST_F(DxfSaveTest, CharactersTheCodePageLacksAreWrittenInTheHostsEscape) {
  DxfDocument d;
  WriteDxfCircle(d, {0, 0}, 1, "층A");  // Hangul is not in code page 932
  SaveDxfDocument(d, "C:\\Tools\\out.dxf");
  EXPECT_EQ(File("C:\\Tools\\out.dxf").substr(0, 28), "  0\r\nCIRCLE\r\n  8\r\n\\U+CE35A\r\n");
}

TEST(DxfAnsiTextTest, OnlyWhatTheCodePageLacksIsEscaped) {
  platform::Cp932CodePage cp932;
  const struct {
    const char* utf8;
    std::string ansi;
  } cases[] = {
      {"ABC?", "ABC?"},              // a question mark of the text stays
      {"測量", "\x91\xaa\x97\xca"},  // in the code page: its bytes
      {"m²", "m\\U+00B2"},           // superscript two: not in 932
      {"?²?", "?\\U+00B2?"},
      {"地番²", "\x92\x6e\x94\xd4\\U+00B2"},  // escape after double-byte characters
      {"¥100", "\\U+00A5100"},                // no look-alike: the yen sign escaped
      {"😀", "\\U+D83D\\U+DE00"},              // beyond the basic plane: two halves
      {"ｱ²ｲ", "\xb1\\U+00B2\xb2"},            // single-byte katakana around it
  };
  for (const auto& c : cases) EXPECT_EQ(DxfAnsiText(c.utf8, cp932), c.ansi) << c.utf8;
}

// The host reads the escapes back into the characters: the simulated host's own reader, which
// shares no code with the writer, gets the names and the text as they were written.
TEST_F(DxfSaveTest, TheHostReadsEscapedCharactersBackAsTheyWere) {
  DxfDocument d;
  WriteDxfHeaderWithoutAppId(d, "");
  WriteDxfText(d, "J BC ", {1, 2}, 3, 0, "面積 12.5m² 😀 ¥", "筆界²", "");
  WriteDxfLine(d, {0, 0}, {1, 1}, "층");
  WriteDxfEnd(d);
  const hostsim::DxfReadResult read = hostsim::ReadDxf(DocumentBytes(d), world.codePage);
  ASSERT_TRUE(read.ok) << read.error;
  ASSERT_EQ(read.drawing.entities.size(), 2u);
  EXPECT_EQ(read.drawing.entities[0].layer, "筆界²");
  const auto* text = std::get_if<hostsim::Text>(&read.drawing.entities[0].shape);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->value, "面積 12.5m² 😀 ¥");
  EXPECT_EQ(read.drawing.entities[1].layer, "층");
}

TEST_F(DxfSaveTest, SavingReplacesAnOlderFile) {
  world.files.WriteAll("C:\\Tools\\out.dxf", std::string(5000, 'x'));
  DxfDocument d;
  WriteDxfEnd(d);
  SaveDxfDocument(d, "C:\\Tools\\out.dxf");
  EXPECT_EQ(File("C:\\Tools\\out.dxf"), "  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
}

TEST_F(DxfSaveTest, InsertDxfSavesBesideTheExecutableAndSendsTheInsertion) {
  CreateHostWindows(world.windows);
  DxfDocument d;
  WriteDxfHeader(d, "");
  WriteDxfEnd(d);
  InsertDxf(link, d);
  EXPECT_EQ(File("C:\\Tools\\annotate.dxf"), DocumentBytes(d));
  // INSUNITSDEFSOURCE read first; these windows show no value, so it is left alone.
  EXPECT_EQ(Sent(),
            (std::vector<std::string>{"'SETVAR INSUNITSDEFSOURCE\r", "\x03",
                                      "_-INSERT *C:\\Tools\\annotate.dxf\r*0.0,0.0 1.0 0.0\r"}));
  EXPECT_EQ(d.items.size(), 8u);  // the caller's document is left as it was
}

// "INSUNITSDEFSOURCE (System Variable)": a user's host installed with 1 (inches) would scale a
// document without units from inches to a drawing in metres. Held at none while it goes in,
// the document lands at its written size, and the user's value comes back.
struct InsertionUnitsTest : hosttest::HostFixture {};

TEST_F(InsertionUnitsTest, ADocumentLandsAtItsWrittenSizeWhateverTheDefaultSourceUnit) {
  for (const char* source : {"1", "4", "0"}) {
    SCOPED_TRACE(source);
    host.drawing().entities.clear();
    ASSERT_EQ(host.core().Preset("INSUNITS", "6"), "");
    ASSERT_EQ(host.core().Preset("INSUNITSDEFSOURCE", source), "");
    DxfDocument d;
    WriteDxfHeader(d, "");
    WriteDxfLine(d, {100, 200}, {1100, 200}, "H_HEN");
    WriteDxfEnd(d);
    InsertDxf(link, d);
    host.Settle();
    ASSERT_EQ(host.drawing().entities.size(), 1u);
    const auto& line = std::get<hostsim::Line>(host.drawing().entities[0].shape);
    EXPECT_DOUBLE_EQ(line.start.x, 100);
    EXPECT_DOUBLE_EQ(line.end.x, 1100);
    EXPECT_EQ(host.core().Variable("INSUNITSDEFSOURCE"), source);
  }
}

TEST_F(DxfSaveTest, InsertTextDxfWritesOneTextWithoutApplicationIds) {
  CreateHostWindows(world.windows);
  InsertTextDxf(link, "J BC ", {1500, 2000}, "5.00", 300, 0.9272952180016122, "H_TEXT", "Standard");
  DxfDocument expected;
  WriteDxfHeaderWithoutAppId(expected, "Standard");
  WriteDxfText(expected, "J BC ", {1500, 2000}, 300, 0.9272952180016122, "5.00", "H_TEXT",
               "Standard");
  WriteDxfEnd(expected);
  EXPECT_EQ(File("C:\\Tools\\Menseki.dxf"), DocumentBytes(expected));
  EXPECT_EQ(File("C:\\Tools\\Menseki.dxf").find("APPID"), std::string::npos);
  EXPECT_NE(File("C:\\Tools\\Menseki.dxf").find(" 50\r\n53.130102354156\r\n"), std::string::npos);
  EXPECT_EQ(Sent(),
            (std::vector<std::string>{"'SETVAR INSUNITSDEFSOURCE\r", "\x03",
                                      "_-INSERT *C:\\Tools\\Menseki.dxf\r*0.0,0.0 1.0 0.0\r"}));
}

TEST_F(DxfSaveTest, WithoutHostTheFileIsStillWritten) {
  InsertTextDxf(link, "J BC ", {0, 0}, "1.00", 300, 0, "H_TEXT", "");
  EXPECT_NE(File("C:\\Tools\\Menseki.dxf"), "<missing>");
  EXPECT_TRUE(world.windows.sent.empty());
}

TEST_F(DxfSaveTest, AFileThatCannotBeWrittenStopsBeforeTheInsertion) {
  CreateHostWindows(world.windows);
  world.files.SetReadOnly(true);
  try {
    InsertTextDxf(link, "J BC ", {0, 0}, "1.00", 300, 0, "H_TEXT", "");
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_NE(std::string(e.what()).find("C:\\Tools\\Menseki.dxf"), std::string::npos);
  }
  EXPECT_TRUE(world.windows.sent.empty());
}

}  // namespace
