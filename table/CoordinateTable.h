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

// The table's texts and the area its 面積 row shows (none for a parcel with an arc).
struct CoordinateTableTexts {
  AreaTableTexts texts;
  std::optional<long double> area;
};

// Rows in clockwise order of the drawing (the double-area sum is then positive), from the
// first traced corner on. Coordinates with the length digits and rounding of the settings;
// products, double area and area with the final area's. Each product is computed from the
// coordinates as shown, so that a reader can check the table by hand. bulges: per corner, of
// the side to the next (as traced). With countSegments, each arc side adds a row after the
// corners (its name, chord, radius and signed segment area, in the rows' order) and the area is
// half the double area plus the segments' total (kSegmentTotal); without, a parcel with an arc
// gets no area.
CoordinateTableTexts ComputeCoordinateTable(const std::vector<TAcadPoint>& corners,
                                            const std::vector<double>& bulges, bool countSegments,
                                            const AreaTableSettings& settings);

// Column widths for a text height: the area table's defaults at 400 scaled.
std::vector<long double> CoordinateTableWidths(long double textHeight);

// The table document at settings.base (widths from CoordinateTableWidths), the 面積 value
// carrying the area as application data (WriteDxfAreaData) when there is one.
DxfDocument WriteCoordinateTable(const CoordinateTableTexts& table,
                                 const AreaTableSettings& settings);
