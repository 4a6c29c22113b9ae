#include "dxf/DxfWriter.h"

#include <initializer_list>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/NumberFormat.h"
#include "numbers/X87Precision.h"

std::string DxfReal(long double value) { return FormatReal(value); }

std::string DxfRotation(double radians) {
  const X87ExtendedPrecision precision;
  // Degrees per radian as the double 57.29577951308232, not the extended 180/π: the product,
  // formed in extended precision and rounded to double, differs in the last digit now and then.
  constexpr double kDegreesPerRadian = 57.29577951308232;
  static_assert(kDegreesPerRadian == 180 / std::numbers::pi);
  return DxfReal(static_cast<double>(static_cast<long double>(radians) * kDegreesPerRadian));
}

namespace {

// One group code and its value appended to an item in the host's form: the code right-aligned
// in three columns (four-digit codes as they are), the value on the next line, CR LF between
// lines. Every pair of a document goes through here.
void AppendPair(std::string& item, int code, std::string_view value) {
  if (!item.empty()) item += "\r\n";
  const std::string digits = std::to_string(code);
  if (digits.size() < 3) item.append(3 - digits.size(), ' ');
  item += digits;
  item += "\r\n";
  item += value;
}

struct GroupPair {
  int code;
  std::string_view value;
};

// Pairs joined into one item.
std::string Pairs(std::initializer_list<GroupPair> pairs) {
  std::string item;
  for (const GroupPair& p : pairs) AppendPair(item, p.code, p.value);
  return item;
}

// The applications a document registers, in this order.
enum class AppIds { kNone, kAreas, kMarks, kMarksAndSegments };

std::vector<const char*> AppNames(AppIds apps) {
  switch (apps) {
    case AppIds::kNone:
      return {};
    case AppIds::kAreas:
      return {kAppName};
    case AppIds::kMarks:
      return {kAppName, kCornerAppName};
    case AppIds::kMarksAndSegments:
      return {kAppName, kSegmentAppName, kCornerAppName};
  }
  return {};
}

void WriteHeader(DxfDocument& d, const std::string& style, AppIds apps) {
  d.items.push_back(
      Pairs({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}, {0, "ENDSEC"}}));
  d.items.push_back(Pairs({{0, "SECTION"}, {2, "TABLES"}}));
  const std::vector<const char*> names = AppNames(apps);
  if (!names.empty()) d.items.push_back(Pairs({{0, "TABLE"}, {2, "APPID"}}));
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string item = Pairs({{0, "APPID"}, {2, names[i]}, {70, "0"}});
    if (i + 1 == names.size()) item += "\r\n" + Pairs({{0, "ENDTAB"}});
    d.items.push_back(std::move(item));
  }
  if (!style.empty()) {
    d.items.push_back(Pairs({{0, "TABLE"}, {2, "STYLE"}, {70, "     1"}}));
    d.items.push_back(Pairs({{0, "STYLE"}, {2, style}, {70, "     0"}}));
    d.items.push_back(Pairs({{40, "0.0"}, {41, "1.0"}, {50, "0.0"}}));
    d.items.push_back(Pairs({{71, "     0"}, {42, "2.5"}, {3, "txt.shx"}}));
    d.items.push_back(Pairs({{4, ""}, {0, "ENDTAB"}}));
  }
  d.items.push_back(Pairs({{0, "ENDSEC"}}));
  d.items.push_back(Pairs({{0, "SECTION"}, {2, "ENTITIES"}}));
}

// Every entity's second item: its layer, and everything else by layer.
void WriteLayer(DxfDocument& d, const std::string& layer) {
  d.items.push_back(Pairs({{8, layer}, {6, "BYLAYER"}, {62, "256"}, {48, "1.0"}}));
}

// A point: x under code, y under code + 10 (and z under code + 20).
std::string PlanePoint(int code, const TAcadPoint& p) {
  return Pairs({{code, DxfReal(p.x)}, {code + 10, DxfReal(p.y)}});
}

std::string SpacePoint(int code, const TAcadPoint& p) {
  return Pairs({{code, DxfReal(p.x)}, {code + 10, DxfReal(p.y)}, {code + 20, DxfReal(p.z)}});
}

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

int VerticalCode(char c) {
  switch (c) {
    case 'T':
      return 3;
    case 'M':
      return 2;
    case 'B':
      return 1;
    default:
      return 0;
  }
}

int HorizontalCode(char c, bool single) {
  switch (c) {
    case 'L':
      return 0;
    case 'C':
      return 1;
    case 'R':
      return 2;
    case 'A':
      return single ? 3 : 0;
    case 'M':
      return single ? 4 : 0;
    case 'F':
      return single ? 5 : 0;
    default:
      return 0;
  }
}

}  // namespace

void WriteDxfHeader(DxfDocument& document, const std::string& style) {
  WriteHeader(document, style, AppIds::kAreas);
}

void WriteDxfMarkHeader(DxfDocument& document, const std::string& style) {
  WriteHeader(document, style, AppIds::kMarks);
}

void WriteDxfHeaderWithSegments(DxfDocument& document, const std::string& style) {
  WriteHeader(document, style, AppIds::kMarksAndSegments);
}

void WriteDxfHeaderWithoutAppId(DxfDocument& document, const std::string& style) {
  WriteHeader(document, style, AppIds::kNone);
}

