// ReadDxf on the ports: the wait for the file, the in-use test, the failure report and the
// process-wide tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "DxfFixtures.h"
#include "dxf/DxfParser.h"
#include "dxf/DxfReader.h"
#include "platform/standin/StandinWorld.h"

using namespace dxftest;

namespace {

const std::string kPath = "C:\\Velsarom\\Velsarom.dxf";

struct ReaderTest : ::testing::Test {
  platform::StandinWorld w;
  platform::ScopedPorts ports{w.ports()};
  TDxfTables tables;

  // Leftovers of an earlier read that every ReadDxf must replace.
  void FillTablesWithOldRead() {
    ReadDxfText(Entities(Line("Old", "0", "0", "1", "1")) + Eof());
    ASSERT_EQ(tables.entities.lines.size(), 1u);
    w.messages.shown.clear();
  }
  DxfReadResult ReadDxfText(const std::string& dxf) {
    w.files.WriteAll(kPath, dxf);
    return ReadDxf(tables, kPath);
  }
  void ExpectOnlyLayerZero() {
    const TDxfTables& t = tables;
    EXPECT_TRUE(t.entities.lines.empty());
    EXPECT_TRUE(t.blocks.empty());
    ASSERT_EQ(t.layers.size(), 1u);
    EXPECT_EQ(t.layers[0].Name, "0");
    EXPECT_EQ(t.layers[0].color, 7);
  }
};

TEST_F(ReaderTest, ReadsTheFileIntoTheProcessWideTables) {
  FillTablesWithOldRead();
  const std::uint64_t start = w.clock.TickCount();
  DxfReadResult r = ReadDxfText(Header("AC1015") + LayerTable({{"0", 7}, {"\x8A\x4F\x8E\xFC", 1}}) +
                                Entities(Line("\x8A\x4F\x8E\xFC", "1", "2", "3", "4")) + Eof());
  EXPECT_EQ(r.version, "AC1015");
  EXPECT_EQ(r.error, "");
  EXPECT_TRUE(w.messages.shown.empty());
  const TDxfTables& t = tables;
  ASSERT_EQ(t.entities.lines.size(), 1u);
  EXPECT_EQ(t.entities.lines[0].layer, "外周");
  EXPECT_EQ(t.entities.lines[0].color, 1);
  EXPECT_EQ(t.entities.lines[0].ed.y, 4);
  // The file was there at once: one round of 10 ms and the 100 ms for its writer.
  EXPECT_EQ(w.clock.TickCount() - start, 110u);
  EXPECT_EQ(LayerColor(tables, "外周"), 1);
  EXPECT_EQ(LayerColor(tables, "new"), 7);
  EXPECT_EQ(tables.layers.back().Name, "new");
  EXPECT_EQ(tables.layers.size(), 3u);
}

TEST_F(ReaderTest, MissingFileEndsAfterAboutOneSecondWithLayerZeroAlone) {
  FillTablesWithOldRead();
  w.files.Delete(kPath);
  const std::uint64_t start = w.clock.TickCount();
  const std::uint64_t pumped = w.clock.processCalls;
  DxfReadResult r = ReadDxf(tables, kPath);
  EXPECT_EQ(w.clock.TickCount() - start, 1010u);  // 101 rounds of 10 ms
  EXPECT_EQ(w.clock.processCalls - pumped, 101u);
  EXPECT_EQ(r.version, "");
  EXPECT_EQ(r.error, "");
  EXPECT_TRUE(w.messages.shown.empty());
  ExpectOnlyLayerZero();
}

// The window is closed while the read waits: the wait ends at once and nothing is read.
TEST_F(ReaderTest, CancelRequestEndsTheWait) {
  FillTablesWithOldRead();
  for (bool appeared : {false, true}) {
    SCOPED_TRACE(appeared ? "held by its writer" : "not there yet");
    w.files.Delete(kPath);
    if (appeared) {
      w.files.WriteAll(kPath, Eof());
      w.files.SetInUse(kPath, true);
    }
    const std::uint64_t start = w.clock.TickCount();
    bool posted = false;
    int listener = w.clock.AddListener([&](std::uint64_t now) {
      if (now >= start + 500 && !posted) {
        posted = true;  // the close arrives as a message
        w.clock.PostTask([&] { w.clock.RequestCancel(); });
      }
    });
    DxfReadResult r = ReadDxf(tables, kPath);
    w.clock.RemoveListener(listener);
    EXPECT_LE(w.clock.TickCount() - start, 700u);
    EXPECT_EQ(r.error, "");
    ExpectOnlyLayerZero();
    w.clock.ClearCancelRequest();
    w.files.SetInUse(kPath, false);
  }
}

TEST_F(ReaderTest, WaitForFileSeesAFileAppearAndPumpsMessagesMeanwhile) {
  int clicks = 0;
  std::uint64_t firstHandledAt = 0;
  w.clock.PostTask([&] { firstHandledAt = w.clock.TickCount(); });
  w.clock.AddListener([&](std::uint64_t now) {
    if (now == 300) w.files.WriteAll("late.dxf", Eof());
    if (now == 100) w.clock.PostTask([&] { ++clicks; });
  });
  EXPECT_TRUE(WaitForFile("late.dxf"));
  EXPECT_EQ(w.clock.TickCount(), 400u);  // seen in the round ending at 300, then 100 ms
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(firstHandledAt, 10u);  // each round sleeps before the window works
}

// A host that writes a large export holds the file open while it grows. What is there
// before the writer lets go is part of a drawing, never the result: the read waits for it.
TEST_F(ReaderTest, FileStillBeingWrittenIsReadOnlyWhenItsWriterLetsGo) {
  FillTablesWithOldRead();
  const std::string whole = Entities(Line("0", "0", "0", "1", "1") + Line("0", "2", "2", "3", "3") +
                                     Line("0", "4", "4", "5", "5")) +
                            Eof();
  w.files.Delete(kPath);
  int pumped = 0;
  const std::uint64_t start = w.clock.TickCount();
  w.clock.AddListener([&](std::uint64_t now) {
    if (now - start == 200) {  // appears with a part written
      w.files.WriteAll(kPath, whole.substr(0, whole.size() / 2));
      w.files.SetInUse(kPath, true);
    }
    if (now - start == 1000) w.clock.PostTask([&] { ++pumped; });
    if (now - start == 2500) w.files.WriteAll(kPath, whole);
    if (now - start == 2600) w.files.SetInUse(kPath, false);
  });
  DxfReadResult r = ReadDxf(tables, kPath);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(tables.entities.lines.size(), 3u);
  EXPECT_GE(w.clock.TickCount() - start, 2600u);
  EXPECT_LE(w.clock.TickCount() - start, 2800u);
  EXPECT_EQ(pumped, 1);  // the window stays responsive meanwhile
}

TEST_F(ReaderTest, FileHeldOpenForGoodIsBusy) {
  FillTablesWithOldRead();
  w.files.SetInUse(kPath, true);
  const std::uint64_t start = w.clock.TickCount();
  DxfReadResult r = ReadDxf(tables, kPath);
  EXPECT_GE(w.clock.TickCount() - start, kWriterWaitMs);
  EXPECT_EQ(r.error, "busy");
  EXPECT_EQ(r.version, "");
  // The reader shows nothing itself: the caller that talks to the user tells it.
  EXPECT_TRUE(w.messages.shown.empty());
  EXPECT_EQ(r.message, "DXFファイルは使用中です．");
  EXPECT_EQ(r.caption, "DxfRead");
  ExpectOnlyLayerZero();
}

// A pair that cannot be converted stops the read at that pair with its two lines and their
// numbers. The complete LINE before it stays; the LINE being read is dropped, because the
// groups after the bad pair were never read.
TEST_F(ReaderTest, BadPairStopsTheReadWithItsPosition) {
  const std::string before = Lines({"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  8", "0",
                                    " 10", "1", " 11", "2", "  0", "LINE", "  8", "0"});
  struct Case {
    std::string tail;
    const char* error;
    const char* message;
  };
  const Case cases[] = {
      {Lines({" 62", "1.5", " 10", "3"}), "17: 62/18:1.5", "17 :  62 / 18 : 1.5"},
      {Lines({" 62", "40000"}), "17: 62/18:40000", "17 :  62 / 18 : 40000"},  // not 16 bits
      {Lines({" 10", "1,5"}), "17: 10/18:1,5", "17 :  10 / 18 : 1,5"},
      {Lines({" 10", ""}), "17: 10/18:", "17 :  10 / 18 : "},
      {Lines({" 10", "nan"}), "17: 10/18:nan", "17 :  10 / 18 : nan"},
      {Lines({" 10", "1e99999"}), "17: 10/18:1e99999", "17 :  10 / 18 : 1e99999"},
      {Lines({" 39", "1e400"}), "17: 39/18:1e400", "17 :  39 / 18 : 1e400"},  // beyond double
      {Lines({"abc", "x"}), "17:abc/18:x", "17 : abc / 18 : x"},
      {Lines({"", "LINE"}), "17:/18:LINE", "17 :  / 18 : LINE"},
      {Lines({"99999999999", "x"}), "17:99999999999/18:x", "17 : 99999999999 / 18 : x"},
      {Lines({"  8"}), "17:  8/18:", "17 :   8 / 18 : "},  // the file ends inside the pair
  };
  for (const Case& c : cases) {
    w.messages.shown.clear();
    DxfReadResult r = ReadDxfText(before + c.tail);
    EXPECT_EQ(r.error, c.error);
    EXPECT_TRUE(w.messages.shown.empty()) << c.error;
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.caption, "DxfReport");
    const TDxfTables& t = tables;
    ASSERT_EQ(t.entities.lines.size(), 1u) << c.error;
    EXPECT_EQ(t.entities.lines[0].ed.x, 2);
    EXPECT_EQ(t.entities.lines[0].color, 7);
    ASSERT_EQ(t.layers.size(), 1u);  // the end steps ran
    EXPECT_EQ(t.entities.lines.capacity(), 1u);
  }
}

