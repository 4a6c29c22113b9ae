#include "division/TriangulationCheck.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "geometry/Orientation.h"

namespace {

long double Abs(long double v) { return v < 0 ? -v : v; }

struct Box {
  long double minX, minY, maxX, maxY;
};

Box BoxOf(std::span<const TAcadPoint> points) {
  Box b{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const TAcadPoint& p : points) {
    b.minX = std::min(b.minX, p.x), b.maxX = std::max(b.maxX, p.x);
    b.minY = std::min(b.minY, p.y), b.maxY = std::max(b.maxY, p.y);
  }
  return b;
}

// Open boxes overlap: sets that only touch along a box side cannot share interior points.
bool Overlap(const Box& a, const Box& b) {
  return a.minX < b.maxX && b.minX < a.maxX && a.minY < b.maxY && b.minY < a.maxY;
}

// A non-degenerate triangle, its corners counter-clockwise.
struct Tile {
  std::array<TAcadPoint, 3> p;
  Box box;
};

// Calls visit(i, j) for every pair of boxes of a and b whose open boxes overlap, sweeping
// along x so that far-apart pairs are never looked at. visit returns false to stop.
template <class Visit>
bool ForOverlappingPairs(const std::vector<Box>& a, const std::vector<Box>& b, Visit visit) {
  std::vector<std::size_t> ia(a.size()), ib(b.size());
  for (std::size_t i = 0; i < ia.size(); ++i) ia[i] = i;
  for (std::size_t i = 0; i < ib.size(); ++i) ib[i] = i;
  std::sort(ia.begin(), ia.end(), [&](auto l, auto r) { return a[l].minX < a[r].minX; });
  std::sort(ib.begin(), ib.end(), [&](auto l, auto r) { return b[l].minX < b[r].minX; });
  // For each box of a, the boxes of b starting before it ends; those starting left of it are
  // taken up by the pass over b below, so each pair is met once.
  std::size_t jStart = 0;
  for (std::size_t i = 0; i < ia.size(); ++i) {
    const Box& box = a[ia[i]];
    while (jStart < ib.size() && b[ib[jStart]].minX < box.minX) ++jStart;
    for (std::size_t j = jStart; j < ib.size() && b[ib[j]].minX < box.maxX; ++j)
      if (Overlap(box, b[ib[j]]) && !visit(ia[i], ib[j])) return false;
  }
  std::size_t iStart = 0;
  for (std::size_t j = 0; j < ib.size(); ++j) {
    const Box& box = b[ib[j]];
    while (iStart < ia.size() && a[ia[iStart]].minX <= box.minX) ++iStart;
    for (std::size_t i = iStart; i < ia.size() && a[ia[i]].minX < box.maxX; ++i)
      if (Overlap(box, a[ia[i]]) && !visit(ia[i], ib[j])) return false;
  }
  return true;
}

// The closed segment u–v meets the open triangle: no line through a side of the triangle or
// along the segment has them on its two sides.
bool SegmentMeetsInterior(const TAcadPoint& u, const TAcadPoint& v, const Tile& t) {
  for (int k = 0; k < 3; ++k) {
    const TAcadPoint& s = t.p[k];
    const TAcadPoint& e = t.p[(k + 1) % 3];
    if (Orientation(s, e, u) <= 0 && Orientation(s, e, v) <= 0) return false;
  }
  int above = 0, below = 0;
  for (const TAcadPoint& c : t.p) {
    const int o = Orientation(u, v, c);
    above += o > 0, below += o < 0;
  }
  return above > 0 && below > 0;
}

// Two open triangles overlap: no side of either has the other on its outer side.
bool InteriorsOverlap(const Tile& a, const Tile& b) {
  for (const auto* pair : {&a, &b}) {
    const Tile& t = *pair;
    const Tile& other = pair == &a ? b : a;
    for (int k = 0; k < 3; ++k) {
      const TAcadPoint& s = t.p[k];
      const TAcadPoint& e = t.p[(k + 1) % 3];
      if (Orientation(s, e, other.p[0]) <= 0 && Orientation(s, e, other.p[1]) <= 0 &&
          Orientation(s, e, other.p[2]) <= 0)
        return false;
    }
  }
  return true;
}

// Crossing parity of the ray straight up from q, for a q on no edge.
bool StrictlyInside(const TAcadPoint& q, std::span<const TAcadPoint> polygon) {
  bool inside = false;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const TAcadPoint& s = polygon[i];
    const TAcadPoint& e = polygon[i + 1 == polygon.size() ? 0 : i + 1];
    if ((s.x < q.x) == (e.x < q.x)) continue;
    if (Orientation(s, e, q) == (e.x > s.x ? -1 : 1)) inside = !inside;
  }
  return inside;
}

