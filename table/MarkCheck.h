// 検算: the marks of a drawing held against the drawing itself. A mark keeps the sides its
// triangle had when it was written; when a corner is moved, a line erased or redrawn, a mark
// copied or an arc changed afterwards, the area table built from the marks no longer tells the
// drawing's area. This finds those marks before a table is drawn. Pure: the drawing comes in as
// plain records (MarkCheckRead.h reads them from an export).
#pragma once

#include <string>
#include <vector>

#include "dxf/MarkCorners.h"
#include "geometry/AcadTypes.h"
#include "geometry/TableRows.h"

// A number mark ("3") or a segment mark ("弓2") as the drawing holds it.
struct CheckedMark {
  bool segment = false;
  std::string name;  // the mark's text
  int number = 0;    // 0 when the text is no number of its kind
  // A number mark's sides as the table reads them (drawing units): |p1p2|, |p2p3|, |p3p1|.
  long double sides[3] = {0, 0, 0};
  // A segment mark's chord and radius (drawing units).
  long double chord = 0, radius = 0;
  MarkCorners corners;
};

// A line of the drawing between two points: a LINE, a side of a polyline or an ARC. bulge is
// that of a polyline side from st to ed (0 straight, positive counter-clockwise).
struct DrawnEdge {
  TAcadPoint st, ed;
  long double bulge = 0;
};

// A text of the drawing that is no mark, where it stands (its alignment point when it has one).
struct DrawnText {
  TAcadPoint at;
  double height = 0;
  std::string text;
};

struct CheckedDrawing {
  std::vector<CheckedMark> marks;  // the marks to check (the whole drawing's, or a selection's)
  std::vector<DrawnEdge> edges;    // the whole drawing's
  std::vector<DrawnText> texts;    // the whole drawing's
};

enum class FindingKind {
  kDoubled,         // several marks with one number: count
  kMissingNumber,   // no mark with this number between 1 and the highest
  kSideChanged,     // a side without its line: stored and present length
  kSideGone,        // a side without its line, and none in its place: stored length
  kLabelDiffers,    // the length text beside a side reads another length: label and present
  kArcChanged,      // a segment mark's arc is another: stored and present radius
  kArcGone,         // a segment mark's arc is no longer there
  kWithoutCorners,  // marks made before marks carried their corners: names, once
};

struct MarkFinding {
  FindingKind kind = FindingKind::kDoubled;
  std::string mark;     // "番号3", "弓2"; kWithoutCorners: the names joined by ", "
  int count = 0;        // kDoubled
  std::string side;     // the side's corners, "1-2", "2-3" or "3-1"
  std::string stored;   // as the table would show it
  std::string present;  // as the table would show it (kLabelDiffers: the label's text)
};

// Every finding, in this order: doubled and missing numbers (number marks, then segment
// marks), then mark by mark in the order given its sides, labels and arc, then the marks without
// corners. Lengths are shown as the table shows them (rounding.scale, lengths.digits and
// lengths.rounding). Nothing for a drawing that still matches its marks.
std::vector<MarkFinding> CheckMarks(const CheckedDrawing& drawing, const TableRounding& rounding);

// How a finding names a mark: "番号3" for number mark 3, a segment mark by its own name.
std::string MarkLabel(const CheckedMark& mark);

// The marks that are stale or doubled (every finding but missing numbers and marks without
// corners), each once, in the order of the findings: what 作成 asks about.
std::vector<std::string> FindingMarks(const std::vector<MarkFinding>& findings);
