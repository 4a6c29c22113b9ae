// The pieces are cut at every meeting point into edges of a plane graph; edges on no closed
// loop (dangling ones, and lines joining two figures) are pruned; faces are walked with the face on
// the left of each half-edge, so that bounded faces run counter-clockwise and the outline of every
// connected part runs clockwise. The region is the smallest counter-clockwise face around the
// point; islands are the parts whose outline lies directly inside it.
#include "hostsim/Boundary.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <unordered_map>

namespace hostsim {

namespace {

struct Edge {
  int u, v;  // nodes at the piece's start and end
  Piece piece;
  bool alive = true;
};

struct Half {
  int edge;
  bool forward;  // along the piece
  int from, to;
  double angle;  // direction of departure
  double curvature;
};

struct Cycle {
  std::vector<int> halves;
  double area = 0;
  std::vector<Vec> polygon;  // for containment tests, arcs flattened
  Box box;
};

class Graph {
 public:
  explicit Graph(double eps) : eps_(eps), cell_(eps * 4) {}

  int Node(Vec p) {
    long long gx = static_cast<long long>(std::floor(p.x / cell_));
    long long gy = static_cast<long long>(std::floor(p.y / cell_));
    for (long long dx = -1; dx <= 1; ++dx) {
      for (long long dy = -1; dy <= 1; ++dy) {
        auto it = grid_.find(Key(gx + dx, gy + dy));
        if (it == grid_.end()) continue;
        for (int n : it->second) {
          if (std::fabs(nodes[n].x - p.x) <= eps_ && std::fabs(nodes[n].y - p.y) <= eps_) return n;
        }
      }
    }
    nodes.push_back(p);
    grid_[Key(gx, gy)].push_back(static_cast<int>(nodes.size() - 1));
    return static_cast<int>(nodes.size() - 1);
  }

  std::vector<Vec> nodes;
  std::vector<Edge> edges;

