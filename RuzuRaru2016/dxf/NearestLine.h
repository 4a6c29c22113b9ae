// The LINE record of the last read nearest to a point.
#pragma once

#include "geometry/AcadTypes.h"

// Index into the drawing's LINE table, or -1 (st, ed untouched) when it is empty. Record 0 is
// the fallback, measured to its start point; any record whose perpendicular foot from p lies on
// it replaces the candidate when strictly closer. Ties keep the earlier record.
int NearestLine(const TAcadPoint& p, TAcadPoint& st, TAcadPoint& ed);
