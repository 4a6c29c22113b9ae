#include "table/CoordinateTable.h"

#include <algorithm>
#include <cstddef>

#include "dxf/DxfWriter.h"
#include "dxf/SegmentEntries.h"
#include "geometry/CircularSegments.h"
#include "geometry/PlaneGeometry.h"
#include "numbers/NumberText.h"
#include "numbers/RoundToText.h"

CoordinateTableTexts ComputeCoordinateTable(const std::vector<TAcadPoint>& corners,
                                            const std::vector<double>& bulges, bool countSegments,
                                            const AreaTableSettings& s) {
  std::vector<TAcadPoint> order = corners;
  // In the order of the rows, clockwise from the first corner.
  const std::vector<CircularSegment> segments = OutlineSegments(corners, bulges);
  const bool curved = !segments.empty();
  // Clockwise in the drawing is clockwise for the surveyor too, and gives a positive sum.
  if (order.size() > 2 && DoubleSignedArea(order) > 0) std::reverse(order.begin() + 1, order.end());

  CoordinateTableTexts t;
  t.texts.header = {"No.", "X", "Y", "Xn(Yn+1-Yn-1)"};
  const std::size_t n = order.size();
  std::vector<long double> north(n), east(n);
  std::vector<std::string> northText(n), eastText(n);
  for (std::size_t i = 0; i < n; ++i) {
    northText[i] = ShownLength(s.lengthDigits, s.lengthRounding, order[i].y, s.scale);
    eastText[i] = ShownLength(s.lengthDigits, s.lengthRounding, order[i].x, s.scale);
    north[i] = StrToFloat(northText[i]);
    east[i] = StrToFloat(eastText[i]);
  }
  long double sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const long double product = north[i] * (east[(i + 1) % n] - east[(i + n - 1) % n]);
    sum += product;
    t.texts.rows.push_back(
        {std::to_string(i + 1), northText[i], eastText[i],
         RoundToText(s.finalDigits, s.finalRounding, static_cast<double>(product))});
  }
  if (curved && !countSegments) {
    t.texts.summary = {{"倍面積", kArcInParcel}, {"面積", kArcInParcel}};
    return t;
  }
  long double segmentTotal = 0;
  for (std::size_t k = 0; k < segments.size(); ++k) {
    const CircularSegment& g = segments[k];
    const ShownSegment shown = ShowSegment(g.chord, g.radius, g.sign, g.angle > kPi, s);
    const std::string area =
        RoundToText(s.finalDigits, s.finalRounding, static_cast<double>(shown.area));
    segmentTotal += StrToFloat(area);
    t.texts.rows.push_back({SegmentName(static_cast<int>(k + 1)), shown.chord, shown.radius, area});
  }
  t.area = sum / 2 + segmentTotal;
  t.texts.summary.emplace_back(
      "倍面積", RoundToText(s.finalDigits, s.finalRounding, static_cast<double>(sum)));
  if (curved)
    t.texts.summary.emplace_back(kSegmentTotal, RoundToText(s.finalDigits, s.finalRounding,
                                                            static_cast<double>(segmentTotal)));
  t.texts.summary.emplace_back(
      "面積", RoundToText(s.finalDigits, s.finalRounding, static_cast<double>(*t.area)));
  return t;
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
