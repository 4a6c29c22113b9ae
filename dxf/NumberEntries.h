// Number marks found in entity lines, as entries "number,side1,side2,side3": the mark's text
// and its application data point (the triangle's three side lengths) with eight decimals.
// The highest number tells where the counter goes on; the area table is rebuilt from the sides.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/EntityLines.h"

// Appends an entry for every TEXT line whose first application data names kAppName exactly
// (case-sensitive), in the order of the lines, except a coordinate table's area (its first
// 1000 string is kCoordinateAreaTag). A mark without its 1010 or 1020 group gets 0
// there. Throws EConvertError for a data value that is no number.
void CollectNumberMarks(const EntityLineList& lines, std::vector<std::string>& entries);

// The areas that coordinate tables carry (their kCoordinateAreaTag data), in the order of the
// lines. Throws EConvertError for an area that is no number.
std::vector<long double> CollectCoordinateAreas(const EntityLineList& lines);

// The integer before the entry's first comma; 0 when that text is empty or no integer.
int NumberKey(std::string_view entry);

// Ascending by NumberKey, by exchanges: each position in turn takes the smallest key of the
// rest, exchanged in as soon as a smaller one is met. Equal keys are never exchanged.
void SortByNumber(std::vector<std::string>& entries);

// The number after the last of the sorted entries (its key + 1); 1 when there is none or its
// number text is empty.
int NextNumber(const std::vector<std::string>& sortedEntries);

// The next number for the counter from the entity lines of a whole-drawing export, which must
// have been scanned whole (HostExport sees to that): a partial view would lower the counter.
int NextNumberFromMarks(const EntityLineList& lines);
