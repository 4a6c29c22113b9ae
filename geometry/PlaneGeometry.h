// Points and lines of the drawing plane. Everything is measured in x and y; z is carried along
// where a result point is made. Arithmetic is extended precision; a value that passes through a
// double parameter or result is rounded to double exactly there, as the stored data and the
// ties between equal lengths depend on it.
#pragma once

#include <numbers>
#include <span>

#include "geometry/AcadTypes.h"

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kHalfPi = kPi / 2;
constexpr long double kThreeHalvesPi = 3 * kPi / 2;
constexpr long double kTwoPi = 2 * kPi;

// Twice the signed area of a closed outline (positive counter-clockwise), in extended precision.
long double DoubleSignedArea(std::span<const TAcadPoint> polygon);

long double Distance2D(const TAcadPoint& a, const TAcadPoint& b);

// Direction from → to in [0, 2π). Within 1e-5 of vertical in x it is vertical (3π/2 for two
// coincident points), then within 1e-5 of horizontal in y it is horizontal.
long double Angle2D(const TAcadPoint& from, const TAcadPoint& to);

// p moved by distance along angle; a negative distance goes the opposite way. Keeps p.z.
TAcadPoint PolarPoint(const TAcadPoint& p, double angle, double distance);

TAcadPoint MidPoint(const TAcadPoint& a, const TAcadPoint& b);

// Both |dx| and |dy| strictly below tolerance.
bool SamePoint(const TAcadPoint& p, const TAcadPoint& q, double tolerance);

// Angle at v between v→a and v→b, in [0, π] (never a reflex angle).
double AngleAt(const TAcadPoint& a, const TAcadPoint& v, const TAcadPoint& b);

// Crossing of p1p2 and p3p4. Parallel (|det| ≤ 1e-12) gives false. With segmentsOnly both
// parameters must lie in [1e-12, 1]: a crossing at p1 or p3 is not found, one at p2 or p4 is.
// `point` (with p1's z) is written only when found.
bool IntersectLines(const TAcadPoint& p1, const TAcadPoint& p2, const TAcadPoint& p3,
                    const TAcadPoint& p4, bool segmentsOnly, TAcadPoint& point);

// Foot of the perpendicular from p on the line ab (with p's z); false when a and b coincide,
// and with onSegment also when the foot is not between a and b.
bool PerpendicularFoot(const TAcadPoint& p, const TAcadPoint& a, const TAcadPoint& b,
                       bool onSegment, TAcadPoint& foot);

// p lies on the segment ab: the detour a→p→b is less than 1e-5 longer than ab.
bool PointBetween(const TAcadPoint& p, const TAcadPoint& a, const TAcadPoint& b);
