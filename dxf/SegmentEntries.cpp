#include "dxf/SegmentEntries.h"

#include <algorithm>
#include <climits>
#include <numbers>

#include "dxf/AppDataTexts.h"
#include "dxf/DxfWriter.h"
#include "numbers/NumberText.h"

namespace {

constexpr const char* kSegmentPrefix = "弓";

int NameNumber(const std::string& name) {
  const std::string prefix = kSegmentPrefix;
  if (name.compare(0, prefix.size(), prefix) != 0) return 0;
  long long value = 0;
  if (!TryParseInt(name.substr(prefix.size()), value) || value < 1 || value > INT_MAX) return 0;
  return static_cast<int>(value);
}

}  // namespace

std::string SegmentName(int number) { return kSegmentPrefix + std::to_string(number); }

std::vector<SegmentMarkData> CollectSegmentMarks(const EntityLineList& lines) {
  std::vector<SegmentMarkData> marks;
  for (const std::string_view line : lines) {
    if (!IsAppDataText(line, kSegmentAppName)) continue;
    SegmentMarkData m;
    m.name = GetGroupValue(line, 1);
    m.number = NameNumber(m.name);
    TAcadPoint data;
    GetGroupPoint(line, 1010, data);
    m.chord = data.x;
    m.radius = data.y;
    m.sign = data.z < 0 ? -1 : 1;
    const std::string angle = GetGroupValue(line, 1040);
    m.major = !angle.empty() && StrToFloat(angle) > std::numbers::pi_v<long double>;
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
