// The area table (求積表): one row per numbered triangle with its dimensions and area, then
// the total and the final area, drawn as lines and texts with its top-left corner at a picked
// point. Every figure is recomputed from the side lengths that the number marks carry.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dxf/DxfDocument.h"
#include "dxf/EntityLines.h"
#include "dxf/SegmentEntries.h"
#include "geometry/AcadTypes.h"
#include "geometry/TableRows.h"
#include "hostlink/HostSettings.h"

// Columns of the table in a mode: 5 in three-side mode, 4 in base-height mode.
int AreaTableColumns(AreaMode mode);

// The figures follow the rounding (mode, scale, digits and rounding of sides, rows and final
// area); the rest says how the table is drawn.
struct AreaTableSettings : TableRounding {
  long double textHeight = 400;     // every text
  long double rowHeight = 800;      // every row
  std::vector<long double> widths;  // one per column, left to right
  std::string layer = "H_TEXT";
  std::string style;  // text style; empty: no style table and no style on the texts
  TAcadPoint base;    // top-left corner, as picked
  HostAngles angles;  // how the host turns what it inserts
  // The area of a coordinate table found among the exported objects: the table then ends with
  // the rows 座標面積 and 差 (final area less it), in the final area's digits.
  std::optional<long double> coordinateArea;
};

// A comma list of column widths as typed, for a table of the mode. Throws EConvertError when its
// count is not the mode's number of columns (told first) or a width is no number.
std::vector<long double> ReadWidths(const std::string& list, AreaMode mode);

// The table's texts: the column heads, one row per entry ("number,side1,side2,side3", in the
// given order) and the summary rows as label and value.
struct AreaTableTexts {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
  std::vector<std::pair<std::string, std::string>> summary;
};
// Segment marks follow the triangles, one row each (SegmentRowCells), and count in the total.
AreaTableTexts ComputeAreaTable(const std::vector<std::string>& entries,
                                const AreaTableSettings& settings,
                                const std::vector<SegmentMarkData>& segments = {});

// The table document: horizontal lines top to bottom, vertical lines left to right, the
// heads, the rows, the summary rows (label before value), on settings.layer. Written turned
// back by the host's turn of inserted documents, so that after the insertion it stands at the
// picked corner with upright texts whatever the host's base angle. Throws EConvertError when
// the widths do not match the columns or an entry's sides are no numbers; nothing is returned
// then.
DxfDocument WriteAreaTable(const std::vector<std::string>& sortedEntries,
                           const AreaTableSettings& settings);
// The same from the texts ComputeAreaTable gave for these settings.
DxfDocument WriteAreaTable(const AreaTableTexts& texts, const AreaTableSettings& settings);

// The widths a table is drawn with: settings.widths, each widened where a row's text would run
// over its column (a segment's angle in 度分秒 in the length columns, say).
std::vector<long double> FittedWidths(const AreaTableTexts& texts,
                                      const AreaTableSettings& settings);

// The grid and the texts of a table into an open ENTITIES section: one column per head, of
// FittedWidths (settings.widths at least as many), its corner at settings.base, its rows of
// settings.rowHeight as WriteAreaTable draws them, turned back by the host's turn of inserted
// documents. lastValueData, when given, writes the application data of the last text (the last
// summary row's value).
void WriteTableBody(DxfDocument& document, const AreaTableTexts& texts,
                    const AreaTableSettings& settings,
                    const std::function<void(DxfDocument&)>& lastValueData = {});

// From the entity lines of a whole export (or a selection), scanned whole: the number marks
// found there, sorted, and the table's texts (segment marks' rows included) and document, with the
// coordinate area when exactly one is found there. No document unless the lines hold number
// marks.
struct AreaTableBuild {
  std::vector<std::string> entries;
  AreaTableTexts texts;
  std::optional<DxfDocument> document;
};
AreaTableBuild BuildAreaTable(const EntityLineList& lines, const AreaTableSettings& settings);