TEST_F(ReaderTest, FailureInsideAPolylineDropsItsHeaderAndVertices) {
  DxfReadResult r = ReadDxfText(
      Header("AC1015") +
      Lines({"  0", "SECTION",    "  2", "ENTITIES", "  0", "LWPOLYLINE", " 10", "1", " 10", "2",
             "  0", "LWPOLYLINE", " 10", "3",        " 20", "4",          " 10", "5", " 42", "x"}));
  EXPECT_EQ(r.version, "AC1015");
  EXPECT_EQ(r.error, "33: 42/34:x");
  const TEntityTables& e = tables.entities;
  ASSERT_EQ(e.polylines.size(), 1u);
  ASSERT_EQ(e.vertices.size(), 2u);
  EXPECT_EQ(e.vertices[1].code10.x, 2);
}

TEST_F(ReaderTest, QuotedLinesAreCutInTheMessage) {
  const std::string head =
      Lines({"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1021", "  0", "ENDSEC",
             "  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", " 10"});
  std::string longValue(301, 'x');
  longValue[0] = '1';
  std::string expected = "17: 10/18:";
  expected.append(longValue, 0, 256);
  expected += "…";
  EXPECT_EQ(ReadDxfText(head + longValue).error, expected);

  // A UTF-8 character that straddles the cut is left out whole.
  std::string straddling(255, 'x');
  straddling[0] = '1';
  expected = "17: 10/18:";
  expected += straddling;
  expected += "…";
  straddling += "画層";
  straddling.append(300, 'y');
  EXPECT_EQ(ReadDxfText(head + straddling).error, expected);

  // A zero byte ends the quoted line, as it would end the text in the message box.
  EXPECT_EQ(ReadDxfText(head + std::string("1\0abc", 5)).error, "17: 10/18:1");
}

