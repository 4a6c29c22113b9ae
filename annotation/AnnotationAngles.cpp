#include "annotation/AnnotationAngles.h"

#include <cmath>
#include <numbers>

#include "geometry/PlaneGeometry.h"

double LabelAngle(const TAcadPoint& p1, const TAcadPoint& p2) {
  // Bounds as Angle2D gives the exact vertical directions, so that those compare equal.
  constexpr double kUp = static_cast<double>(kHalfPi);
  constexpr double kDown = static_cast<double>(kThreeHalvesPi);
  const double a = static_cast<double>(Angle2D(p1, p2));
  return a > kUp && a <= kDown ? a - std::numbers::pi : a;
}

InsertionFrame::InsertionFrame(const HostAngles& angles) {
  // INSERT measures the typed rotation 0 from ANGBASE, and ANGBASE from the UCS's X axis.
  const double turn = angles.ucsTurn == 0 ? angles.base : angles.base + angles.ucsTurn;
  if (turn == 0) return;
  identity_ = false;
  turn_ = turn;
  // No double holds a right angle exactly, and its cosine would leave a surveyor's north base a
  // trace off every place: a turn within rounding of a whole number of quarters is taken as that.
  const long double quarters = turn / kHalfPi;
  const long double whole = std::round(quarters);
  if (std::fabs(quarters - whole) < 1e-12L) {
    static constexpr long double kCos[4] = {1, 0, -1, 0};
    static constexpr long double kSin[4] = {0, -1, 0, 1};  // sin of -90° · q
    const long long q = ((static_cast<long long>(whole) % 4) + 4) % 4;
    cos_ = kCos[q];
    sin_ = kSin[q];
  } else {
    cos_ = std::cos(-static_cast<long double>(turn));
    sin_ = std::sin(-static_cast<long double>(turn));
  }
}

TAcadPoint InsertionFrame::Place(const TAcadPoint& p) const {
  if (identity_) return p;
  return {p.x * cos_ - p.y * sin_, p.x * sin_ + p.y * cos_, p.z};
}
