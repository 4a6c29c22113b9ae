#include "numbers/AngleText.h"

#include <cmath>
#include <numbers>

#include "numbers/NumberText.h"

namespace {

constexpr long double kDegreesPerRadian = 180 / std::numbers::pi_v<long double>;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A number as the host reads one: the program's number syntax, within the host's double range.
std::optional<long double> Number(std::string_view text) {
  long double v = 0;
  if (!TryParseFloat(text, v) || !std::isfinite(static_cast<double>(v))) return std::nullopt;
  return v;
}

std::optional<long double> UnsignedNumber(std::string_view text) {
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  return Number(text);
}

// "45d", "45d30'", "45d30'15\"": the degrees may carry a sign, which holds for the whole angle.
std::optional<long double> DegreesMinutesSeconds(std::string_view text) {
  const std::size_t d = text.find('d');
  const auto degrees = Number(text.substr(0, d));
  if (!degrees) return std::nullopt;
  long double magnitude = std::fabs(*degrees);
  std::string_view rest = text.substr(d + 1);
  if (!rest.empty()) {
    const std::size_t m = rest.find('\'');
    if (m == std::string_view::npos) return std::nullopt;
    const auto minutes = UnsignedNumber(rest.substr(0, m));
    if (!minutes) return std::nullopt;
    magnitude += *minutes / 60;
    rest = rest.substr(m + 1);
    if (!rest.empty()) {
      if (rest.back() != '"') return std::nullopt;
      const auto seconds = UnsignedNumber(rest.substr(0, rest.size() - 1));
      if (!seconds) return std::nullopt;
      magnitude += *seconds / 3600;
    }
  }
  return text.front() == '-' ? -magnitude : magnitude;
}

// "N45d30'E", "S12.5W", or one of the four letters: a direction counted from east.
std::optional<long double> Bearing(std::string_view text) {
  if (text.size() == 1) {
    switch (Upper(text[0])) {
      case 'E':
        return 0.0L;
      case 'N':
        return 90.0L;
      case 'W':
        return 180.0L;
      case 'S':
        return 270.0L;
      default:
        return std::nullopt;
    }
  }
  const char from = Upper(text.front()), towards = Upper(text.back());
  if (text.size() < 3 || (from != 'N' && from != 'S') || (towards != 'E' && towards != 'W'))
    return std::nullopt;
  const std::string_view offsetText = text.substr(1, text.size() - 2);
  if (offsetText.front() == '+' || offsetText.front() == '-') return std::nullopt;
  const auto offset = offsetText.find('d') != std::string_view::npos
                          ? DegreesMinutesSeconds(offsetText)
                          : Number(offsetText);
  if (!offset || *offset > 90) return std::nullopt;
  // Turning from north towards east, or from south towards west, is clockwise.
  const bool clockwise = (from == 'N') == (towards == 'E');
  return (from == 'N' ? 90 : 270) + (clockwise ? -*offset : *offset);
}

}  // namespace

std::optional<long double> HostAngleDegrees(std::string_view text, int aunits) {
  if (text.empty()) return std::nullopt;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u >= 0x7F) return std::nullopt;  // blanks, keys, and no number's letters
  }
  if (const auto b = Bearing(text)) return b;
  const char last = Upper(text.back());
  const std::string_view body = text.substr(0, text.size() - 1);
  if (last == 'R') {
    const auto v = Number(body);
    return v ? std::optional<long double>(*v * kDegreesPerRadian) : std::nullopt;
  }
  if (last == 'G') {
    const auto v = Number(body);
    return v ? std::optional<long double>(*v * 0.9L) : std::nullopt;
  }
  if (text.find('d') != std::string_view::npos) return DegreesMinutesSeconds(text);
  const auto v = Number(text);
  if (!v) return std::nullopt;
  if (aunits == 2) return *v * 0.9L;
  if (aunits == 3) return *v * kDegreesPerRadian;
  return v;
}

bool IsHostAngle(std::string_view text) { return HostAngleDegrees(text, 0).has_value(); }
