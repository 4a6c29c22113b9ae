#include "division/RegionDivision.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "division/PolygonOperations.h"
#include "division/TriangulationCheck.h"
#include "geometry/PlaneGeometry.h"

namespace {

constexpr long double kTargetAngle = kPi / 3;

// Distance of a corner angle from the preferred 60°.
long double Deviation(double angle) { return std::fabs(angle - kTargetAngle); }

// For each vertex of the traced polygon, the other vertices within the vertex tolerance of it
// (nearly always none): found once by sweeping along x.
std::vector<std::vector<std::size_t>> NearVertices(std::span<const TAcadPoint> traced) {
  std::vector<std::size_t> order(traced.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return traced[a].x < traced[b].x; });
  std::vector<std::vector<std::size_t>> near(traced.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    for (std::size_t j = i + 1;
         j < order.size() && traced[order[j]].x - traced[order[i]].x < kVertexTolerance; ++j)
      if (SamePoint(traced[order[i]], traced[order[j]], kVertexTolerance)) {
        near[order[i]].push_back(order[j]);
        near[order[j]].push_back(order[i]);
      }
  return near;
}

// The working polygon with what the ear choice needs of each vertex kept beside it: its
// deviation (only the two neighbours of a removed vertex change) and whether it lies on a
// vertex skipped since the last cut (kept by traced vertex, so a skip marks the vertex and its
// near neighbours instead of comparing every vertex). Both give exactly what recomputing them
// every pass gives.
class WorkingPolygon {
 public:
  explicit WorkingPolygon(std::span<const TAcadPoint> traced)
      : points_(traced.begin(), traced.end()),
        traced_(points_.size()),
        deviation_(points_.size()),
        near_(NearVertices(traced)),
        skipped_(points_.size(), false) {
    for (std::size_t k = 0; k < points_.size(); ++k) traced_[k] = k, UpdateDeviation(k);
  }

  std::size_t size() const { return points_.size(); }
  std::span<const TAcadPoint> points() const { return points_; }
  const TAcadPoint& at(std::ptrdiff_t index) const { return CyclicVertex(points_, index); }

  // The first vertex not skipped whose deviation is the smallest; −1 when all are skipped.
  std::ptrdiff_t ChooseTip() const {
    std::ptrdiff_t tip = -1;
    double best = 0;
    for (std::size_t k = 0; k < points_.size(); ++k) {
      if (skipped_[traced_[k]]) continue;
      if (tip < 0 || deviation_[k] < best)
        tip = static_cast<std::ptrdiff_t>(k), best = deviation_[k];
    }
    return tip;
  }

  // Skips the vertex at index (cyclic) and every vertex within the tolerance of it.
  void Skip(std::ptrdiff_t index) {
    const auto n = static_cast<std::ptrdiff_t>(points_.size());
    const std::size_t v = traced_[static_cast<std::size_t>((index % n + n) % n)];
    Mark(v);
    for (std::size_t w : near_[v]) Mark(w);
  }

  void ClearSkipped() {
    for (std::size_t v : marked_) skipped_[v] = false;
    marked_.clear();
  }

  // As RemoveVertex: the first vertex within the tolerance of p goes.
  void Remove(const TAcadPoint& p) {
    const std::ptrdiff_t i = FindVertex(p, points_);
    if (i < 0) return;
    points_.erase(points_.begin() + i);
    traced_.erase(traced_.begin() + i);
    deviation_.erase(deviation_.begin() + i);
    if (points_.empty()) return;
    const auto n = static_cast<std::ptrdiff_t>(points_.size());
    UpdateDeviation(static_cast<std::size_t>((i - 1 + n) % n));
    UpdateDeviation(static_cast<std::size_t>(i % n));
  }

 private:
  void UpdateDeviation(std::size_t k) {
    const auto i = static_cast<std::ptrdiff_t>(k);
    deviation_[k] = static_cast<double>(Deviation(AngleAt(at(i - 1), at(i), at(i + 1))));
  }

  void Mark(std::size_t v) {
    if (!skipped_[v]) skipped_[v] = true, marked_.push_back(v);
  }

  std::vector<TAcadPoint> points_;
  std::vector<std::size_t> traced_;  // index in the traced polygon of each working vertex
  std::vector<double> deviation_;
  std::vector<std::vector<std::size_t>> near_;
  std::vector<char> skipped_;  // by traced vertex
  std::vector<std::size_t> marked_;
};

}  // namespace

DivisionResult DividePolygon(std::span<const TAcadPoint> traced, double viewSize) {
  DivisionResult result;
  const std::size_t count = traced.size();
  if (count < 3) return {DivisionOutcome::kTooFewVertices, {}, {}};
  WorkingPolygon working(traced);
  auto valid = [&](const TAcadPoint& a, const TAcadPoint& c) {
    return DiagonalValid(a, c, traced, working.points(), viewSize);
  };
  auto cut = [&](const TAcadPoint& a, const TAcadPoint& tip, const TAcadPoint& c) {
    result.diagonals.push_back({a, c});
    result.triangles.push_back({a, tip, c});
  };
  const std::size_t all = count - 2;
  const std::size_t passLimit = 4 * count;
  for (std::size_t pass = 0; working.size() != 3 && pass != passLimit; ++pass) {
    const std::ptrdiff_t tip = working.ChooseTip();
    if (working.size() <= 3) continue;
    const TAcadPoint a = working.at(tip - 1), b = working.at(tip), c = working.at(tip + 1);
    if (!valid(a, c)) {
      working.Skip(tip);
      continue;
    }
    working.ClearSkipped();
    cut(a, b, c);
    if (result.triangles.size() == all) break;

    // Beside the cut, the ear at whichever of its corners comes nearer 60° once b is gone,
    // and after it a third ear fanning from the same far corner.
    const TAcadPoint p = working.at(tip - 2), s = working.at(tip + 2);
    const long double left = AngleAt(p, a, c), right = AngleAt(a, c, s);
    working.Remove(b);
    const bool atA = std::fabs(left - kTargetAngle) < std::fabs(right - kTargetAngle);
    const TAcadPoint x = atA ? p : s, y = atA ? a : c, z = atA ? c : a, w = atA ? s : p;
    if (working.size() <= 3 || !valid(x, z)) continue;
    cut(x, y, z);
    working.Remove(y);
    if (result.triangles.size() == all) break;
    if (working.size() <= 3 || !valid(x, w)) continue;
    cut(x, z, w);
    working.Remove(z);
    if (result.triangles.size() == all) break;
  }
  if (working.size() != 3) return {DivisionOutcome::kUnfinished, {}, {}};
  result.triangles.push_back({working.at(0), working.at(1), working.at(2)});
  // Rounding and vertices closer than the tolerance can defeat the checks of a cut; a set of
  // triangles that does not tile the polygon is no division.
  if (CheckTiling(traced, result.triangles) != TilingFault::kNone)
    return {DivisionOutcome::kNotATiling, {}, {}};
  result.outcome = DivisionOutcome::kDivided;
  return result;
}
