#include "dxf/NumberEntries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "dxf/SegmentEntries.h"
#include "numbers/NumberText.h"
#include "platform/standin/StandinWorld.h"

namespace {

using Strings = std::vector<std::string>;

EntityLineList ListOf(const Strings& lines) {
  EntityLineList list;
  for (const std::string& l : lines) list.push_back(l);
  return list;
}

std::string MarkLine(const std::string& number, const std::string& app = "VELSAROM",
                     const std::string& data = "\t1010,3000.0\t1020,4000.5\t1030,5000\t") {
  return "0,TEXT\t5,2B\t8,H_TEXT\t10,100\t20,200\t1," + number + "\t1001," + app + data;
}

TEST(CollectNumberMarks, OnlyTextsWhoseFirstDataIsOursExactly) {
  const Strings lines = {
      "0,CIRCLE\t8,H_TEXT\t10,100\t20,200\t40,500\t",
      MarkLine("3"),
      MarkLine("4", "velsarom"),  // small letters: another application
      MarkLine("5", "VELSAROM2"),
      MarkLine("6", "OTHER", "\t1010,1\t1020,2\t1001,VELSAROM\t1010,3\t"),  // ours second
      "0,MTEXT\t1,7\t1001,VELSAROM\t1010,1\t1020,2\t1030,3\t",
      "0,TEXTX\t",       // begins with the letters but carries no data
      MarkLine("12,a"),  // commas of its own are kept
      "0,TEXT\t1,8\t",   // no data at all
  };
  Strings entries{"kept"};
  CollectNumberMarks(ListOf(lines), entries);
  EXPECT_EQ(entries, (Strings{"kept", "3,3000.00000000,4000.50000000,5000.00000000",
                              "12,a,3000.00000000,4000.50000000,5000.00000000"}));
}

// A segment mark carries the same point groups under an application of its own: it neither
// makes a row of triangle sides nor moves the counter; the segment scan takes it alone.
TEST(CollectNumberMarks, SegmentMarksAreNoNumberMarks) {
  const std::string arc = "\t1010,10515.2\t1020,22222.1\t1030,-1\t1040,3.5\t";
  const std::string flat = "\t1010,3000.0\t1020,4000.5\t1030,1\t1040,0.5\t";
  const EntityLineList lines = ListOf({MarkLine("弓7", "VELSAROM_SEGMENT", arc), MarkLine("4"),
                                       MarkLine("弓2", "VELSAROM_SEGMENT", flat),
                                       MarkLine("弓x", "VELSAROM_SEGMENT", flat)});
  Strings entries;
  CollectNumberMarks(lines, entries);
  EXPECT_EQ(entries, (Strings{"4,3000.00000000,4000.50000000,5000.00000000"}));
  EXPECT_EQ(NextNumberFromMarks(lines), 5);

  const std::vector<SegmentMarkData> segments = CollectSegmentMarks(lines);
  ASSERT_EQ(segments.size(), 3u);
  EXPECT_EQ(segments[0].name, "弓x");  // no number: first, and never the highest
  EXPECT_EQ(segments[1].name, "弓2");
  EXPECT_EQ(segments[2].name, "弓7");
  EXPECT_DOUBLE_EQ(static_cast<double>(segments[2].chord), 10515.2);
  EXPECT_DOUBLE_EQ(static_cast<double>(segments[2].radius), 22222.1);
  EXPECT_EQ(segments[2].sign, -1);
  EXPECT_DOUBLE_EQ(static_cast<double>(segments[2].angle), 3.5);  // as carried, not worked back
  // A mark that carries no angle is no mark the program wrote: its row cannot be shown.
  EXPECT_THROW(CollectSegmentMarks(ListOf({MarkLine("弓3", "VELSAROM_SEGMENT")})), EConvertError);
  EXPECT_EQ(NextSegmentNumber(segments), 8);
  EXPECT_EQ(NextSegmentNumber({}), 1);
}

TEST(CollectNumberMarks, AMarkWithoutDataPointShowsZerosNotItsPredecessors) {
  const Strings lines = {MarkLine("1"), MarkLine("2", "VELSAROM", "\t1030,7\t")};
  Strings entries;
  CollectNumberMarks(ListOf(lines), entries);
  EXPECT_EQ(entries, (Strings{"1,3000.00000000,4000.50000000,5000.00000000",
                              "2,0.00000000,0.00000000,7.00000000"}));
}

TEST(CollectNumberMarks, DataThatIsNoNumberIsAConversionError) {
  Strings entries;
  EXPECT_THROW(
      CollectNumberMarks(ListOf({MarkLine("1", "VELSAROM", "\t1010,1\t1020,x\t")}), entries),
      EConvertError);
}

TEST(NumberKey, IntegerBeforeTheFirstCommaElseZero) {
  struct Case {
    const char* entry;
    int key;
  } cases[] = {{"12,1,2,3", 12},
               {"-4,1", -4},
               {"007,1", 7},
               {"1.5,1", 0},
               {"abc,1", 0},
               {",1,2,3", 0},
               {"", 0},
               {"5", 5},
               {"99999999999,1", 0},
               {"2147483647,1", 2147483647}};
  for (const Case& c : cases) EXPECT_EQ(NumberKey(c.entry), c.key) << c.entry;
}

TEST(SortByNumber, TheExchangeProcedureDecidesTheOrderOfEqualKeys) {
  // Position 0 takes the 1 from the end by one exchange, which sends "2,a" behind "2,b": a
  // stable sort would keep a before b.
  Strings e = {"2,a", "2,b", "1,c"};
  SortByNumber(e);
  EXPECT_EQ(e, (Strings{"1,c", "2,b", "2,a"}));

  // Each smaller key met is exchanged in at once: 5,4,3 walks through position 0.
  e = {"5,x", "4,y", "3,z", "3,w"};
  SortByNumber(e);
  EXPECT_EQ(e, (Strings{"3,z", "3,w", "4,y", "5,x"}));

  // Texts that are no integers have key 0 and come first.
  e = {"12,a", "x,b", "3,c", "7,d", ",e"};
  SortByNumber(e);
  EXPECT_EQ(e, (Strings{"x,b", ",e", "3,c", "7,d", "12,a"}));

  e = {"9,only"};
  SortByNumber(e);
  EXPECT_EQ(e, Strings{"9,only"});
}

TEST(SortByNumber, AnyListComesOutAscendingWithTheSameEntries) {
  std::mt19937 rng(11);
  for (int round = 0; round < 200; ++round) {
    Strings e;
    const int n = static_cast<int>(rng() % 40);
    for (int i = 0; i < n; ++i)
      e.push_back(std::to_string(static_cast<int>(rng() % 15) - 3) + "," + std::to_string(i));
    Strings sorted = e;
    SortByNumber(sorted);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
      return NumberKey(a) < NumberKey(b);
    }));
    Strings a = e, b = sorted;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
  }
}

