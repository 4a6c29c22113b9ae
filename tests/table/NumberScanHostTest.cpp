// The number scan on what the simulated host writes: number marks written by the product,
// inserted by the host, and the whole drawing exported again as the counter's scan asks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "annotation/DxfInsertion.h"
#include "annotation/NumberMarks.h"
#include "dxf/DxfWriter.h"
#include "dxf/EntityLines.h"
#include "dxf/NumberEntries.h"
#include "hostsim/inprocess/Host.h"
#include "table/AreaTable.h"
#include "tests/support/HostFixture.h"

namespace {

const std::string kMarks = "C:\\Velsarom\\marks.dxf";
const std::string kExport = "C:\\Velsarom\\Velsarom.dxf";

class NumberScanOnHostExport : public hosttest::HostFixture {
 protected:
  void Insert(const DxfDocument& d) {
    SaveDxfDocument(d, kMarks);
    host.Type(InsertCommand(kMarks));
    ASSERT_EQ(host.currentLine(), "コマンド: ");
  }
  void ExportAll() {
    world.files.Delete(kExport);
    host.Type("_FILEDIA 0 _DXFOUT " + kExport + "\rO ALL \rV 2000 16\r_FILEDIA 1 ");
  }
};

TEST_F(NumberScanOnHostExport, MarksThreeTwelveAndSevenGiveThirteen) {
  DxfDocument d;
  WriteDxfHeader(d, "");
  const NumberMarkStyle style{500, 400, 0, "H_TEXT", ""};
  const TAcadTriangle t3{{0, 0}, {3000, 0}, {0, 4000}};
  const TAcadTriangle t12{{10000, 0}, {16000, 0}, {10000, 8000}};
  const TAcadTriangle t7{{20000, 0}, {21000, 0}, {20000, 1000}};
  WriteNumberMark(d, {1000, 1000}, t3, 3, style);
  WriteDxfLine(d, {0, 0}, {3000, 0}, "H_HEN");
  WriteNumberMark(d, {12000, 2000}, t12, 12, style);
  WriteNumberMark(d, {20300, 300}, t7, 7, style);
  WriteDxfEnd(d);
  Insert(d);

  // A text with data of another registered application, numbered higher, does not count.
  DxfDocument other;
  other.items = {"  0\r\nSECTION\r\n  2\r\nTABLES", "  0\r\nTABLE\r\n  2\r\nAPPID",
                 "  0\r\nAPPID\r\n  2\r\nOTHERAPP\r\n 70\r\n0\r\n  0\r\nENDTAB", "  0\r\nENDSEC",
                 "  0\r\nSECTION\r\n  2\r\nENTITIES"};
  WriteDxfText(other, "J BC ", {500, 500}, 400, 0, "99", "H_TEXT", "");
  other.items.push_back("1001\r\nOTHERAPP\r\n1010\r\n1\r\n1020\r\n2\r\n1030\r\n3");
  WriteDxfEnd(other);
  Insert(other);

  ExportAll();
  EntityLineList lines;
  ASSERT_TRUE(ScanDxfEntities(kExport, lines).complete());
  EXPECT_EQ(NextNumberFromMarks(lines), 13);

  // The marks carry their sides through the host: p1p2, p2p3, p3p1.
  std::vector<std::string> entries;
  CollectNumberMarks(lines, entries);
  SortByNumber(entries);
  EXPECT_EQ(entries, (std::vector<std::string>{"3,3000.00000000,5000.00000000,4000.00000000",
                                               "7,1000.00000000,1414.21356237,1000.00000000",
                                               "12,6000.00000000,10000.00000000,8000.00000000"}));
}

TEST_F(NumberScanOnHostExport, ADrawingWithoutMarksGivesOne) {
  DxfDocument d;
  WriteDxfHeader(d, "");
  WriteDxfLine(d, {0, 0}, {3000, 0}, "H_HEN");
  WriteDxfEnd(d);
  Insert(d);
  ExportAll();
  EntityLineList lines;
  ASSERT_TRUE(ScanDxfEntities(kExport, lines).complete());
  EXPECT_EQ(NextNumberFromMarks(lines), 1);
}

TEST_F(NumberScanOnHostExport, TheTableOfTheExportedMarks) {
  DxfDocument d;
  WriteDxfHeader(d, "");
  const NumberMarkStyle style{500, 400, 0, "H_TEXT", ""};
  WriteNumberMark(d, {1000, 1000}, {{0, 0}, {3004, 0}, {0, 0}}, 2, style);  // flat: area 0
  WriteNumberMark(d, {1000, 1000}, {{0, 0}, {3000, 0}, {0, 4000}}, 1, style);
  WriteDxfEnd(d);
  Insert(d);
  ExportAll();

  AreaTableSettings s;
  s.widths = {1500, 3000, 3000, 3000, 4500};
  s.base = {0, -5000};
  EntityLineList lines;
  ASSERT_TRUE(ScanDxfEntities(kExport, lines).complete());
  const AreaTableBuild b = BuildAreaTable(lines, s);
  ASSERT_TRUE(b.document.has_value());
  // Inserted in its turn, the table's texts arrive in the drawing row by row.
  Insert(*b.document);
  std::vector<std::string> texts;
  for (const hostsim::Entity& e : host.drawing().entities)
    if (const auto* t = std::get_if<hostsim::Text>(&e.shape); t && t->align.y < -5000)
      texts.push_back(t->value);
  EXPECT_EQ(texts, (std::vector<std::string>{"No.", "a", "b", "c", "面積", "1", "3.00", "5.00",
                                             "4.00", "6.0000", "2", "3.00", "3.00", "0.00",
                                             "0.0000", "合計", "6.0000", "面積", "6.00  "}));
}

}  // namespace
