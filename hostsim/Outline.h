// What an entity looks like to the host's selection, boundary tracing and display: its pieces
// in world coordinates, and the frame of a text.
#pragma once

#include <array>
#include <vector>

#include "hostsim/Curves.h"
#include "hostsim/Drawing.h"

namespace hostsim {

// The width of a text in drawing units: full-width characters one height wide, others 0.7
// (close to the proportions of the host's default shape font).
double TextWidth(const std::string& value, double height, double widthFactor);

// The four corners of a text's frame (left baseline, right baseline, right top, left top).
std::array<Vec, 4> TextFrame(const Text& t);
// The left end of the baseline of a justified text, as the host works it out from the
// alignment point (texts that are neither justified nor aligned keep their insertion point).
Point JustifiedInsert(const Text& t);
// Corners of an MTEXT's frame.
std::array<Vec, 4> MTextFrame(const MText& m);

// Pieces of an entity (for a block reference those of its block's contents and attributes).
std::vector<Piece> Outline(const Entity& e, const Drawing& d);
// The same without the frames of texts and attributes (what boundary tracing follows).
std::vector<Piece> Curves(const Entity& e, const Drawing& d);
Box EntityExtent(const Entity& e, const Drawing& d);
// For texts: the frame, inside which a pick selects them.
bool FrameOf(const Entity& e, std::array<Vec, 4>& frame);
// Whether the point lies inside the convex quadrilateral.
bool InsideFrame(const std::array<Vec, 4>& f, Vec p);

}  // namespace hostsim
