#include "table/MarkCheckRead.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>

#include "dxf/AppDataTexts.h"
#include "dxf/DxfWriter.h"
#include "dxf/NumberEntries.h"
#include "dxf/SegmentEntries.h"
#include "numbers/NumberText.h"

namespace {

bool IsEntity(std::string_view line, std::string_view type) {
  const std::string head = "0," + std::string(type) + "\t";
  return line.compare(0, head.size(), head) == 0;
}

// Every "code,value" pair of an entity line after its 0 group, up to its application data.
template <typename F>
void ForEachPair(std::string_view line, F f) {
  std::size_t at = line.find('\t');
  while (at != std::string_view::npos && at + 1 < line.size()) {
    const std::size_t end = line.find('\t', at + 1);
    const std::string_view pair =
        line.substr(at + 1, end == std::string_view::npos ? std::string_view::npos : end - at - 1);
    at = end;
    const std::size_t comma = pair.find(',');
    long long code = 0;
    if (comma == std::string_view::npos || !TryParseInt(TrimHostText(pair.substr(0, comma)), code))
      continue;
    if (code == 1001) return;
    f(static_cast<int>(code), TrimHostText(pair.substr(comma + 1)));
  }
}

std::optional<long double> Real(std::string_view line, int code) {
  long double value = 0;
  if (!TryParseFloat(GetGroupValue(line, code), value)) return std::nullopt;
  return value;
}

std::optional<TAcadPoint> Point(std::string_view line, int code) {
  const std::optional<long double> x = Real(line, code), y = Real(line, code + 10);
  if (!x || !y) return std::nullopt;
  return TAcadPoint{*x, *y, 0};
}

void ReadPolyline(std::string_view line, std::vector<DrawnEdge>& edges) {
  struct Vertex {
    TAcadPoint at;
    long double bulge = 0;
  };
  std::vector<Vertex> vertices;
  int flags = 0;
  ForEachPair(line, [&](int code, const std::string& value) {
    long double v = 0;
    if (!TryParseFloat(value, v)) return;
    if (code == 70) flags = static_cast<int>(v);
    if (code == 10) vertices.push_back({{v, 0, 0}, 0});
    if (code == 20 && !vertices.empty()) vertices.back().at.y = v;
    if (code == 42 && !vertices.empty()) vertices.back().bulge = v;
  });
  const std::size_t n = vertices.size();
  const std::size_t sides = (flags & 1) != 0 && n > 2 ? n : n - (n > 0 ? 1 : 0);
  for (std::size_t i = 0; i < sides; ++i)
    edges.push_back({vertices[i].at, vertices[(i + 1) % n].at, vertices[i].bulge});
}

void ReadArc(std::string_view line, std::vector<DrawnEdge>& edges) {
  const std::optional<TAcadPoint> centre = Point(line, 10);
  const std::optional<long double> radius = Real(line, 40), start = Real(line, 50),
                                   end = Real(line, 51);
  if (!centre || !radius || !start || !end) return;
  constexpr long double kRadian = std::numbers::pi_v<long double> / 180;
  long double sweep = std::fmod(*end - *start, 360.0L);
  if (sweep <= 0) sweep += 360;
  auto at = [&](long double degrees) {
    return TAcadPoint{centre->x + *radius * std::cos(degrees * kRadian),
                      centre->y + *radius * std::sin(degrees * kRadian), 0};
  };
  edges.push_back({at(*start), at(*end), std::tan(sweep * kRadian / 4)});
}

void ReadText(std::string_view line, std::vector<DrawnText>& texts) {
  if (!GetGroupValue(line, 1001).empty()) return;
  const bool aligned = !GetGroupValue(line, 72).empty() && GetGroupValue(line, 72) != "0";
  const bool vertical = !GetGroupValue(line, 73).empty() && GetGroupValue(line, 73) != "0";
  std::optional<TAcadPoint> at = Point(line, aligned || vertical ? 11 : 10);
  if (!at) at = Point(line, 10);
  const std::optional<long double> height = Real(line, 40);
  if (!at || !height) return;
  texts.push_back({*at, static_cast<double>(*height), GetGroupValue(line, 1)});
}

}  // namespace

std::vector<CheckedMark> ReadCheckedMarks(const EntityLineList& lines) {
  std::vector<CheckedMark> marks;
  for (const std::string_view line : lines) {
    const bool number = IsAppDataText(line, kAppName);
    if (!number && !IsAppDataText(line, kSegmentAppName)) continue;
    CheckedMark m;
    m.name = GetGroupValue(line, 1);
    TAcadPoint data;
    if (number) {
      if (GetGroupValue(line, 1000) == kCoordinateAreaTag) continue;
      m.number = NumberKey(m.name);
      GetGroupPoint(line, 1010, data);
      m.sides[0] = data.x;
      m.sides[1] = data.y;
      m.sides[2] = data.z;
    } else {
      m.segment = true;
      m.number = SegmentNumber(m.name);
      GetGroupPoint(line, 1010, data);
      m.chord = data.x;
      m.radius = data.y;
    }
    m.corners = ReadMarkCorners(line);
    marks.push_back(std::move(m));
  }
  return marks;
}

void ReadDrawnLines(const EntityLineList& lines, CheckedDrawing& into) {
  for (const std::string_view line : lines) {
    if (IsEntity(line, "LINE")) {
      const std::optional<TAcadPoint> st = Point(line, 10), ed = Point(line, 11);
      if (st && ed) into.edges.push_back({*st, *ed, 0});
    } else if (IsEntity(line, "LWPOLYLINE")) {
      ReadPolyline(line, into.edges);
    } else if (IsEntity(line, "ARC")) {
      ReadArc(line, into.edges);
    } else if (IsEntity(line, "TEXT")) {
      ReadText(line, into.texts);
    }
  }
}
