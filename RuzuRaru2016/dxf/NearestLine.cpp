#include "RuzuRaru2016/dxf/NearestLine.h"

#include "RuzuRaru2016/dxf/DxfTables.h"
#include "geometry/PlaneGeometry.h"

int NearestLine(const TDxfTables& tables, const TAcadPoint& p, TAcadPoint& st, TAcadPoint& ed) {
  const auto& lines = tables.entities.lines;
  if (lines.empty()) return -1;
  int best = 0;
  double bestDistance = static_cast<double>(Distance2D(p, lines[0].st));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    TAcadPoint foot;
    if (!PerpendicularFoot(p, lines[i].st, lines[i].ed, true, foot)) continue;
    const double d = static_cast<double>(Distance2D(p, foot));
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  st = lines[static_cast<std::size_t>(best)].st;
  ed = lines[static_cast<std::size_t>(best)].ed;
  return best;
}

int NearestLine(const TAcadPoint& p, TAcadPoint& st, TAcadPoint& ed) {
  return NearestLine(DxfTables(), p, st, ed);
}
