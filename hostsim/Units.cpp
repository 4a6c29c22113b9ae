#include "hostsim/Units.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "hostsim/Curves.h"
#include "hostsim/Numbers.h"

namespace hostsim {

namespace {

std::string TrimZeros(std::string s) {
  if (s.find('.') == std::string::npos) return s;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::vector<std::string_view> Split(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == sep) {
      out.push_back(s.substr(start, i - start));
      start = i + 1;
    }
  }
  return out;
}

std::optional<double> ParseDms(std::string_view t) {
  // 12d34'56" with any trailing parts left out.
  std::size_t d = t.find('d');
  if (d == std::string_view::npos) return std::nullopt;
  auto deg = ParseReal(t.substr(0, d));
  if (!deg) return std::nullopt;
  double v = std::fabs(*deg);
  std::string_view rest = t.substr(d + 1);
  if (!rest.empty()) {
    std::size_t m = rest.find('\'');
    if (m == std::string_view::npos) return std::nullopt;
    auto min = ParseReal(rest.substr(0, m));
    if (!min) return std::nullopt;
    v += *min / 60;
    rest = rest.substr(m + 1);
    if (!rest.empty()) {
      if (rest.back() != '"') return std::nullopt;
      auto sec = ParseReal(rest.substr(0, rest.size() - 1));
      if (!sec) return std::nullopt;
      v += *sec / 3600;
    }
  }
  return (t.front() == '-' ? -v : v) * kPi / 180;
}

// A surveyor's bearing: N or S, how far towards E or W ("N45d30'E", "s12.5w"), or one of the
// four letters alone. Read whatever AUNITS is; the offset is in degrees and at most 90.
std::optional<double> ParseBearing(std::string_view t) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  if (t.size() == 1) {
    switch (upper(t[0])) {
      case 'E':
        return 0.0;
      case 'N':
        return kPi / 2;
      case 'W':
        return kPi;
      case 'S':
        return 3 * kPi / 2;
      default:
        return std::nullopt;
    }
  }
  if (t.size() < 3) return std::nullopt;
  const char ns = upper(t.front()), ew = upper(t.back());
  if ((ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W')) return std::nullopt;
  std::string_view inner = t.substr(1, t.size() - 2);
  if (inner.front() == '-' || inner.front() == '+') return std::nullopt;
  std::optional<double> off;
  if (inner.find('d') != std::string_view::npos) {
    off = ParseDms(inner);
  } else if (auto v = ParseReal(inner)) {
    off = *v * kPi / 180;
  }
  if (!off || *off > kPi / 2 + 1e-12) return std::nullopt;
  const double from = ns == 'N' ? kPi / 2 : 3 * kPi / 2;
  const bool towardsEast = ew == 'E';
  return ns == 'N' ? (towardsEast ? from - *off : from + *off)
                   : (towardsEast ? from + *off : from - *off);
}

}  // namespace

std::string ShowDistance(double v, const Header& h) {
  if (h.lunits == 1) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, h.luprec);
    std::string s(buf, r.ptr);
    for (char& c : s) {
      if (c == 'e') c = 'E';
    }
    return s;
  }
  return FormatFixed(v, h.luprec);
}

std::string ShowAngle(double radians, const Header& h) {
  double deg = radians * 180 / kPi;
  switch (h.aunits) {
    case 1: {
      double a = std::fabs(deg);
      int p = h.auprec;
      if (p == 0) return (deg < 0 ? "-" : "") + FormatFixed(a, 0) + "d";
      double total =
          std::round(a * 3600 * std::pow(10, p > 4 ? p - 4 : 0)) / std::pow(10, p > 4 ? p - 4 : 0);
      int d = static_cast<int>(total / 3600);
      int m = static_cast<int>((total - d * 3600) / 60);
      double s = total - d * 3600 - m * 60;
      std::string out = (deg < 0 ? "-" : "") + std::to_string(d) + "d" + std::to_string(m) + "'";
      if (p >= 3) out += FormatFixed(s, p > 4 ? p - 4 : 0) + "\"";
      return out;
    }
    case 2:
      return FormatFixed(radians * 200 / kPi, h.auprec) + "g";
    case 3:
      return FormatFixed(radians, h.auprec) + "r";
    case 4: {
      // Bearing from north or south towards east or west.
      double a = NormalizeAngle(radians) * 180 / kPi;
      if (std::fabs(a) < 1e-12) return "E";
      if (std::fabs(a - 90) < 1e-12) return "N";
      if (std::fabs(a - 180) < 1e-12) return "W";
      if (std::fabs(a - 270) < 1e-12) return "S";
      const char* ns = a < 180 ? "N" : "S";
      const char* ew = (a < 90 || a > 270) ? "E" : "W";
      double off = a < 180 ? std::fabs(90 - a) : std::fabs(270 - a);
      return std::string(ns) + " " + TrimZeros(FormatFixed(off, h.auprec)) + "d " + ew;
    }
    default:
      return FormatFixed(deg, h.auprec);
  }
}

