#include "geometry/Polylines.h"

#include "geometry/PlaneGeometry.h"
#include "numbers/X87Math.h"
#include "numbers/X87Precision.h"

BulgeArc BulgeToArc(const TAcadPoint& start, const TAcadPoint& end, double bulge) {
  const X87ExtendedPrecision precision;
  const double theta = static_cast<double>(4 * X87Atan(bulge));
  const double h = static_cast<double>(Distance2D(start, end) / 2);
  const double r = static_cast<double>(h / X87Sin(static_cast<long double>(theta) / 2));
  BulgeArc arc;
  arc.centre = PolarPoint(
      start,
      static_cast<double>(Angle2D(start, end) + (kHalfPi - static_cast<long double>(theta) / 2)),
      r);
  arc.radius = r < 0 ? -r : r;
  const double towardsStart = static_cast<double>(Angle2D(arc.centre, start));
  const double towardsEnd = static_cast<double>(Angle2D(arc.centre, end));
  arc.startAngle = bulge >= 0 ? towardsStart : towardsEnd;
  arc.endAngle = bulge >= 0 ? towardsEnd : towardsStart;
  return arc;
}
