#include "hostlink/HostVocabulary.h"

#include "hostlink/TypedPaths.h"
#include "numbers/NumberFormat.h"

namespace vocab {

namespace {

std::string Join(std::string_view a, std::string_view b, std::string_view c) {
  std::string s;
  s.reserve(a.size() + b.size() + c.size());
  s.append(a).append(b).append(c);
  return s;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char c = a[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != b[i]) return false;
  }
  return true;
}

bool HasBlank(std::string_view text) { return text.find(' ') != std::string_view::npos; }

// A layer name as typed at -LAYER's name prompts, where a blank is Enter: in double quotes when
// it holds a blank, as a path is.
std::string TypedLayer(std::string_view layer) {
  if (!HasBlank(layer)) return std::string(layer);
  return Join("\"", layer, "\"");
}

}  // namespace

bool TypedAlone(std::string_view name) {
  return SameNameIgnoringCase(name, "ACADVER") || SameNameIgnoringCase(name, "LAYERPMODE");
}

std::string QueryVariable(std::string_view name) {
  return TypedAlone(name) ? Join(name, "\r", "") : Join("'SETVAR ", name, "\r");
}

std::string WorldPoint(const TAcadPoint& p, int decimals) {
  return "*" + FormatFixed(p.x, decimals) + "," + FormatFixed(p.y, decimals);
}

std::string WorldPoints(const TAcadPoint& a, const TAcadPoint& b, int decimals) {
  return WorldPoint(a, decimals) + " " + WorldPoint(b, decimals);
}

std::string IdAt(const TAcadPoint& p) { return Join("_iD ", WorldPoint(p, 8), "\r"); }

std::string OsmodeRestore(std::string_view saved) { return Join("\x03OSMODE ", saved, "\r"); }

std::string EnglishOsmodeRestore(std::string_view saved) {
  return Join("\x03_OSMODE ", saved, "\r");
}

std::string AunitsRestore(std::string_view saved) { return Join("_AUNITS ", saved, "\r"); }

std::string SelectFence(const TAcadPoint& p1, const TAcadPoint& p2) {
  return Join("\x03SELECT FENCE ", WorldPoints(p1, p2, 16), "\r\r\r");
}

std::string SelectWindow(const TAcadPoint& c1, const TAcadPoint& c2) {
  return Join("\x03SELECT WINDOW ", WorldPoints(c1, c2, 16), "\r\r");
}

std::string DxfOut(std::string_view path, std::string_view options) {
  return Join("DXFOUT ", TypedPath(std::string(path)), "\r") + std::string(options);
}

std::string EnglishDxfOut(std::string_view path, std::string_view options) {
  return Join("_DXFOUT ", TypedPath(std::string(path)), "\r") + std::string(options);
}

std::string LuprecRestore(std::string_view saved) { return Join("_LUPREC ", saved, "\r"); }
std::string AuprecRestore(std::string_view saved) { return Join("_AUPREC ", saved, "\r"); }

std::string InsUnitsDefSourceRestore(std::string_view saved) {
  return Join("_INSUNITSDEFSOURCE ", saved, "\r");
}

std::string HpBoundRestore(std::string_view saved) { return Join("_HPBOUND ", saved, "\r"); }

std::string InsertExploded(std::string_view path) {
  return Join("_-INSERT ", TypedPath(std::string(path), "*"), "\r*0.0,0.0 1.0 0.0\r");
}

std::string Boundary(const TAcadPoint& p) { return Join("_-BOUNDARY ", WorldPoint(p, 4), "\r\r"); }

std::string LayerMake(std::string_view layer) {
  return Join("_-LAYER M ", TypedLayer(layer), "\r\r");
}
std::string LocalLayerMake(std::string_view layer) {
  return Join("-LAYER M ", TypedLayer(layer), "\r\r");
}
std::string LayerOff(std::string_view layer) {
  return Join("_-LAYER OF ", TypedLayer(layer), "\r\r");
}
std::string LayerOn(std::string_view layer) {
  return Join("_-LAYER ON ", TypedLayer(layer), "\r\r");
}

bool IsShownString(std::string_view shown) {
  return shown.size() >= 2 && shown.front() == '"' && shown.back() == '"' &&
         shown.substr(1, shown.size() - 2).find('"') == std::string_view::npos;
}

std::string ShownString(std::string_view shown) {
  return IsShownString(shown) ? std::string(shown.substr(1, shown.size() - 2)) : std::string();
}

bool ClayerRestorable(std::string_view shown) {
  return IsShownString(shown) && !ShownString(shown).empty();
}

std::string ClayerRestore(std::string_view shown) {
  const std::string layer = ShownString(shown);
  if (HasBlank(layer)) return Join("\x03_-LAYER S ", TypedLayer(layer), "\r\r");
  return Join("\x03_CLAYER ", layer, "\r");
}

std::string Line(const TAcadPoint& a, const TAcadPoint& b, int decimals) {
  return Join("_LINE ", WorldPoints(a, b, decimals), "\r\r");
}

std::string RotatePrevious(const TAcadPoint& centre, std::string_view angle) {
  return Join("_ROTATE SINGLE P\r", WorldPoint(centre, 4), "\r") + Join(angle, "\r", "");
}

std::string MoveFrom(const TAcadPoint& base) {
  return Join("\x03\x03_mOvE P \r", WorldPoint(base, 4), "\r");
}

std::string Leader(const TAcadPoint& arrow, const TAcadPoint& end) {
  return Join("_LEADER ", WorldPoints(arrow, end, 4), "\r\r\rN ");
}

std::string DimAsz(std::string_view size) { return Join("_DIMASZ ", size, "\r"); }
std::string DimLdrBlk(std::string_view block) { return Join("_DIMLDRBLK ", block, "\r"); }

bool DimLdrBlkRestorable(std::string_view shown) {
  return IsShownString(shown) && !HasBlank(shown);
}

std::string DimLdrBlkRestore(std::string_view shown) {
  const std::string block = ShownString(shown);
  return block.empty() ? std::string(kDimLdrBlkDefault) : DimLdrBlk(block);
}

}  // namespace vocab
