#include "annotation/AnnotationAngles.h"

#include <cmath>
#include <numbers>

#include "annotation/DxfInsertion.h"
#include "geometry/PlaneGeometry.h"

double LabelAngle(const TAcadPoint& p1, const TAcadPoint& p2) {
  // Bounds as Angle2D gives the exact vertical directions, so that those compare equal.
  constexpr double kUp = static_cast<double>(kHalfPi);
  constexpr double kDown = static_cast<double>(kThreeHalvesPi);
  const double a = static_cast<double>(Angle2D(p1, p2));
  return a > kUp && a <= kDown ? a - std::numbers::pi : a;
}

InsertionFrame::InsertionFrame(const HostAngles& angles) {
  const double degrees = InsertionTurnDegrees(
      static_cast<double>(angles.base * 180 / std::numbers::pi_v<long double>));
  if (degrees == 0) return;
  identity_ = false;
  turn_ = angles.base;
  // A base read as 90 comes back from radians within rounding of it: such turns are taken as
  // the exact quarter turns they are, so that a surveyor's north base moves nothing off its place.
  const double quarters = degrees / 90;
  const double whole = std::round(quarters);
  if (std::fabs(quarters - whole) < 1e-12) {
    static constexpr long double kCos[4] = {1, 0, -1, 0};
    static constexpr long double kSin[4] = {0, -1, 0, 1};  // sin of -90° · q
    const long long q = ((static_cast<long long>(whole) % 4) + 4) % 4;
    cos_ = kCos[q];
    sin_ = kSin[q];
  } else {
    cos_ = std::cos(-static_cast<long double>(angles.base));
    sin_ = std::sin(-static_cast<long double>(angles.base));
  }
}

TAcadPoint InsertionFrame::Place(const TAcadPoint& p) const {
  if (identity_) return p;
  return {p.x * cos_ - p.y * sin_, p.x * sin_ + p.y * cos_, p.z};
}