void WriteDxfEnd(DxfDocument& document) {
  document.items.push_back(Pairs({{0, "ENDSEC"}}));
  document.items.push_back(Pairs({{0, "EOF"}}));
}

TextJustification ParseJustification(std::string_view option) {
  if (option.empty() || option[0] != 'J') return {};
  std::string_view letters = option.substr(option.size() < 2 ? option.size() : 2, 2);
  while (!letters.empty() && IsTrimmed(letters.front())) letters.remove_prefix(1);
  while (!letters.empty() && IsTrimmed(letters.back())) letters.remove_suffix(1);
  if (letters.size() == 2) return {HorizontalCode(letters[1], false), VerticalCode(letters[0])};
  if (letters.size() == 1) return {HorizontalCode(letters[0], true), 0};
  return {};
}

void WriteDxfText(DxfDocument& document, const std::string& justification, const TAcadPoint& point,
                  double height, double rotation, const std::string& text, const std::string& layer,
                  const std::string& style) {
  WriteDxfTextAligned(document, ParseJustification(justification), point, height, rotation, text,
                      layer, style);
}

void WriteDxfTextAligned(DxfDocument& document, TextJustification justification,
                         const TAcadPoint& point, double height, double rotation,
                         const std::string& text, const std::string& layer,
                         const std::string& style) {
  auto& items = document.items;
  items.push_back(Pairs({{0, "TEXT"}}));
  WriteLayer(document, layer);
  if (!style.empty()) items.push_back(Pairs({{7, style}}));
  items.push_back(PlanePoint(10, point));
  items.push_back(PlanePoint(11, point));
  items.push_back(Pairs({{1, text}}));
  items.push_back(Pairs({{40, DxfReal(height)}}));
  items.push_back(Pairs({{41, "1.0"}}));
  items.push_back(Pairs({{50, DxfRotation(rotation)}}));
  items.push_back(Pairs({{72, std::to_string(justification.horizontal)},
                         {73, std::to_string(justification.vertical)}}));
}

void WriteDxfLine(DxfDocument& document, const TAcadPoint& start, const TAcadPoint& end,
                  const std::string& layer) {
  document.items.push_back(Pairs({{0, "LINE"}}));
  WriteLayer(document, layer);
  document.items.push_back(SpacePoint(10, start));
  document.items.push_back(SpacePoint(11, end));
}

void WriteDxfPlaneLine(DxfDocument& document, const TAcadPoint& start, const TAcadPoint& end,
                       const std::string& layer) {
  document.items.push_back(Pairs({{0, "LINE"}}));
  WriteLayer(document, layer);
  document.items.push_back(PlanePoint(10, start));
  document.items.push_back(PlanePoint(11, end));
}

void WriteDxfCircle(DxfDocument& document, const TAcadPoint& centre, double radius,
                    const std::string& layer) {
  document.items.push_back(Pairs({{0, "CIRCLE"}}));
  WriteLayer(document, layer);
  document.items.push_back(Pairs({{10, DxfReal(centre.x)}}));
  document.items.push_back(Pairs({{20, DxfReal(centre.y)}}));
  document.items.push_back(Pairs({{40, DxfReal(radius)}}));
}

void WriteDxfAppData(DxfDocument& document, long double x, long double y, long double z) {
  document.items.push_back(Pairs({{1001, kAppName}}));
  document.items.push_back(Pairs({{1010, DxfReal(x)}}));
  document.items.push_back(Pairs({{1020, DxfReal(y)}}));
  document.items.push_back(Pairs({{1030, DxfReal(z)}}));
}

void WriteDxfSegmentData(DxfDocument& document, long double chord, long double radius, int sign,
                         long double angle) {
  document.items.push_back(Pairs({{1001, kSegmentAppName}}));
  document.items.push_back(Pairs({{1010, DxfReal(chord)}}));
  document.items.push_back(Pairs({{1020, DxfReal(radius)}}));
  document.items.push_back(Pairs({{1030, DxfReal(sign)}}));
  document.items.push_back(Pairs({{1040, DxfReal(angle)}}));
}

void WriteDxfTriangleCorners(DxfDocument& document, const TAcadTriangle& triangle) {
  document.items.push_back(Pairs({{1001, kCornerAppName}}));
  for (const TAcadPoint* p : {&triangle.p1, &triangle.p2, &triangle.p3}) {
    document.items.push_back(SpacePoint(1010, *p));
  }
}

void WriteDxfArcCorners(DxfDocument& document, const TAcadPoint& st, const TAcadPoint& ed,
                        int centreSide, long double bulge) {
  document.items.push_back(Pairs({{1001, kCornerAppName}}));
  document.items.push_back(SpacePoint(1010, st));
  document.items.push_back(SpacePoint(1010, ed));
  document.items.push_back(Pairs({{1070, std::to_string(centreSide)}}));
  document.items.push_back(Pairs({{1040, DxfReal(bulge)}}));
}

void WriteDxfAreaData(DxfDocument& document, long double area) {
  document.items.push_back(Pairs({{1001, kAppName}}));
  document.items.push_back(Pairs({{1000, kCoordinateAreaTag}}));
  document.items.push_back(Pairs({{1040, DxfReal(area)}}));
}
