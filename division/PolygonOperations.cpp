#include "division/PolygonOperations.h"

#include <algorithm>

#include "geometry/Orientation.h"
#include "geometry/PlaneGeometry.h"

const TAcadPoint& CyclicVertex(std::span<const TAcadPoint> polygon, std::ptrdiff_t index) {
  const auto count = static_cast<std::ptrdiff_t>(polygon.size());
  const std::ptrdiff_t k = index % count;
  return polygon[static_cast<std::size_t>(k < 0 ? k + count : k)];
}

bool IsVertexOf(const TAcadPoint& point, std::span<const TAcadPoint> list) {
  return FindVertex(point, list) >= 0;
}

std::ptrdiff_t FindVertex(const TAcadPoint& point, std::span<const TAcadPoint> polygon) {
  for (std::size_t i = 0; i < polygon.size(); ++i)
    if (SamePoint(polygon[i], point, kVertexTolerance)) return static_cast<std::ptrdiff_t>(i);
  return -1;
}

std::size_t RemoveVertex(const TAcadPoint& point, std::vector<TAcadPoint>& polygon) {
  const std::ptrdiff_t i = FindVertex(point, polygon);
  if (i >= 0) polygon.erase(polygon.begin() + i);
  return polygon.size();
}

bool PointInPolygon(const TAcadPoint& point, std::span<const TAcadPoint> polygon,
                    double rayLength) {
  const long double top = point.y + static_cast<long double>(rayLength);
  bool inside = false;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const TAcadPoint& s = polygon[i];
    const TAcadPoint& e = polygon[i + 1 == polygon.size() ? 0 : i + 1];
    // Only an edge over the ray's column can count or carry the point.
    if ((point.x < s.x && point.x < e.x) || (point.x > s.x && point.x > e.x)) continue;
    const int side = Orientation(s, e, point);
    if (side == 0 && std::min(s.y, e.y) <= point.y && point.y <= std::max(s.y, e.y))
      return false;  // on the boundary
    if ((s.x < point.x) == (e.x < point.x)) continue;
    // The edge spans the column (so s.x ≠ e.x) and passes above the point when the point lies
    // on its right going right, on its left going left.
    if (side != (e.x > s.x ? -1 : 1)) continue;
    const long double y = s.y + (point.x - s.x) * (e.y - s.y) / (e.x - s.x);
    if (y <= top) inside = !inside;
  }
  return inside;
}

bool SegmentCrossesPolygon(const TAcadPoint& a, const TAcadPoint& b,
                           std::span<const TAcadPoint> polygon) {
  // A crossing lies on both segments, hence in both boxes; an edge whose box is clear of the
  // segment's (with room for rounding) cannot cross it, and most edges are.
  const long double slack = 1e-9L * (1 + std::max({a.x < 0 ? -a.x : a.x, a.y < 0 ? -a.y : a.y,
                                                   b.x < 0 ? -b.x : b.x, b.y < 0 ? -b.y : b.y}));
  const long double minX = std::min(a.x, b.x) - slack, maxX = std::max(a.x, b.x) + slack;
  const long double minY = std::min(a.y, b.y) - slack, maxY = std::max(a.y, b.y) + slack;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const TAcadPoint& s = polygon[i];
    const TAcadPoint& e = polygon[i + 1 == polygon.size() ? 0 : i + 1];
    if ((s.x < minX && e.x < minX) || (s.x > maxX && e.x > maxX) || (s.y < minY && e.y < minY) ||
        (s.y > maxY && e.y > maxY))
      continue;
    TAcadPoint crossing;
    if (IntersectLines(a, b, s, e, true, crossing) && Distance2D(crossing, a) > kVertexTolerance &&
        Distance2D(crossing, b) > kVertexTolerance)
      return true;
  }
  return false;
}

bool DiagonalValid(const TAcadPoint& a, const TAcadPoint& c, std::span<const TAcadPoint> traced,
                   std::span<const TAcadPoint> working, double viewSize) {
  const TAcadPoint m = MidPoint(a, c);
  const double ray = 10 * viewSize;
  return PointInPolygon(m, working, ray) && PointInPolygon(m, traced, ray) &&
         !SegmentCrossesPolygon(a, c, working) && !SegmentCrossesPolygon(a, c, traced);
}

bool SegmentListed(const TAcadPoint& a, const TAcadPoint& b, std::span<const TAcadLine> segments,
                   double tolerance) {
  return std::any_of(segments.begin(), segments.end(), [&](const TAcadLine& s) {
    return (SamePoint(a, s.st, tolerance) && SamePoint(b, s.ed, tolerance)) ||
           (SamePoint(a, s.ed, tolerance) && SamePoint(b, s.st, tolerance));
  });
}
