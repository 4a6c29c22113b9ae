#include "hostsim/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace hostsim {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string FormatFixed(double v, int decimals) {
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  std::string s(buf, r.ptr);
  // "-0.0000" is no number a host shows.
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

std::string FormatReal(double v, int digits) {
  if (v == 0 || !std::isfinite(v)) return "0.0";
  char buf[64];
  // The shortest round trip when it fits the digits, otherwise rounded to them.
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general);
  std::string s(buf, r.ptr);
  std::size_t sig = 0;
  for (char c : s) {
    if (c == 'e') break;
    if (c >= '0' && c <= '9') ++sig;
  }
  if (sig > static_cast<std::size_t>(digits)) {
    r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
    s.assign(buf, r.ptr);
  }
  const double a = std::fabs(v);
  if (s.find('e') != std::string::npos) {
    double rounded = v;
    std::from_chars(s.data(), s.data() + s.size(), rounded);
    if (a >= 1e-6 && a < 1e16) {
      // Plain notation in this range, as DXF writers do.
      r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed);
    } else {
      // Beyond it, the host's form: all the digits, a capital E and a signed exponent of at
      // least two digits ("1.224646799147353E-16").
      r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::scientific, digits - 1);
    }
    s.assign(buf, r.ptr);
    for (char& c : s) {
      if (c == 'e') c = 'E';
    }
  }
  if (s.find_first_of(".E") == std::string::npos) s += ".0";
  return s;
}

std::optional<double> ParseReal(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  std::string_view t = text;
  if (t.front() == '+') t.remove_prefix(1);
  // from_chars takes no leading '+' and needs a digit before or after the point.
  double v = 0;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size()) return std::nullopt;
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<long long> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long v = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size())
    return std::nullopt;
  return v;
}

}  // namespace hostsim
