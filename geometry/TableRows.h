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

// The area the total stands for: the total itself, or half of it in base-height mode.
long double AreaOfTotal(long double total, const TableRounding& r);

// An area written with the final digits, padded with blanks when the row areas have more
// decimals, so that its right-aligned digits stand under the same places as theirs.
std::string FinalAreaText(long double area, const TableRounding& r);
