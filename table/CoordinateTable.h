// The coordinate area table (座標求積表): the corners of a traced parcel in the survey
// convention (X northward = drawing y, Y eastward = drawing x, in metres at the drawing's
// scale), the products X(n)·(Y(n+1) − Y(n−1)) of the double-area sum, the double area and the
// area. Drawn like the area table, in its style settings; the same rows go to a CSV file
// (TableCsv).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dxf/DxfDocument.h"
#include "geometry/AcadTypes.h"
#include "table/AreaTable.h"

// What the summary rows say instead of an area when a side of the parcel is an arc and its
// segments are not counted: the sum over the corners would give the area of the chords.
inline constexpr const char* kArcInParcel = "円弧を含む";
// The summary row of the segments' areas, between the double area and the area.
inline constexpr const char* kSegmentTotal = "弓形計";
// The last summary row: the area with the final area's places and rounding.
inline constexpr const char* kFinalAreaLabel = "最終面積";

// The table's texts, the area its 面積 row shows exactly and the final area it ends with (none
// for a parcel with an arc whose segments are not counted).
struct CoordinateTableTexts {
  AreaTableTexts texts;
  std::optional<long double> area;
  std::optional<long double> finalArea;
};

// Rows in the parcel's clockwise order (its area, arcs included, is then positive), from the
// first traced corner on. Coordinates to the coordinate places, half up; each product, the
// double area (倍面積, their sum) and the area (面積, its half, plus the segments) exactly as the
// coordinates shown give them, so that a reader adds the table up by hand; then the final area
// (kFinalAreaLabel) to the final places with the final rounding. bulges: per corner, of
// the side to the next (as traced). With countSegments, each arc side adds a row after the
// corners (its name, radius, angle and signed segment area as the area table shows them, in the
// rows' order, named from SegmentName(firstSegment) on as 自動 names their marks) and the area is
// half the double area plus the segments' total (kSegmentTotal); without, a parcel with an arc
// gets no area.
CoordinateTableTexts ComputeCoordinateTable(const std::vector<TAcadPoint>& corners,
                                            const std::vector<double>& bulges, bool countSegments,
                                            int firstSegment, const TableRounding& rounding);

// The area a division's agreement aims its triangles at: the final area the coordinate table
// prints for the parcel and settings (its arcs counted as segments when countSegments, else as
// their chords), less the segments' rows the area table adds to the triangles' (as shown there),
// so that the triangles and the segment rows together come as close to it as the corners allow.
long double AgreementTarget(const std::vector<TAcadPoint>& corners,
                            const std::vector<double>& bulges, bool countSegments,
                            const TableRounding& rounding);

// Column widths for a text height: the area table's defaults at 400 scaled.
std::vector<long double> CoordinateTableWidths(long double textHeight);

// The table document at settings.base (widths from CoordinateTableWidths), the 面積 value
// carrying the area as application data (WriteDxfAreaData) when there is one.
DxfDocument WriteCoordinateTable(const CoordinateTableTexts& table,
                                 const AreaTableSettings& settings);
