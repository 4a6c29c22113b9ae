// How the area table (求積表) turns a triangle's three sides into its row, and its rows' total
// into the final area: the one rule that the table draws by and that the division which seeks
// the table closest to the coordinate area judges its candidates by.
#pragma once

#include <string>
#include <vector>

#include "geometry/AreaMode.h"
#include "numbers/RoundToText.h"

// The settings a table's figures depend on, and nothing of its drawing.
struct TableRounding {
  AreaMode mode = AreaMode::kThreeSides;
  long double scale = 1000;            // lengths are divided by it before they are shown
  NumberFormat lengths{2, kHalfUp};    // sides, bases, heights
  NumberFormat areas{4, kHalfUp};      // row areas, total, half total
  NumberFormat finalArea{2, kHalfUp};  // final area
  int coordinateDigits = 3;            // the coordinate table's coordinates
};

// Base (the longest side, the earlier one on a tie) and height of a triangle from its side
// texts (blank counts as 0), divided by scale and rounded. Height 0 unless all sides are > 0.
struct BaseHeight {
  std::string base;
  std::string height;
};
BaseHeight BaseHeightTexts(const std::string& side1, const std::string& side2,
                           const std::string& side3, long double scale, int digits, int rounding);

// A triangle's cells after its number, from its three sides as the number mark carries them
// (drawing units): sides a, b, c and the area (three-side mode) or base, height and base ×
// height (base-height mode). The last cell is what the total adds up. Throws EConvertError for
// a side that is no number.
std::vector<std::string> TriangleRowCells(const std::string& side1, const std::string& side2,
                                          const std::string& side3, const TableRounding& r);

// A circular segment's figures as its row shows them: the chord and the radius divided by scale
// and rounded as lengths, the central angle as it was measured (never worked back from the
// rounded chord and radius) in degrees, minutes and seconds to the second, and the signed area
// computed from the shown radius and the shown angle, r²(θ − sin θ)/2, rounded as a row's area:
// a reader with a calculator gets the printed figure from the row alone. The one rounding of a
// segment's area, for the area table and the coordinate table alike. sign: +1 when the arc
// bulges out of the parcel, −1 when in.
struct ShownSegment {
  std::string chord;
  std::string radius;  // "R" and the shown radius
  std::string angle;   // "179°54′00″"
  std::string area;    // signed, to the row areas' places
};
ShownSegment ShowSegment(long double chord, long double radius, long double angle, int sign,
                         const TableRounding& r);

// An angle (0 or more radians) as 度分秒 rounded to the second: "179°54′00″", "270°00′00″".
std::string AngleDmsText(long double radians);
// The angle in radians that such a text stands for; throws EConvertError for another text.
long double AngleOfDmsText(const std::string& text);

// A segment's cells after its name. Three-side mode: chord, radius, angle and its signed area.
// Base-height mode, whose last column holds base × height and whose total is halved: radius,
// angle and twice the shown area (exactly, so that both modes round the area once).
std::vector<std::string> SegmentRowCells(const ShownSegment& segment, const TableRounding& r);

// The area the total stands for: the total itself, or half of it in base-height mode.
long double AreaOfTotal(long double total, const TableRounding& r);

// An area written with the final digits, padded with blanks when the row areas have more
// decimals, so that its right-aligned digits stand under the same places as theirs.
std::string FinalAreaText(long double area, const TableRounding& r);
