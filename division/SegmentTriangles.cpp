#include "division/SegmentTriangles.h"

#include <cstddef>

#include "geometry/PlaneGeometry.h"

namespace {

// Corners of selected segments this close are one corner of a triangle.
constexpr double kSameCornerTolerance = 0.001;

bool SameTriangle(const TAcadTriangle& t, const TAcadTriangle& u) {
  auto corner = [&](const TAcadPoint& p) {
    return SamePoint(p, u.p1, kSameCornerTolerance) || SamePoint(p, u.p2, kSameCornerTolerance) ||
           SamePoint(p, u.p3, kSameCornerTolerance);
  };
  return corner(t.p1) && corner(t.p2) && corner(t.p3);
}

// Twice the signed area of a, b, c: positive when they turn counter-clockwise.
long double Cross(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// p lies inside t farther than the corner tolerance from each of its sides. A point on a side
// (a corner of a neighbouring triangle, say) does not count.
bool StrictlyInside(const TAcadPoint& p, const TAcadTriangle& t) {
  const long double area = Cross(t.p1, t.p2, t.p3);
  if (area == 0) return false;
  const long double sense = area > 0 ? 1 : -1;
  const TAcadPoint* corners[] = {&t.p1, &t.p2, &t.p3};
  for (int i = 0; i < 3; ++i) {
    const TAcadPoint& a = *corners[i];
    const TAcadPoint& b = *corners[(i + 1) % 3];
    const long double side = Distance2D(a, b);
    if (sense * Cross(a, b, p) <= kSameCornerTolerance * side) return false;
  }
  return true;
}

bool HoldsSegmentEnd(const TAcadTriangle& t, const std::vector<TAcadLine>& segments) {
  for (const TAcadLine& s : segments) {
    if (StrictlyInside(s.st, t) || StrictlyInside(s.ed, t)) return true;
  }
  return false;
}

}  // namespace

std::vector<TAcadTriangle> FindSegmentTriangles(const std::vector<TAcadLine>& segments) {
  std::vector<TAcadTriangle> found;
  const std::size_t m = segments.size();
  if (m < 3) return found;
  for (std::size_t i = 0; i + 2 < m; ++i) {
    const TAcadPoint &a1 = segments[i].st, &b1 = segments[i].ed;
    for (std::size_t j = i + 1; j + 1 < m; ++j) {
      const TAcadPoint &a2 = segments[j].st, &b2 = segments[j].ed;
      // Every test that holds replaces what an earlier one set: the last one decides.
      const TAcadPoint *corner = nullptr, *free1 = nullptr, *free2 = nullptr;
      auto meet = [&](const TAcadPoint& p, const TAcadPoint& q, const TAcadPoint& c,
                      const TAcadPoint& f1, const TAcadPoint& f2) {
        if (Distance2D(p, q) < kSameCornerTolerance) corner = &c, free1 = &f1, free2 = &f2;
      };
      meet(a1, a2, a1, b1, b2);
      meet(a1, b2, a1, b1, a2);
      meet(b1, a2, b1, a1, b2);
      meet(b1, b2, b1, a1, a2);
      if (!corner) continue;
      for (std::size_t k = j + 1; k < m; ++k) {
        const TAcadPoint &a3 = segments[k].st, &b3 = segments[k].ed;
        const bool closes = (SamePoint(*free1, a3, kSameCornerTolerance) &&
                             SamePoint(*free2, b3, kSameCornerTolerance)) ||
                            (SamePoint(*free1, b3, kSameCornerTolerance) &&
                             SamePoint(*free2, a3, kSameCornerTolerance));
        if (!closes) continue;
        const TAcadTriangle t{*corner, *free1, *free2};
        bool known = false;
        for (const TAcadTriangle& u : found) known = known || SameTriangle(t, u);
        if (known || HoldsSegmentEnd(t, segments)) continue;
        found.push_back(t);
      }
    }
  }
  return found;
}
