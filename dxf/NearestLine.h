// The LINE record of the drawing's entities nearest to a point.
#pragma once

#include <optional>

#include "geometry/AcadTypes.h"

struct TDxfTables;

// Index into the drawing's LINE table, or -1 (st, ed untouched) when it is empty: the record
// at the least distance from p, measured to the foot of the perpendicular where that falls on
// the segment and to the nearer end otherwise. Ties keep the earlier record.
int NearestLine(const TDxfTables& tables, const TAcadPoint& p, TAcadPoint& st, TAcadPoint& ed);

// The segment that a single selection at `pick` read: its line, or else the side of its polyline
// nearest the pick (the polylines are exploded into the tables for that). Nothing when the
// selection holds neither, or a polyline without a straight side.
std::optional<TAcadLine> SegmentAtPick(TDxfTables& tables, const TAcadPoint& pick);
