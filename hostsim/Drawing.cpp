#include "hostsim/Drawing.h"

#include <algorithm>
#include <iterator>

namespace hostsim {

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

template <typename Table, typename Record>
Record* FindNamed(Table& table, std::string_view name) {
  for (auto& r : table) {
    if (SameName(r.name, name)) return &r;
  }
  return nullptr;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperAscii(x) == UpperAscii(y);
         });
}

bool WrittenFromModel(std::string_view variable) {
  static const char* const kWritten[] = {"$ACADVER", "$ACADMAINTVER", "$DWGCODEPAGE", "$INSBASE",
                                         "$EXTMIN",  "$EXTMAX",       "$TEXTSIZE",    "$CLAYER",
                                         "$DIMASZ",  "$DIMSCALE",     "$DIMLDRBLK",   "$LUNITS",
                                         "$LUPREC",  "$AUNITS",       "$AUPREC",      "$ANGBASE",
                                         "$ANGDIR",  "$TEXTSTYLE",    "$HANDSEED",    "$INSUNITS"};
  return std::any_of(std::begin(kWritten), std::end(kWritten),
                     [&](const char* w) { return SameName(w, variable); });
}

Drawing::Drawing() {
  Layer zero;
  zero.name = "0";
  layers.push_back(zero);
  TextStyle standard;
  standard.name = "Standard";
  styles.push_back(standard);
  for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
    Linetype lt;
    lt.name = name;
    if (lt.name == "Continuous") lt.description = "Solid line";
    linetypes.push_back(lt);
  }
  appIds.push_back("ACAD");
}

Layer* Drawing::FindLayer(std::string_view name) {
  return FindNamed<decltype(layers), Layer>(layers, name);
}
const Layer* Drawing::FindLayer(std::string_view name) const {
  return FindNamed<const decltype(layers), const Layer>(layers, name);
}
TextStyle* Drawing::FindStyle(std::string_view name) {
  return FindNamed<decltype(styles), TextStyle>(styles, name);
}
const TextStyle* Drawing::FindStyle(std::string_view name) const {
  return FindNamed<const decltype(styles), const TextStyle>(styles, name);
}
Block* Drawing::FindBlock(std::string_view name) {
  return FindNamed<decltype(blocks), Block>(blocks, name);
}
const Block* Drawing::FindBlock(std::string_view name) const {
  return FindNamed<const decltype(blocks), const Block>(blocks, name);
}
const Linetype* Drawing::FindLinetype(std::string_view name) const {
  return FindNamed<const decltype(linetypes), const Linetype>(linetypes, name);
}

bool Drawing::IsRegistered(std::string_view app) const {
  return std::any_of(appIds.begin(), appIds.end(),
                     [&](const std::string& a) { return SameName(a, app); });
}

Entity* Drawing::FindEntity(Handle h) {
  for (auto& e : entities) {
    if (e.handle == h) return &e;
  }
  return nullptr;
}
const Entity* Drawing::FindEntity(Handle h) const {
  return const_cast<Drawing*>(this)->FindEntity(h);
}

}  // namespace hostsim
