#include "hostsim/InsertUnits.h"

namespace hostsim {

namespace {

// Metres per unit, by INSUNITS code.
double Metres(int code) {
  constexpr double kInch = 0.0254;
  switch (code) {
    case 1:
      return kInch;
    case 2:
      return 12 * kInch;
    case 3:
      return 63360 * kInch;
    case 4:
      return 1e-3;
    case 5:
      return 1e-2;
    case 6:
      return 1;
    case 7:
      return 1e3;
    case 8:
      return 1e-6 * kInch;
    case 9:
      return 1e-3 * kInch;
    case 10:
      return 36 * kInch;
    case 11:
      return 1e-10;
    case 12:
      return 1e-9;
    case 13:
      return 1e-6;
    case 14:
      return 1e-1;
    case 15:
      return 1e1;
    case 16:
      return 1e2;
    case 17:
      return 1e9;
    case 18:
      return 1.495978707e11;
    case 19:
      return 9.4607304725808e15;
    case 20:
      return 3.0856775814913673e16;
    case 21:
      return 1200.0 / 3937;
    case 22:
      return 100.0 / 3937;
    case 23:
      return 3600.0 / 3937;
    case 24:
      return 6336000.0 / 3937;
    default:
      return 0;
  }
}

}  // namespace

double InsertionScale(const InsertUnits& u) {
  const double from = Metres(u.source != 0 ? u.source : u.defaultSource);
  const double to = Metres(u.target != 0 ? u.target : u.defaultTarget);
  return from > 0 && to > 0 ? from / to : 1;
}

}  // namespace hostsim
