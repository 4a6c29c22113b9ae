// The parcels of the whole-run test (自動, 最大, 作成 on one outline), also divided by the
// division table of tests/division: irregular outlines from a seed, one with an arc side.
#pragma once

#include <cmath>
#include <utility>
#include <vector>

struct WholeRunParcel {
  const char* name;
  int corners;
  double meanRadius;        // mm
  int curvedSide;           // index of the side that is an arc, -1 for none
  double bulge;             // of that side
  unsigned seed;            // for the outline's irregularity
  bool baseHeight = false;  // the table in base-height mode
};

inline const WholeRunParcel kWholeRunParcels[] = {
    {"ten_corners", 10, 7000, -1, 0, 11},
    {"seventeen_corners", 17, 7500, -1, 0, 23},
    {"twenty_four_corners_one_arc", 24, 7000, 5, 0.2, 37},
    {"thirty_corners", 30, 8000, -1, 0, 41},
    {"ten_corners_base_height", 10, 7000, -1, 0, 11, true},
    {"twenty_four_corners_one_arc_base_height", 24, 7000, 5, 0.2, 37, true}};

// An irregular outline around (10000, 10000), counter-clockwise, every corner seen from the
// centre (so the outline never crosses itself), coordinates to a tenth of a millimetre with an
// odd last place so that no side or area lands on a rounding tie by construction.
inline std::vector<std::pair<double, double>> WholeRunOutline(const WholeRunParcel& p) {
  constexpr double kPi = 3.14159265358979323846;
  unsigned state = p.seed;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return ((state >> 8) & 0xFFFF) / 65535.0;
  };
  std::vector<std::pair<double, double>> corners;
  for (int i = 0; i < p.corners; ++i) {
    const double angle = 2 * kPi * (i + 0.35 * (next() - 0.5)) / p.corners;
    const double radius = p.meanRadius * (0.75 + 0.45 * next());
    const double x = std::round((10000 + radius * std::cos(angle)) * 10) / 10 + 0.03;
    const double y = std::round((10000 + radius * std::sin(angle)) * 10) / 10 + 0.07;
    corners.emplace_back(x, y);
  }
  return corners;
}
