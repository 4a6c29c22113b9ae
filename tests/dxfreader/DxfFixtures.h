// Small DXF files written inline: each fixture is a list of lines, one group code or value a
// line, joined with LF (or CR LF).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "dxf/DxfParser.h"
#include "platform/standin/Cp932CodePage.h"

namespace dxftest {

inline std::string Lines(std::initializer_list<std::string_view> lines,
                         std::string_view end = "\n") {
  std::string s;
  for (std::string_view l : lines) {
    s += l;
    s += end;
  }
  return s;
}

inline std::string Header(std::string_view version) {
  return Lines({"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", version, "  9",
                "$DWGCODEPAGE", "  3", "ANSI_932", "  0", "ENDSEC"});
}

// A LAYER table with the given rows, each "name,colour".
inline std::string LayerTable(std::initializer_list<std::pair<std::string_view, int>> rows) {
  std::string s = Lines({"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LAYER", "  5",
                         "2", " 70", std::to_string(rows.size())});
  for (const auto& [name, colour] : rows)
    s += Lines({"  0", "LAYER", "  5", "10", "100", "AcDbSymbolTableRecord", "100",
                "AcDbLayerTableRecord", "  2", name, " 70", "0", " 62", std::to_string(colour),
                "  6", "Continuous"});
  return s + Lines({"  0", "ENDTAB", "  0", "ENDSEC"});
}

inline std::string Entities(std::string_view body) {
  return Lines({"  0", "SECTION", "  2", "ENTITIES"}) + std::string(body) +
         Lines({"  0", "ENDSEC"});
}

inline std::string Blocks(std::string_view body) {
  return Lines({"  0", "SECTION", "  2", "BLOCKS"}) + std::string(body) + Lines({"  0", "ENDSEC"});
}

inline std::string Eof() { return Lines({"  0", "EOF"}); }

inline std::string Line(std::string_view layer, std::string_view x1, std::string_view y1,
                        std::string_view x2, std::string_view y2) {
  return Lines({"  0", "LINE",     "  5", "2A", "100", "AcDbEntity", "  8", layer,
                "100", "AcDbLine", " 10", x1,   " 20", y1,           " 30", "0.0",
                " 11", x2,         " 21", y2,   " 31", "0.0"});
}

// Parses with the code page of the users' systems into fresh tables.
struct Parsed {
  TDxfTables t;
  DxfParseResult r;
};

inline Parsed Parse(std::string_view dxf) {
  platform::Cp932CodePage cp;
  Parsed p;
  p.r = ParseDxf(dxf, p.t, cp);
  return p;
}

}  // namespace dxftest
