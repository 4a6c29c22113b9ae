// Sides and height lines drawn by the host's LINE command, where the drawing lacks them.
#pragma once

#include "geometry/AcadTypes.h"
#include "hostlink/HostLink.h"

// How far from the segment's midpoint (and from its line) an existing line or polyline side
// may lie and still count as the segment, in drawing units.
inline constexpr double kSideTolerance = 0.01;

// Whether a line or a polyline side of the drawing already runs along p1p2 through its
// midpoint: a short fence across the midpoint is selected, and what it found is searched for
// a straight piece within kSideTolerance of the midpoint whose line passes within that of both
// ends. Makes the fence's selection the host's previous set.
bool SideDrawn(const HostLink& link, const TAcadPoint& p1, const TAcadPoint& p2);

// Draws p1p2 on the host's current layer with object snaps off (OSMODE is sent back as it was
// read; an OSMODE that could not be read is left as it is), unless check is set and SideDrawn.
// Returns whether the line was drawn.
bool DrawLineIfMissing(const HostLink& link, const TAcadPoint& p1, const TAcadPoint& p2,
                       bool check);
