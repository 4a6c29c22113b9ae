#include "geometry/PlaneGeometry.h"

#include "numbers/X87Math.h"
#include "numbers/X87Precision.h"

namespace {
long double Abs(long double v) { return v < 0 ? -v : v; }
}  // namespace

long double DoubleSignedArea(std::span<const TAcadPoint> polygon) {
  long double sum = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const TAcadPoint& s = polygon[i];
    const TAcadPoint& e = polygon[i + 1 == polygon.size() ? 0 : i + 1];
    sum += (s.x - e.x) * (s.y + e.y);
  }
  return sum;
}

long double Distance2D(const TAcadPoint& a, const TAcadPoint& b) {
  const X87ExtendedPrecision precision;
  const long double dy = a.y - b.y;
  const long double dx = a.x - b.x;
  return X87Sqrt(dy * dy + dx * dx);
}

long double Angle2D(const TAcadPoint& from, const TAcadPoint& to) {
  const X87ExtendedPrecision precision;
  const long double dx = to.x - from.x;
  if (Abs(dx) < 1e-5L) return to.y > from.y ? kHalfPi : kThreeHalvesPi;
  const long double dy = to.y - from.y;
  if (Abs(dy) < 1e-5L) return to.x > from.x ? 0.0L : kPi;
  const long double r = Abs(X87Atan(dy / dx));
  if (dx < 0 && dy >= 0) return kPi - r;
  if (dx >= 0 && dy < 0) return kTwoPi - r;
  if (dx < 0 && dy < 0) return kPi + r;
  return r;
}

TAcadPoint PolarPoint(const TAcadPoint& p, double angle, double distance) {
  const X87ExtendedPrecision precision;
  const long double d = distance;
  return {p.x + d * X87Cos(angle), p.y + d * X87Sin(angle), p.z};
}

TAcadPoint MidPoint(const TAcadPoint& a, const TAcadPoint& b) {
  const X87ExtendedPrecision precision;
  return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}

bool SamePoint(const TAcadPoint& p, const TAcadPoint& q, double tolerance) {
  const X87ExtendedPrecision precision;
  return Abs(p.x - q.x) < tolerance && Abs(p.y - q.y) < tolerance;
}

double AngleAt(const TAcadPoint& a, const TAcadPoint& v, const TAcadPoint& b) {
  const X87ExtendedPrecision precision;
  const double d = static_cast<double>(Abs(Angle2D(v, a) - Angle2D(v, b)));
  return d > kPi ? static_cast<double>(kTwoPi - d) : d;
}

bool IntersectLines(const TAcadPoint& p1, const TAcadPoint& p2, const TAcadPoint& p3,
                    const TAcadPoint& p4, bool segmentsOnly, TAcadPoint& point) {
  const X87ExtendedPrecision precision;
  const long double d1x = p2.x - p1.x, d1y = p2.y - p1.y;
  const long double d2x = p4.x - p3.x, d2y = p4.y - p3.y;
  const long double det = d2x * d1y - d1x * d2y;
  if (Abs(det) <= 1e-12L) return false;
  const long double ox = p3.x - p1.x, oy = p3.y - p1.y;
  const long double t1 = (oy * d2x - ox * d2y) / det;
  const long double t2 = (oy * d1x - ox * d1y) / det;
  if (segmentsOnly && !(t1 >= 1e-12L && t1 <= 1 && t2 >= 1e-12L && t2 <= 1)) return false;
  point = {p1.x + d1x * t1, p1.y + d1y * t1, p1.z};
  return true;
}

bool PerpendicularFoot(const TAcadPoint& p, const TAcadPoint& a, const TAcadPoint& b,
                       bool onSegment, TAcadPoint& foot) {
  const X87ExtendedPrecision precision;
  const TAcadPoint probe = PolarPoint(p, static_cast<double>(Angle2D(a, b) + kHalfPi), 1000);
  if (!IntersectLines(p, probe, a, b, false, foot)) return false;
  return !onSegment || PointBetween(foot, a, b);
}

bool PointBetween(const TAcadPoint& p, const TAcadPoint& a, const TAcadPoint& b) {
  const X87ExtendedPrecision precision;
  return Abs(Distance2D(a, b) - Distance2D(p, a) - Distance2D(p, b)) < 1e-5L;
}