bool OnBoundary(const TAcadPoint& q, std::span<const TAcadPoint> polygon) {
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const TAcadPoint& s = polygon[i];
    const TAcadPoint& e = polygon[i + 1 == polygon.size() ? 0 : i + 1];
    if (Orientation(s, e, q) == 0 && std::min(s.x, e.x) <= q.x && q.x <= std::max(s.x, e.x) &&
        std::min(s.y, e.y) <= q.y && q.y <= std::max(s.y, e.y))
      return true;
  }
  return false;
}

bool ProperlyCross(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c,
                   const TAcadPoint& d) {
  return Orientation(a, b, c) * Orientation(a, b, d) < 0 &&
         Orientation(c, d, a) * Orientation(c, d, b) < 0;
}

bool AlongAnEdge(const TAcadPoint& p, const TAcadPoint& q, std::span<const TAcadPoint> polygon) {
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const TAcadPoint& s = polygon[i];
    const TAcadPoint& e = polygon[i + 1 == polygon.size() ? 0 : i + 1];
    auto within = [&](const TAcadPoint& r) {
      return std::min(s.x, e.x) <= r.x && r.x <= std::max(s.x, e.x) && std::min(s.y, e.y) <= r.y &&
             r.y <= std::max(s.y, e.y);
    };
    if (Orientation(s, e, p) == 0 && Orientation(s, e, q) == 0 && within(p) && within(q))
      return true;
  }
  return false;
}

// A flat triangle is the segment between its two farthest corners. Cut at the polygon's
// vertices on it, each piece runs along a side or, crossing none, lies wholly inside or
// wholly outside, which its midpoint tells.
bool FlatTriangleInside(const TAcadTriangle& t, std::span<const TAcadPoint> polygon) {
  const TAcadPoint* p[3] = {&t.p1, &t.p2, &t.p3};
  auto span = [](const TAcadPoint* u, const TAcadPoint* v) {
    return Abs(u->x - v->x) + Abs(u->y - v->y);
  };
  int far = 0;
  for (int k = 1; k < 3; ++k)
    if (span(p[k], p[(k + 1) % 3]) > span(p[far], p[(far + 1) % 3])) far = k;
  const TAcadPoint& u = *p[far];
  const TAcadPoint& v = *p[(far + 1) % 3];
  for (std::size_t i = 0; i < polygon.size(); ++i)
    if (ProperlyCross(u, v, polygon[i], polygon[i + 1 == polygon.size() ? 0 : i + 1])) return false;
  const bool alongX = Abs(v.x - u.x) >= Abs(v.y - u.y);
  auto param = [&](const TAcadPoint& r) {
    return alongX ? (r.x - u.x) / (v.x - u.x) : (r.y - u.y) / (v.y - u.y);
  };
  std::vector<TAcadPoint> cuts = {u, v};
  for (const TAcadPoint& w : polygon)
    if (Orientation(u, v, w) == 0 && param(w) > 0 && param(w) < 1) cuts.push_back(w);
  std::sort(cuts.begin(), cuts.end(),
            [&](const TAcadPoint& a, const TAcadPoint& b) { return param(a) < param(b); });
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    const TAcadPoint& a = cuts[i];
    const TAcadPoint& b = cuts[i + 1];
    if ((a.x == b.x && a.y == b.y) || AlongAnEdge(a, b, polygon)) continue;
    const TAcadPoint m{(a.x + b.x) / 2, (a.y + b.y) / 2, 0};
    if (!OnBoundary(m, polygon) && !StrictlyInside(m, polygon)) return false;
  }
  return true;
}

}  // namespace

