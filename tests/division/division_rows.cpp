// Runs both divisions (the ear division and the best-shape one) on every polygon of the files
// given, and with --whole-run on the outlines of the whole-run test too (an arc side taken as its
// chord, as the division takes it) and on the benchmark's four outlines at 30 corners, the most
// the exact search takes (tests/division/ShapeOutlines.h), and prints, per polygon,
//   polygon <file> <name> <vertices>
//   corner <x> <y>   (one per vertex, for the whole-run and benchmark outlines: they are in no
//   file) ears <outcome> <microseconds> <one line per triangle in cut order: its corners as vertex
//   indices> best <outcome> <microseconds> <its triangles likewise> agree <outcome> <microseconds>
//   (the best shape whose ﾍﾛﾝ table agrees best) <its triangles likewise>
// division_table.py measures and checks the triangles itself.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "division/BestShapeDivision.h"
#include "division/RegionDivision.h"
#include "table/CoordinateTable.h"
#include "tests/division/PolygonFile.h"
#include "tests/division/ShapeOutlines.h"
#include "tests/table/WholeRunParcels.h"

namespace {

const char* OutcomeName(DivisionOutcome o) {
  switch (o) {
    case DivisionOutcome::kDivided:
      return "divided";
    case DivisionOutcome::kTooFewVertices:
      return "too-few-vertices";
    case DivisionOutcome::kUnfinished:
      return "unfinished";
    case DivisionOutcome::kNotATiling:
      return "not-a-tiling";
  }
  return "?";
}

volatile std::size_t sink = 0;  // keeps the timed runs from being optimised away

// The best of several runs, as many as fit in about 50 ms (at least one, at most 200).
template <class Divide>
double Microseconds(Divide divide) {
  using Clock = std::chrono::steady_clock;
  double best = 1e300, spent = 0;
  for (int run = 0; run < 200 && (run == 0 || spent < 50e3); ++run) {
    const auto start = Clock::now();
    const DivisionResult r = divide();
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    best = std::min(best, us);
    sink = sink + r.triangles.size();
    spent += us;
  }
  return best;
}

void PrintDivisions(const NamedPolygon& p) {
  const double view = ViewSizeFor(p.points);
  std::map<std::pair<long double, long double>, std::size_t> index;
  for (std::size_t i = p.points.size(); i-- > 0;) index[{p.points[i].x, p.points[i].y}] = i;
  auto print = [&](const char* kind, const DivisionResult& r, double us) {
    std::printf("%s %s %.1f\n", kind, OutcomeName(r.outcome), us);
    for (const TAcadTriangle& t : r.triangles)
      std::printf("%zu %zu %zu\n", index.at({t.p1.x, t.p1.y}), index.at({t.p2.x, t.p2.y}),
                  index.at({t.p3.x, t.p3.y}));
  };
  auto ears = [&] { return DividePolygon(p.points, view); };
  auto best = [&] { return DivideBestShape(p.points); };
  print("ears", ears(), Microseconds(ears));
  print("best", best(), Microseconds(best));
  // The table the survey parcels are judged by: ﾍﾛﾝ, scale 1000, sides to 2 places, rows to 4,
  // the final area to 2, all half up.
  const TableRounding heron;
  const long double target = AgreementTarget(p.points, {}, false, heron);
  auto agree = [&] { return DivideBestShape(p.points, heron, target); };
  print("agree", agree(), Microseconds(agree));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: division_rows [--whole-run] polygons.json...\n");
    return 2;
  }
  try {
    for (int a = 1; a < argc; ++a) {
      const std::string file = argv[a];
      if (file == "--whole-run") {
        for (const WholeRunParcel& parcel : kWholeRunParcels) {
          if (parcel.baseHeight) continue;  // the same outline as its three-side twin
          NamedPolygon p{parcel.name, {}};
          for (const auto& [x, y] : WholeRunOutline(parcel)) p.points.push_back({x, y});
          std::printf("polygon whole-run %s %zu\n", p.name.c_str(), p.points.size());
          for (const TAcadPoint& c : p.points)
            std::printf("corner %.17g %.17g\n", static_cast<double>(c.x), static_cast<double>(c.y));
          PrintDivisions(p);
        }
        for (OutlineShape shape : {OutlineShape::kRandom, OutlineShape::kCoCircular,
                                   OutlineShape::kStaircase, OutlineShape::kComb}) {
          const NamedPolygon p{std::string(OutlineShapeName(shape)) + "-30",
                               ShapeOutline(shape, 30)};
          std::printf("polygon shapes %s %zu\n", p.name.c_str(), p.points.size());
          for (const TAcadPoint& c : p.points)
            std::printf("corner %.17g %.17g\n", static_cast<double>(c.x), static_cast<double>(c.y));
          PrintDivisions(p);
        }
        continue;
      }
      const std::string label = file.substr(file.find_last_of('/') + 1);
      for (const NamedPolygon& p : ReadPolygonFile(file)) {
        std::printf("polygon %s %s %zu\n", label.c_str(), p.name.c_str(), p.points.size());
        PrintDivisions(p);
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "division_rows: %s\n", e.what());
    return 1;
  }
  return 0;
}
