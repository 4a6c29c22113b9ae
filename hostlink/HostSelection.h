// Points picked by the user in the host and selections of the host's objects, exported by the
// host to a DXF file beside the executable and read into the entity tables.
#pragma once

#include <string>

#include "dxf/EntityLines.h"
#include "geometry/AcadTypes.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostExport.h"
#include "hostlink/HostLink.h"

// LASTPOINT is set to this before the user acts; finding it afterwards means no point given.
inline constexpr TAcadPoint kSentinelPoint{123, 456, 789};

// Done: picked (point set); Cancelled: cancelled or no point; Failed: no host, host not ready,
// time-out or the picked point unreadable.
HostResult PickPoint(const HostLink& link, TAcadPoint& point);
// Reads LASTPOINT into point with every place the host keeps (LUPREC held at 8 while it is read,
// then given back). False when the host gave no readable point.
bool ReadLastPoint(const HostLink& link, TAcadPoint& point);
// A point variable's value text: two or three comma-separated numbers, optionally in double
// quotes. 1 when read; 0 otherwise, with the coordinates read before the failure kept.
int ParsePoint(const std::string& text, TAcadPoint& point);

// Each selection makes the host's previous selection set, exports it and reads it (HostExport):
// the link's entity tables then hold exactly the exported objects, and the result is their
// count (lines, texts, circles, arcs, polylines, ellipses and inserts of the drawing's
// entities). 0 when the host is missing, the user cancelled or nothing was selected; the tables
// are then left as they were. An export that does not come back whole throws EExportFailed; a
// path the host cannot take throws EUntypeablePath (TypedPaths.h) before anything is typed.
int SelectByFence(const HostLink& link, const TAcadPoint& p1, const TAcadPoint& p2);
int SelectByWindow(const HostLink& link, const TAcadPoint& corner1, const TAcadPoint& corner2);
// pickPoint receives the point where the user picked the object (also the sentinel).
int SelectSingle(const HostLink& link, TAcadPoint& pickPoint);
// These two also scan the export into `scan` when one is given (the number marks of 作成).
// SelectAll is the whole drawing's export, frozen and locked layers included; it makes no
// selection set.
int SelectAll(const HostLink& link, EntityLineList* scan = nullptr);
int SelectObjects(const HostLink& link, EntityLineList* scan = nullptr);
