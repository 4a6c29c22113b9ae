#include "dxf/ExplodePolylines.h"

#include <vector>

#include "dxf/DxfTables.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Polylines.h"
#include "numbers/X87Precision.h"

namespace {

constexpr int kClosed = 1;
constexpr int kPolygonMesh = 16;
constexpr int kPolyfaceMesh = 64;

TAcadLineBlk SegmentLine(const TLwpBlk& pl, const TAcadPoint& st, const TAcadPoint& ed) {
  TAcadLineBlk line;
  line.bname = pl.bname;
  line.layer = pl.layer;
  line.ltype = pl.ltype;
  line.color = pl.color;
  line.code67 = pl.code67;
  line.st = st;
  line.ed = ed;
  line.code210 = pl.code210;
  line.lwpflag = true;
  return line;
}

TArcBlk SegmentArc(const TLwpBlk& pl, const TLwpEle& from, const TLwpEle& to) {
  const BulgeArc a = BulgeToArc(from.code10, to.code10, from.code42);
  constexpr long double kDegrees = 180 / kPi;
  TArcBlk arc;
  arc.bname = pl.bname;
  arc.layer = pl.layer;
  arc.ltype = pl.ltype;
  arc.color = pl.color;
  arc.code67 = pl.code67;
  arc.center = a.centre;
  arc.hankei = a.radius;
  arc.st = static_cast<double>(a.startAngle * kDegrees);
  arc.ed = static_cast<double>(a.endAngle * kDegrees);
  arc.code210 = pl.code210;
  arc.lwpflag = true;
  return arc;
}

// The column lines of a polygon mesh of M × N vertices (row-major).
void ExplodeMesh(const TLwpBlk& pl, const std::vector<TLwpEle>& v, TEntityTables& t) {
  const int m = pl.code71, n = pl.code72, count = static_cast<int>(v.size());
  for (int k = 0; k < n && k < count; ++k) {
    TAcadPoint current = v[static_cast<std::size_t>(k)].code10;
    for (int j = 1; j < m && j * n + k < count; ++j) {
      const TAcadPoint& next = v[static_cast<std::size_t>(j * n + k)].code10;
      t.lines.push_back(SegmentLine(pl, current, next));
      current = next;
    }
    if (pl.code70 & kClosed)
      t.lines.push_back(SegmentLine(pl, current, v[static_cast<std::size_t>(k)].code10));
  }
}

void ExplodeChain(const TLwpBlk& pl, std::vector<TLwpEle>& v, TEntityTables& t) {
  if ((pl.code70 & kClosed) && !v.empty()) v.push_back(v.front());
  for (std::size_t k = 0; k + 1 < v.size(); ++k) {
    if (v[k].code42 == 0)
      t.lines.push_back(SegmentLine(pl, v[k].code10, v[k + 1].code10));
    else
      t.arcs.push_back(SegmentArc(pl, v[k], v[k + 1]));
  }
}

}  // namespace

void ExplodePolylines(TDxfTables& tables) {
  const X87ExtendedPrecision precision;
  TEntityTables& t = tables.entities;
  if (t.polylines.empty()) return;
  t.lines.reserve(t.lines.size() + 1000);
  t.arcs.reserve(t.arcs.size() + 1000);
  std::vector<TLwpEle> vertices;
  vertices.reserve(1000);
  std::size_t scanStart = 0;
  for (const TLwpBlk& pl : t.polylines) {
    // Vertices of one polyline follow one another; a polyline without any leaves the scan
    // position where it was.
    vertices.clear();
    std::size_t i = scanStart;
    for (; i < t.vertices.size(); ++i) {
      if (t.vertices[i].ihand == pl.ihand)
        vertices.push_back(t.vertices[i]);
      else if (!vertices.empty())
        break;
    }
    if (!vertices.empty()) scanStart = i;

    if (pl.code70 & kPolygonMesh)
      ExplodeMesh(pl, vertices, t);
    else if (!(pl.code70 & kPolyfaceMesh))
      ExplodeChain(pl, vertices, t);
  }
  t.lines.shrink_to_fit();
  t.arcs.shrink_to_fit();
}
