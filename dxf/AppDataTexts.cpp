#include "dxf/AppDataTexts.h"

#include <climits>

#include "dxf/EntityLines.h"

bool IsAppDataText(std::string_view line, std::string_view app) {
  return line.compare(0, 6, "0,TEXT") == 0 && GetGroupValue(line, 1001) == app;
}

int NumberAfter(int highest) { return highest == INT_MAX ? highest : highest + 1; }
