#include "hostsim/Curves.h"

#include <algorithm>
#include <cmath>

namespace hostsim {

namespace {

Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
double Len(Vec a) { return std::hypot(a.x, a.y); }

double SegmentDistance(Vec a, Vec b, Vec q) {
  Vec d = Sub(b, a);
  double l2 = Dot(d, d);
  double t = l2 > 0 ? std::clamp(Dot(Sub(q, a), d) / l2, 0.0, 1.0) : 0.0;
  return Len(Sub(q, {a.x + d.x * t, a.y + d.y * t}));
}

void AddUnique(std::vector<Vec>& out, Vec p, double eps) {
  for (const Vec& o : out) {
    if (std::fabs(o.x - p.x) <= eps && std::fabs(o.y - p.y) <= eps) return;
  }
  out.push_back(p);
}

// Points of the line through a, b on the circle (c, r), as parameters along a→b.
std::vector<double> LineCircle(Vec a, Vec b, Vec c, double r, double eps) {
  Vec d = Sub(b, a);
  Vec f = Sub(a, c);
  double A = Dot(d, d);
  if (A == 0) return {};
  double B = 2 * Dot(f, d);
  double C = Dot(f, f) - r * r;
  double disc = B * B - 4 * A * C;
  // Tangency within the tolerance counts as one touching point.
  double len = std::sqrt(A);
  double distToLine = std::fabs(Cross(d, Sub(c, a))) / len;
  if (disc < 0) {
    if (std::fabs(distToLine - r) <= eps) return {-B / (2 * A)};
    return {};
  }
  double s = std::sqrt(disc);
  if (s == 0) return {-B / (2 * A)};
  return {(-B - s) / (2 * A), (-B + s) / (2 * A)};
}

}  // namespace

void Box::Add(Vec p) {
  x0 = std::min(x0, p.x);
  y0 = std::min(y0, p.y);
  x1 = std::max(x1, p.x);
  y1 = std::max(y1, p.y);
}

void Box::Add(const Box& b) {
  if (b.Empty()) return;
  Add(Vec{b.x0, b.y0});
  Add(Vec{b.x1, b.y1});
}

bool Box::Inside(const Box& outer) const {
  return !Empty() && x0 >= outer.x0 && x1 <= outer.x1 && y0 >= outer.y0 && y1 <= outer.y1;
}

double NormalizeAngle(double a) {
  a = std::fmod(a, 2 * kPi);
  if (a < 0) a += 2 * kPi;
  if (a >= 2 * kPi) a = 0;
  return a;
}

double Angle(Vec from, Vec to) { return NormalizeAngle(std::atan2(to.y - from.y, to.x - from.x)); }

Piece MakeSegment(Vec a, Vec b) {
  Piece p;
  p.a = a;
  p.b = b;
  return p;
}

Piece MakeArc(Vec c, double r, double a0, double sweep) {
  Piece p;
  p.arc = true;
  p.c = c;
  p.r = r;
  p.a0 = NormalizeAngle(a0);
  p.sweep = sweep;
  p.a = {c.x + r * std::cos(p.a0), c.y + r * std::sin(p.a0)};
  p.b = {c.x + r * std::cos(p.a0 + sweep), c.y + r * std::sin(p.a0 + sweep)};
  return p;
}

Piece MakeBulged(Vec p, Vec q, double bulge) {
  if (bulge == 0 || (p.x == q.x && p.y == q.y)) return MakeSegment(p, q);
  double theta = 4 * std::atan(bulge);  // included angle, signed
  Vec d = Sub(q, p);
  double chord = Len(d);
  double r = chord / (2 * std::sin(std::fabs(theta) / 2));
  // Centre: from the chord midpoint along the normal, on the left for a positive bulge.
  double h = r * std::cos(theta / 2);
  Vec m{(p.x + q.x) / 2, (p.y + q.y) / 2};
  Vec n{-d.y / chord, d.x / chord};
  double sgn = theta > 0 ? 1 : -1;
  Vec c{m.x + n.x * h * sgn, m.y + n.y * h * sgn};
  Piece arc;
  arc.arc = true;
  arc.c = c;
  arc.r = r;
  if (theta > 0) {
    arc.a0 = Angle(c, p);
    arc.sweep = theta;
    arc.a = p;
    arc.b = q;
  } else {
    // Kept counter-clockwise: the piece runs from q to p.
    arc.a0 = Angle(c, q);
    arc.sweep = -theta;
    arc.a = q;
    arc.b = p;
  }
  return arc;
}

Vec PointAt(const Piece& p, double t) {
  if (!p.arc) return {p.a.x + (p.b.x - p.a.x) * t, p.a.y + (p.b.y - p.a.y) * t};
  double ang = p.a0 + p.sweep * t;
  return {p.c.x + p.r * std::cos(ang), p.c.y + p.r * std::sin(ang)};
}

bool OnSweep(const Piece& arc, double angle, double eps) {
  double d = NormalizeAngle(angle - arc.a0);
  if (d <= arc.sweep + eps) return true;
  return d >= 2 * kPi - eps;  // just before the start
}

Box Extent(const Piece& p) {
  Box b;
  b.Add(p.a);
  b.Add(p.b);
  if (p.arc) {
    for (int k = 0; k < 4; ++k) {
      double ang = k * kPi / 2;
      if (OnSweep(p, ang)) b.Add(Vec{p.c.x + p.r * std::cos(ang), p.c.y + p.r * std::sin(ang)});
    }
  }
  return b;
}

double Distance(const Piece& p, Vec q) {
  if (!p.arc) return SegmentDistance(p.a, p.b, q);
  double ang = Angle(p.c, q);
  if (OnSweep(p, ang)) return std::fabs(Len(Sub(q, p.c)) - p.r);
  return std::min(Len(Sub(q, p.a)), Len(Sub(q, p.b)));
}

double ParamOf(const Piece& p, Vec q) {
  if (!p.arc) {
    Vec d = Sub(p.b, p.a);
    double l2 = Dot(d, d);
    return l2 > 0 ? std::clamp(Dot(Sub(q, p.a), d) / l2, 0.0, 1.0) : 0.0;
  }
  double d = NormalizeAngle(Angle(p.c, q) - p.a0);
  if (d > p.sweep) d = (d - p.sweep < 2 * kPi - d) ? p.sweep : 0;
  return p.sweep > 0 ? d / p.sweep : 0;
}

Piece SubPiece(const Piece& p, double t0, double t1) {
  if (!p.arc) return MakeSegment(PointAt(p, t0), PointAt(p, t1));
  Piece s = MakeArc(p.c, p.r, p.a0 + p.sweep * t0, p.sweep * (t1 - t0));
  s.a = PointAt(p, t0);
  s.b = PointAt(p, t1);
  return s;
}

double AreaTerm(const Piece& p) {
  double shoelace = (p.a.x * p.b.y - p.b.x * p.a.y) / 2;
  if (!p.arc) return shoelace;
  // Counter-clockwise arc from a to b: chord term plus the circular segment.
  return shoelace + p.r * p.r * (p.sweep - std::sin(p.sweep)) / 2;
}

std::vector<Vec> Intersections(const Piece& p, const Piece& q, double eps) {
  std::vector<Vec> out;
  if (!p.arc && !q.arc) {
    Vec r = Sub(p.b, p.a), s = Sub(q.b, q.a);
    double denom = Cross(r, s);
    double lr = Len(r), ls = Len(s);
    if (lr == 0 || ls == 0) {
      Vec pt = lr == 0 ? p.a : q.a;
      const Piece& other = lr == 0 ? q : p;
      if (Distance(other, pt) <= eps) out.push_back(pt);
      return out;
    }
    if (std::fabs(denom) <= 1e-12 * lr * ls) {
      // Parallel: only collinear overlaps meet; their ends are the meeting points.
      if (std::fabs(Cross(r, Sub(q.a, p.a))) / lr > eps) return out;
      for (Vec e : {p.a, p.b}) {
        if (SegmentDistance(q.a, q.b, e) <= eps) AddUnique(out, e, eps);
      }
      for (Vec e : {q.a, q.b}) {
        if (SegmentDistance(p.a, p.b, e) <= eps) AddUnique(out, e, eps);
      }
      return out;
    }
    double t = Cross(Sub(q.a, p.a), s) / denom;
    double u = Cross(Sub(q.a, p.a), r) / denom;
    double et = eps / lr, eu = eps / ls;
    if (t >= -et && t <= 1 + et && u >= -eu && u <= 1 + eu) {
      t = std::clamp(t, 0.0, 1.0);
      out.push_back(PointAt(p, t));
    }
    return out;
  }
  if (p.arc && !q.arc) return Intersections(q, p, eps);
  if (!p.arc) {
    for (double t : LineCircle(p.a, p.b, q.c, q.r, eps)) {
      double el = eps / std::max(Len(Sub(p.b, p.a)), 1e-300);
      if (t < -el || t > 1 + el) continue;
      Vec pt = PointAt(p, std::clamp(t, 0.0, 1.0));
      if (OnSweep(q, Angle(q.c, pt), eps / q.r)) AddUnique(out, pt, eps);
    }
    return out;
  }
  // Two arcs.
  Vec d = Sub(q.c, p.c);
  double dist = Len(d);
  if (dist <= eps && std::fabs(p.r - q.r) <= eps) {
    // Same circle: overlapping arcs meet at the ends that lie on the other.
    for (Vec e : {p.a, p.b}) {
      if (OnSweep(q, Angle(q.c, e), eps / q.r)) AddUnique(out, e, eps);
    }
    for (Vec e : {q.a, q.b}) {
      if (OnSweep(p, Angle(p.c, e), eps / p.r)) AddUnique(out, e, eps);
    }
    return out;
  }
  if (dist == 0 || dist > p.r + q.r + eps || dist < std::fabs(p.r - q.r) - eps) return out;
  double a = (p.r * p.r - q.r * q.r + dist * dist) / (2 * dist);
  double h2 = p.r * p.r - a * a;
  double h = h2 > 0 ? std::sqrt(h2) : 0;
  Vec m{p.c.x + d.x * a / dist, p.c.y + d.y * a / dist};
  Vec cand[2] = {{m.x - d.y * h / dist, m.y + d.x * h / dist},
                 {m.x + d.y * h / dist, m.y - d.x * h / dist}};
  for (int k = 0; k < (h > 0 ? 2 : 1); ++k) {
    if (OnSweep(p, Angle(p.c, cand[k]), eps / p.r) && OnSweep(q, Angle(q.c, cand[k]), eps / q.r))
      AddUnique(out, cand[k], eps);
  }
  return out;
}

bool SegmentCrossesBox(Vec a, Vec b, const Box& box) {
  if (box.Contains(a) || box.Contains(b)) return true;
  Piece s = MakeSegment(a, b);
  Vec c[4] = {{box.x0, box.y0}, {box.x1, box.y0}, {box.x1, box.y1}, {box.x0, box.y1}};
  for (int k = 0; k < 4; ++k) {
    if (!Intersections(s, MakeSegment(c[k], c[(k + 1) % 4]), 0).empty()) return true;
  }
  return false;
}

bool PieceCrossesBox(const Piece& p, const Box& box) {
  if (!p.arc) return SegmentCrossesBox(p.a, p.b, box);
  if (box.Contains(p.a) || box.Contains(p.b)) return true;
  Vec c[4] = {{box.x0, box.y0}, {box.x1, box.y0}, {box.x1, box.y1}, {box.x0, box.y1}};
  for (int k = 0; k < 4; ++k) {
    if (!Intersections(p, MakeSegment(c[k], c[(k + 1) % 4]), 0).empty()) return true;
  }
  return Extent(p).Inside(box);
}

Vec Placement::Apply(Vec p) const {
  double x = (p.x - base.x) * sx, y = (p.y - base.y) * sy;
  double c = std::cos(rotation), s = std::sin(rotation);
  return {at.x + x * c - y * s, at.y + x * s + y * c};
}

bool Placement::Uniform() const {
  return std::fabs(std::fabs(sx) - std::fabs(sy)) <= 1e-12 * std::fabs(sx);
}

}  // namespace hostsim
