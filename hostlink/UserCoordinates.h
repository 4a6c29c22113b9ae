// The user's coordinate system (UCS). Exports are in world coordinates, but the host reads typed
// points and shows LASTPOINT in the UCS, and INSERT measures its rotation from the UCS's X axis.
// The program types every point as a world point ("*x,y", hostlink/HostVocabulary.h) and turns
// what it reads back into world coordinates here.
#pragma once

#include <optional>

#include "geometry/AcadTypes.h"
#include "hostlink/HostLink.h"

struct UserCoordinates {
  TAcadPoint origin{0, 0, 0};  // UCSORG, world coordinates
  TAcadPoint xAxis{1, 0, 0};   // UCSXDIR
  TAcadPoint yAxis{0, 1, 0};   // UCSYDIR
};

// UCSORG, UCSXDIR and UCSYDIR read with LUPREC held at 8. Eight places are still too few for an
// axis (an error of 5e-9 in a direction sets a point 10 km away 50 µm off, beyond what 検算 takes
// as one point): for a UCS that is not the world's, the axes' components in the world's XY plane
// are measured instead, from where the host puts two world points a million units from the
// origin along the world's axes (ID at "*x,y", LASTPOINT read in the UCS). nullopt when a value
// shows no point.
std::optional<UserCoordinates> ReadUserCoordinates(const HostLink& link);

// A point given in the UCS, in world coordinates.
TAcadPoint UcsToWorld(const UserCoordinates& ucs, const TAcadPoint& p);
// The direction of the UCS's X axis in the world's XY plane (radians, counter-clockwise; 0 for
// the world's own axes).
double XAxisDirection(const UserCoordinates& ucs);

// LASTPOINT in world coordinates; the sentinel (kSentinelPoint) as the host shows it, the UCS
// unread. False when the point or the UCS could not be read.
bool ReadWorldLastPoint(const HostLink& link, TAcadPoint& point);
