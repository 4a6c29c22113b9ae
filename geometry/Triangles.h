// Triangles from side lengths, their areas, the label point and the choice of base and height.
#pragma once

#include "geometry/AcadTypes.h"

// Heron's area from three sides; 0 for sides that make no triangle or a flat one.
double AreaFromSides(double a, double b, double c);

// The smallest of a triangle's three corners, in radians (0 for a flat one). Computed with the
// x87 instruction, so that both builds compare triangles alike.
long double SmallestAngle(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c);

// How ApexFromSides found the third vertex.
enum class ApexResult : int {
  NoApex = 0,    // the sides cannot meet
  FlatApex = 1,  // the sides add up to the base: the apex lies on it
  TwoApexes = 2  // apex1 left of a→b, apex2 right of it
};

// Third vertex over the base a–b with |a apex| = sideA and |b apex| = sideB. apex1 is always
// written (b itself unless two apexes are found); apex2 only with TwoApexes.
ApexResult ApexFromSides(const TAcadPoint& a, const TAcadPoint& b, double sideA, double sideB,
                         TAcadPoint& apex1, TAcadPoint& apex2);

// Meeting point of the bisectors at a and c (with a's z). For a flat triangle, whose
// bisectors are parallel, the centroid.
TAcadPoint Incenter(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c);

// The longest side is the base (ties go to the earlier of p1p2, p2p3, p3p1), the opposite
// vertex the apex, and foot the foot of the height on the base line (with baseSt's z). False
// only when the base has zero length.
bool ChooseBaseAndHeight(const TAcadTriangle& t, TAcadPoint& baseSt, TAcadPoint& baseEd,
                         TAcadPoint& apex, TAcadPoint& foot);
