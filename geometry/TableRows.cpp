#include "geometry/TableRows.h"

#include "geometry/CircularSegments.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "numbers/NumberText.h"
#include "numbers/RoundToText.h"

namespace {

// A number text of the table read back, as the next figure is computed from what is shown.
double Shown(const std::string& text) { return static_cast<double>(StrToFloat(text)); }

// A side text as a mark carries it; one of blanks and control characters only counts as 0.
long double SideValue(const std::string& text) {
  const std::string trimmed = TrimHostText(text);
  return trimmed.empty() ? 0 : StrToFloat(trimmed);
}

// Degrees to four places (about a third of a second) and the degree mark: as precise as a check of
// the area by hand needs, and narrow enough for a column of lengths, where minutes and seconds with
// their marks would run over in a Japanese font.
std::string AngleDegreesText(long double radians) {
  return RoundToText(4, kHalfUp, static_cast<double>(radians * 180 / kPi)) + "°";
}

}  // namespace

BaseHeight BaseHeightTexts(const std::string& side1, const std::string& side2,
                           const std::string& side3, long double scale, int digits, int mode) {
  const long double s1 = SideValue(side1), s2 = SideValue(side2), s3 = SideValue(side3);
  const long double base = s1 >= s2 && s1 >= s3 ? s1 : s2 >= s1 && s2 >= s3 ? s2 : s3;
  long double height = 0;
  if (s1 > 0 && s2 > 0 && s3 > 0)
    height = 2 *
             static_cast<long double>(AreaFromSides(
                 static_cast<double>(s1), static_cast<double>(s2), static_cast<double>(s3))) /
             base;
  return {ShownLength(digits, mode, base, scale), ShownLength(digits, mode, height, scale)};
}

std::vector<std::string> TriangleRowCells(const std::string& side1, const std::string& side2,
                                          const std::string& side3, const TableRounding& r) {
  std::vector<std::string> cells;
  if (r.mode == kBaseHeightArea) {
    const BaseHeight bh =
        BaseHeightTexts(side1, side2, side3, r.scale, r.lengthDigits, r.lengthRounding);
    cells = {bh.base, bh.height,
             RoundToText(r.areaDigits, r.areaRounding,
                         static_cast<double>(StrToFloat(bh.base) * StrToFloat(bh.height)))};
    return cells;
  }
  for (const std::string* side : {&side1, &side2, &side3})
    cells.push_back(ShownLength(r.lengthDigits, r.lengthRounding, StrToFloat(*side), r.scale));
  // From the sides as shown, so that a reader can check the row by hand.
  const double area = AreaFromSides(Shown(cells[0]), Shown(cells[1]), Shown(cells[2]));
  cells.push_back(RoundToText(r.areaDigits, r.areaRounding, area));
  return cells;
}

ShownSegment ShowSegment(long double chord, long double radius, int sign, bool major,
                         const TableRounding& r) {
  ShownSegment s;
  s.chord = ShownLength(r.lengthDigits, r.lengthRounding, chord, r.scale);
  const std::string shownRadius = ShownLength(r.lengthDigits, r.lengthRounding, radius, r.scale);
  s.radius = "R" + shownRadius;
  const long double c = StrToFloat(s.chord), rad = StrToFloat(shownRadius);
  s.angle = SegmentAngle(c, rad, major);
  s.area = (sign < 0 ? -1 : 1) * SegmentArea(rad, s.angle);
  return s;
}

std::vector<std::string> SegmentRowCells(const ShownSegment& s, const TableRounding& r) {
  if (r.mode == kBaseHeightArea)
    return {s.chord, s.radius,
            RoundToText(r.areaDigits, r.areaRounding, static_cast<double>(2 * s.area))};
  return {s.chord, s.radius, AngleDegreesText(s.angle),
          RoundToText(r.areaDigits, r.areaRounding, static_cast<double>(s.area))};
}

long double AreaOfTotal(long double total, const TableRounding& r) {
  return r.mode == kBaseHeightArea ? total / 2 : total;
}

std::string FinalAreaText(long double area, const TableRounding& r) {
  std::string text = RoundToText(r.finalDigits, r.finalRounding, static_cast<double>(area));
  if (r.areaDigits > r.finalDigits)
    text.append(static_cast<std::size_t>(r.areaDigits - r.finalDigits), ' ');
  return text;
}
