#include "table/CoordinateTable.h"

#include <algorithm>
#include <cstddef>

#include "dxf/DxfWriter.h"
#include "dxf/SegmentEntries.h"
#include "geometry/CircularSegments.h"
#include "geometry/PlaneGeometry.h"
#include "numbers/FixedDecimal.h"
#include "numbers/NumberText.h"
#include "numbers/RoundToText.h"

CoordinateTableTexts ComputeCoordinateTable(const std::vector<TAcadPoint>& corners,
                                            const std::vector<double>& bulges, bool countSegments,
                                            int firstSegment, const TableRounding& s) {
  std::vector<TAcadPoint> order = corners;
  // In the order of the rows, clockwise from the first corner.
  const std::vector<CircularSegment> segments = OutlineSegments(corners, bulges);
  const bool curved = !segments.empty();
  // Clockwise in the drawing is clockwise for the surveyor too, and gives a positive area: the
  // parcel's turning, arcs included (the chord polygon's double area may then be negative).
  if (order.size() > 2 && OutlineTurning(corners, bulges) > 0)
    std::reverse(order.begin() + 1, order.end());

  CoordinateTableTexts t;
  t.texts.header = {"No.", "X", "Y", "Xn(Yn+1-Yn-1)"};
  const std::size_t n = order.size();
  // Every figure after the coordinates is worked exactly from them as shown, so that the rows add
  // up by hand to the printed sums.
  std::vector<FixedDecimal> north(n), east(n);
  std::vector<std::string> northText(n), eastText(n);
  for (std::size_t i = 0; i < n; ++i) {
    northText[i] = ShownLength(s.coordinateDigits, kHalfUp, order[i].y, s.scale);
    eastText[i] = ShownLength(s.coordinateDigits, kHalfUp, order[i].x, s.scale);
    north[i] = ParseFixed(northText[i]);
    east[i] = ParseFixed(eastText[i]);
  }
  FixedDecimal doubleArea;
  for (std::size_t i = 0; i < n; ++i) {
    const FixedDecimal product = north[i] * (east[(i + 1) % n] - east[(i + n - 1) % n]);
    doubleArea = doubleArea + product;
    t.texts.rows.push_back({std::to_string(i + 1), northText[i], eastText[i], FixedText(product)});
  }
  if (curved && !countSegments) {
    t.texts.summary = {{"倍面積", kArcInParcel}, {"面積", kArcInParcel}};
    return t;
  }
  FixedDecimal segmentTotal;
  for (std::size_t k = 0; k < segments.size(); ++k) {
    const CircularSegment& g = segments[k];
    // The row as the area table shows the same arc: one rounding of its area.
    const ShownSegment shown = ShowSegment(g.chord, g.radius, g.angle, g.sign, s);
    segmentTotal = segmentTotal + ParseFixed(shown.area);
    t.texts.rows.push_back(
        {SegmentName(firstSegment + static_cast<int>(k)), shown.radius, shown.angle, shown.area});
  }
  const FixedDecimal area = Half(doubleArea) + segmentTotal;
  t.area = FixedValue(area);
  const std::string finalText = RoundFixedText(area, s.finalArea.digits, s.finalArea.rounding);
  t.finalArea = StrToFloat(finalText);
  t.texts.summary.emplace_back("倍面積", FixedText(doubleArea));
  if (curved) t.texts.summary.emplace_back(kSegmentTotal, FixedText(segmentTotal));
  t.texts.summary.emplace_back("面積", FixedText(area));
  t.texts.summary.emplace_back(kFinalAreaLabel, finalText);
  return t;
}

long double AgreementTarget(const std::vector<TAcadPoint>& corners,
                            const std::vector<double>& bulges, bool countSegments,
                            const TableRounding& rounding) {
  if (!(rounding.scale > 0)) return 0;  // no lengths, no table
  const std::vector<double> arcs = countSegments ? bulges : std::vector<double>();
  const CoordinateTableTexts t = ComputeCoordinateTable(corners, arcs, true, 1, rounding);
  long double segments = 0;
  for (const CircularSegment& g : OutlineSegments(corners, arcs))
    segments += StrToFloat(ShowSegment(g.chord, g.radius, g.angle, g.sign, rounding).area);
  return t.finalArea.value_or(0) - segments;
}

std::vector<long double> CoordinateTableWidths(long double textHeight) {
  const long double unit = textHeight / 400;
  return {1500 * unit, 3000 * unit, 3000 * unit, 4500 * unit};
}

DxfDocument WriteCoordinateTable(const CoordinateTableTexts& table,
                                 const AreaTableSettings& settings) {
  AreaTableSettings s = settings;
  s.widths = CoordinateTableWidths(s.textHeight);
  DxfDocument d;
  WriteDxfHeader(d, s.style);
  WriteTableBody(d, table.texts, s, [&table](DxfDocument& document) {
    if (table.area) WriteDxfAreaData(document, *table.area);
  });
  WriteDxfEnd(d);
  return d;
}
