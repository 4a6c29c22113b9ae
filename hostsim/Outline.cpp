#include "hostsim/Outline.h"

#include <algorithm>
#include <cmath>

namespace hostsim {

namespace {

constexpr double kDeg = kPi / 180;

// Code points of a UTF-8 string, with the width class of each.
double Advance(const std::string& s) {
  double w = 0;
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    // Half-width katakana (U+FF61..U+FF9F, EF BD A1..EF BE 9F) are narrow like ASCII.
    bool narrow = c < 0x80;
    if (len == 3 && c == 0xEF && i + 1 < s.size()) {
      unsigned char c1 = static_cast<unsigned char>(s[i + 1]);
      if (c1 == 0xBD || c1 == 0xBE) narrow = true;
    }
    w += narrow ? 0.7 : 1.0;
    i += len;
  }
  return w;
}

Vec Rot(Vec v, double ang) {
  double c = std::cos(ang), s = std::sin(ang);
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

void AddFrame(std::vector<Piece>& out, const std::array<Vec, 4>& f) {
  for (int k = 0; k < 4; ++k) out.push_back(MakeSegment(f[k], f[(k + 1) % 4]));
}

// Local anchor (relative to the left end of the baseline) of a justification.
Vec Anchor(int h, int v, double width, double height) {
  if (h == 4) return {width / 2, height / 2};  // middle
  double x = h == 1 ? width / 2 : h == 2 ? width : 0;
  double y = v == 1 ? -0.2 * height : v == 2 ? height / 2 : v == 3 ? height : 0;
  return {x, y};
}

void Transform(std::vector<Piece>& pieces, const Placement& pl) {
  std::vector<Piece> out;
  for (const Piece& p : pieces) {
    if (!p.arc) {
      out.push_back(MakeSegment(pl.Apply(p.a), pl.Apply(p.b)));
    } else if (pl.Uniform()) {
      bool mirrored = (pl.sx < 0) != (pl.sy < 0);
      Vec c = pl.Apply(p.c);
      double r = p.r * std::fabs(pl.sx);
      Vec a = pl.Apply(p.a), b = pl.Apply(p.b);
      // A mirrored arc runs the other way round.
      Vec s = mirrored ? b : a;
      Piece arc = MakeArc(c, r, Angle(c, s), p.sweep);
      out.push_back(arc);
    } else {
      const int n = 16;
      for (int k = 0; k < n; ++k)
        out.push_back(MakeSegment(pl.Apply(PointAt(p, double(k) / n)),
                                  pl.Apply(PointAt(p, double(k + 1) / n))));
    }
  }
  pieces.swap(out);
}

// Pieces one object may expand into: blocks nested inside blocks multiply, and a file can nest
// them so deep that their pieces would not fit in memory. What lies beyond is left out.
constexpr std::size_t kPieceBudget = 200000;

std::vector<Piece> OutlineOf(const Entity& e, const Drawing& d, int depth, bool texts,
                             std::size_t& budget);

std::vector<Piece> BlockOutline(const Insert& ins, const Drawing& d, int depth, bool texts,
                                std::size_t& budget) {
  std::vector<Piece> out;
  const Block* b = d.FindBlock(ins.block);
  if (b && depth < 16) {
    for (const Entity& be : b->entities) {
      if (budget == 0) break;
      auto p = OutlineOf(be, d, depth + 1, texts, budget);
      out.insert(out.end(), p.begin(), p.end());
    }
    Placement pl;
    pl.base = ToVec(b->base);
    pl.at = ToVec(ins.insert);
    pl.sx = ins.scale.x;
    pl.sy = ins.scale.y;
    pl.rotation = ins.rotation * kDeg;
    Transform(out, pl);
  }
  if (texts) {
    for (const Attrib& a : ins.attribs) AddFrame(out, TextFrame(a));
  }
  return out;
}

std::vector<Piece> OutlineOf(const Entity& e, const Drawing& d, int depth, bool texts,
                             std::size_t& budget) {
  std::vector<Piece> out;
  const Shape& s = e.shape;
  if (auto* l = std::get_if<Line>(&s)) {
    out.push_back(MakeSegment(ToVec(l->start), ToVec(l->end)));
  } else if (auto* r = std::get_if<Region>(&s)) {
    for (std::size_t i = 0; i < r->loop.size(); ++i) {
      const PolyVertex& p = r->loop[i];
      const PolyVertex& q = r->loop[(i + 1) % r->loop.size()];
      out.push_back(MakeBulged({p.x, p.y}, {q.x, q.y}, p.bulge));
    }
  } else if (auto* pl = std::get_if<LwPolyline>(&s)) {
    std::size_t n = pl->vertices.size();
    for (std::size_t i = 0; i + 1 < n || (pl->closed && n > 1 && i < n); ++i) {
      const PolyVertex& p = pl->vertices[i];
      const PolyVertex& q = pl->vertices[(i + 1) % n];
      out.push_back(MakeBulged({p.x, p.y}, {q.x, q.y}, p.bulge));
    }
    if (n == 1)
      out.push_back(MakeSegment({pl->vertices[0].x, pl->vertices[0].y},
                                {pl->vertices[0].x, pl->vertices[0].y}));
  } else if (auto* a = std::get_if<Arc>(&s)) {
    double a0 = NormalizeAngle(a->startAngle * kDeg);
    double sweep = NormalizeAngle(a->endAngle * kDeg - a0);
    if (sweep == 0) sweep = 2 * kPi;
    out.push_back(MakeArc(ToVec(a->center), a->radius, a0, sweep));
  } else if (auto* c = std::get_if<Circle>(&s)) {
    out.push_back(MakeArc(ToVec(c->center), c->radius, 0, 2 * kPi));
  } else if (auto* t = std::get_if<Text>(&s)) {
    if (texts) AddFrame(out, TextFrame(*t));
  } else if (auto* m = std::get_if<MText>(&s)) {
    if (texts) AddFrame(out, MTextFrame(*m));
  } else if (auto* ins = std::get_if<Insert>(&s)) {
    return BlockOutline(*ins, d, depth, texts, budget);
  } else if (auto* ld = std::get_if<Leader>(&s)) {
    for (std::size_t i = 0; i + 1 < ld->vertices.size(); ++i)
      out.push_back(MakeSegment(ToVec(ld->vertices[i]), ToVec(ld->vertices[i + 1])));
    if (ld->arrow && ld->vertices.size() >= 2) {
      Vec tip = ToVec(ld->vertices[0]);
      double ang = Angle(tip, ToVec(ld->vertices[1]));
      double len = ld->arrowSize, half = ld->arrowSize / 6;
      Vec back{tip.x + len * std::cos(ang), tip.y + len * std::sin(ang)};
      Vec side{-std::sin(ang) * half, std::cos(ang) * half};
      out.push_back(MakeSegment(tip, {back.x + side.x, back.y + side.y}));
      out.push_back(MakeSegment(tip, {back.x - side.x, back.y - side.y}));
    }
  } else if (auto* p = std::get_if<PointEntity>(&s)) {
    out.push_back(MakeSegment(ToVec(p->location), ToVec(p->location)));
  } else if (auto* el = std::get_if<Ellipse>(&s)) {
    Vec c = ToVec(el->center);
    Vec major{el->majorAxis.x, el->majorAxis.y};
    Vec minor{-major.y * el->ratio, major.x * el->ratio};
    double t0 = el->startParam, t1 = el->endParam;
    if (t1 <= t0) t1 += 2 * kPi;
    const int n = 32;
    auto at = [&](double t) {
      return Vec{c.x + major.x * std::cos(t) + minor.x * std::sin(t),
                 c.y + major.y * std::cos(t) + minor.y * std::sin(t)};
    };
    for (int k = 0; k < n; ++k)
      out.push_back(MakeSegment(at(t0 + (t1 - t0) * k / n), at(t0 + (t1 - t0) * (k + 1) / n)));
  }
  budget -= std::min(budget, out.size());
  return out;
}

}  // namespace

double TextWidth(const std::string& value, double height, double widthFactor) {
  return Advance(value) * height * widthFactor;
}

Point JustifiedInsert(const Text& t) {
  if ((t.halign == 0 && t.valign == 0) || t.halign == 3 || t.halign == 5) return t.insert;
  double w = TextWidth(t.value, t.height, t.widthFactor);
  Vec a = Rot(Anchor(t.halign, t.valign, w, t.height), t.rotation * kDeg);
  return {t.align.x - a.x, t.align.y - a.y, t.align.z};
}

std::array<Vec, 4> TextFrame(const Text& t) {
  Vec base = ToVec(t.insert);
  double ang = t.rotation * kDeg;
  double w = TextWidth(t.value, t.height, t.widthFactor);
  double h = t.height;
  if (t.halign == 3 || t.halign == 5) {
    // Aligned and fit texts run from the insertion point to the alignment point.
    Vec e = ToVec(t.align);
    ang = Angle(base, e);
    w = std::hypot(e.x - base.x, e.y - base.y);
    if (t.halign == 3 && t.widthFactor > 0)
      h = w / (Advance(t.value) * 0.7 > 0 ? Advance(t.value) : 1);
  } else if (t.halign != 0 || t.valign != 0) {
    base = ToVec(JustifiedInsert(t));
  }
  std::array<Vec, 4> f;
  Vec local[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
  for (int k = 0; k < 4; ++k) {
    Vec r = Rot(local[k], ang);
    f[k] = {base.x + r.x, base.y + r.y};
  }
  return f;
}

std::array<Vec, 4> MTextFrame(const MText& m) {
  // Lines are separated by \P; the frame is as wide as the longest line or the given width.
  double longest = 0;
  int lines = 1;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= m.value.size(); ++i) {
    if (i == m.value.size() || (m.value.compare(i, 2, "\\P") == 0)) {
      longest = std::max(longest, TextWidth(m.value.substr(start, i - start), m.height, 1));
      if (i < m.value.size()) {
        ++lines;
        start = i + 2;
        ++i;
      }
    }
  }
  double w = m.width > 0 ? m.width : longest;
  double h = m.height * (1 + (lines - 1) * 5.0 / 3.0);
  int col = (m.attachment - 1) % 3, row = (m.attachment - 1) / 3;
  Vec origin{-w * col / 2, -h * (2 - row) / 2};  // bottom left relative to the insertion point
  double ang = m.rotation * kDeg;
  std::array<Vec, 4> f;
  Vec local[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
  for (int k = 0; k < 4; ++k) {
    Vec r = Rot({origin.x + local[k].x, origin.y + local[k].y}, ang);
    f[k] = {m.insert.x + r.x, m.insert.y + r.y};
  }
  return f;
}

std::vector<Piece> Outline(const Entity& e, const Drawing& d) {
  std::size_t budget = kPieceBudget;
  return OutlineOf(e, d, 0, true, budget);
}

std::vector<Piece> Curves(const Entity& e, const Drawing& d) {
  if (std::holds_alternative<Leader>(e.shape) || std::holds_alternative<PointEntity>(e.shape))
    return {};
  std::size_t budget = kPieceBudget;
  return OutlineOf(e, d, 0, false, budget);
}

Box EntityExtent(const Entity& e, const Drawing& d) {
  Box b;
  for (const Piece& p : Outline(e, d)) b.Add(Extent(p));
  return b;
}

bool FrameOf(const Entity& e, std::array<Vec, 4>& frame) {
  if (auto* t = std::get_if<Text>(&e.shape)) {
    frame = TextFrame(*t);
    return true;
  }
  if (auto* m = std::get_if<MText>(&e.shape)) {
    frame = MTextFrame(*m);
    return true;
  }
  return false;
}

bool InsideFrame(const std::array<Vec, 4>& f, Vec p) {
  int sign = 0;
  for (int k = 0; k < 4; ++k) {
    Vec a = f[k], b = f[(k + 1) % 4];
    double c = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    int s = c > 0 ? 1 : c < 0 ? -1 : 0;
    if (s == 0) continue;
    if (sign == 0) sign = s;
    if (s != sign) return false;
  }
  return true;
}

}  // namespace hostsim
