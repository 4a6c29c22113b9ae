#include "division/BestShapeDivision.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "division/AgreeingTriangulation.h"
#include "division/TriangulationCheck.h"
#include "geometry/Orientation.h"
#include "geometry/Triangles.h"
#include "numbers/X87Math.h"

namespace {

using Index = std::size_t;
using Corners = TriangleCorners;

// The polygon's vertices, seen counter-clockwise whatever the traced order.
class Ring {
 public:
  Ring(std::span<const TAcadPoint> polygon, bool reversed)
      : polygon_(polygon), reversed_(reversed) {}
  const TAcadPoint& operator[](Index i) const {
    return polygon_[reversed_ ? polygon_.size() - 1 - i : i];
  }
  Index size() const { return polygon_.size(); }

 private:
  std::span<const TAcadPoint> polygon_;
  bool reversed_;
};

// Ear clipping with exact orientation: a strictly convex corner whose triangle holds no other
// remaining vertex, not even on its sides. Every simple polygon has one while more than three
// vertices remain, and it never cuts a flat triangle.
bool ClipEars(const Ring& ring, std::vector<Corners>& triangles) {
  const Index n = ring.size();
  std::vector<Index> prev(n), next(n);
  for (Index i = 0; i < n; ++i) prev[i] = (i + n - 1) % n, next[i] = (i + 1) % n;
  auto isEar = [&](Index i) {
    const Index a = prev[i], c = next[i];
    if (Orientation(ring[a], ring[i], ring[c]) <= 0) return false;
    // The closed box of the triangle holds the closed triangle: most vertices are outside it.
    const long double minX = std::min({ring[a].x, ring[i].x, ring[c].x});
    const long double maxX = std::max({ring[a].x, ring[i].x, ring[c].x});
    const long double minY = std::min({ring[a].y, ring[i].y, ring[c].y});
    const long double maxY = std::max({ring[a].y, ring[i].y, ring[c].y});
    for (Index j = next[c]; j != a; j = next[j]) {
      const TAcadPoint& p = ring[j];
      if (p.x < minX || p.x > maxX || p.y < minY || p.y > maxY) continue;
      if (Orientation(ring[a], ring[i], p) >= 0 && Orientation(ring[i], ring[c], p) >= 0 &&
          Orientation(ring[c], ring[a], p) >= 0)
        return false;
    }
    return true;
  };
  std::vector<char> ear(n);
  for (Index i = 0; i < n; ++i) ear[i] = isEar(i);
  Index remaining = n, i = 0, sinceLastCut = 0;
  while (remaining > 3) {
    if (ear[i]) {
      const Index a = prev[i], c = next[i];
      triangles.push_back({a, i, c});
      next[a] = c, prev[c] = a;
      --remaining;
      ear[a] = isEar(a);
      ear[c] = isEar(c);
      i = c;
      sinceLastCut = 0;
      continue;
    }
    i = next[i];
    if (++sinceLastCut > remaining) return false;  // no ear: not a simple polygon
  }
  triangles.push_back({prev[i], i, next[i]});
  return true;
}

// Flips every diagonal whose convex quadrilateral is better cut the other way (a larger
// smallest angle) until none is: the local max-min angle rule, which is the circle rule, and
// a triangulation where it holds everywhere is the constrained Delaunay one. Only clear gains
// are taken, so rounding cannot flip an edge back and forth.
void FlipToBestShape(const Ring& ring, std::vector<Corners>& triangles) {
  const Index n = ring.size();
  auto key = [](Index a, Index b) { return std::pair{std::min(a, b), std::max(a, b)}; };
  auto boundary = [&](Index a, Index b) { return (a + 1) % n == b || (b + 1) % n == a; };
  std::map<std::pair<Index, Index>, std::array<Index, 2>> sides;  // edge → its two triangles
  auto attach = [&](Index t) {
    for (int k = 0; k < 3; ++k) {
      const Index a = triangles[t][k], b = triangles[t][(k + 1) % 3];
      if (boundary(a, b)) continue;
      auto [it, fresh] = sides.try_emplace(key(a, b), std::array<Index, 2>{t, t});
      if (!fresh) it->second[1] = t;
    }
  };
  for (Index t = 0; t < triangles.size(); ++t) attach(t);
  std::vector<std::pair<Index, Index>> pending;
  for (const auto& [edge, _] : sides) pending.push_back(edge);
  constexpr long double kClearGain = 1e-12L;
  while (!pending.empty()) {
    // Plain names, not a structured binding: the lambda below captures them, which clang 14
    // (the fuzzing build) does not allow of bindings.
    const Index a = pending.back().first, b = pending.back().second;
    pending.pop_back();
    const auto found = sides.find({a, b});
    if (found == sides.end()) continue;
    const auto [t, u] = found->second;
    auto opposite = [&](Index tri) {
      for (Index v : triangles[tri])
        if (v != a && v != b) return v;
      return a;
    };
    const Index c = opposite(t), d = opposite(u);
    // The new diagonal c–d must cross a–b inside the quadrilateral, which is then convex.
    if (Orientation(ring[c], ring[d], ring[a]) * Orientation(ring[c], ring[d], ring[b]) >= 0)
      continue;
    const long double now = std::min(SmallestAngle(ring[a], ring[b], ring[c]),
                                     SmallestAngle(ring[a], ring[b], ring[d]));
    const long double flipped = std::min(SmallestAngle(ring[c], ring[d], ring[a]),
                                         SmallestAngle(ring[c], ring[d], ring[b]));
    if (flipped <= now + kClearGain) continue;
    // (a, b, c) and (b, a, d) become (c, d, a) and (c, d, b): the side d–a passes from u to
    // t, the side b–c from t to u, a–c and b–d stay.
    auto ccw = [&](Index p, Index q, Index r) {
      return Orientation(ring[p], ring[q], ring[r]) > 0 ? Corners{p, q, r} : Corners{p, r, q};
    };
    triangles[t] = ccw(c, d, a);
    triangles[u] = ccw(c, d, b);
    sides.erase(found);
    sides[key(c, d)] = {t, u};
    auto move = [&](Index p, Index q, Index from, Index to) {
      if (boundary(p, q)) return;
      for (Index& owner : sides[key(p, q)])
        if (owner == from) owner = to;
    };
    move(d, a, u, t);
    move(b, c, t, u);
    for (const auto& [p, q] : {std::pair{a, c}, std::pair{c, b}, std::pair{b, d}, std::pair{d, a}})
      if (!boundary(p, q)) pending.push_back(key(p, q));
  }
}

DivisionResult Divide(std::span<const TAcadPoint> polygon, const TableRounding* rounding,
                      long double target) {
  if (polygon.size() < 3) return {DivisionOutcome::kTooFewVertices, {}, {}};
  const long double area = DoubleSignedArea(polygon);
  if (area == 0) return {DivisionOutcome::kUnfinished, {}, {}};
  const Ring ring(polygon, area < 0);
  std::vector<Corners> corners;
  if (!ClipEars(ring, corners)) return {DivisionOutcome::kUnfinished, {}, {}};
  FlipToBestShape(ring, corners);
  if (rounding) {
    std::vector<TAcadPoint> ccw;
    for (Index i = 0; i < ring.size(); ++i) ccw.push_back(ring[i]);
    corners = AgreeingTriangulation(ccw, corners, *rounding, target);
  }

  DivisionResult result;
  const Index n = polygon.size();
  std::map<std::pair<Index, Index>, bool> drawn;
  for (const Corners& c : corners) {
    result.triangles.push_back({ring[c[0]], ring[c[1]], ring[c[2]]});
    for (int k = 0; k < 3; ++k) {
      const Index a = c[k], b = c[(k + 1) % 3];
      if ((a + 1) % n == b || (b + 1) % n == a) continue;
      if (drawn.emplace(std::pair{std::min(a, b), std::max(a, b)}, true).second)
        result.diagonals.push_back({ring[a], ring[b]});
    }
  }
  if (CheckTiling(polygon, result.triangles) != TilingFault::kNone)
    return {DivisionOutcome::kNotATiling, {}, {}};
  result.outcome = DivisionOutcome::kDivided;
  return result;
}

}  // namespace

DivisionResult DivideBestShape(std::span<const TAcadPoint> polygon) {
  return Divide(polygon, nullptr, 0);
}

DivisionResult DivideBestShape(std::span<const TAcadPoint> polygon, const TableRounding& rounding,
                               long double target) {
  return Divide(polygon, &rounding, target);
}
