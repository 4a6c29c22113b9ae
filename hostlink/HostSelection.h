// Points picked by the user in the host and selections of the host's objects, exported by the
// host to a DXF file beside the executable and handed back read.
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
// then given back), in world coordinates whatever the UCS (UserCoordinates.h). False when the
// host gave no readable point.
bool ReadLastPoint(const HostLink& link, TAcadPoint& point);
// A point variable's value text: two or three comma-separated numbers, optionally in double
// quotes. 1 when read; 0 otherwise, with the coordinates read before the failure kept.
int ParsePoint(const std::string& text, TAcadPoint& point);

// What a selection brought back. count is the number of objects the export read (lines,
// texts, circles, arcs, polylines, ellipses and inserts of the drawing's entities); 0, with
// everything else empty, when the host is missing, the user cancelled or nothing was selected.
struct Selection {
  int count = 0;
  TDxfTables tables;                 // the exported objects
  EntityLineList lines;              // the export scanned, when asked for
  TAcadPoint pick = kSentinelPoint;  // where the user picked the object (SelectSingle)
};

// Each selection makes the host's previous selection set, exports it and reads it (HostExport).
// An export that does not come back whole throws EExportFailed; a path the host cannot take
// throws EUntypeablePath (TypedPaths.h) before anything is typed.
Selection SelectByFence(const HostLink& link, const TAcadPoint& p1, const TAcadPoint& p2);
Selection SelectByWindow(const HostLink& link, const TAcadPoint& corner1,
                         const TAcadPoint& corner2);
Selection SelectSingle(const HostLink& link);
// These two also scan the export when asked (the number marks of 作成). SelectAll is the whole
// drawing's export, frozen and locked layers included; it makes no selection set.
Selection SelectAll(const HostLink& link, ReadExportAs as = ReadExportAs::kTables);
Selection SelectObjects(const HostLink& link, ReadExportAs as = ReadExportAs::kTables);
