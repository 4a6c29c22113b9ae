// Shared point and figure types. Coordinates are drawing units in 80-bit extended precision;
// geometry works in the x-y plane and carries z along.
#pragma once

struct TAcadPoint {
  long double x = 0;
  long double y = 0;
  long double z = 0;

  bool operator==(const TAcadPoint&) const = default;
};

struct TAcadLine {
  TAcadPoint st;
  TAcadPoint ed;
};

struct TAcadTriangle {
  TAcadPoint p1;
  TAcadPoint p2;
  TAcadPoint p3;
};
