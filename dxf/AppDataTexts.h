// The texts that carry the program's own application data, found in the lines of an entity
// scan, and the rule by which the next mark is numbered after the highest one there.
#pragma once

#include <string_view>

// A TEXT line whose first application data names `app` exactly (case-sensitive).
bool IsAppDataText(std::string_view line, std::string_view app);

// The number after `highest`: highest + 1, or INT_MAX itself, which has no number after it.
int NumberAfter(int highest);
