// The one rule for how annotations are turned. The host inserts every annotation document with
// the rotation 0 typed and reads that 0 from its base angle (ANGBASE), whichever way it counts
// angles (ANGDIR), and measures that from the UCS's X axis: it turns the document about the
// world's origin by the base angle and the UCS's turn, counter-clockwise (HostAngles, radians).
// Every document is therefore written turned back by that angle, its points about the origin and
// its rotations less the angle, and lands as drawn: a length text at its side's midpoint reading
// along the side, a number mark upright at its triangle, a line where it belongs, under every angle
// setting. With ANGBASE 0 the documents are written exactly as drawn.
#pragma once

#include "geometry/AcadTypes.h"
#include "hostlink/HostSettings.h"

// Direction of the length text of segment p1→p2 in radians: the segment's direction turned by
// π where it would read downwards or from right to left, so every text reads from left to right
// or upwards; exactly π/2 keeps its direction, exactly 3π/2 is turned.
double LabelAngle(const TAcadPoint& p1, const TAcadPoint& p2);

// Where and how to write what must land somewhere in the drawing after the host's insertion.
class InsertionFrame {
 public:
  explicit InsertionFrame(const HostAngles& angles);

  // The point to write for one that must land at p (z kept). Quarter turns are exact.
  TAcadPoint Place(const TAcadPoint& p) const;
  // The rotation (radians) to write for a text that must land turned by `drawn`.
  double Rotation(double drawn) const { return drawn - turn_; }
  // A length text of p1→p2, reading along the segment.
  double LengthTextRotation(const TAcadPoint& p1, const TAcadPoint& p2) const {
    return Rotation(LabelAngle(p1, p2));
  }
  // A number text, upright.
  double NumberRotation() const { return Rotation(0); }

 private:
  double turn_ = 0;  // radians the host turns the document by
  bool identity_ = true;
  long double cos_ = 1, sin_ = 0;  // of -turn_
};
