#include "dxf/NumberEntries.h"

#include <climits>
#include <utility>

#include "dxf/AppDataTexts.h"
#include "dxf/DxfWriter.h"
#include "dxf/EntityLines.h"
#include "numbers/NumberFormat.h"
#include "numbers/NumberText.h"

void CollectNumberMarks(const EntityLineList& lines, std::vector<std::string>& entries) {
  for (const std::string_view line : lines) {
    if (!IsAppDataText(line, kAppName)) continue;
    // A coordinate table's area carries data of the same application but is no mark.
    if (GetGroupValue(line, 1000) == kCoordinateAreaTag) continue;
    std::string entry = GetGroupValue(line, 1);
    // A point of its own for every mark: one without data must not show its predecessor's.
    TAcadPoint sides;
    GetGroupPoint(line, 1010, sides);
    for (long double side : {sides.x, sides.y, sides.z}) {
      entry += ',';
      entry += FormatFixed(side, 8);
    }
    entries.push_back(std::move(entry));
  }
}

std::vector<long double> CollectCoordinateAreas(const EntityLineList& lines) {
  std::vector<long double> areas;
  for (const std::string_view line : lines) {
    if (!IsAppDataText(line, kAppName)) continue;
    if (GetGroupValue(line, 1000) != kCoordinateAreaTag) continue;
    const std::string area = GetGroupValue(line, 1040);
    if (!area.empty()) areas.push_back(StrToFloat(area));
  }
  return areas;
}

int NumberKey(std::string_view entry) {
  long long value = 0;
  if (!TryParseInt(entry.substr(0, entry.find(',')), value)) return 0;
  return value < INT_MIN || value > INT_MAX ? 0 : static_cast<int>(value);
}

void SortByNumber(std::vector<std::string>& entries) {
  if (entries.size() < 2) return;
  std::vector<int> keys;
  keys.reserve(entries.size());
  for (const std::string& e : entries) keys.push_back(NumberKey(e));
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
    for (std::size_t j = i + 1; j < entries.size(); ++j) {
      if (keys[i] > keys[j]) {
        std::swap(entries[i], entries[j]);
        std::swap(keys[i], keys[j]);
      }
    }
  }
}

int NextNumber(const std::vector<std::string>& sortedEntries) {
  if (sortedEntries.empty()) return 1;
  const std::string& last = sortedEntries.back();
  if (last.empty() || last.front() == ',') return 1;
  return NumberAfter(NumberKey(last));
}

int NextNumberFromMarks(const EntityLineList& lines) {
  std::vector<std::string> entries;
  CollectNumberMarks(lines, entries);
  SortByNumber(entries);
  return NextNumber(entries);
}
