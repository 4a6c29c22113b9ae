// 形状優先's division (the largest smallest angle, then the table closest to the coordinate area)
// beside the plain largest-smallest-angle division, on the same irregular parcels in the same run.
// Prints per parcel
//   <corners> corners: plain <median ms> ms, then table <median ms> ms (x<ratio>); table error
//   <plain m²> -> <then table m²>
// Arguments --runs N (default 7) and, last, --area-digits N (default 4); the parcels are outlines
// of 12, 30, 60 and 200 corners with sides of about 4 m, in millimetres at scale 1000.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "division/AgreeingTriangulation.h"
#include "division/BestShapeDivision.h"
#include "division/TriangulationCheck.h"
#include "geometry/TableRows.h"
#include "table/CoordinateTable.h"
#include "tests/table/WholeRunParcels.h"

namespace {

volatile std::size_t sink = 0;  // keeps the timed runs from being optimised away

template <class Divide>
double MedianMs(int runs, Divide divide, DivisionResult& last) {
  std::vector<double> ms;
  for (int r = 0; r < runs; ++r) {
    const auto start = std::chrono::steady_clock::now();
    last = divide();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
    sink = sink + last.triangles.size();
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// The table's final area less the coordinate area, m².
double TableError(const std::vector<TAcadPoint>& ring, const DivisionResult& d,
                  const TableRounding& r) {
  std::vector<TAcadPoint> corners;
  std::vector<TriangleCorners> triangles;
  auto index = [&](const TAcadPoint& p) {
    for (std::size_t i = 0; i < corners.size(); ++i)
      if (corners[i].x == p.x && corners[i].y == p.y) return i;
    corners.push_back(p);
    return corners.size() - 1;
  };
  for (const TAcadTriangle& t : d.triangles)
    triangles.push_back({index(t.p1), index(t.p2), index(t.p3)});
  return static_cast<double>(TableFinalArea(corners, triangles, r) -
                             AgreementTarget(ring, {}, false, r));
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 7;
  for (int a = 1; a < argc; ++a)
    if (std::strcmp(argv[a], "--runs") == 0 && a + 1 < argc)
      runs = std::max(1, std::atoi(argv[++a]));
  TableRounding heron;  // ﾍﾛﾝ, scale 1000, sides 2 places, rows 4, final 2, half up
  if (argc > 2 && std::strcmp(argv[argc - 2], "--area-digits") == 0)
    heron.areaDigits = std::atoi(argv[argc - 1]);  // the rows' finest setting widens every window
  std::printf("row areas to %d places\n", heron.areaDigits);
  for (int corners : {12, 30, 60, 200}) {
    const WholeRunParcel parcel{"bench", corners, corners * 4000 / (2 * 3.14159265358979),
                                -1,      0,       static_cast<unsigned>(corners * 7 + 1)};
    std::vector<TAcadPoint> ring;
    for (const auto& [x, y] : WholeRunOutline(parcel)) ring.push_back({x, y});
    DivisionResult plain, agreeing;
    const double plainMs = MedianMs(
        runs, [&] { return DivideBestShape(ring); }, plain);
    const double agreeMs = MedianMs(
        runs, [&] { return DivideBestShape(ring, heron, AgreementTarget(ring, {}, false, heron)); },
        agreeing);
    std::printf(
        "%d corners: plain %.3f ms, then table %.3f ms (x%.1f); table error %+.4f -> %+.4f m²\n",
        corners, plainMs, agreeMs, agreeMs / plainMs, TableError(ring, plain, heron),
        TableError(ring, agreeing, heron));
  }
  return 0;
}
