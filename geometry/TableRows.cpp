#include "geometry/TableRows.h"

#include <cmath>

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

constexpr long double kSecondsPerRadian = 648000 / kPi;

// Marks of degrees, minutes and seconds as a survey table writes them (all in code page 932).
constexpr const char* kDegreeMark = "°";
constexpr const char* kMinuteMark = "′";
constexpr const char* kSecondMark = "″";

std::string TwoDigits(long long v) { return (v < 10 ? "0" : "") + std::to_string(v); }

}  // namespace

BaseHeight BaseHeightTexts(const std::string& side1, const std::string& side2,
                           const std::string& side3, long double scale, int digits, int rounding) {
  const long double s1 = SideValue(side1), s2 = SideValue(side2), s3 = SideValue(side3);
  const long double base = s1 >= s2 && s1 >= s3 ? s1 : s2 >= s1 && s2 >= s3 ? s2 : s3;
  long double height = 0;
  if (s1 > 0 && s2 > 0 && s3 > 0)
    height = 2 *
             static_cast<long double>(AreaFromSides(
                 static_cast<double>(s1), static_cast<double>(s2), static_cast<double>(s3))) /
             base;
  return {ShownLength(digits, rounding, base, scale), ShownLength(digits, rounding, height, scale)};
}

std::vector<std::string> TriangleRowCells(const std::string& side1, const std::string& side2,
                                          const std::string& side3, const TableRounding& r) {
  std::vector<std::string> cells;
  if (r.mode == AreaMode::kBaseHeight) {
    const BaseHeight bh =
        BaseHeightTexts(side1, side2, side3, r.scale, r.lengths.digits, r.lengths.rounding);
    cells = {bh.base, bh.height,
             RoundToText(r.areas.digits, r.areas.rounding,
                         static_cast<double>(StrToFloat(bh.base) * StrToFloat(bh.height)))};
    return cells;
  }
  for (const std::string* side : {&side1, &side2, &side3})
    cells.push_back(ShownLength(r.lengths.digits, r.lengths.rounding, StrToFloat(*side), r.scale));
  // From the sides as shown, so that a reader can check the row by hand.
  const double area = AreaFromSides(Shown(cells[0]), Shown(cells[1]), Shown(cells[2]));
  cells.push_back(RoundToText(r.areas.digits, r.areas.rounding, area));
  return cells;
}

std::string AngleDmsText(long double radians) {
  const long long seconds = std::llroundl(radians * kSecondsPerRadian);
  return std::to_string(seconds / 3600) + kDegreeMark + TwoDigits(seconds / 60 % 60) + kMinuteMark +
         TwoDigits(seconds % 60) + kSecondMark;
}

long double AngleOfDmsText(const std::string& text) {
  const std::string::size_type d = text.find(kDegreeMark), m = text.find(kMinuteMark),
                               sec = text.find(kSecondMark);
  if (d == std::string::npos || m == std::string::npos || sec == std::string::npos || m < d ||
      sec < m || sec + std::string(kSecondMark).size() != text.size())
    throw EConvertError("'" + text + "' は有効な浮動小数点数ではありません。");
  const std::size_t mStart = d + std::string(kDegreeMark).size();
  const std::size_t sStart = m + std::string(kMinuteMark).size();
  const long double seconds = StrToInt(text.substr(0, d)) * 3600.0L +
                              StrToInt(text.substr(mStart, m - mStart)) * 60 +
                              StrToInt(text.substr(sStart, sec - sStart));
  return seconds / kSecondsPerRadian;
}

ShownSegment ShowSegment(long double chord, long double radius, long double angle, int sign,
                         const TableRounding& r) {
  ShownSegment s;
  s.chord = ShownLength(r.lengths.digits, r.lengths.rounding, chord, r.scale);
  const std::string shownRadius =
      ShownLength(r.lengths.digits, r.lengths.rounding, radius, r.scale);
  s.radius = "R" + shownRadius;
  s.angle = AngleDmsText(angle);
  const long double area = SegmentArea(StrToFloat(shownRadius), AngleOfDmsText(s.angle));
  s.area =
      RoundToText(r.areas.digits, r.areas.rounding, static_cast<double>(sign < 0 ? -area : area));
  return s;
}

std::vector<std::string> SegmentRowCells(const ShownSegment& s, const TableRounding& r) {
  if (r.mode == AreaMode::kBaseHeight)
    return {s.radius, s.angle,
            RoundToText(r.areas.digits, kHalfUp, static_cast<double>(2 * StrToFloat(s.area)))};
  return {s.chord, s.radius, s.angle, s.area};
}

long double AreaOfTotal(long double total, const TableRounding& r) {
  return r.mode == AreaMode::kBaseHeight ? total / 2 : total;
}

std::string FinalAreaText(long double area, const TableRounding& r) {
  std::string text =
      RoundToText(r.finalArea.digits, r.finalArea.rounding, static_cast<double>(area));
  if (r.areas.digits > r.finalArea.digits)
    text.append(static_cast<std::size_t>(r.areas.digits - r.finalArea.digits), ' ');
  return text;
}
