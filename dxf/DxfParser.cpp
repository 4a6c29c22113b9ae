#include "dxf/DxfParser.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

#include "dxf/DxfNumber.h"
#include "dxf/DxfStrings.h"
#include "dxf/DxfTokenizer.h"
#include "numbers/X87Precision.h"
#include "platform/Utf.h"

namespace {

void UpperAscii(std::string& s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

// A point's coordinates come in three groups: x in its code, y in code + step, z in
// code + 2 * step (10/20/30, 11/21/31, 210/220/230; the insertion scale 41/42/43).
struct PointGroups {
  int code;
  TAcadPoint* point;
  int step = 10;
};

// The coordinate that `p` holds of one of `points`, read into it; nothing when `p` is a group
// of none of them.
std::optional<bool> ReadCoordinate(const DxfPair& p, std::initializer_list<PointGroups> points) {
  for (const PointGroups& g : points) {
    const int offset = p.code - g.code;
    if (offset == 0) return ParseDxfReal(p.value, g.point->x);
    if (offset == g.step) return ParseDxfReal(p.value, g.point->y);
    if (offset == 2 * g.step) return ParseDxfReal(p.value, g.point->z);
  }
  return std::nullopt;
}

// A layer that an entity names and the layer table lacks: colour 7, flags 0, "CONTINUOUS".
std::int16_t AppendLayer(std::vector<TLayer>& layers, std::string_view name) {
  TLayer& added = layers.emplace_back();
  added.Name.assign(name);
  return added.color;
}

// LayerColorIn with an index by name, so that a file with many layers and many entities is
// read without a search of the layer table per entity. Rows are only ever appended, and a row
// is complete before the next entity ends, so the index is brought up to date lazily.
class LayerColorIndex {
 public:
  std::int16_t Color(std::vector<TLayer>& layers, const std::string& name) {
    for (; indexed_ < layers.size(); ++indexed_) first_.emplace(layers[indexed_].Name, indexed_);
    const auto it = first_.find(name);
    if (it != first_.end()) return layers[it->second].color;
    return AppendLayer(layers, name);  // indexed at the next call
  }

 private:
  std::unordered_map<std::string, std::size_t> first_;  // name -> its first row
  std::size_t indexed_ = 0;
};

enum class Section { None, Header, Tables, Blocks, Entities, Other };

// What the pairs up to the next group 0 fill.
enum class Item {
  None,
  Layer,
  Block,  // a block header; the next group 0 begins its body
  Line,
  Circle,
  Arc,
  LwPolyline,
  Polyline,  // a POLYLINE header
  Vertices,  // the VERTEX entities of a POLYLINE, up to SEQEND
  Text,
  Insert,
  Ellipse,
};
constexpr std::size_t kItems = static_cast<std::size_t>(Item::Ellipse) + 1;

Item EntityItem(std::string_view v) {
  if (v == "LINE") return Item::Line;
  if (v == "LWPOLYLINE") return Item::LwPolyline;
  if (v == "TEXT" || v == "ATTRIB" || v == "MTEXT") return Item::Text;
  if (v == "ARC") return Item::Arc;
  if (v == "CIRCLE") return Item::Circle;
  if (v == "POLYLINE") return Item::Polyline;
  if (v == "INSERT") return Item::Insert;
  if (v == "ELLIPSE") return Item::Ellipse;
  return Item::None;
}

Section SectionNamed(std::string_view v) {
  if (v == "ENTITIES") return Section::Entities;
  if (v == "BLOCKS") return Section::Blocks;
  if (v == "TABLES") return Section::Tables;
  if (v == "HEADER") return Section::Header;
  return Section::Other;
}

class TableBuilder {
 public:
  enum class Outcome { Go, Stop, Fail };

  // A sizing builder appends nothing: it counts the records that a reading builder will append
  // to each entity table, so that every table gets its exact room first and a large export
  // fills its tables' memory once, without the copies of a growing table. The counts follow the
  // reading rules; where they still differ (a text that turns out empty), the table is only
  // larger than it needs and is cut to size at the end.
  TableBuilder(TDxfTables& tables, platform::CodePage& codePage, bool sizing)
      : t_(tables), decoder_(codePage), sizing_(sizing) {}

  Outcome Take(const DxfPair& p);
  // End of reading: the item being read is completed, or dropped after a failure because
  // its remaining groups were never read.
  void Finish(bool failed);
  // After sizing: room in every entity table for the records counted.
  void ReserveCounted();

  std::string version;

 private:
  Outcome TakeZero(std::string_view v);
  void CompleteItem();
  void DropItem();
  void StartEntity(std::string_view v);
  bool Fill(const DxfPair& p);
  bool FillLayer(const DxfPair& p);
  bool FillBlock(const DxfPair& p);
  bool FillLine(const DxfPair& p);
  bool FillCircle(const DxfPair& p);
  bool FillArc(const DxfPair& p);
  bool FillPolyline(const DxfPair& p);
  bool FillVertex(const DxfPair& p);
  bool FillText(const DxfPair& p);
  bool FillInsert(const DxfPair& p);
  bool FillEllipse(const DxfPair& p);
  template <class Record>
  bool FillCommon(const DxfPair& p, Record& r);

  void Name(std::string_view v, std::string& out) { decoder_.AssignName(v, out); }
  void UpperName(std::string_view v, std::string& out) {
    decoder_.AssignName(v, out);
    UpperAscii(out);
  }
  template <class Record>
  Record& Append(std::vector<Record>& table) {
    Record& r = table.emplace_back();
    if (inBody_) r.bname = blockName_;
    return r;
  }
  template <class Record>
  void ResolveColor(Record& r) {
    if (r.color == 256) r.color = layerColors_.Color(t_.layers, r.layer);
  }

  TDxfTables& t_;
  LayerColorIndex layerColors_;
  StringDecoder decoder_;
  const bool sizing_;
  std::array<std::array<std::size_t, kItems>, 2> counts_{};  // [in a block body][item]

  Section section_ = Section::None;
  bool awaitSectionName_ = false;  // the group 2 after (0, SECTION) names the section
  bool awaitTableName_ = false;    // likewise after (0, TABLE)
  bool inLayerTable_ = false;
  bool inBody_ = false;  // between a block header and ENDBLK
  std::string blockName_;
  bool versionArmed_ = false;
  bool versionKnown_ = false;

  Item item_ = Item::None;
  TEntityTables* target_ = nullptr;  // the entity or block-body tables of the current entity
  std::size_t vertexStart_ = 0;      // first vertex of the current polyline
  std::string rawText_;              // group 3 chunks of the current text, undecoded
  std::string rawText1_;             // its group 1 value, undecoded
};

TableBuilder::Outcome TableBuilder::Take(const DxfPair& p) {
  if (section_ == Section::Header && !versionKnown_) {
    if (p.code == 9 && p.value == "$ACADVER") {
      versionArmed_ = true;
    } else if (versionArmed_ && p.code == 1) {
      version = decoder_.Decode(p.value);
      versionKnown_ = true;
      decoder_.SetUtf8(version >= "AC1021");
    }
  }
  if (p.code == 0) return TakeZero(p.value);
  if (p.code == 2) {
    if (awaitSectionName_) {
      section_ = SectionNamed(p.value);
      awaitSectionName_ = false;
    } else if (awaitTableName_) {
      inLayerTable_ = p.value == "LAYER";
      awaitTableName_ = false;
    }
  }
  if (sizing_) {
    if (p.code == 10 && (item_ == Item::LwPolyline || item_ == Item::Vertices))
      ++counts_[inBody_][static_cast<std::size_t>(Item::Vertices)];
    return Outcome::Go;
  }
  return Fill(p) ? Outcome::Go : Outcome::Fail;
}

TableBuilder::Outcome TableBuilder::TakeZero(std::string_view v) {
  awaitSectionName_ = awaitTableName_ = false;
  if (item_ == Item::Polyline || item_ == Item::Vertices) {
    if (item_ == Item::Polyline && !sizing_) ResolveColor(target_->polylines.back());
    if (v == "VERTEX") {
      item_ = Item::Vertices;
      return Outcome::Go;
    }
    item_ = Item::None;
    if (v == "SEQEND") return Outcome::Go;
  } else {
    CompleteItem();
  }

  if (v == "EOF") return Outcome::Stop;
  // A new section also ends whatever an earlier one left open (a file without ENDBLK or
  // ENDSEC), so that its entities are not filed under a block of the BLOCKS section.
  if (v == "SECTION" || v == "ENDSEC") {
    section_ = Section::None;
    inLayerTable_ = inBody_ = false;
    awaitSectionName_ = v == "SECTION";
    return Outcome::Go;
  }
  switch (section_) {
    case Section::Tables:
      if (v == "TABLE") {
        awaitTableName_ = true;
        inLayerTable_ = false;
      } else if (v == "ENDTAB") {
        inLayerTable_ = false;
      } else if (v == "LAYER" && inLayerTable_) {
        if (!sizing_) t_.layers.emplace_back();
        item_ = Item::Layer;
      }
      break;
    case Section::Blocks:
      if (v == "BLOCK") {
        if (!sizing_) t_.blocks.emplace_back();
        item_ = Item::Block;
        inBody_ = false;
      } else if (v == "ENDBLK") {
        inBody_ = false;
      } else if (inBody_) {
        StartEntity(v);
      }
      break;
    case Section::Entities:
      StartEntity(v);
      break;
    default:
      break;
  }
  return Outcome::Go;
}

void TableBuilder::CompleteItem() {
  const Item item = std::exchange(item_, Item::None);
  if (item == Item::Block) {
    inBody_ = true;
    if (!sizing_) blockName_ = t_.blocks.back().name;
    return;
  }
  if (sizing_) return;
  switch (item) {
    case Item::Line:
      ResolveColor(target_->lines.back());
      break;
    case Item::Circle:
      ResolveColor(target_->circles.back());
      break;
    case Item::Arc:
      ResolveColor(target_->arcs.back());
      break;
    case Item::Ellipse:
      ResolveColor(target_->ellipses.back());
      break;
    case Item::Insert:
      ResolveColor(t_.inserts.back());
      break;
    case Item::Text: {
      TTextBlk& text = target_->texts.back();
      rawText_ += rawText1_;
      decoder_.Assign(rawText_, text.str);
      if (text.str.empty()) {
        target_->texts.pop_back();
      } else {
        ResolveColor(text);
      }
      break;
    }
    default:  // a layer row is complete as read; an LWPOLYLINE resolved at its first vertex
      break;
  }
}

void TableBuilder::StartEntity(std::string_view v) {
  const Item kind = EntityItem(v);
  if (kind == Item::None || (kind == Item::Insert && inBody_)) return;
  target_ = inBody_ ? &t_.blockBodies : &t_.entities;
  item_ = kind;
  if (sizing_) {
    ++counts_[inBody_][static_cast<std::size_t>(kind)];
    return;
  }
  switch (kind) {
    case Item::Line:
      Append(target_->lines);
      break;
    case Item::Circle:
      Append(target_->circles);
      break;
    case Item::Arc:
      Append(target_->arcs);
      break;
    case Item::Ellipse:
      Append(target_->ellipses);
      break;
    case Item::LwPolyline:
    case Item::Polyline: {
      TLwpBlk& header = Append(target_->polylines);
      header.ihand = static_cast<std::int32_t>(target_->polylines.size() - 1);
      vertexStart_ = target_->vertices.size();
      break;
    }
    case Item::Text:
      Append(target_->texts).mtflag = v == "MTEXT";
      rawText_.clear();
      rawText1_.clear();
      break;
    case Item::Insert:
      t_.inserts.emplace_back();
      break;
    default:
      break;
  }
}

bool TableBuilder::Fill(const DxfPair& p) {
  switch (item_) {
    case Item::Layer:
      return FillLayer(p);
    case Item::Block:
      return FillBlock(p);
    case Item::Line:
      return FillLine(p);
    case Item::Circle:
      return FillCircle(p);
    case Item::Arc:
      return FillArc(p);
    case Item::LwPolyline:
    case Item::Polyline:
      return FillPolyline(p);
    case Item::Vertices:
      return FillVertex(p);
    case Item::Text:
      return FillText(p);
    case Item::Insert:
      return FillInsert(p);
    case Item::Ellipse:
      return FillEllipse(p);
    case Item::None:
      break;
  }
  return true;
}

// Groups that entities (and layer and block rows) share; each record type reads its own set.
enum CommonGroup : unsigned {
  kLayer = 1,       // 8
  kLineType = 2,    // 6, upper-cased
  kColor = 4,       // 62
  kSpace = 8,       // 67, the paper-space flag
  kThickness = 16,  // 39
  kExtrusion = 32,  // 210, 220, 230
};

template <class Record>
constexpr unsigned kCommonGroups = 0;
template <>
constexpr unsigned kCommonGroups<TLayer> = kLineType | kColor;
template <>
constexpr unsigned kCommonGroups<TBlockBlk> = kLayer | kLineType;
template <>
constexpr unsigned kCommonGroups<TAcadLineBlk> =
    kLayer | kLineType | kColor | kThickness | kExtrusion;
template <>
constexpr unsigned kCommonGroups<TCircleBlk> =
    kLayer | kLineType | kColor | kSpace | kThickness | kExtrusion;
template <>
constexpr unsigned kCommonGroups<TArcBlk> = kCommonGroups<TCircleBlk>;
template <>
constexpr unsigned kCommonGroups<TLwpBlk> = kCommonGroups<TCircleBlk>;
template <>
constexpr unsigned kCommonGroups<TTextBlk> = kLayer | kColor | kSpace;
template <>
constexpr unsigned kCommonGroups<TInsertBlk> = kLayer | kLineType | kColor | kSpace;
template <>
constexpr unsigned kCommonGroups<TEllipseBlk> = kLayer | kLineType | kColor | kExtrusion;

// The shared groups of the record's type; every other group is skipped.
template <class Record>
bool TableBuilder::FillCommon(const DxfPair& p, Record& r) {
  constexpr unsigned groups = kCommonGroups<Record>;
  switch (p.code) {
    case 8:
      if constexpr ((groups & kLayer) != 0) Name(p.value, r.layer);
      return true;
    case 6:
      if constexpr ((groups & kLineType) != 0) UpperName(p.value, r.ltype);
      return true;
    case 62:
      if constexpr ((groups & kColor) != 0) return ParseDxfInt16(p.value, r.color);
      return true;
    case 67:
      if constexpr ((groups & kSpace) != 0) return ParseDxfInt16(p.value, r.code67);
      return true;
    case 39:
      if constexpr ((groups & kThickness) != 0) return ParseDxfDouble(p.value, r.atsumi);
      return true;
    case 210:
    case 220:
    case 230:
      if constexpr ((groups & kExtrusion) != 0) return *ReadCoordinate(p, {{210, &r.code210}});
      return true;
    default:
      return true;
  }
}

bool TableBuilder::FillLayer(const DxfPair& p) {
  TLayer& l = t_.layers.back();
  switch (p.code) {
    case 2:
      Name(p.value, l.Name);
      return true;
    case 70:
      return ParseDxfInt16(p.value, l.code70);
    default:
      return FillCommon(p, l);
  }
}

bool TableBuilder::FillBlock(const DxfPair& p) {
  TBlockBlk& b = t_.blocks.back();
  if (const auto read = ReadCoordinate(p, {{10, &b.base}})) return *read;
  switch (p.code) {
    case 2:
      Name(p.value, b.name);
      return true;
    default:
      return FillCommon(p, b);
  }
}

bool TableBuilder::FillLine(const DxfPair& p) {
  TAcadLineBlk& l = target_->lines.back();
  if (const auto read = ReadCoordinate(p, {{10, &l.st}, {11, &l.ed}})) return *read;
  return FillCommon(p, l);
}

bool TableBuilder::FillCircle(const DxfPair& p) {
  TCircleBlk& c = target_->circles.back();
  if (const auto read = ReadCoordinate(p, {{10, &c.center}})) return *read;
  switch (p.code) {
    case 40:
      return ParseDxfDouble(p.value, c.hankei);
    default:
      return FillCommon(p, c);
  }
}

bool TableBuilder::FillArc(const DxfPair& p) {
  TArcBlk& a = target_->arcs.back();
  if (const auto read = ReadCoordinate(p, {{10, &a.center}})) return *read;
  switch (p.code) {
    case 40:
      return ParseDxfDouble(p.value, a.hankei);
    case 50:
      return ParseDxfDouble(p.value, a.st);
    case 51:
      return ParseDxfDouble(p.value, a.ed);
    default:
      return FillCommon(p, a);
  }
}

// Header groups of LWPOLYLINE and POLYLINE; the vertices of an LWPOLYLINE come inline.
bool TableBuilder::FillPolyline(const DxfPair& p) {
  TLwpBlk& h = target_->polylines.back();
  switch (p.code) {
    case 70:
      return ParseDxfInt16(p.value, h.code70);
    case 71:
      return ParseDxfInt16(p.value, h.code71);
    case 72:
      return ParseDxfInt16(p.value, h.code72);
    case 73:
      return ParseDxfInt16(p.value, h.code73);
    case 74:
      return ParseDxfInt16(p.value, h.code74);
    case 38:
      return ParseDxfDouble(p.value, h.Koudo);
    case 10:
    case 20:
    case 30:
    case 42:
      return item_ == Item::LwPolyline ? FillVertex(p) : true;
    default:
      return FillCommon(p, h);
  }
}

// Vertex groups: 10 starts a vertex of the current polyline, 20, 30 and 42 complete its last
// one (never one of an earlier polyline).
bool TableBuilder::FillVertex(const DxfPair& p) {
  std::vector<TLwpEle>& vertices = target_->vertices;
  const bool hasVertex = vertices.size() > vertexStart_;
  switch (p.code) {
    case 10: {
      TLwpBlk& header = target_->polylines.back();
      long double x = 0;
      if (!ParseDxfReal(p.value, x)) return false;
      ResolveColor(header);
      TLwpEle& e = vertices.emplace_back();
      e.ihand = header.ihand;
      e.code10.x = x;
      return true;
    }
    case 20:
      return !hasVertex || ParseDxfReal(p.value, vertices.back().code10.y);
    case 30:
      return !hasVertex || ParseDxfReal(p.value, vertices.back().code10.z);
    case 42:
      return !hasVertex || ParseDxfDouble(p.value, vertices.back().code42);
    default:
      return true;
  }
}

bool TableBuilder::FillText(const DxfPair& p) {
  TTextBlk& t = target_->texts.back();
  if (const auto read = ReadCoordinate(p, {{10, &t.pt10}, {11, &t.pt11}})) return *read;
  switch (p.code) {
    case 1:
      rawText1_.assign(p.value);
      return true;
    case 3:
      rawText_.append(p.value);
      return true;
    case 40:
      return ParseDxfDouble(p.value, t.code40);
    case 41:
      return ParseDxfDouble(p.value, t.code41);
    case 50:
      return ParseDxfDouble(p.value, t.code50);
    case 70:
      return ParseDxfInt16(p.value, t.code70);
    case 71:
      return ParseDxfInt16(p.value, t.code71);
    case 72:
      return ParseDxfInt16(p.value, t.code72);
    case 73:  // vertical justification; ATTRIB writes it as 74, the later group wins
    case 74:
      return ParseDxfInt16(p.value, t.code73);
    default:
      return FillCommon(p, t);
  }
}

bool TableBuilder::FillInsert(const DxfPair& p) {
  TInsertBlk& i = t_.inserts.back();
  if (const auto read = ReadCoordinate(p, {{10, &i.base}, {41, &i.scale, 1}})) return *read;
  switch (p.code) {
    case 2:
      Name(p.value, i.name);
      return true;
    case 66:
      return ParseDxfInt16(p.value, i.code66);
    case 50:
      return ParseDxfDouble(p.value, i.rotate);
    default:
      return FillCommon(p, i);
  }
}

bool TableBuilder::FillEllipse(const DxfPair& p) {
  TEllipseBlk& e = target_->ellipses.back();
  if (const auto read = ReadCoordinate(p, {{10, &e.center}, {11, &e.endpoint}})) return *read;
  switch (p.code) {
    case 40:
      return ParseDxfDouble(p.value, e.henpei);
    case 41:
      return ParseDxfDouble(p.value, e.kaisi);
    case 42:
      return ParseDxfDouble(p.value, e.owari);
    default:
      return FillCommon(p, e);
  }
}

void TableBuilder::Finish(bool failed) {
  if (sizing_) return;
  if (failed) {
    DropItem();
  } else {
    TakeZero({});
  }
}

void TableBuilder::ReserveCounted() {
  for (bool body : {false, true}) {
    const std::array<std::size_t, kItems>& n = counts_[body];
    const auto count = [&n](Item item) { return n[static_cast<std::size_t>(item)]; };
    TEntityTables& e = body ? t_.blockBodies : t_.entities;
    e.lines.reserve(count(Item::Line));
    e.circles.reserve(count(Item::Circle));
    e.arcs.reserve(count(Item::Arc));
    e.polylines.reserve(count(Item::LwPolyline) + count(Item::Polyline));
    e.vertices.reserve(count(Item::Vertices));
    e.texts.reserve(count(Item::Text));
    e.ellipses.reserve(count(Item::Ellipse));
  }
  t_.inserts.reserve(counts_[false][static_cast<std::size_t>(Item::Insert)]);
}

void TableBuilder::DropItem() {
  switch (item_) {
    case Item::Layer:
      t_.layers.pop_back();
      break;
    case Item::Block:
      t_.blocks.pop_back();
      break;
    case Item::Line:
      target_->lines.pop_back();
      break;
    case Item::Circle:
      target_->circles.pop_back();
      break;
    case Item::Arc:
      target_->arcs.pop_back();
      break;
    case Item::Ellipse:
      target_->ellipses.pop_back();
      break;
    case Item::LwPolyline:
    case Item::Polyline:
    case Item::Vertices:
      target_->vertices.erase(target_->vertices.begin() + static_cast<std::ptrdiff_t>(vertexStart_),
                              target_->vertices.end());
      target_->polylines.pop_back();
      break;
    case Item::Text:
      target_->texts.pop_back();
      break;
    case Item::Insert:
      t_.inserts.pop_back();
      break;
    case Item::None:
      break;
  }
  item_ = Item::None;
}

template <class Record>
void CutToSize(std::vector<Record>& table) {
  table.shrink_to_fit();
}

void CutToSize(TEntityTables& e) {
  CutToSize(e.lines);
  CutToSize(e.circles);
  CutToSize(e.arcs);
  CutToSize(e.polylines);
  CutToSize(e.vertices);
  CutToSize(e.texts);
  CutToSize(e.ellipses);
}

}  // namespace

void ClearDxfTables(TDxfTables& tables) { tables = TDxfTables{}; }

namespace {

DxfParseResult ReadPairs(DxfTokenizer& tokenizer, TDxfTables& tables,
                         platform::CodePage& codePage) {
  // Once for the whole file, so that the guard of each number costs only a look.
  const X87ExtendedPrecision precision;
  DxfParseResult result;
  TableBuilder builder(tables, codePage, false);
  StringDecoder lineDecoder(codePage);
  DxfPair pair;
  for (;;) {
    const DxfTokenizer::Step step = tokenizer.Next(pair);
    if (step == DxfTokenizer::Step::End) break;
    if (step == DxfTokenizer::Step::Pair) {
      const TableBuilder::Outcome outcome = builder.Take(pair);
      if (outcome == TableBuilder::Outcome::Go) continue;
      if (outcome == TableBuilder::Outcome::Stop) break;
    }
    // The pair could not be read or converted: its lines are reported as the reader would
    // have decoded them.
    result.failed = true;
    lineDecoder.SetUtf8(builder.version >= "AC1021");
    result.failure.line = pair.line;
    result.failure.codeLine = lineDecoder.Decode(pair.codeLine);
    result.failure.valueLine = lineDecoder.Decode(pair.value);
    break;
  }
  builder.Finish(result.failed);
  result.version = builder.version;
  return result;
}

void SizePairs(DxfTokenizer& tokenizer, TDxfTables& tables, platform::CodePage& codePage) {
  TableBuilder builder(tables, codePage, true);
  DxfPair pair;
  while (tokenizer.Next(pair) == DxfTokenizer::Step::Pair &&
         builder.Take(pair) == TableBuilder::Outcome::Go) {
  }
  builder.ReserveCounted();
}

}  // namespace

void ReserveDxfTables(std::string_view bytes, TDxfTables& tables, platform::CodePage& codePage) {
  DxfTokenizer tokenizer(bytes);
  SizePairs(tokenizer, tables, codePage);
}

void ReserveDxfTables(platform::FileSystem::Reader& file, TDxfTables& tables,
                      platform::CodePage& codePage) {
  DxfTokenizer tokenizer(file);
  SizePairs(tokenizer, tables, codePage);
}

DxfParseResult ReadDxfPairs(std::string_view bytes, TDxfTables& tables,
                            platform::CodePage& codePage) {
  DxfTokenizer tokenizer(bytes);
  return ReadPairs(tokenizer, tables, codePage);
}

DxfParseResult ReadDxfPairs(platform::FileSystem::Reader& file, TDxfTables& tables,
                            platform::CodePage& codePage, std::size_t room) {
  DxfTokenizer tokenizer(file, room);
  return ReadPairs(tokenizer, tables, codePage);
}

void FinishDxfTables(TDxfTables& tables) {
  if (tables.layers.empty()) {
    TLayer& zero = tables.layers.emplace_back();
    zero.Name.assign(1, '0');
  }
  CutToSize(tables.layers);
  CutToSize(tables.blocks);
  CutToSize(tables.entities);
  CutToSize(tables.inserts);
  CutToSize(tables.blockBodies);
}

DxfParseResult ParseDxf(std::string_view bytes, TDxfTables& tables, platform::CodePage& codePage) {
  ClearDxfTables(tables);
  ReserveDxfTables(bytes, tables, codePage);
  DxfParseResult result = ReadDxfPairs(bytes, tables, codePage);
  FinishDxfTables(tables);
  return result;
}

std::int16_t LayerColorIn(std::vector<TLayer>& layers, std::string_view name) {
  for (const TLayer& l : layers)
    if (l.Name == name) return l.color;
  return AppendLayer(layers, name);
}
