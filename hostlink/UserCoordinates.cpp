#include "hostlink/UserCoordinates.h"

#include <cmath>

#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TemporaryHostSetting.h"

namespace {

bool IsWorld(const UserCoordinates& u) {
  return u.origin.x == 0 && u.origin.y == 0 && u.origin.z == 0 && u.xAxis.x == 1 &&
         u.xAxis.y == 0 && u.xAxis.z == 0 && u.yAxis.x == 0 && u.yAxis.y == 1 && u.yAxis.z == 0;
}

}  // namespace

std::optional<UserCoordinates> ReadUserCoordinates(const HostLink& link) {
  std::optional<FullPrecision> places(std::in_place, link, FullPrecision::Of::kLengths);
  UserCoordinates u;
  bool read = ParsePoint(GetSysVar(link, vocab::kUcsOrg), u.origin) == 1 &&
              ParsePoint(GetSysVar(link, vocab::kUcsXDir), u.xAxis) == 1 &&
              ParsePoint(GetSysVar(link, vocab::kUcsYDir), u.yAxis) == 1;
  if (read && !IsWorld(u)) {
    // The world point origin + D·e shows in the UCS as D times e's components along the UCS's
    // axes: along world x the axes' x components, along world y their y components.
    constexpr long double kReach = 1e6L;
    auto probe = [&](const TAcadPoint& along, TAcadPoint& shown) {
      const TAcadPoint p{u.origin.x + kReach * along.x, u.origin.y + kReach * along.y, 0};
      SendCommand(link, vocab::IdAt(p));
      return ParsePoint(GetSysVar(link, vocab::kLastPoint), shown) == 1;
    };
    TAcadPoint alongX, alongY;
    read = probe({1, 0, 0}, alongX) && probe({0, 1, 0}, alongY);
    if (read) {
      u.xAxis = {alongX.x / kReach, alongY.x / kReach, u.xAxis.z};
      u.yAxis = {alongX.y / kReach, alongY.y / kReach, u.yAxis.z};
    }
  }
  places.reset();  // given back before anything else is typed
  if (!read) return std::nullopt;
  return u;
}

TAcadPoint UcsToWorld(const UserCoordinates& u, const TAcadPoint& p) {
  if (IsWorld(u)) return p;
  const TAcadPoint& x = u.xAxis;
  const TAcadPoint& y = u.yAxis;
  const TAcadPoint z{x.y * y.z - x.z * y.y, x.z * y.x - x.x * y.z, x.x * y.y - x.y * y.x};
  return {u.origin.x + p.x * x.x + p.y * y.x + p.z * z.x,
          u.origin.y + p.x * x.y + p.y * y.y + p.z * z.y,
          u.origin.z + p.x * x.z + p.y * y.z + p.z * z.z};
}

double XAxisDirection(const UserCoordinates& u) {
  if (u.xAxis.y == 0 && u.xAxis.x > 0) return 0;
  return static_cast<double>(std::atan2(u.xAxis.y, u.xAxis.x));
}

bool ReadWorldLastPoint(const HostLink& link, TAcadPoint& point) {
  if (ParsePoint(GetSysVar(link, vocab::kLastPoint), point) != 1) return false;
  if (point == kSentinelPoint) return true;
  const std::optional<UserCoordinates> ucs = ReadUserCoordinates(link);
  if (!ucs) return false;
  point = UcsToWorld(*ucs, point);
  return true;
}