// A drawing with every kind of record, CR LF line ends, a byte-order mark and names in code
// page 932, for the reads piece by piece.
std::string EveryKindOfRecord() {
  const std::string dxf = Header("AC1015") + LayerTable({{"\x95\x4d\x8a\x45", 3}, {"0", 7}}) +
                          Blocks(Lines({"  0", "BLOCK", "  8", "0", "  2", "MARK",  " 10", "1.5",
                                        " 20", "2.5",   " 30", "0", "  0", "LINE",  "  8", "0",
                                        " 10", "0",     " 11", "1", "  0", "ENDBLK"})) +
                          Entities(Line("\x95\x4d\x8a\x45", "10.25", "20.5", "30", "40") +
                                   Lines({"  0", "LWPOLYLINE",
                                          "  8", "0",
                                          " 62", "5",
                                          " 90", "3",
                                          " 70", "1",
                                          " 10", "0",
                                          " 20", "0",
                                          " 10", "1",
                                          " 20", "0",
                                          " 42", "0.5",
                                          " 10", "1",
                                          " 20", "1",
                                          "  0", "POLYLINE",
                                          "  8", "0",
                                          " 66", "1",
                                          " 10", "0",
                                          " 20", "0",
                                          " 30", "7",
                                          "  0", "VERTEX",
                                          "  8", "0",
                                          " 10", "1",
                                          " 20", "2",
                                          "  0", "VERTEX",
                                          "  8", "0",
                                          " 10", "3",
                                          " 20", "4",
                                          "  0", "SEQEND",
                                          "  0", "MTEXT",
                                          "  8", "0",
                                          " 10", "5",
                                          " 20", "6",
                                          "  3", std::string(40, 'a'),
                                          "  3", std::string(40, 'b'),
                                          "  1", "\x96\xca\x90\xcf",
                                          "  0", "TEXT",
                                          "  8", "\x95\x4d\x8a\x45",
                                          " 10", "7",
                                          " 20", "8",
                                          " 40", "2.5",
                                          "  1", "T1",
                                          "  0", "CIRCLE",
                                          "  8", "0",
                                          " 10", "1",
                                          " 20", "1",
                                          " 40", "3",
                                          "  0", "ARC",
                                          "  8", "0",
                                          " 10", "1",
                                          " 20", "1",
                                          " 40", "3",
                                          " 50", "10",
                                          " 51", "80",
                                          "  0", "INSERT",
                                          "  8", "0",
                                          "  2", "MARK",
                                          " 66", "1",
                                          " 10", "9",
                                          " 20", "9",
                                          "  0", "ATTRIB",
                                          "  8", "0",
                                          "  1", "K1",
                                          " 74", "2",
                                          "  0", "SEQEND",
                                          "  0", "ELLIPSE",
                                          "  8", "0",
                                          " 10", "1",
                                          " 20", "2",
                                          " 11", "3",
                                          " 21", "0",
                                          " 40", "0.5",
                                          " 41", "0",
                                          " 42", "6.283185307179586"})) +
                          Eof();
  std::string crlf = "\xEF\xBB\xBF";
  for (char c : dxf) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

// The file is read piece by piece: the tables and the failure report are the same wherever the
// pieces end (inside a line, between CR and LF, inside the byte-order mark or a double-byte
// character), and the same as from the whole text at once.
TEST_F(ReaderTest, TablesAndFailuresDoNotDependOnThePiecesTheFileComesIn) {
  const std::string whole = EveryKindOfRecord();
  const std::string before = whole.substr(0, whole.rfind("  0\r\nENDSEC"));
  const std::string bad = before + Lines({"  0", "LINE", " 62", "1.5"}, "\r\n");
  for (const std::string* text : {&whole, &bad}) {
    const Parsed expected = Parse(*text);
    ASSERT_EQ(expected.r.failed, text == &bad);
    ASSERT_EQ(expected.t.entities.polylines.size(), 2u);
    ASSERT_EQ(expected.t.entities.texts.size(), 3u);
    for (std::size_t piece : {1u, 2u, 3u, 7u, 64u, 100000u}) {
      w.files.SetReadPiece(piece);
      w.messages.shown.clear();
      const DxfReadResult r = ReadDxfText(*text);
      EXPECT_TRUE(tables == expected.t) << "pieces of " << piece;
      EXPECT_EQ(r.version, "AC1015");
      EXPECT_EQ(r.error.empty(), !expected.r.failed) << "pieces of " << piece;
    }
  }
  const auto line = std::count(before.begin(), before.end(), '\n') + 3;  // of " 62"
  EXPECT_EQ(ReadDxfText(bad).error,
            std::to_string(line) + ": 62/" + std::to_string(line + 1) + ":1.5");
}

// A pair longer than the reading buffer grows it: the line is read whole.
TEST_F(ReaderTest, ALineLongerThanTheBufferIsReadWhole) {
  const std::string text(1000, 'x');
  const std::string dxf = Entities(Lines({"  0", "TEXT", "  8", "0", "  1", text})) + Eof();
  const Parsed expected = Parse(dxf);
  std::unique_ptr<platform::FileSystem::Reader> file = platform::ReaderOfBytes(dxf, 5);
  TDxfTables t;
  const DxfParseResult r = ReadDxfPairs(*file, t, w.codePage, 16);
  FinishDxfTables(t);
  EXPECT_FALSE(r.failed);
  ASSERT_EQ(t.entities.texts.size(), 1u);
  EXPECT_EQ(t.entities.texts[0].str, text);
  EXPECT_TRUE(t == expected.t);
}

// A read that fails part way stops at the pair it could not read, as a bad pair does: the
// records before it stay, the entity being read is dropped.
TEST_F(ReaderTest, AReadErrorPartWayStopsAtThePairItCouldNotRead) {
  struct FailingReader : platform::FileSystem::Reader {
    std::string bytes;
    std::size_t at = 0;
    std::optional<std::size_t> Read(char* into, std::size_t room) override {
      if (at == bytes.size()) return std::nullopt;
      const std::size_t n = std::min(room, bytes.size() - at);
      bytes.copy(into, n, at);
      at += n;
      return n;
    }
  };
  struct FailingFiles : platform::MemoryFileSystem {
    std::unique_ptr<Reader> OpenForReading(const std::string& path) override {
      auto reader = std::make_unique<FailingReader>();
      reader->bytes = ReadAll(path).value_or("");
      return reader;
    }
  } files;
  // Cut inside the second LINE's pair " 10" / "3.5" (lines 17 and 18), in its value line.
  files.WriteAll(kPath, Lines({"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  8", "0",
                               " 10", "1", " 11", "2", "  0", "LINE", "  8", "0", " 10", "3.5"})
                            .substr(0, 73));
  platform::Ports p = w.ports();
  p.files = &files;
  platform::ScopedPorts failing(p);
  const DxfReadResult r = ReadDxf(tables, kPath);
  EXPECT_EQ(r.error, "17: 10/18:");
  EXPECT_EQ(r.caption, "DxfReport");
  const TDxfTables& t = tables;
  ASSERT_EQ(t.entities.lines.size(), 1u);
  EXPECT_EQ(t.entities.lines[0].ed.x, 2);
}

TEST_F(ReaderTest, UnreadableFileIsReported) {
  // A stand-in quirk is used here: an in-use file reads as nothing, but InUse is asked first,
  // so an unreadable file is made with a file system whose ReadAll fails.
  struct UnreadableFiles : platform::MemoryFileSystem {
    std::optional<std::string> ReadAll(const std::string&) override { return std::nullopt; }
  } files;
  files.WriteAll(kPath, Eof());
  platform::Ports p = w.ports();
  p.files = &files;
  platform::ScopedPorts unreadable(p);
  DxfReadResult r = ReadDxf(tables, kPath);
  EXPECT_EQ(r.error, "1:/2:");
  EXPECT_EQ(r.caption, "DxfReport");
  ExpectOnlyLayerZero();
}

}  // namespace
