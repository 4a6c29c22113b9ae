#include "table/AreaTable.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "annotation/AnnotationAngles.h"
#include "dxf/DxfWriter.h"
#include "dxf/NumberEntries.h"
#include "hostlink/HostText.h"
#include "numbers/NumberText.h"
#include "numbers/RoundToText.h"

namespace {

// An entry's number text and its three sides. The sides are the last three fields, so a number
// text with commas of its own stays whole.
struct Entry {
  std::string number;
  std::string sides[3];
};

Entry SplitEntry(const std::string& text) {
  std::vector<std::string> fields;
  SplitCommaList(text, fields);
  while (fields.size() < 4) fields.emplace_back();
  Entry e;
  const std::size_t first = fields.size() - 3;
  for (std::size_t i = 0; i < first; ++i) {
    if (i > 0) e.number += ',';
    e.number += fields[i];
  }
  for (int i = 0; i < 3; ++i) e.sides[i] = fields[first + static_cast<std::size_t>(i)];
  return e;
}

std::string WidthCountMessage(int columns, const std::string& list) {
  return "幅は " + std::to_string(columns) + " 個の数をカンマで区切って指定してください: '" + list +
         "'";
}

// Before anything is computed, so that a wrong width list is what the user hears of first.
void CheckWidthCount(const AreaTableSettings& s) {
  const int k = AreaTableColumns(s.mode);
  if (static_cast<int>(s.widths.size()) == k) return;
  std::string list;
  for (long double w : s.widths) list += (list.empty() ? "" : ",") + DxfReal(w);
  throw EConvertError(WidthCountMessage(k, list));
}

// How wide a text of this height stands, on the safe side for the Japanese fonts a host draws in:
// an ASCII or half-width katakana character about 0.6 heights, any other (a kanji, the marks of
// degrees, minutes and seconds) about 1.2, as full-width.
long double TextWidth(const std::string& text, long double height) {
  long double width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    // Half-width katakana, U+FF61 to U+FF9F (EF BD A1 to EF BE 9F), are as narrow as ASCII.
    const std::string_view ch = std::string_view(text).substr(i, length);
    const bool narrow = c < 0x80 || (ch >= "\xEF\xBD\xA1" && ch <= "\xEF\xBE\x9F");
    width += (narrow ? 0.6L : 1.2L) * height;
    i += length;
  }
  return width;
}

}  // namespace

std::vector<long double> FittedWidths(const AreaTableTexts& texts, const AreaTableSettings& s) {
  std::vector<long double> widths = s.widths;
  // The texts stand right-aligned half a row height from the line; a quarter more on the left.
  auto fit = [&](std::size_t j, const std::string& text) {
    if (j < widths.size())
      widths[j] = std::max(widths[j], TextWidth(text, s.textHeight) + 0.75L * s.rowHeight);
  };
  for (const std::vector<std::string>& row : texts.rows)
    for (std::size_t j = 0; j < row.size(); ++j) fit(j, row[j]);
  return widths;
}

int AreaTableColumns(AreaMode mode) { return mode == AreaMode::kBaseHeight ? 4 : 5; }

std::vector<long double> ReadWidths(const std::string& list, AreaMode mode) {
  std::vector<std::string> pieces;
  SplitCommaList(list, pieces);
  const int columns = AreaTableColumns(mode);
  if (static_cast<int>(pieces.size()) != columns)
    throw EConvertError(WidthCountMessage(columns, list));
  std::vector<long double> widths;
  for (const std::string& piece : pieces) widths.push_back(StrToFloat(piece));
  return widths;
}

AreaTableTexts ComputeAreaTable(const std::vector<std::string>& entries, const AreaTableSettings& s,
                                const std::vector<SegmentMarkData>& segments) {
  AreaTableTexts t;
  const bool baseHeight = s.mode == AreaMode::kBaseHeight;
  if (baseHeight) {
    t.header = {"No.", "底辺", "高さ", "面積"};
  } else {
    t.header = {"No.", "a", "b", "c", "面積"};
  }
  long double total = 0;
  for (const std::string& text : entries) {
    const Entry e = SplitEntry(text);
    std::vector<std::string> row{e.number};
    for (std::string& cell : TriangleRowCells(e.sides[0], e.sides[1], e.sides[2], s))
      row.push_back(std::move(cell));
    total += StrToFloat(row.back());
    t.rows.push_back(std::move(row));
  }
  for (const SegmentMarkData& m : segments) {
    std::vector<std::string> row{m.name};
    for (std::string& cell : SegmentRowCells(ShowSegment(m.chord, m.radius, m.angle, m.sign, s), s))
      row.push_back(std::move(cell));
    total += StrToFloat(row.back());
    t.rows.push_back(std::move(row));
  }
  t.summary.emplace_back("合計",
                         RoundToText(s.areas.digits, s.areas.rounding, static_cast<double>(total)));
  const long double area = AreaOfTotal(total, s);
  if (baseHeight)
    t.summary.emplace_back(
        "1/2", RoundToText(s.areas.digits, s.areas.rounding, static_cast<double>(area)));
  t.summary.emplace_back("面積", FinalAreaText(area, s));
  if (s.coordinateArea) {
    const std::string coordinate = FinalAreaText(*s.coordinateArea, s);
    // The difference of the two areas as shown, so that a reader gets it by subtracting.
    const long double shownFinal = StrToFloat(TrimHostText(t.summary.back().second));
    const long double difference = shownFinal - StrToFloat(TrimHostText(coordinate));
    t.summary.emplace_back("座標面積", coordinate);
    t.summary.emplace_back("差", FinalAreaText(difference, s));
  }
  return t;
}

