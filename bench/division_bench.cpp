// The region division's time per polygon: every polygon of the files given, each run RUNS
// times (argument --runs, default 7). Prints
//   <name> <vertices> <outcome> <median µs> <best µs>
// run_division_bench.py runs earcut on the same polygons in the same run and prints ratios.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "division/RegionDivision.h"
#include "tests/division/PolygonFile.h"

namespace {
volatile std::size_t sink = 0;  // keeps the timed runs from being optimised away
}

int main(int argc, char** argv) {
  int runs = 7;
  std::vector<std::string> files;
  for (int a = 1; a < argc; ++a) {
    if (std::strcmp(argv[a], "--runs") == 0 && a + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++a]));
    } else {
      files.push_back(argv[a]);
    }
  }
  for (const std::string& file : files) {
    for (const NamedPolygon& p : ReadPolygonFile(file)) {
      const double view = ViewSizeFor(p.points);
      std::vector<double> us;
      bool divided = false;
      for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        const DivisionResult result = DividePolygon(p.points, view);
        us.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        sink = sink + result.triangles.size();
        divided = result.divided();
      }
      std::sort(us.begin(), us.end());
      std::printf("%s %zu %s %.1f %.1f\n", p.name.c_str(), p.points.size(),
                  divided ? "divided" : "failed", us[us.size() / 2], us.front());
    }
  }
  return 0;
}
