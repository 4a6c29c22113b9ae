// The LINE record of the drawing's entities nearest to a point.
#pragma once

#include "geometry/AcadTypes.h"

struct TDxfTables;

// Index into the drawing's LINE table, or -1 (st, ed untouched) when it is empty. Record 0 is
// the fallback, measured to its start point; any record whose perpendicular foot from p lies on
// it replaces the candidate when strictly closer. Ties keep the earlier record.
int NearestLine(const TDxfTables& tables, const TAcadPoint& p, TAcadPoint& st, TAcadPoint& ed);
// The same on the process-wide tables.
int NearestLine(const TAcadPoint& p, TAcadPoint& st, TAcadPoint& ed);
