// The entities of a written document, read back pair by pair for the tests' checks.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "dxf/DxfDocument.h"
#include "numbers/NumberText.h"

namespace tabletest {

struct Entity {
  std::string type;
  std::vector<std::pair<int, std::string>> groups;  // after the 0 group, in order

  bool Has(int code) const {
    for (const auto& g : groups)
      if (g.first == code) return true;
    return false;
  }
  std::string Text(int code) const {
    for (const auto& g : groups)
      if (g.first == code) return g.second;
    return "<missing " + std::to_string(code) + ">";
  }
  long double Number(int code) const { return StrToFloat(Text(code)); }
};

inline std::vector<std::string> DocumentLines(const DxfDocument& d) {
  std::vector<std::string> lines;
  for (const std::string& item : d.items) {
    std::size_t start = 0;
    for (std::size_t at = item.find("\r\n"); at != std::string::npos;
         at = item.find("\r\n", start)) {
      lines.push_back(item.substr(start, at - start));
      start = at + 2;
    }
    lines.push_back(item.substr(start));
  }
  return lines;
}

// The entities between "2 ENTITIES" and the next "0 ENDSEC".
inline std::vector<Entity> EntitiesOf(const DxfDocument& d) {
  const std::vector<std::string> lines = DocumentLines(d);
  std::vector<Entity> out;
  bool in = false;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    const int code = StrToInt(lines[i]);
    const std::string& value = lines[i + 1];
    if (!in) {
      in = code == 2 && value == "ENTITIES";
      continue;
    }
    if (code == 0) {
      if (value == "ENDSEC") break;
      out.push_back({value, {}});
    } else if (!out.empty()) {
      out.back().groups.emplace_back(code, value);
    }
  }
  return out;
}

}  // namespace tabletest
