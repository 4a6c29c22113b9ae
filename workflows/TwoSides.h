// Two sides (２辺指示): the user picks two segments of the drawing, lines or polyline sides,
// that meet at an end. The triangle they span is closed by a third side between their free
// ends, drawn where the drawing lacks it, and labelled at once: side lengths or base and
// height, and the numbered mark.
#pragma once

#include <string>

#include "annotation/TriangleLabels.h"
#include "geometry/AcadTypes.h"
#include "hostlink/HostLink.h"

// How far the crossing of the two picked segments' lines may lie from an end of each: looser
// than the corner tolerance of selected segments (division/SegmentTriangles.cpp), as it takes
// the two ends the user means to meet, not corners found among many segments.
inline constexpr double kEndsMeetTolerance = 0.01;

// The triangle (corner, free end of first, free end of second) when the two segments' lines
// cross within kEndsMeetTolerance of an end of each; the corner is that crossing (with the first
// segment's z), and a free end is the end farther from it. False for parallel lines and for
// segments that cross away from their ends.
bool CloseTwoSides(const TAcadLine& first, const TAcadLine& second, TAcadTriangle& triangle);

inline constexpr const char* kNotSegment = "線分またはポリラインではない";
inline constexpr const char* kNotConnected = "2線分の端点がつながっていない";

// One segment picked by the user: a line, or the side of a polyline nearest to the pick. False
// when nothing was picked or the object is neither; a polyline without any straight side is
// told with a message.
bool PickSegment(const HostLink& link, TAcadLine& segment);

// The whole button: brings the host up, lets the user pick two segments and runs TwoSides.
// The angles and the text style are the host's (read by the run).
void PickTwoSides(const HostLink& link, const TriangleLabelling& labelling);

// Completes and labels the triangle of two picked segments. The host's current layer is sent
// back as it was read on every way out, an error included; segments that do not meet are told
// with a message and nothing is drawn.
void TwoSides(const HostLink& link, const TAcadLine& first, const TAcadLine& second,
              const TriangleLabelling& labelling);
