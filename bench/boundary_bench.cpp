// Boundary tracing of the simulated host on a parcel map of a few thousand segments: the grid
// search for meeting pieces beside the naive peer that tries every pair, in the same run, and
// the whole -BOUNDARY command as a user of the host sees it.
#include <benchmark/benchmark.h>

#include "hostsim/Boundary.h"
#include "hostsim/HostCore.h"
#include "platform/standin/Cp932CodePage.h"

namespace {

using namespace hostsim;

// k × k parcels drawn side by side, each side its own segment, a number mark in every parcel.
std::vector<Piece> ParcelMap(int k) {
  std::vector<Piece> out;
  const double s = 10000;
  for (int i = 0; i < k; ++i) {
    for (int j = 0; j < k; ++j) {
      double x = i * s, y = j * s;
      // Slightly skewed corners, as surveyed parcels are.
      auto c = [&](int a, int b) {
        return Vec{x + a * s + (b ? 37.5 : 0), y + b * s + (a ? 12.25 : 0)};
      };
      out.push_back(MakeSegment(c(0, 0), c(1, 0)));
      out.push_back(MakeSegment(c(1, 0), c(1, 1)));
      out.push_back(MakeSegment(c(1, 1), c(0, 1)));
      out.push_back(MakeSegment(c(0, 1), c(0, 0)));
      out.push_back(MakeArc({x + s / 3, y + s / 3}, 500, 0, 2 * kPi));
    }
  }
  return out;
}

void Trace(benchmark::State& state, IntersectionSearch search) {
  auto pieces = ParcelMap(static_cast<int>(state.range(0)));
  double mid = state.range(0) / 2 * 10000.0 + 7000;
  for (auto _ : state) {
    auto r = TraceBoundary(pieces, {mid, mid}, search);
    benchmark::DoNotOptimize(r);
    if (!r.found || r.islands.size() != 1) state.SkipWithError("wrong boundary");
  }
  state.counters["pieces"] = static_cast<double>(pieces.size());
}

void BM_TraceGrid(benchmark::State& s) { Trace(s, IntersectionSearch::Grid); }
void BM_TraceAllPairs(benchmark::State& s) { Trace(s, IntersectionSearch::AllPairs); }
BENCHMARK(BM_TraceGrid)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceAllPairs)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond);

class NoFiles : public HostFiles {
 public:
  std::optional<std::string> Read(const std::string&) override { return std::nullopt; }
  bool Create(const std::string&, std::string_view) override { return true; }
  bool Append(const std::string&, std::string_view) override { return true; }
  void Close(const std::string&) override {}
};

void BM_BoundaryCommand(benchmark::State& state) {
  NoFiles files;
  platform::Cp932CodePage cp;
  HostCore host(files, cp);
  for (const Piece& p : ParcelMap(static_cast<int>(state.range(0)))) {
    Entity e;
    e.handle = host.drawing().NewHandle();
    if (p.arc) {
      e.shape = Circle{{p.c.x, p.c.y, 0}, p.r};
    } else {
      e.shape = Line{{p.a.x, p.a.y, 0}, {p.b.x, p.b.y, 0}};
    }
    host.drawing().entities.push_back(e);
  }
  for (auto _ : state) {
    host.Type("_-BOUNDARY 157000,157000\r\r_UNDO 1 ");
  }
}
BENCHMARK(BM_BoundaryCommand)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
