#include "annotation/DxfWriter.h"

#include <numbers>

#include "numbers/NumberFormat.h"

std::string DxfReal(long double value) { return FormatReal(value); }

std::string DxfRotation(double radians) {
  // Degrees per radian as the double 57.29577951308232, not the extended 180/π: the product,
  // formed in extended precision and rounded to double, differs in the last digit now and then.
  constexpr double kDegreesPerRadian = 57.29577951308232;
  static_assert(kDegreesPerRadian == 180 / std::numbers::pi);
  return DxfReal(static_cast<double>(static_cast<long double>(radians) * kDegreesPerRadian));
}

namespace {

// Lines joined into one item, CR LF between them.
std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string item;
  for (std::string_view line : lines) {
    if (!item.empty()) item += "\r\n";
    item += line;
  }
  return item;
}

void WriteHeader(DxfDocument& d, const std::string& style, bool appId) {
  d.items.push_back(
      "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  0\r\nENDSEC");
  d.items.push_back("  0\r\nSECTION\r\n  2\r\nTABLES");
  if (appId) {
    d.items.push_back("  0\r\nTABLE\r\n  2\r\nAPPID");
    d.items.push_back(std::string("  0\r\nAPPID\r\n  2\r\n") + kAppName +
                      "\r\n 70\r\n0\r\n  0\r\nENDTAB");
  }
  if (!style.empty()) {
    d.items.push_back("  0\r\nTABLE\r\n  2\r\nSTYLE\r\n 70\r\n     1");
    d.items.push_back(Lines({"  0", "STYLE", "  2", style, " 70", "     0"}));
    d.items.push_back(" 40\r\n0.0\r\n 41\r\n1.0\r\n 50\r\n0.0");
    d.items.push_back(" 71\r\n     0\r\n 42\r\n2.5\r\n  3\r\ntxt.shx");
    d.items.push_back("  4\r\n\r\n  0\r\nENDTAB");
  }
  d.items.push_back("  0\r\nENDSEC");
  d.items.push_back("  0\r\nSECTION\r\n  2\r\nENTITIES");
}

// Every entity's second item: its layer, and everything else by layer.
void WriteLayer(DxfDocument& d, const std::string& layer) {
  d.items.push_back(Lines({"  8", layer, "  6", "BYLAYER", " 62", "256", " 48", "1.0"}));
}

// Group codes of a point: x under code, y under code + 10, z under code + 20.
std::string Code(int code) {
  std::string text = " ";
  text += std::to_string(code);
  return text;
}

std::string PlanePoint(int code, const TAcadPoint& p) {
  return Lines({Code(code), DxfReal(p.x), Code(code + 10), DxfReal(p.y)});
}

std::string SpacePoint(int code, const TAcadPoint& p) {
  return Lines(
      {Code(code), DxfReal(p.x), Code(code + 10), DxfReal(p.y), Code(code + 20), DxfReal(p.z)});
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
  WriteHeader(document, style, true);
}

void WriteDxfHeaderWithoutAppId(DxfDocument& document, const std::string& style) {
  WriteHeader(document, style, false);
}

void WriteDxfEnd(DxfDocument& document) {
  document.items.push_back("  0\r\nENDSEC");
  document.items.push_back("  0\r\nEOF");
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
  items.push_back("  0\r\nTEXT");
  WriteLayer(document, layer);
  if (!style.empty()) items.push_back(Lines({"  7", style}));
  items.push_back(PlanePoint(10, point));
  items.push_back(PlanePoint(11, point));
  items.push_back(Lines({"  1", text}));
  items.push_back(Lines({" 40", DxfReal(height)}));
  items.push_back(" 41\r\n1.0");
  items.push_back(Lines({" 50", DxfRotation(rotation)}));
  items.push_back(Lines({" 72", std::to_string(justification.horizontal), " 73",
                         std::to_string(justification.vertical)}));
}

void WriteDxfLine(DxfDocument& document, const TAcadPoint& start, const TAcadPoint& end,
                  const std::string& layer) {
  document.items.push_back("  0\r\nLINE");
  WriteLayer(document, layer);
  document.items.push_back(SpacePoint(10, start));
  document.items.push_back(SpacePoint(11, end));
}

void WriteDxfPlaneLine(DxfDocument& document, const TAcadPoint& start, const TAcadPoint& end,
                       const std::string& layer) {
  document.items.push_back("  0\r\nLINE");
  WriteLayer(document, layer);
  document.items.push_back(PlanePoint(10, start));
  document.items.push_back(PlanePoint(11, end));
}

void WriteDxfCircle(DxfDocument& document, const TAcadPoint& centre, double radius,
                    const std::string& layer) {
  document.items.push_back("  0\r\nCIRCLE");
  WriteLayer(document, layer);
  document.items.push_back(Lines({" 10", DxfReal(centre.x)}));
  document.items.push_back(Lines({" 20", DxfReal(centre.y)}));
  document.items.push_back(Lines({" 40", DxfReal(radius)}));
}

void WriteDxfAppData(DxfDocument& document, long double x, long double y, long double z) {
  document.items.push_back(Lines({"1001", kAppName}));
  document.items.push_back(Lines({"1010", DxfReal(x)}));
  document.items.push_back(Lines({"1020", DxfReal(y)}));
  document.items.push_back(Lines({"1030", DxfReal(z)}));
}
