#include "dxf/MarkCorners.h"

#include <string>

#include "dxf/DxfWriter.h"
#include "numbers/NumberText.h"

namespace {

struct Pair {
  int code = 0;
  long double value = 0;
};

// The pairs of the application's data: after its 1001 name, up to the next application's.
bool CornerPairs(std::string_view line, std::vector<Pair>& pairs) {
  const std::string marker = std::string("\t1001,") + kCornerAppName + "\t";
  std::size_t at = line.find(marker);
  if (at == std::string_view::npos) return false;
  at += marker.size();
  while (at < line.size()) {
    const std::size_t end = line.find('\t', at);
    const std::string_view pair =
        line.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    at = end == std::string_view::npos ? line.size() : end + 1;
    const std::size_t comma = pair.find(',');
    if (comma == std::string_view::npos) return false;
    long long code = 0;
    if (!TryParseInt(TrimHostText(pair.substr(0, comma)), code)) return false;
    if (code == 1001) break;
    Pair p{static_cast<int>(code), 0};
    if (!TryParseFloat(TrimHostText(pair.substr(comma + 1)), p.value)) return false;
    pairs.push_back(p);
  }
  return true;
}

}  // namespace

MarkCorners ReadMarkCorners(std::string_view line) {
  std::vector<Pair> pairs;
  MarkCorners none;
  if (!CornerPairs(line, pairs)) return none;
  MarkCorners c;
  bool haveSide = false, haveBulge = false;
  for (const Pair& p : pairs) {
    if (p.code == 1010) {
      c.points.push_back({p.value, 0, 0});
    } else if (p.code == 1020 && !c.points.empty()) {
      c.points.back().y = p.value;
    } else if (p.code == 1030 && !c.points.empty()) {
      c.points.back().z = p.value;
    } else if (p.code == 1070) {
      c.centreSide = p.value < 0 ? -1 : 1;
      haveSide = true;
    } else if (p.code == 1040) {
      c.bulge = p.value;
      haveBulge = true;
    }
  }
  if (c.points.size() == 3 && !haveSide && !haveBulge) {
    c.kind = MarkCorners::Kind::kTriangle;
  } else if (c.points.size() == 2 && haveSide && haveBulge) {
    c.kind = MarkCorners::Kind::kArc;
  } else {
    return none;
  }
  return c;
}
