// Labelling triangles one at a time, straight into the host's drawing: the length of a segment
// as a text at its midpoint, and a whole triangle with its missing sides, its lengths (or base
// and height) and its number mark. Every text is a document of its own, inserted at once, so
// each label is in the drawing before the next one is checked; a label is left out where a
// text already stands by the segment's midpoint, so a side shared with a triangle labelled
// before is not labelled twice.
#pragma once

#include <functional>
#include <string>

#include "annotation/AnnotationAngles.h"
#include "annotation/NumberMarks.h"
#include "annotation/TextStyle.h"
#include "geometry/AcadTypes.h"
#include "geometry/AreaMode.h"
#include "hostlink/HostLink.h"
#include "numbers/RoundToText.h"

// What every length text is written with.
struct LengthLabelSettings {
  double textHeight = 0;  // drawing units; also the size of the check fences
  NumberFormat format;    // of the lengths
  long double scale = 1;  // every measured length is divided by it before rounding
  HostAngles angles;      // how the host turns what it inserts
  std::string layer;      // of the texts
  std::string textStyle;  // empty = none
};

// The length text of p1p2 as it is written for the host's insertion: at the segment's midpoint,
// reading along it, the length divided by the scale and rounded.
struct LengthLabel {
  TAcadPoint position;
  double rotation = 0;  // radians
  std::string text;
};
LengthLabel PlaceLengthLabel(const TAcadPoint& p1, const TAcadPoint& p2,
                             const LengthLabelSettings& settings, const InsertionFrame& frame);

// Writes the rounded length of p1p2 at the midpoint (justification as the host's TEXT option,
// "J BC " everywhere), reading along the segment, and has the host insert it. With check set,
// two fences of twice the text height along the segment, half a text height either side of
// it, are selected first; a text on either of them means the segment is labelled already, and
// nothing is written. Returns whether a text was written.
bool DrawLengthLabel(const HostLink& link, const std::string& justification, const TAcadPoint& p1,
                     const TAcadPoint& p2, const LengthLabelSettings& settings, bool check);

// The sides p1→p2, p2→p3 and p3→p1, each with "J BC " and the check on.
void DrawSideLabels(const HostLink& link, const TAcadTriangle& triangle,
                    const LengthLabelSettings& settings);

// How triangles are labelled, one at a time (LabelTriangle) or a whole list into one document
// (workflows/LabelDividedTriangles.h). The counter is the window's: nextNumber gives the number
// the next mark gets, advance moves it on once a single mark is in the drawing.
struct TriangleLabelling {
  LengthLabelSettings lengths;            // layer: the texts' and the marks'
  AreaMode mode = AreaMode::kThreeSides;  // three sides labelled, or the base and the height
  std::string sideLayer;                  // current layer while sides are drawn
  std::string heightLayer;                // of the height lines
  double markRadius = 0;
  double markHeight = 0;      // of the number text
  TextStyleChoice textStyle;  // lengths.textStyle is what the run chose
  std::function<int()> nextNumber;
  std::function<void()> advance;
};

// The host's text style (as the choice asks) and then its angles, read at the start of a run into
// the settings every length text is written with.
void PrepareLengths(const HostLink& link, const TextStyleChoice& choice,
                    LengthLabelSettings& lengths);

// Where a triangle's number mark stands in each mode: at the incentre, or in the larger half of
// base, apex and foot.
TAcadPoint MarkCentre(const TAcadTriangle& triangle, AreaMode mode);

// The number mark's style of a labelling, upright in the frame, on the texts' layer and style.
NumberMarkStyle LabellingMarkStyle(const TriangleLabelling& labelling, const InsertionFrame& frame);

// Which sides of the triangle the drawing has already: p1p2 (a base line), or p1p2 and p1p3
// (the two segments picked for ２辺指示, whose dialogue also types its first layer change
// without "_", labels a height before its base and ends on the side-line layer).
enum class SidesGiven { kBase, kTwoSides };

// Labels one triangle completely. The sides not given are drawn on the side-line layer where
// missing. Three-side mode labels the three sides and puts the mark at the incentre; base-height
// mode labels the base (the longest side) and the height, always draws the height line on the
// height-line layer and puts the mark in the larger half. The host's current layer is left at
// the side-line or the height-line layer.
void LabelTriangle(const HostLink& link, const TAcadTriangle& triangle,
                   const TriangleLabelling& settings, SidesGiven given = SidesGiven::kBase);

// The last step of LabelTriangle on its own: the mark of the mode (at the incentre, or in the
// larger half of base, apex and foot) numbered nextNumber(), inserted at once, then advance().
void MarkTriangle(const HostLink& link, const TAcadTriangle& triangle,
                  const TriangleLabelling& settings);
