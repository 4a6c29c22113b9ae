// Outlines of any number of corners that stress the best-shape search, in millimetres at scale
// 1000 with sides of about 4 m, counter-clockwise: an irregular one seen from its centre (the
// whole-run parcels' kind), corners on one circle (a curve drawn as a polyline: every
// triangulation has the same smallest angle), a staircase and a comb (right angles, long
// diagonals hidden behind corners). Shared by the division tests and bench/agreement_bench.
#pragma once

#include <cmath>
#include <vector>

#include "geometry/AcadTypes.h"
#include "tests/table/WholeRunParcels.h"

enum class OutlineShape { kRandom, kCoCircular, kStaircase, kComb };

inline const char* OutlineShapeName(OutlineShape shape) {
  switch (shape) {
    case OutlineShape::kRandom:
      return "random";
    case OutlineShape::kCoCircular:
      return "co-circular";
    case OutlineShape::kStaircase:
      return "staircase";
    case OutlineShape::kComb:
      return "comb";
  }
  return "?";
}

// corners >= 4. Lengths vary with the seed by up to a fifth, to a tenth of a
// millimetre, so that rows seldom repeat; the circle's corners are not rounded, so that they stay
// on it.
inline std::vector<TAcadPoint> ShapeOutline(OutlineShape shape, int corners, unsigned seed = 1) {
  constexpr double kPi = 3.14159265358979323846;
  unsigned state = seed * 7919u + static_cast<unsigned>(corners);
  auto vary = [&state](double length) {  // length ± 10 %, to 0.1 mm, odd last place
    state = state * 1103515245u + 12345u;
    const double f = 0.9 + 0.2 * (((state >> 8) & 0xFFFF) / 65535.0);
    return std::round(length * f * 10) / 10 + 0.03;
  };
  std::vector<TAcadPoint> p;
  switch (shape) {
    case OutlineShape::kRandom: {
      const WholeRunParcel parcel{"random", corners, corners * 4000 / (2 * kPi),
                                  -1,       0,       static_cast<unsigned>(corners * 7 + seed)};
      for (const auto& [x, y] : WholeRunOutline(parcel)) p.push_back({x, y});
      break;
    }
    case OutlineShape::kCoCircular: {
      const double r = corners * 4000 / (2 * kPi);
      for (int i = 0; i < corners; ++i)
        p.push_back({10000 + r * std::cos(2 * kPi * i / corners),
                     10000 + r * std::sin(2 * kPi * i / corners)});
      break;
    }
    case OutlineShape::kStaircase: {
      // Along the x axis, then steps up and to the left back to the y axis, then down to the
      // start; an odd count puts one more corner on the bottom side (a corner at 180°).
      const int steps = (corners - 2) / 2;
      std::vector<double> rise(steps), run(steps);
      double width = 0;
      for (int s = 0; s < steps; ++s) rise[s] = vary(4000), run[s] = vary(4000), width += run[s];
      p.push_back({0, 0});
      if (corners % 2 == 1) p.push_back({std::round(width * 5) / 10, 0});
      double x = width, y = 0;
      for (int s = 0; s < steps; ++s) {
        p.push_back({x, y});
        y += rise[s];
        p.push_back({x, y});
        x -= run[s];
      }
      p.push_back({0, y});
      break;
    }
    case OutlineShape::kComb: {
      // A back of 5 m along the x axis and teeth of 20 m upwards, 3 m wide with 3 m gaps; the
      // corners a last tooth cannot take go on the bottom side.
      const int teeth = corners / 4, extra = corners % 4;
      std::vector<double> tooth(teeth), gap(teeth), height(teeth);
      double width = 0;
      for (int t = 0; t < teeth; ++t) {
        tooth[t] = vary(3000), gap[t] = t == 0 ? 0 : vary(3000), height[t] = vary(20000);
        width += tooth[t] + gap[t];
      }
      p.push_back({0, 0});
      for (int e = 1; e <= extra; ++e) p.push_back({std::round(width * e / (extra + 1)), 0});
      p.push_back({width, 0});
      double x = width;
      for (int t = teeth; t-- > 0;) {
        p.push_back({x, 5000 + height[t]});
        x -= tooth[t];
        p.push_back({x, 5000 + height[t]});
        if (t > 0) {
          p.push_back({x, 5000});
          x -= gap[t];
          p.push_back({x, 5000});
        }
      }
      break;
    }
  }
  return p;
}
