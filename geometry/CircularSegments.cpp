#include "geometry/CircularSegments.h"

#include <algorithm>
#include <cmath>

#include "geometry/PlaneGeometry.h"

namespace {

// Each arc side in the outline's order, signed +1 where it runs counter-clockwise (bulge > 0).
std::vector<CircularSegment> ArcSides(const std::vector<TAcadPoint>& corners,
                                      const std::vector<double>& bulges) {
  std::vector<CircularSegment> segments;
  const std::size_t n = corners.size();
  if (n < 2) return segments;
  for (std::size_t i = 0; i < n && i < bulges.size(); ++i) {
    const long double b = bulges[i];
    if (b == 0 || !std::isfinite(b)) continue;
    CircularSegment s;
    s.st = corners[i];
    s.ed = corners[(i + 1) % n];
    const long double dx = s.ed.x - s.st.x, dy = s.ed.y - s.st.y;
    s.chord = std::hypot(dx, dy);
    if (!(s.chord > 0)) continue;
    s.angle = 4 * std::atan(std::fabs(b));
    s.radius = s.chord / (2 * std::sin(s.angle / 2));
    s.sign = b > 0 ? 1 : -1;
    // The arc's middle lies the sagitta |b|·c/2 off the chord's middle, to the right of the
    // direction st→ed for a positive bulge.
    const long double sagitta = std::fabs(b) * s.chord / 2;
    s.arcMiddle.x = (s.st.x + s.ed.x) / 2 + s.sign * sagitta * dy / s.chord;
    s.arcMiddle.y = (s.st.y + s.ed.y) / 2 - s.sign * sagitta * dx / s.chord;
    s.arcMiddle.z = (s.st.z + s.ed.z) / 2;
    segments.push_back(s);
  }
  return segments;
}

// The turning from the outline's own signed area: the chord polygon's and each arc's segment,
// added where the arc runs counter-clockwise. The chord polygon alone gets it wrong where it
// crosses itself or is flat (a thin triangle under a major arc, a half disc with a corner on its
// diameter), and every segment's sign with it.
int Turning(const std::vector<TAcadPoint>& corners, const std::vector<CircularSegment>& arcs) {
  long double area = DoubleSignedArea(corners) / 2;
  for (const CircularSegment& s : arcs) area += s.sign * SegmentArea(s.radius, s.angle);
  return area < 0 ? -1 : 1;
}

}  // namespace

int OutlineTurning(const std::vector<TAcadPoint>& corners, const std::vector<double>& bulges) {
  return Turning(corners, ArcSides(corners, bulges));
}

std::vector<CircularSegment> OutlineSegments(const std::vector<TAcadPoint>& corners,
                                             const std::vector<double>& bulges) {
  std::vector<CircularSegment> segments = ArcSides(corners, bulges);
  // A counter-clockwise arc bulges out of a counter-clockwise outline.
  const int turning = Turning(corners, segments);
  for (CircularSegment& s : segments) s.sign *= turning;
  if (turning > 0) std::reverse(segments.begin(), segments.end());
  return segments;
}

long double SegmentArea(long double radius, long double angle) {
  return radius * radius * (angle - std::sin(angle)) / 2;
}