TEST(NextNumber, OneAfterTheHighestInteger) {
  struct Case {
    const char* what;
    Strings entries;
    int next;
  } cases[] = {
      {"3, 12 and 7", {"3,0,0,0", "12,0,0,0", "7,0,0,0"}, 13},
      {"with a text that is no integer", {"3,0,0,0", "1a,0,0,0", "7,0,0,0"}, 8},
      {"only texts that are no integers", {"x,0,0,0", "2.5,0,0,0"}, 1},
      {"a mark with an empty text", {",0,0,0"}, 1},
      {"none", {}, 1},
  };
  for (Case& c : cases) {
    SortByNumber(c.entries);
    EXPECT_EQ(NextNumber(c.entries), c.next) << c.what;
  }
}

std::string ExportWith(const Strings& marks, bool complete) {
  std::string s = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  for (const std::string& m : marks)
    s += "  0\r\nTEXT\r\n  1\r\n" + m +
         "\r\n1001\r\nVELSAROM\r\n1010\r\n3000.0\r\n1020\r\n4000.0\r\n1030\r\n5000.0\r\n";
  if (complete) s += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  return s;
}

TEST(NextNumberFromMarks, TheNumberAfterTheHighestMarkOrOne) {
  const auto next = [](const Strings& marks) {
    EntityLineList lines;
    platform::StandinWorld world;
    EXPECT_TRUE(ScanDxfText(ExportWith(marks, true), lines, world.codePage).complete());
    return NextNumberFromMarks(lines);
  };
  EXPECT_EQ(next({"3", "12", "7"}), 13);
  EXPECT_EQ(next({}), 1);
}

}  // namespace
