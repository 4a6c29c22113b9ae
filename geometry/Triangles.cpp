#include "geometry/Triangles.h"

#include <algorithm>
#include <cmath>

#include "geometry/PlaneGeometry.h"
#include "numbers/X87Math.h"
#include "numbers/X87Precision.h"

double AreaFromSides(double a, double b, double c) {
  const X87ExtendedPrecision precision;
  const double s = static_cast<double>((static_cast<long double>(a) + b + c) / 2);
  const long double ls = s;
  const double p = static_cast<double>((ls - c) * ls * (ls - b) * (ls - a));
  return p > 0 ? static_cast<double>(X87Sqrt(p)) : 0.0;
}

namespace {

long double Corner(const TAcadPoint& v, const TAcadPoint& p, const TAcadPoint& q) {
  const long double ux = p.x - v.x, uy = p.y - v.y, wx = q.x - v.x, wy = q.y - v.y;
  return std::fabs(X87Atan2(ux * wy - uy * wx, ux * wx + uy * wy));
}

}  // namespace

long double SmallestAngle(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c) {
  return std::min({Corner(a, b, c), Corner(b, c, a), Corner(c, a, b)});
}

ApexResult ApexFromSides(const TAcadPoint& a, const TAcadPoint& b, double sideA, double sideB,
                         TAcadPoint& apex1, TAcadPoint& apex2) {
  const X87ExtendedPrecision precision;
  const long double la = sideA, lb = sideB;
  const long double c = static_cast<double>(Distance2D(a, b));
  const long double gap = c - (la + lb);
  const bool flat = (gap < 0 ? -gap : gap) < 1e-5L;
  const double phi = static_cast<double>(Angle2D(a, b));
  apex1 = PolarPoint(a, phi, static_cast<double>(c));

  const long double s = static_cast<double>((c + la + lb) / 2);
  const long double h = (s - c) * s * (s - la) * (s - lb);
  if (h <= 1e-5L) return flat ? ApexResult::FlatApex : ApexResult::NoApex;

  // Nearly flat sides can put the cosine a rounding error beyond ±1, where arccos has no
  // value; the apex then lies on the base line.
  long double cosine = (la * la + c * c - lb * lb) / (la * c * 2);
  if (cosine > 1) cosine = 1;
  if (cosine < -1) cosine = -1;
  const double alpha = static_cast<double>(X87Acos(cosine));
  apex1 = PolarPoint(a, static_cast<double>(static_cast<long double>(phi) + alpha), sideA);
  apex2 = PolarPoint(a, static_cast<double>(static_cast<long double>(phi) - alpha), sideA);
  return ApexResult::TwoApexes;
}

TAcadPoint Incenter(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c) {
  const X87ExtendedPrecision precision;
  const double atA = static_cast<double>((Angle2D(a, b) + Angle2D(a, c)) / 2);
  const double atC = static_cast<double>((Angle2D(c, a) + Angle2D(c, b)) / 2);
  TAcadPoint centre;
  if (IntersectLines(a, PolarPoint(a, atA, 100), c, PolarPoint(c, atC, 100), false, centre))
    return centre;
  return {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, a.z};
}

bool ChooseBaseAndHeight(const TAcadTriangle& t, TAcadPoint& baseSt, TAcadPoint& baseEd,
                         TAcadPoint& apex, TAcadPoint& foot) {
  const X87ExtendedPrecision precision;
  const double d12 = static_cast<double>(Distance2D(t.p1, t.p2));
  const double d23 = static_cast<double>(Distance2D(t.p2, t.p3));
  const double d31 = static_cast<double>(Distance2D(t.p3, t.p1));
  if (d12 >= d23 && d12 >= d31) {
    baseSt = t.p1, baseEd = t.p2, apex = t.p3;
  } else if (d23 >= d31 && d23 >= d12) {
    baseSt = t.p2, baseEd = t.p3, apex = t.p1;
  } else {
    baseSt = t.p3, baseEd = t.p1, apex = t.p2;
  }
  const TAcadPoint probe =
      PolarPoint(apex, static_cast<double>(Angle2D(baseSt, baseEd) + kHalfPi), 100);
  return IntersectLines(baseSt, baseEd, apex, probe, false, foot);
}
