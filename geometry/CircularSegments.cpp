#include "geometry/CircularSegments.h"

#include <algorithm>
#include <cmath>

#include "geometry/PlaneGeometry.h"

std::vector<CircularSegment> OutlineSegments(const std::vector<TAcadPoint>& corners,
                                             const std::vector<double>& bulges) {
  std::vector<CircularSegment> segments;
  const std::size_t n = corners.size();
  if (n < 2) return segments;
  // A bulge > 0 turns counter-clockwise from one corner to the next, which is the outside of a
  // counter-clockwise outline.
  const int turning = DoubleSignedArea(corners) < 0 ? -1 : 1;
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
    s.sign = (b > 0 ? 1 : -1) * turning;
    // The arc's middle lies the sagitta |b|·c/2 off the chord's middle, to the right of the
    // direction st→ed for a positive bulge.
    const long double sagitta = std::fabs(b) * s.chord / 2;
    const long double side = b > 0 ? 1 : -1;
    s.arcMiddle.x = (s.st.x + s.ed.x) / 2 + side * sagitta * dy / s.chord;
    s.arcMiddle.y = (s.st.y + s.ed.y) / 2 - side * sagitta * dx / s.chord;
    s.arcMiddle.z = (s.st.z + s.ed.z) / 2;
    segments.push_back(s);
  }
  if (turning > 0) std::reverse(segments.begin(), segments.end());
  return segments;
}

long double SegmentArea(long double radius, long double angle) {
  return radius * radius * (angle - std::sin(angle)) / 2;
}

long double SegmentAngle(long double chord, long double radius, bool major) {
  if (!(radius > 0)) return 0;
  const long double half = chord / (2 * radius);
  const long double minor = 2 * std::asin(half >= 1 ? 1 : half <= 0 ? 0 : half);
  return major ? 2 * kPi - minor : minor;
}
