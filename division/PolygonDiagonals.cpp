#include "division/PolygonDiagonals.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "geometry/Orientation.h"

namespace {

using Index = std::size_t;
// Steps of work (WorkBudget, about 10 ns each): a side tested against a diagonal (up to four
// exact orientations), the two ends' cones of a diagonal.
constexpr long long kTouchWork = 10, kConeWork = 10;

// p lies in the closed box of a–b (and so, being on its line, on the segment).
bool InBox(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& p) {
  return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
         p.y <= std::max(a.y, b.y);
}

// Closed segments a–b and c–d share a point. Most pairs are settled by the first two
// orientations: both ends of one strictly on one side of the other.
bool Touch(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c, const TAcadPoint& d) {
  const int o1 = Orientation(a, b, c), o2 = Orientation(a, b, d);
  if (o1 == o2 && o1 != 0) return false;
  const int o3 = Orientation(c, d, a), o4 = Orientation(c, d, b);
  if (o3 == o4 && o3 != 0) return false;
  if (o1 * o2 < 0 && o3 * o4 < 0) return true;
  return (o1 == 0 && InBox(a, b, c)) || (o2 == 0 && InBox(a, b, d)) ||
         (o3 == 0 && InBox(c, d, a)) || (o4 == 0 && InBox(c, d, b));
}

// The sides in a grid of about n square-ish cells over the polygon's box, each side in every cell
// its box overlaps: a diagonal then meets only the sides near its path, not all n.
class SideGrid {
 public:
  explicit SideGrid(std::span<const TAcadPoint> ring) : ring_(ring) {
    const Index n = ring.size();
    minX_ = maxX_ = ring[0].x, minY_ = maxY_ = ring[0].y;
    for (const TAcadPoint& p : ring) {
      minX_ = std::min(minX_, p.x), maxX_ = std::max(maxX_, p.x);
      minY_ = std::min(minY_, p.y), maxY_ = std::max(maxY_, p.y);
    }
    const long double w = maxX_ - minX_, h = maxY_ - minY_;
    const long double side = std::sqrt(std::max(w * h, 1e-30L) / static_cast<long double>(n));
    columns_ = std::clamp<long long>(static_cast<long long>(w / side) + 1, 1, 4 * n);
    rows_ = std::clamp<long long>(static_cast<long long>(h / side) + 1, 1, 4 * n);
    cellW_ = w > 0 ? w / columns_ : 1, cellH_ = h > 0 ? h / rows_ : 1;
    cells_.resize(columns_ * rows_);
    for (Index e = 0; e < n; ++e) {
      const TAcadPoint &a = ring[e], &b = ring[(e + 1) % n];
      for (long long cx = Column(std::min(a.x, b.x)); cx <= Column(std::max(a.x, b.x)); ++cx)
        for (long long cy = Row(std::min(a.y, b.y)); cy <= Row(std::max(a.y, b.y)); ++cy)
          cells_[cx * rows_ + cy].push_back(static_cast<std::uint32_t>(e));
    }
  }

  // Calls f(side) for every side in a cell that the segment a–b may pass through (a side may
  // come more than once): per column of cells, the rows between the segment's heights a column
  // beyond either edge and one more row on each side, so that rounding cannot lose a cell.
  // False once the budget is spent.
  template <class F>
  bool ForSidesNear(const TAcadPoint& a, const TAcadPoint& b, WorkBudget& work, F f) const {
    const long double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const long double slope = a.x == b.x ? 0 : (b.y - a.y) / (b.x - a.x);
    for (long long cx = Column(x0); cx <= Column(x1); ++cx) {
      long double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
      if (a.x != b.x) {
        // The neighbouring columns' width too: a point that rounding puts into this column
        // lies within them, however steep the segment.
        const long double l = std::max(x0, minX_ + (cx - 1) * cellW_);
        const long double r = std::min(x1, minX_ + (cx + 2) * cellW_);
        const long double yl = a.y + slope * (l - a.x), yr = a.y + slope * (r - a.x);
        y0 = std::max(y0, std::min(yl, yr)), y1 = std::min(y1, std::max(yl, yr));
      }
      const long long from = std::max(Row(y0) - 1, 0LL), to = std::min(Row(y1) + 1, rows_ - 1);
      if (!work.Spend(to - from + 1)) return false;
      for (long long cy = from; cy <= to; ++cy)
        for (std::uint32_t e : cells_[cx * rows_ + cy]) f(e);
    }
    return true;
  }

 private:
  long long Column(long double x) const {
    return std::clamp<long long>(static_cast<long long>((x - minX_) / cellW_), 0, columns_ - 1);
  }
  long long Row(long double y) const {
    return std::clamp<long long>(static_cast<long long>((y - minY_) / cellH_), 0, rows_ - 1);
  }

  std::span<const TAcadPoint> ring_;
  long double minX_, maxX_, minY_, maxY_, cellW_ = 1, cellH_ = 1;
  long long columns_ = 1, rows_ = 1;
  std::vector<std::vector<std::uint32_t>> cells_;
};

}  // namespace

std::vector<char> OpenDiagonals(std::span<const TAcadPoint> ring, WorkBudget& work) {
  const Index n = ring.size();
  std::vector<char> open(n * n);
  auto inCone = [&](Index v, Index p) {  // from v towards p strictly into the polygon
    const TAcadPoint& u = ring[(v + n - 1) % n];
    const TAcadPoint& w = ring[(v + 1) % n];
    const int left = Orientation(u, ring[v], ring[p]), right = Orientation(ring[v], w, ring[p]);
    if (Orientation(u, ring[v], w) >= 0) return left > 0 && right > 0;
    return left > 0 || right > 0;
  };
  for (Index i = 0; i < n; ++i) open[i * n + (i + 1) % n] = open[(i + 1) % n * n + i] = 1;
  // Strictly convex (a curve drawn as a polyline): every pair sees each other, and the sides
  // lie close along every short diagonal, where the grid would test them all.
  bool convex = true;
  for (Index i = 0; i < n && convex; ++i)
    convex = Orientation(ring[i], ring[(i + 1) % n], ring[(i + 2) % n]) > 0;
  if (!work.Spend(static_cast<long long>(n))) return {};
  if (convex) {
    std::fill(open.begin(), open.end(), 1);
    for (Index i = 0; i < n; ++i) open[i * n + i] = 0;
    return open;
  }
  const SideGrid grid(ring);
  std::vector<Index> seen(n, n * n);  // the diagonal a side was last tested against
  for (Index i = 0; i < n; ++i) {
    for (Index j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;
      if (!work.Spend(kConeWork)) return {};
      if (!inCone(i, j) || !inCone(j, i)) continue;
      const Index id = i * n + j;
      const TAcadPoint &a = ring[i], &b = ring[j];
      bool clear = true;
      const bool done = grid.ForSidesNear(a, b, work, [&](Index e) {
        const Index f = (e + 1) % n;
        if (!clear || seen[e] == id || e == i || e == j || f == i || f == j) return;
        seen[e] = id;
        work.Spend(kTouchWork);
        clear = !Touch(a, b, ring[e], ring[f]);
      });
      if (!done || work.Spent()) return {};
      if (clear) open[id] = open[j * n + i] = 1;
    }
  }
  return open;
}
