#include "dxf/SegmentEntries.h"

#include <algorithm>
#include <climits>

#include "dxf/AppDataTexts.h"
#include "dxf/DxfWriter.h"
#include "numbers/NumberText.h"

namespace {

constexpr const char* kSegmentPrefix = "弓";

}  // namespace

int SegmentNumber(const std::string& name) {
  const std::string prefix = kSegmentPrefix;
  if (name.compare(0, prefix.size(), prefix) != 0) return 0;
  long long value = 0;
  if (!TryParseInt(name.substr(prefix.size()), value) || value < 1 || value > INT_MAX) return 0;
  return static_cast<int>(value);
}

std::string SegmentName(int number) { return kSegmentPrefix + std::to_string(number); }

std::vector<SegmentMarkData> CollectSegmentMarks(const EntityLineList& lines) {
  std::vector<SegmentMarkData> marks;
  for (const std::string_view line : lines) {
    if (!IsAppDataText(line, kSegmentAppName)) continue;
    SegmentMarkData m;
    m.name = GetGroupValue(line, 1);
    m.number = SegmentNumber(m.name);
    TAcadPoint data;
    GetGroupPoint(line, 1010, data);
    m.chord = data.x;
    m.radius = data.y;
    m.sign = data.z < 0 ? -1 : 1;
    // The angle as measured: worked back from the chord and radius it would be ill-conditioned
    // near a half circle and lose which of the two arcs it is.
    m.angle = StrToFloat(GetGroupValue(line, 1040));
    marks.push_back(std::move(m));
  }
  std::stable_sort(
      marks.begin(), marks.end(),
      [](const SegmentMarkData& a, const SegmentMarkData& b) { return a.number < b.number; });
  return marks;
}

int NextSegmentNumber(const std::vector<SegmentMarkData>& marks) {
  int highest = 0;
  for (const SegmentMarkData& m : marks) highest = std::max(highest, m.number);
  return NumberAfter(highest);
}