DxfDocument WriteAreaTable(const std::vector<std::string>& sortedEntries,
                           const AreaTableSettings& s) {
  CheckWidthCount(s);
  return WriteAreaTable(ComputeAreaTable(sortedEntries, s), s);
}

DxfDocument WriteAreaTable(const AreaTableTexts& texts, const AreaTableSettings& s) {
  CheckWidthCount(s);
  DxfDocument d;
  WriteDxfHeaderWithoutAppId(d, s.style);
  WriteTableBody(d, texts, s);
  WriteDxfEnd(d);
  return d;
}

void WriteTableBody(DxfDocument& d, const AreaTableTexts& texts, const AreaTableSettings& settings,
                    const std::function<void(DxfDocument&)>& lastValueData) {
  AreaTableSettings s = settings;
  s.widths = FittedWidths(texts, settings);
  const int k = static_cast<int>(texts.header.size());
  const long double x0 = s.base.x, y0 = s.base.y, h = s.rowHeight;
  const std::size_t n = texts.rows.size();
  const std::size_t rows = n + 1 + texts.summary.size();
  // edge[j]: w0 + ... + w(j-1), the left edge of column j relative to the corner.
  std::vector<long double> edge(static_cast<std::size_t>(k) + 1, 0);
  for (int j = 0; j < k; ++j) edge[j + 1] = edge[j] + s.widths[j];
  const long double width = edge[k];

  // The host turns what it inserts by its base angle; turned back here, the table lands at the
  // picked corner with its texts upright (nothing changes with a base angle of 0).
  const InsertionFrame frame(s.angles);
  auto place = [&frame](long double x, long double y) {
    TAcadPoint p;
    p.x = x;
    p.y = y;
    return frame.Place(p);
  };
  const double rotation = frame.NumberRotation();

  for (std::size_t i = 0; i <= rows; ++i) {
    const long double y = y0 - i * h;
    WriteDxfPlaneLine(d, place(x0, y), place(x0 + width, y), s.layer);
  }
  for (int j = 0; j <= k; ++j) {
    // The edges and the line left of the last column run to the bottom; the others end under
    // the last data row, so each summary row has one wide cell and one in the last column.
    const bool full = j == 0 || j >= k - 1;
    const long double length = (full ? rows : n + 1) * h;
    const long double x = x0 + edge[j];
    WriteDxfPlaneLine(d, place(x, y0), place(x, y0 - length), s.layer);
  }
  auto text = [&](TextJustification j, long double x, long double y, const std::string& value) {
    WriteDxfTextAligned(d, j, place(x, y), static_cast<double>(s.textHeight), rotation, value,
                        s.layer, s.style);
  };
  const TextJustification centred{1, 2}, right{2, 2};
  for (int j = 0; j < k; ++j)
    text(centred, x0 + edge[j] + s.widths[j] / 2, y0 - h / 2, texts.header[j]);
  for (std::size_t r = 0; r < n; ++r) {
    const long double y = y0 - (r + 1) * h - h / 2;
    for (int j = 0; j < k; ++j) text(right, x0 + edge[j + 1] - h / 2, y, texts.rows[r][j]);
  }
  const long double labelX = x0 + edge[k - 1] - h / 2;
  const long double valueX = x0 + width - h / 2;
  for (std::size_t i = 0; i < texts.summary.size(); ++i) {
    const long double y = y0 - (n + 1 + i) * h - h / 2;
    text(right, labelX, y, texts.summary[i].first);
    text(right, valueX, y, texts.summary[i].second);
  }
  if (lastValueData) lastValueData(d);
}

AreaTableBuild BuildAreaTable(const EntityLineList& lines, const AreaTableSettings& settings) {
  AreaTableBuild b;
  CollectNumberMarks(lines, b.entries);
  if (b.entries.empty()) return b;
  SortByNumber(b.entries);
  AreaTableSettings s = settings;
  // Of several coordinate tables none is known to be this parcel's.
  const std::vector<long double> areas = CollectCoordinateAreas(lines);
  if (areas.size() == 1) s.coordinateArea = areas.front();
  CheckWidthCount(s);
  b.texts = ComputeAreaTable(b.entries, s, CollectSegmentMarks(lines));
  b.document = WriteAreaTable(b.texts, s);
  return b;
}
