// Lengths, angles and points as the host shows and reads them on its command line, in the
// drawing's units (LUNITS/LUPREC, AUNITS/AUPREC, ANGBASE/ANGDIR).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "hostsim/Drawing.h"

namespace hostsim {

// A length or a coordinate with LUPREC places, an angle with AUPREC places: the host keeps every
// place inside and rounds only what it shows ("LUPREC (System Variable)", "AUPREC (System
// Variable)": 0 to 8 places, initially 4 and 0), in a variable's value prompt too.
std::string ShowDistance(double v, const Header& h);
// An angle (radians, counter-clockwise from +x, no base applied) in the current angular units.
std::string ShowAngle(double radians, const Header& h);
std::string ShowPoint(const Point& p, const Header& h);  // "x,y,z"

// A typed angle: a number in the current angular units, or with its own unit ("30d", "30d15'10\"",
// "0.5r", "100g"), or a surveyor's bearing ("N45d30'E", "S12W", "N") under any AUNITS. Returns
// radians without base or direction applied (a bearing counter-clockwise from east).
std::optional<double> ParseAngle(std::string_view text, const Header& h);

// The direction (radians, counter-clockwise from +x) of an angle typed as a direction, as
// ParseAngle returns it: counted from ANGBASE, clockwise when ANGDIR is 1.
double DirectionFromTyped(double typed, const Header& h);

// The user's coordinate system (the header's UCS): a point given in it, in world coordinates,
// and back; the direction of its X axis in the world's XY plane (radians, counter-clockwise).
Point UcsToWorld(const Point& p, const Header& h);
Point WorldToUcs(const Point& p, const Header& h);
double UcsXDirection(const Header& h);

// A typed point, returned in world coordinates: "x,y", "x,y,z", "@dx,dy[,dz]", "@d<angle",
// "d<angle" in the UCS ("LASTPOINT (System Variable)": points are UCS coordinates); "#" before it
// is absolute in the UCS, "*" absolute in world coordinates. Relative forms are taken from `last`
// (world), along the UCS's axes; with `relativeByDefault` (dynamic input's second point, below)
// a point without "@", "#" or "*" is relative too. Polar angles honour ANGBASE and ANGDIR.
std::optional<Point> ParsePoint(std::string_view text, const Point& last, const Header& h,
                                bool relativeByDefault = false);

}  // namespace hostsim