TilingFault CheckTiling(std::span<const TAcadPoint> polygon,
                        std::span<const TAcadTriangle> triangles) {
  if (polygon.size() < 3 || triangles.size() != polygon.size() - 2) return TilingFault::kWrongCount;

  const long double area = Abs(DoubleSignedArea(polygon));
  long double sum = 0;
  std::vector<Tile> tiles;
  std::vector<const TAcadTriangle*> flat;
  for (const TAcadTriangle& t : triangles) {
    const TAcadPoint corners[3] = {t.p1, t.p2, t.p3};
    sum += Abs(DoubleSignedArea(corners));
    const int o = Orientation(t.p1, t.p2, t.p3);
    if (o == 0) {
      flat.push_back(&t);
      continue;
    }
    Tile tile{{t.p1, o > 0 ? t.p2 : t.p3, o > 0 ? t.p3 : t.p2}, BoxOf(corners)};
    tiles.push_back(tile);
  }
  // A polygon without area has nothing to tile.
  if (area == 0 || Abs(sum - area) > 1e-9L * area) return TilingFault::kAreaMismatch;

  std::vector<Box> tileBoxes;
  for (const Tile& t : tiles) tileBoxes.push_back(t.box);
  bool overlap = false;
  ForOverlappingPairs(tileBoxes, tileBoxes, [&](std::size_t i, std::size_t j) {
    if (i != j && InteriorsOverlap(tiles[i], tiles[j])) overlap = true;
    return !overlap;
  });
  if (overlap) return TilingFault::kOverlap;

  // No side of the polygon reaches into a tile, so each tile lies wholly inside or wholly
  // outside; a point inside it tells which.
  std::vector<Box> edgeBoxes;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const TAcadPoint edge[2] = {polygon[i], polygon[i + 1 == polygon.size() ? 0 : i + 1]};
    edgeBoxes.push_back(BoxOf(edge));
  }
  bool outside = false;
  ForOverlappingPairs(edgeBoxes, tileBoxes, [&](std::size_t e, std::size_t t) {
    outside =
        SegmentMeetsInterior(polygon[e], polygon[e + 1 == polygon.size() ? 0 : e + 1], tiles[t]);
    return !outside;
  });
  if (outside) return TilingFault::kOutside;
  for (const Tile& t : tiles) {
    const TAcadPoint c{(t.p[0].x + t.p[1].x + t.p[2].x) / 3, (t.p[0].y + t.p[1].y + t.p[2].y) / 3,
                       0};
    // A tile too thin to hold a representable inner point cannot be placed: refused.
    if (Orientation(t.p[0], t.p[1], c) <= 0 || Orientation(t.p[1], t.p[2], c) <= 0 ||
        Orientation(t.p[2], t.p[0], c) <= 0 || !StrictlyInside(c, polygon))
      return TilingFault::kOutside;
  }
  for (const TAcadTriangle* t : flat)
    if (!FlatTriangleInside(*t, polygon)) return TilingFault::kOutside;
  return TilingFault::kNone;
}

const char* TilingFaultName(TilingFault fault) {
  switch (fault) {
    case TilingFault::kNone:
      return "tiles";
    case TilingFault::kWrongCount:
      return "wrong count";
    case TilingFault::kAreaMismatch:
      return "areas differ";
    case TilingFault::kOverlap:
      return "overlap";
    case TilingFault::kOutside:
      return "outside";
  }
  return "?";
}