 private:
  static long long Key(long long x, long long y) { return x * 73856093LL ^ y * 19349663LL; }
  double eps_, cell_;
  std::unordered_map<long long, std::vector<int>> grid_;
};

// A line joining two closed figures (a building tied to a side of its parcel) lies on no closed
// loop: it bounds nothing, and a face walked along it would run over it twice.
void RemoveBridges(std::vector<Edge>& edges, const std::vector<std::vector<int>>& incident) {
  const int n = static_cast<int>(incident.size());
  std::vector<int> order(n, -1), low(n, 0);
  struct Frame {
    int node;
    int via;  // the edge that led here
    std::size_t next;
  };
  std::vector<Frame> stack;
  std::vector<int> bridges;
  int counter = 0;
  for (int root = 0; root < n; ++root) {
    if (order[root] >= 0) continue;
    order[root] = low[root] = counter++;
    stack.push_back({root, -1, 0});
    while (!stack.empty()) {
      Frame& f = stack.back();
      if (f.next < incident[f.node].size()) {
        int e = incident[f.node][f.next++];
        if (!edges[e].alive || e == f.via) continue;
        int w = edges[e].u == f.node ? edges[e].v : edges[e].u;
        if (order[w] >= 0) {
          low[f.node] = std::min(low[f.node], order[w]);
          continue;
        }
        order[w] = low[w] = counter++;
        stack.push_back({w, e, 0});
        continue;
      }
      Frame done = f;
      stack.pop_back();
      if (stack.empty()) continue;
      int parent = stack.back().node;
      low[parent] = std::min(low[parent], low[done.node]);
      if (low[done.node] > order[parent]) bridges.push_back(done.via);
    }
  }
  for (int e : bridges) edges[e].alive = false;
}

double Length(const Piece& p) {
  return p.arc ? p.r * p.sweep : std::hypot(p.b.x - p.a.x, p.b.y - p.a.y);
}

// Pairs of pieces whose extents meet: by a uniform grid, or by trying every pair.
std::vector<std::pair<int, int>> CandidatePairs(const std::vector<Piece>& ps,
                                                const std::vector<Box>& boxes, double eps,
                                                IntersectionSearch search) {
  std::vector<std::pair<int, int>> out;
  auto overlap = [&](int i, int j) {
    const Box &a = boxes[i], &b = boxes[j];
    return a.x0 <= b.x1 + eps && b.x0 <= a.x1 + eps && a.y0 <= b.y1 + eps && b.y0 <= a.y1 + eps;
  };
  int n = static_cast<int>(ps.size());
  if (search == IntersectionSearch::AllPairs) {
    for (int i = 0; i < n; ++i) {
      for (int j = i + 1; j < n; ++j) {
        if (overlap(i, j)) out.push_back({i, j});
      }
    }
    return out;
  }
  Box all;
  double sizeSum = 0;
  for (const Box& b : boxes) {
    all.Add(b);
    sizeSum += std::max(b.x1 - b.x0, b.y1 - b.y0);
  }
  double cell = std::max(sizeSum / std::max(n, 1), eps * 16);
  // Keep the grid to a sensible number of cells.
  double span = std::max(all.x1 - all.x0, all.y1 - all.y0);
  cell = std::max(cell, span / 2048);
  std::unordered_map<long long, std::vector<int>> grid;
  auto key = [](long long x, long long y) { return (x << 32) ^ (y & 0xffffffffLL); };
  for (int i = 0; i < n; ++i) {
    long long x0 = static_cast<long long>(std::floor((boxes[i].x0 - all.x0 - eps) / cell));
    long long x1 = static_cast<long long>(std::floor((boxes[i].x1 - all.x0 + eps) / cell));
    long long y0 = static_cast<long long>(std::floor((boxes[i].y0 - all.y0 - eps) / cell));
    long long y1 = static_cast<long long>(std::floor((boxes[i].y1 - all.y0 + eps) / cell));
    for (long long x = x0; x <= x1; ++x) {
      for (long long y = y0; y <= y1; ++y) grid[key(x, y)].push_back(i);
    }
  }
  for (auto& [k, list] : grid) {
    for (std::size_t a = 0; a < list.size(); ++a) {
      for (std::size_t b = a + 1; b < list.size(); ++b) {
        int i = list[a], j = list[b];
        if (overlap(i, j)) out.push_back({std::min(i, j), std::max(i, j)});
      }
    }
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

double AreaOf(const Piece& p, bool forward) {
  double a = AreaTerm(p);
  return forward ? a : -a;
}

void Flatten(const Piece& p, bool forward, std::vector<Vec>& out) {
  if (!p.arc) {
    out.push_back(forward ? p.a : p.b);
    return;
  }
  int n = std::max(8, static_cast<int>(p.sweep / (2 * kPi) * 128));
  for (int k = 0; k < n; ++k) {
    double t = static_cast<double>(k) / n;
    out.push_back(PointAt(p, forward ? t : 1 - t));
  }
}

bool Contains(const Cycle& c, Vec p) {
  if (!c.box.Contains(p)) return false;
  bool in = false;
  const auto& poly = c.polygon;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    if ((poly[i].y > p.y) != (poly[j].y > p.y)) {
      double x = poly[j].x + (p.y - poly[j].y) * (poly[i].x - poly[j].x) / (poly[i].y - poly[j].y);
      if (p.x < x) in = !in;
    }
  }
  return in;
}

}  // namespace

BoundaryResult TraceBoundary(const std::vector<Piece>& input, Vec inside,
                             IntersectionSearch search) {
  BoundaryResult result;
  // Pieces beyond the range of doubles (objects moved out to infinity) bound nothing.
  auto finite = [](const Piece& p) {
    return std::isfinite(p.a.x) && std::isfinite(p.a.y) && std::isfinite(p.b.x) &&
           std::isfinite(p.b.y) && std::isfinite(p.c.x) && std::isfinite(p.c.y) &&
           std::isfinite(p.r) && std::fabs(p.a.x) < 1e150 && std::fabs(p.a.y) < 1e150 &&
           std::fabs(p.b.x) < 1e150 && std::fabs(p.b.y) < 1e150;
  };
  double mag = 1;
  for (const Piece& p : input) {
    if (!finite(p)) continue;
    mag = std::max({mag, std::fabs(p.a.x), std::fabs(p.a.y), std::fabs(p.b.x), std::fabs(p.b.y)});
  }
  const double eps = 1e-9 * mag;

  std::vector<Piece> ps;
  for (const Piece& p : input) {
    if (finite(p) && Length(p) > eps) ps.push_back(p);
  }
  std::vector<Box> boxes;
  boxes.reserve(ps.size());
  for (const Piece& p : ps) boxes.push_back(Extent(p));

  // Where each piece is cut.
  std::vector<std::vector<double>> cuts(ps.size());
  for (std::size_t i = 0; i < ps.size(); ++i) {
    cuts[i] = {0.0, 1.0};
    if (ps[i].arc && ps[i].sweep >= 2 * kPi - 1e-12) cuts[i].push_back(0.5);
  }
  for (auto [i, j] : CandidatePairs(ps, boxes, eps, search)) {
    for (Vec pt : Intersections(ps[i], ps[j], eps)) {
      cuts[i].push_back(ParamOf(ps[i], pt));
      cuts[j].push_back(ParamOf(ps[j], pt));
    }
  }

  Graph g(eps);
  // Duplicate edges (overlapping objects) are kept once.
  std::unordered_map<long long, std::vector<int>> byEnds;
  for (std::size_t i = 0; i < ps.size(); ++i) {
    auto& c = cuts[i];
    std::sort(c.begin(), c.end());
    for (std::size_t k = 0; k + 1 < c.size(); ++k) {
      if (c[k + 1] - c[k] <= 0) continue;
      Piece sub = SubPiece(ps[i], c[k], c[k + 1]);
      if (Length(sub) <= eps) continue;
      int u = g.Node(sub.a), v = g.Node(sub.b);
      if (u == v) continue;
      Vec mid = PointAt(sub, 0.5);
      long long key = static_cast<long long>(std::min(u, v)) * 1000003LL + std::max(u, v);
      bool dup = false;
      for (int e : byEnds[key]) {
        Vec m2 = PointAt(g.edges[e].piece, 0.5);
        if (std::fabs(m2.x - mid.x) <= eps * 8 && std::fabs(m2.y - mid.y) <= eps * 8) dup = true;
      }
      if (dup) continue;
      byEnds[key].push_back(static_cast<int>(g.edges.size()));
      g.edges.push_back({u, v, sub, true});
    }
  }

  // Prune what cannot bound anything: edges ending in a node of degree one.
  std::vector<int> degree(g.nodes.size(), 0);
  std::vector<std::vector<int>> incident(g.nodes.size());
  for (std::size_t e = 0; e < g.edges.size(); ++e) {
    ++degree[g.edges[e].u];
    ++degree[g.edges[e].v];
    incident[g.edges[e].u].push_back(static_cast<int>(e));
    incident[g.edges[e].v].push_back(static_cast<int>(e));
  }
  std::vector<int> queue;
  for (std::size_t n = 0; n < degree.size(); ++n) {
    if (degree[n] == 1) queue.push_back(static_cast<int>(n));
  }
  while (!queue.empty()) {
    int n = queue.back();
    queue.pop_back();
    for (int e : incident[n]) {
      if (!g.edges[e].alive) continue;
      g.edges[e].alive = false;
      int other = g.edges[e].u == n ? g.edges[e].v : g.edges[e].u;
      --degree[n];
      if (--degree[other] == 1) queue.push_back(other);
    }
  }
  RemoveBridges(g.edges, incident);

  // Half-edges, sorted counter-clockwise around each node.
  std::vector<Half> halves;
  std::vector<std::vector<int>> out(g.nodes.size());
  for (std::size_t e = 0; e < g.edges.size(); ++e) {
    const Edge& ed = g.edges[e];
    if (!ed.alive) continue;
    const Piece& p = ed.piece;
    double a0, a1, k = 0;
    if (p.arc) {
      a0 = NormalizeAngle(p.a0 + kPi / 2);
      a1 = NormalizeAngle(p.a0 + p.sweep - kPi / 2);
      k = 1 / p.r;
    } else {
      a0 = Angle(p.a, p.b);
      a1 = Angle(p.b, p.a);
    }
    out[ed.u].push_back(static_cast<int>(halves.size()));
    halves.push_back({static_cast<int>(e), true, ed.u, ed.v, a0, k});
    out[ed.v].push_back(static_cast<int>(halves.size()));
    halves.push_back({static_cast<int>(e), false, ed.v, ed.u, a1, -k});
  }
  if (halves.empty()) return result;
  for (auto& list : out) {
    std::sort(list.begin(), list.end(), [&](int x, int y) {
      const Half &hx = halves[x], &hy = halves[y];
      double d = hx.angle - hy.angle;
      if (std::fabs(d) > 1e-10 && std::fabs(std::fabs(d) - 2 * kPi) > 1e-10) return d < 0;
      return hx.curvature < hy.curvature;
    });
  }
  std::vector<int> position(halves.size());
  for (auto& list : out) {
    for (std::size_t k = 0; k < list.size(); ++k) position[list[k]] = static_cast<int>(k);
  }
  auto twin = [](int h) { return h ^ 1; };
  auto next = [&](int h) {
    const auto& list = out[halves[h].to];
    int k = position[twin(h)];
    return list[(k + static_cast<int>(list.size()) - 1) % list.size()];
  };

  // Connected parts, to tell a part's own faces from islands.
  std::vector<int> part(g.nodes.size());
  std::iota(part.begin(), part.end(), 0);
  std::function<int(int)> find = [&](int x) { return part[x] == x ? x : part[x] = find(part[x]); };
  for (const Edge& ed : g.edges) {
    if (ed.alive) part[find(ed.u)] = find(ed.v);
  }

  std::vector<Cycle> cycles;
  std::vector<bool> seen(halves.size(), false);
  for (std::size_t h0 = 0; h0 < halves.size(); ++h0) {
    if (seen[h0]) continue;
    Cycle c;
    int h = static_cast<int>(h0);
    while (!seen[h]) {
      seen[h] = true;
      c.halves.push_back(h);
      const Half& hh = halves[h];
      const Piece& p = g.edges[hh.edge].piece;
      c.area += AreaOf(p, hh.forward);
      Flatten(p, hh.forward, c.polygon);
      h = next(h);
    }
    for (Vec v : c.polygon) c.box.Add(v);
    cycles.push_back(std::move(c));
  }

  const double tinyArea = eps * eps;
  auto smallestAround = [&](Vec p, int skipPart) {
    int best = -1;
    for (std::size_t k = 0; k < cycles.size(); ++k) {
      const Cycle& c = cycles[k];
      if (c.area <= tinyArea) continue;
      if (skipPart >= 0 && find(halves[c.halves[0]].from) == skipPart) continue;
      if (best >= 0 && c.area >= cycles[best].area) continue;
      if (Contains(c, p)) best = static_cast<int>(k);
    }
    return best;
  };
  int region = smallestAround(inside, -1);
  if (region < 0) return result;

  auto toLoop = [&](const Cycle& c, bool reverse) {
    Loop loop;
    std::vector<int> hs = c.halves;
    if (reverse) {
      std::reverse(hs.begin(), hs.end());
      for (int& h : hs) h = twin(h);
    }
    for (int h : hs) {
      const Half& hh = halves[h];
      const Piece& p = g.edges[hh.edge].piece;
      Vec from = g.nodes[hh.from];
      double bulge = p.arc ? std::tan(p.sweep / 4) * (hh.forward ? 1 : -1) : 0;
      loop.push_back({from.x, from.y, bulge, 0, 0});
    }
    // Start at the lowest, then leftmost, vertex.
    auto low =
        std::min_element(loop.begin(), loop.end(), [](const PolyVertex& a, const PolyVertex& b) {
          return a.y != b.y ? a.y < b.y : a.x < b.x;
        });
    std::rotate(loop.begin(), low, loop.end());
    return loop;
  };

  result.found = true;
  result.outer = toLoop(cycles[region], false);
  int regionPart = find(halves[cycles[region].halves[0]].from);
  for (std::size_t k = 0; k < cycles.size(); ++k) {
    const Cycle& c = cycles[k];
    if (c.area >= -tinyArea) continue;
    int p = find(halves[c.halves[0]].from);
    if (p == regionPart) continue;
    const Half& first = halves[c.halves[0]];
    Vec sample = PointAt(g.edges[first.edge].piece, 0.5);
    if (!cycles[region].box.Contains(sample) || !Contains(cycles[region], sample)) continue;
    if (smallestAround(sample, p) != region) continue;
    result.islands.push_back(toLoop(c, true));
  }
  return result;
}

}  // namespace hostsim