std::string ShowPoint(const Point& p, const Header& h) {
  return ShowDistance(p.x, h) + "," + ShowDistance(p.y, h) + "," + ShowDistance(p.z, h);
}

std::optional<double> ParseAngle(std::string_view t, const Header& h) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  if (t.empty()) return std::nullopt;
  char last = t.back();
  if (last == 'r' || last == 'R') {
    auto v = ParseReal(t.substr(0, t.size() - 1));
    return v ? std::optional<double>(*v) : std::nullopt;
  }
  if (last == 'g' || last == 'G') {
    auto v = ParseReal(t.substr(0, t.size() - 1));
    return v ? std::optional<double>(*v * kPi / 200) : std::nullopt;
  }
  if (auto b = ParseBearing(t)) return b;
  if (t.find('d') != std::string_view::npos) return ParseDms(t);
  auto v = ParseReal(t);
  if (!v) return std::nullopt;
  if (h.aunits == 2) return *v * kPi / 200;
  if (h.aunits == 3) return *v;
  return *v * kPi / 180;
}

double DirectionFromTyped(double typed, const Header& h) {
  return h.angbase + (h.angdir == 1 ? -typed : typed);
}

namespace {

Point Cross(const Point& a, const Point& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const Point& a, const Point& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

bool IsWorld(const Header& h) {
  return h.ucsorg.x == 0 && h.ucsorg.y == 0 && h.ucsorg.z == 0 && h.ucsxdir.x == 1 &&
         h.ucsxdir.y == 0 && h.ucsxdir.z == 0 && h.ucsydir.x == 0 && h.ucsydir.y == 1 &&
         h.ucsydir.z == 0;
}

// A vector given along the UCS's axes, in world coordinates.
Point UcsVectorToWorld(const Point& v, const Header& h) {
  if (IsWorld(h)) return v;
  const Point z = Cross(h.ucsxdir, h.ucsydir);
  return {v.x * h.ucsxdir.x + v.y * h.ucsydir.x + v.z * z.x,
          v.x * h.ucsxdir.y + v.y * h.ucsydir.y + v.z * z.y,
          v.x * h.ucsxdir.z + v.y * h.ucsydir.z + v.z * z.z};
}

}  // namespace

// "UCSORG (System Variable)", "UCSXDIR (System Variable)", "UCSYDIR (System Variable)": the
// origin and the axes of the current UCS, stored in world coordinates.
Point UcsToWorld(const Point& p, const Header& h) {
  if (IsWorld(h)) return p;
  const Point v = UcsVectorToWorld(p, h);
  return {h.ucsorg.x + v.x, h.ucsorg.y + v.y, h.ucsorg.z + v.z};
}

Point WorldToUcs(const Point& p, const Header& h) {
  if (IsWorld(h)) return p;
  const Point d{p.x - h.ucsorg.x, p.y - h.ucsorg.y, p.z - h.ucsorg.z};
  return {Dot(d, h.ucsxdir), Dot(d, h.ucsydir), Dot(d, Cross(h.ucsxdir, h.ucsydir))};
}

double UcsXDirection(const Header& h) { return std::atan2(h.ucsxdir.y, h.ucsxdir.x); }

std::optional<Point> ParsePoint(std::string_view t, const Point& last, const Header& h,
                                bool relativeByDefault) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  // "About Entering 2D Cartesian Coordinates": with dynamic input "#" makes a point absolute in
  // the UCS; "*" makes it absolute in world coordinates.
  bool world = false;
  bool relative = relativeByDefault;
  if (!t.empty() && (t.front() == '*' || t.front() == '#')) {
    world = t.front() == '*';
    relative = false;
    t.remove_prefix(1);
  }
  if (!t.empty() && t.front() == '@') {
    relative = true;
    t.remove_prefix(1);
    if (t.empty()) return last;
  }
  if (t.empty()) return std::nullopt;
  Point p;
  std::size_t lt = t.find('<');
  if (lt != std::string_view::npos) {
    auto dist = ParseReal(t.substr(0, lt));
    auto ang = ParseAngle(t.substr(lt + 1), h);
    if (!dist || !ang) return std::nullopt;
    double a = DirectionFromTyped(*ang, h);
    p = {*dist * std::cos(a), *dist * std::sin(a), 0};
  } else {
    auto parts = Split(t, ',');
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    auto x = ParseReal(parts[0]);
    auto y = ParseReal(parts[1]);
    if (!x || !y) return std::nullopt;
    p = {*x, *y, 0};
    if (parts.size() == 3) {
      auto z = ParseReal(parts[2]);
      if (!z) return std::nullopt;
      p.z = *z;
    }
  }
  if (world) {
    if (relative) return Point{last.x + p.x, last.y + p.y, last.z + p.z};
    return p;
  }
  if (relative) {
    const Point v = UcsVectorToWorld(p, h);
    return Point{last.x + v.x, last.y + v.y, last.z + v.z};
  }
  return UcsToWorld(p, h);
}

}  // namespace hostsim
