// How the area table (求積表) turns a triangle's three sides into its row, and its rows' total
// into the final area: the one rule that the table draws by and that the division which seeks
// the table closest to the coordinate area judges its candidates by.
#pragma once

#include <string>
#include <vector>

// How a row's area is found.
enum AreaMode : int {
  kThreeSideArea = 0,  // ﾍﾛﾝ: from the three sides
  kBaseHeightArea = 1  // 三斜: base × height / 2 (the row shows base × height)
};

// The settings a table's figures depend on, and nothing of its drawing.
struct TableRounding {
  int mode = kThreeSideArea;
  long double scale = 1000;                  // lengths are divided by it before they are shown
  int lengthDigits = 2, lengthRounding = 1;  // sides, bases, heights
  int areaDigits = 4, areaRounding = 1;      // row areas, total, half total
  int finalDigits = 2, finalRounding = 1;    // final area
};

// Base (the longest side, the earlier one on a tie) and height of a triangle from its side
// texts (blank counts as 0), divided by scale and rounded. Height 0 unless all sides are > 0.
struct BaseHeight {
  std::string base;
  std::string height;
};
BaseHeight BaseHeightTexts(const std::string& side1, const std::string& side2,
                           const std::string& side3, long double scale, int digits, int mode);

// A triangle's cells after its number, from its three sides as the number mark carries them
// (drawing units): sides a, b, c and the area (three-side mode) or base, height and base ×
// height (base-height mode). The last cell is what the total adds up. Throws EConvertError for
// a side that is no number.
std::vector<std::string> TriangleRowCells(const std::string& side1, const std::string& side2,
                                          const std::string& side3, const TableRounding& r);

// A circular segment's figures as its row shows them, from its chord and radius in drawing
// units: chord and radius divided by scale and rounded as lengths, the central angle and the
// signed area (m², say) computed from those shown figures, so that a reader can check them by
// hand as a triangle's row. major: the arc's central angle is above 180°; sign: +1 when the
// arc bulges out of the parcel, −1 when in.
struct ShownSegment {
  std::string chord;
  std::string radius;  // "R" and the shown radius
  long double angle = 0;
  long double area = 0;  // signed
};
ShownSegment ShowSegment(long double chord, long double radius, int sign, bool major,
                         const TableRounding& r);

// A segment's cells after its name: chord, radius and central angle (degrees to four places,
// "27.3864°") and its signed area in three-side mode; chord, radius and twice its signed area in
// base-height mode, whose last column holds base × height and whose total is halved.
std::vector<std::string> SegmentRowCells(const ShownSegment& segment, const TableRounding& r);

// The area the total stands for: the total itself, or half of it in base-height mode.
long double AreaOfTotal(long double total, const TableRounding& r);

// An area written with the final digits, padded with blanks when the row areas have more
// decimals, so that its right-aligned digits stand under the same places as theirs.
std::string FinalAreaText(long double area, const TableRounding& r);
