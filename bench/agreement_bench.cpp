// 形状優先's division (the largest smallest angle, then the fewest thin triangles, then the table
// closest to the coordinate area) beside the plain largest-smallest-angle division, on the same
// outlines in the same run: random, co-circular, staircase and comb outlines of 30 to 300 corners
// (tests/division/ShapeOutlines.h). Prints per outline
//   <shape> <corners>: plain <median processor ms> ms, 形状優先 <median ms> ms (x<ratio>); smallest
//   angle <plain °> -> <°>; thin <plain> -> <count>; table error <plain m²> -> <m²>
// Arguments --runs N (default 5) and --area-digits N (default 4: the rows' finest setting widens
// every window).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "division/AgreeingTriangulation.h"
#include "division/BestShapeDivision.h"
#include "division/TriangulationCheck.h"
#include "geometry/TableRows.h"
#include "geometry/Triangles.h"
#include "table/CoordinateTable.h"
#include "tests/division/ShapeOutlines.h"

namespace {

volatile std::size_t sink = 0;  // keeps the timed runs from being optimised away

// The thread's processor time, not the wall clock: on a machine shared with other builds the
// wall clock counts their work too; on the user's own it is the same as the wait.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

template <class Divide>
double MedianMs(int runs, Divide divide, DivisionResult& last) {
  std::vector<double> ms;
  for (int r = 0; r < runs; ++r) {
    const double start = CpuMs();
    last = divide();
    ms.push_back(CpuMs() - start);
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

double SmallestDegrees(const DivisionResult& d) {
  long double m = 10;
  for (const TAcadTriangle& t : d.triangles) m = std::min(m, SmallestAngle(t.p1, t.p2, t.p3));
  return static_cast<double>(m * 180 / 3.14159265358979323846L);
}

int Thin(const DivisionResult& d) {
  int thin = 0;
  for (const TAcadTriangle& t : d.triangles)
    thin += SmallestAngle(t.p1, t.p2, t.p3) * 180 / 3.14159265358979323846L < kThinDegrees;
  return thin;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  TableRounding heron;  // ﾍﾛﾝ, scale 1000, sides 2 places, rows 4, final 2, half up
  for (int a = 1; a + 1 < argc; ++a) {
    if (std::strcmp(argv[a], "--runs") == 0)
      runs = std::max(1, std::atoi(argv[++a]));
    else if (std::strcmp(argv[a], "--area-digits") == 0)
      heron.areas.digits = std::atoi(argv[++a]);
  }
  std::printf("row areas to %d places, median of %d runs\n", heron.areas.digits, runs);
  for (OutlineShape shape : {OutlineShape::kRandom, OutlineShape::kCoCircular,
                             OutlineShape::kStaircase, OutlineShape::kComb}) {
    for (int corners : {30, 60, 100, 200, 300}) {
      const std::vector<TAcadPoint> ring = ShapeOutline(shape, corners);
      const long double target = AgreementTarget(ring, {}, false, heron);
      DivisionResult plain, agreeing;
      const double plainMs = MedianMs(
          runs, [&] { return DivideBestShape(ring); }, plain);
      const double agreeMs = MedianMs(
          runs, [&] { return DivideBestShape(ring, heron, target); }, agreeing);
      if (!plain.divided() || !agreeing.divided()) {
        std::printf("%s %d: not divided\n", OutlineShapeName(shape), corners);
        return 1;
      }
      std::printf(
          "%-11s %3d: plain %8.3f ms, 形状優先 %8.3f ms (x%.1f); smallest angle %.3f° -> %.3f°; "
          "thin %d -> %d; table error %+.4f -> %+.4f m²\n",
          OutlineShapeName(shape), corners, plainMs, agreeMs, agreeMs / plainMs,
          SmallestDegrees(plain), SmallestDegrees(agreeing), Thin(plain), Thin(agreeing),
          TableError(ring, plain, heron), TableError(ring, agreeing, heron));
    }
  }
  return 0;
}
