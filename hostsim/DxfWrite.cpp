#include "hostsim/DxfWrite.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "hostsim/Numbers.h"
#include "hostsim/Outline.h"

namespace hostsim {

namespace {

std::string Hex(Handle h) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(h));
  return buf;
}

// One group-code/value pair at a time, codes right-aligned in three columns, CR LF line ends.
class Out {
 public:
  Out(platform::CodePage& ansi, int precision) : ansi_(ansi), precision_(precision) {}
  void Str(int code, const std::string& v) { Raw(code, EncodeAnsi(v, ansi_)); }
  void Raw(int code, const std::string& v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d", code);
    text_ += buf;
    text_ += "\r\n";
    text_ += v;
    text_ += "\r\n";
  }
  // Integers right-aligned as the host writes them: six columns for 16-bit (and smaller)
  // codes, nine for 32-bit ones.
  void Int(int code, long long v) {
    bool wide = (code >= 90 && code <= 99) || (code >= 420 && code <= 429) ||
                (code >= 440 && code <= 459) || code == 1071;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%*lld", wide ? 9 : 6, v);
    Raw(code, buf);
  }
  void Real(int code, double v) {
    if (precision_ >= 16) {
      Raw(code, FormatReal(v, 16));
      return;
    }
    std::string s = FormatFixed(v, precision_);
    if (s.find('.') != std::string::npos) {
      while (s.back() == '0') s.pop_back();
      if (s.back() == '.') s += '0';
    } else {
      s += ".0";
    }
    Raw(code, s);
  }
  void Pt(int code, const Point& p, bool z = true) {
    Real(code, p.x);
    Real(code + 10, p.y);
    if (z) Real(code + 20, p.z);
  }
  void H(int code, Handle h) { Raw(code, Hex(h)); }
  // A value kept as read: numbers in the form of their group code, anything else as text.
  void Kept(int code, const std::string& v) {
    auto in = [code](int lo, int hi) { return code >= lo && code <= hi; };
    const bool real = in(10, 59) || in(110, 149) || in(210, 239) || in(460, 469);
    const bool integer =
        in(60, 79) || in(90, 99) || in(170, 179) || in(270, 299) || in(370, 389) || in(400, 409);
    if (real && ParseReal(v)) {
      Real(code, *ParseReal(v));
    } else if (integer && ParseInteger(v)) {
      Int(code, *ParseInteger(v));
    } else {
      Str(code, v);
    }
  }
  std::string& text() { return text_; }

 private:
  platform::CodePage& ansi_;
  int precision_;
  std::string text_;
};

struct Writer {
  const Drawing& d;
  const DxfWriteOptions& o;
  Out out;
  Handle next;
  // Handles of the structural records.
  Handle modelRecord = 0, paperRecord = 0, rootDict = 0, groupDict = 0, layoutDict = 0,
         modelLayout = 0, paperLayout = 0, styleTable = 0, blockTable = 0;
  std::vector<std::pair<std::string, Handle>> blockRecords;  // name, record handle
  std::vector<const Entity*> entities;
  std::vector<const Block*> blocks;
  std::vector<std::string> arrowBlocks;  // named arrows not defined in the drawing

  Writer(const Drawing& dr, const DxfWriteOptions& op, platform::CodePage& ansi)
      : d(dr), o(op), out(ansi, op.precision) {
    Handle top = d.nextHandle;
    for (const Entity& e : d.entities) top = std::max(top, e.handle + 1);
    for (const Block& b : d.blocks) {
      for (const Entity& e : b.entities) top = std::max(top, e.handle + 1);
    }
    next = top;
  }
  Handle New() { return next++; }

  Handle RecordOf(const std::string& name) const {
    for (const auto& [n, h] : blockRecords) {
      if (SameName(n, name)) return h;
    }
    return 0;
  }

  void UseBlock(const std::string& name) {
    const Block* b = d.FindBlock(name);
    if (!b || std::find(blocks.begin(), blocks.end(), b) != blocks.end()) return;
    blocks.push_back(b);
    for (const Entity& e : b->entities) UseEntity(e);
  }
  void UseEntity(const Entity& e) {
    if (auto* ins = std::get_if<Insert>(&e.shape)) UseBlock(ins->block);
    if (auto* ld = std::get_if<Leader>(&e.shape)) {
      if (!ld->arrowBlock.empty()) {
        if (d.FindBlock(ld->arrowBlock)) {
          UseBlock(ld->arrowBlock);
        } else if (std::none_of(arrowBlocks.begin(), arrowBlocks.end(), [&](const std::string& a) {
                     return SameName(a, ld->arrowBlock);
                   })) {
          arrowBlocks.push_back(ld->arrowBlock);
        }
      }
    }
  }

  void Collect() {
    for (const Entity& e : d.entities) {
      if (o.selection && std::find(o.only.begin(), o.only.end(), e.handle) == o.only.end())
        continue;
      entities.push_back(&e);
    }
    if (!o.selection) {
      for (const Block& b : d.blocks) UseBlock(b.name);
    }
    for (const Entity* e : entities) UseEntity(*e);
    modelRecord = New();
    paperRecord = New();
    blockRecords.push_back({"*Model_Space", modelRecord});
    blockRecords.push_back({"*Paper_Space", paperRecord});
    for (const Block* b : blocks) blockRecords.push_back({b->name, New()});
    for (const std::string& a : arrowBlocks) blockRecords.push_back({a, New()});
    rootDict = New();
    groupDict = New();
    layoutDict = New();
    modelLayout = New();
    paperLayout = New();
  }

  void Header() {
    const hostsim::Header& h = d.header;
    Box ext;
    for (const Entity* e : entities) ext.Add(EntityExtent(*e, d));
    if (ext.Empty()) ext = Box{0, 0, 0, 0};
    out.Raw(0, "SECTION");
    out.Raw(2, "HEADER");
    out.Raw(9, "$ACADVER");
    out.Raw(1, o.version >= 2004 ? "AC1018" : "AC1015");
    out.Raw(9, "$ACADMAINTVER");
    out.Int(70, o.version >= 2004 ? 0 : 20);
    out.Raw(9, "$DWGCODEPAGE");
    out.Raw(3, "ANSI_932");
    out.Raw(9, "$INSBASE");
    out.Pt(10, h.insbase);
    out.Raw(9, "$INSUNITS");
    out.Int(70, h.insunits);
    out.Raw(9, "$EXTMIN");
    out.Pt(10, {ext.x0, ext.y0, 0});
    out.Raw(9, "$EXTMAX");
    out.Pt(10, {ext.x1, ext.y1, 0});
    auto kept = [&](const char* name) {
      return std::any_of(h.kept.begin(), h.kept.end(),
                         [&](const KeptVariable& v) { return SameName(v.name, name); });
    };
    if (!kept("$LIMMIN")) {
      out.Raw(9, "$LIMMIN");
      out.Pt(10, {0, 0, 0}, false);
    }
    if (!kept("$LIMMAX")) {
      out.Raw(9, "$LIMMAX");
      out.Pt(10, {420, 297, 0}, false);
    }
    out.Raw(9, "$TEXTSIZE");
    out.Real(40, h.textsize);
    out.Raw(9, "$CLAYER");
    out.Str(8, h.clayer);
    out.Raw(9, "$DIMASZ");
    out.Real(40, h.dimasz);
    out.Raw(9, "$DIMSCALE");
    out.Real(40, h.dimscale);
    out.Raw(9, "$DIMLDRBLK");
    out.Str(1, h.dimldrblk);
    out.Raw(9, "$LUNITS");
    out.Int(70, h.lunits);
    out.Raw(9, "$LUPREC");
    out.Int(70, h.luprec);
    out.Raw(9, "$AUNITS");
    out.Int(70, h.aunits);
    out.Raw(9, "$AUPREC");
    out.Int(70, h.auprec);
    out.Raw(9, "$ANGBASE");
    out.Real(50, h.angbase);
    out.Raw(9, "$ANGDIR");
    out.Int(70, h.angdir);
    out.Raw(9, "$TEXTSTYLE");
    out.Str(7, h.textstyle);
    if (!kept("$MEASUREMENT")) {
      out.Raw(9, "$MEASUREMENT");
      out.Int(70, 1);
    }
    for (const KeptVariable& v : h.kept) {
      out.Str(9, v.name);
      for (const auto& [code, value] : v.values) out.Kept(code, value);
    }
    out.Raw(9, "$HANDSEED");
    out.H(5, next + 1000);
    out.Raw(0, "ENDSEC");
    out.Raw(0, "SECTION");
    out.Raw(2, "CLASSES");
    out.Raw(0, "ENDSEC");
  }

  Handle TableHead(const char* name, std::size_t count) {
    Handle t = New();
    out.Raw(0, "TABLE");
    out.Raw(2, name);
    out.H(5, t);
    out.Raw(330, "0");
    out.Raw(100, "AcDbSymbolTable");
    out.Int(70, static_cast<long long>(count));
    return t;
  }
  Handle Record(const char* type, Handle table, const char* subclass) {
    Handle h = New();
    out.Raw(0, type);
    out.H(5, h);
    out.H(330, table);
    out.Raw(100, "AcDbSymbolTableRecord");
    out.Raw(100, subclass);
    return h;
  }

  void Tables() {
    const hostsim::Header& h = d.header;
    out.Raw(0, "SECTION");
    out.Raw(2, "TABLES");

    Handle t = TableHead("VPORT", 1);
    Record("VPORT", t, "AcDbViewportTableRecord");
    out.Raw(2, "*Active");
    out.Int(70, 0);
    out.Pt(10, {0, 0, 0}, false);
    out.Pt(11, {1, 1, 0}, false);
    out.Pt(12, h.viewCenter, false);
    out.Pt(13, {0, 0, 0}, false);
    out.Pt(14, {10, 10, 0}, false);
    out.Pt(15, {10, 10, 0}, false);
    out.Pt(16, {0, 0, 1});
    out.Pt(17, {0, 0, 0});
    out.Real(40, h.viewHeight > 0 ? h.viewHeight : 297);
    out.Real(41, 1.5);
    out.Real(42, 50);
    out.Raw(0, "ENDTAB");

    t = TableHead("LTYPE", d.linetypes.size());
    for (const Linetype& lt : d.linetypes) {
      Record("LTYPE", t, "AcDbLinetypeTableRecord");
      out.Str(2, lt.name);
      out.Int(70, 0);
      out.Str(3, lt.description);
      out.Int(72, 65);
      out.Int(73, static_cast<long long>(lt.pattern.size()));
      double total = 0;
      for (double e : lt.pattern) total += std::fabs(e);
      out.Real(40, total);
      for (double e : lt.pattern) {
        out.Real(49, e);
        out.Int(74, 0);
      }
    }
    out.Raw(0, "ENDTAB");

    t = TableHead("LAYER", d.layers.size());
    for (const Layer& l : d.layers) {
      Record("LAYER", t, "AcDbLayerTableRecord");
      out.Str(2, l.name);
      out.Int(70, (l.frozen ? 1 : 0) | (l.locked ? 4 : 0));
      out.Int(62, l.on ? l.color : -l.color);
      out.Str(6, d.FindLinetype(l.linetype) ? l.linetype : "Continuous");
      out.Int(370, -3);
    }
    out.Raw(0, "ENDTAB");

    t = TableHead("STYLE", d.styles.size());
    styleTable = t;
    for (const TextStyle& s : d.styles) {
      Record("STYLE", t, "AcDbTextStyleTableRecord");
      out.Str(2, s.name);
      out.Int(70, 0);
      out.Real(40, s.height);
      out.Real(41, s.widthFactor);
      out.Real(50, s.oblique);
      out.Int(71, 0);
      out.Real(42, s.height > 0 ? s.height : 2.5);
      out.Str(3, s.font);
      out.Str(4, s.bigFont);
    }
    out.Raw(0, "ENDTAB");

    TableHead("VIEW", 0);
    out.Raw(0, "ENDTAB");
    TableHead("UCS", 0);
    out.Raw(0, "ENDTAB");

    t = TableHead("APPID", d.appIds.size());
    for (const std::string& a : d.appIds) {
      Record("APPID", t, "AcDbRegAppTableRecord");
      out.Str(2, a);
      out.Int(70, 0);
    }
    out.Raw(0, "ENDTAB");

    // The dimension style table carries one more subclass marker and handle code 105.
    Handle dt = New();
    out.Raw(0, "TABLE");
    out.Raw(2, "DIMSTYLE");
    out.H(5, dt);
    out.Raw(330, "0");
    out.Raw(100, "AcDbSymbolTable");
    out.Int(70, 1);
    out.Raw(100, "AcDbDimStyleTable");
    out.Raw(0, "DIMSTYLE");
    out.H(105, New());
    out.H(330, dt);
    out.Raw(100, "AcDbSymbolTableRecord");
    out.Raw(100, "AcDbDimStyleTableRecord");
    out.Raw(2, "Standard");
    out.Int(70, 0);
    out.Real(40, 1.0);
    out.Real(41, 2.5);
    out.Real(140, 2.5);
    out.H(340, FirstStyleHandle());
    out.Raw(0, "ENDTAB");

    t = TableHead("BLOCK_RECORD", blockRecords.size());
    blockTable = t;
    for (const auto& [name, handle] : blockRecords) {
      out.Raw(0, "BLOCK_RECORD");
      out.H(5, handle);
      out.H(330, t);
      out.Raw(100, "AcDbSymbolTableRecord");
      out.Raw(100, "AcDbBlockTableRecord");
      out.Str(2, name);
      if (handle == modelRecord) out.H(340, modelLayout);
      if (handle == paperRecord) out.H(340, paperLayout);
    }
    out.Raw(0, "ENDTAB");
    out.Raw(0, "ENDSEC");
  }

  // The style records were numbered in table order right after their table head; the first
  // is "Standard" as the drawing keeps it first.
  Handle FirstStyleHandle() const { return styleTable + 1; }

  void Common(const char* type, Handle h, Handle owner, const Entity& e) {
    out.Raw(0, type);
    out.H(5, h);
    out.H(330, owner);
    out.Raw(100, "AcDbEntity");
    out.Str(8, e.layer);
    if (!SameName(e.linetype, "BYLAYER")) out.Str(6, e.linetype);
    if (e.color != 256) out.Int(62, e.color);
  }

  void XData(const std::vector<hostsim::XData>& xs, bool skipAcad) {
    for (const hostsim::XData& x : xs) {
      if (skipAcad && SameName(x.app, "ACAD")) continue;
      out.Str(1001, x.app);
      for (const XDataItem& it : x.items) {
        int c = it.code;
        if (c >= 1010 && c <= 1013) {
          out.Pt(c, it.point);
        } else if (c >= 1040 && c <= 1042) {
          out.Real(c, it.real);
        } else if (c == 1070 || c == 1071) {
          out.Int(c, it.integer);
        } else {
          out.Str(c, it.text);
        }
      }
    }
  }

  void TextBody(const Text& t) {
    out.Raw(100, "AcDbText");
    out.Pt(10, t.insert);
    out.Real(40, t.height);
    out.Str(1, t.value);
    if (t.rotation != 0) out.Real(50, t.rotation);
    if (t.widthFactor != 1) out.Real(41, t.widthFactor);
    if (t.oblique != 0) out.Real(51, t.oblique);
    out.Str(7, t.style);
    if (t.halign != 0) out.Int(72, t.halign);
    if (t.halign != 0 || t.valign != 0) out.Pt(11, t.align);
  }

  void Entity_(const Entity& e, Handle owner) {
    const Shape& s = e.shape;
    if (auto* l = std::get_if<Line>(&s)) {
      Common("LINE", e.handle, owner, e);
      out.Raw(100, "AcDbLine");
      out.Pt(10, l->start);
      out.Pt(11, l->end);
    } else if (auto* pl = std::get_if<LwPolyline>(&s)) {
      Common("LWPOLYLINE", e.handle, owner, e);
      out.Raw(100, "AcDbPolyline");
      out.Int(90, static_cast<long long>(pl->vertices.size()));
      out.Int(70, pl->closed ? 1 : 0);
      out.Real(43, pl->constantWidth);
      if (pl->elevation != 0) out.Real(38, pl->elevation);
      for (const PolyVertex& v : pl->vertices) {
        out.Real(10, v.x);
        out.Real(20, v.y);
        if (v.startWidth != 0 || v.endWidth != 0) {
          out.Real(40, v.startWidth);
          out.Real(41, v.endWidth);
        }
        if (v.bulge != 0) out.Real(42, v.bulge);
      }
    } else if (auto* a = std::get_if<Arc>(&s)) {
      Common("ARC", e.handle, owner, e);
      out.Raw(100, "AcDbCircle");
      out.Pt(10, a->center);
      out.Real(40, a->radius);
      out.Raw(100, "AcDbArc");
      out.Real(50, a->startAngle);
      out.Real(51, a->endAngle);
    } else if (auto* c = std::get_if<Circle>(&s)) {
      Common("CIRCLE", e.handle, owner, e);
      out.Raw(100, "AcDbCircle");
      out.Pt(10, c->center);
      out.Real(40, c->radius);
    } else if (auto* t = std::get_if<Text>(&s)) {
      Common("TEXT", e.handle, owner, e);
      TextBody(*t);
      out.Raw(100, "AcDbText");
      if (t->valign != 0) out.Int(73, t->valign);
    } else if (auto* m = std::get_if<MText>(&s)) {
      Common("MTEXT", e.handle, owner, e);
      out.Raw(100, "AcDbMText");
      out.Pt(10, m->insert);
      out.Real(40, m->height);
      out.Real(41, m->width);
      out.Int(71, m->attachment);
      out.Int(72, 1);
      // Long texts go out in chunks of 250 bytes, the last one under group 1.
      std::string enc = EncodeAnsi(m->value, ansiRef());
      std::size_t pos = 0;
      while (enc.size() - pos > 250) {
        std::size_t n = 250;
        // Never split a double-byte character.
        std::size_t k = pos;
        while (k < pos + n)
          k += (static_cast<unsigned char>(enc[k]) >= 0x81 &&
                static_cast<unsigned char>(enc[k]) <= 0xFC &&
                !(static_cast<unsigned char>(enc[k]) >= 0xA1 &&
                  static_cast<unsigned char>(enc[k]) <= 0xDF))
                   ? 2
                   : 1;
        if (k > pos + n) k -= 2;
        out.Raw(3, enc.substr(pos, k - pos));
        pos = k;
      }
      out.Raw(1, enc.substr(pos));
      out.Str(7, m->style);
      double r = m->rotation * kPi / 180;
      out.Pt(11, {std::cos(r), std::sin(r), 0});
    } else if (auto* ins = std::get_if<Insert>(&s)) {
      Common("INSERT", e.handle, owner, e);
      out.Raw(100, "AcDbBlockReference");
      if (!ins->attribs.empty()) out.Int(66, 1);
      out.Str(2, ins->block);
      out.Pt(10, ins->insert);
      if (ins->scale.x != 1) out.Real(41, ins->scale.x);
      if (ins->scale.y != 1) out.Real(42, ins->scale.y);
      if (ins->scale.z != 1) out.Real(43, ins->scale.z);
      if (ins->rotation != 0) out.Real(50, ins->rotation);
      XData(e.xdata, false);
      if (!ins->attribs.empty()) {
        for (const Attrib& at : ins->attribs) {
          Entity carrier;
          carrier.layer = e.layer;
          Common("ATTRIB", New(), e.handle, carrier);
          TextBody(at);
          out.Raw(100, "AcDbAttribute");
          out.Str(2, at.tag);
          out.Int(70, at.flags);
          if (at.valign != 0) out.Int(74, at.valign);
        }
        Entity carrier;
        carrier.layer = e.layer;
        Common("SEQEND", New(), e.handle, carrier);
      }
      return;
    } else if (auto* ld = std::get_if<Leader>(&s)) {
      Common("LEADER", e.handle, owner, e);
      out.Raw(100, "AcDbLeader");
      out.Str(3, ld->dimStyle);
      out.Int(71, ld->arrow ? 1 : 0);
      out.Int(72, 0);
      out.Int(73, 3);
      out.Int(74, 1);
      out.Int(75, 0);
      out.Real(40, 0);
      out.Real(41, 0);
      out.Int(76, static_cast<long long>(ld->vertices.size()));
      for (const Point& p : ld->vertices) out.Pt(10, p);
      XData(e.xdata, true);
      // The arrow's size and block as overrides of the dimension style.
      out.Raw(1001, "ACAD");
      out.Raw(1000, "DSTYLE");
      out.Raw(1002, "{");
      out.Int(1070, 41);
      out.Real(1040, ld->arrowSize);
      out.Int(1070, 40);
      out.Real(1040, 1.0);
      if (!ld->arrowBlock.empty()) {
        out.Int(1070, 341);
        out.H(1005, RecordOf(ld->arrowBlock));
      }
      out.Raw(1002, "}");
      return;
    } else if (auto* p = std::get_if<PointEntity>(&s)) {
      Common("POINT", e.handle, owner, e);
      out.Raw(100, "AcDbPoint");
      out.Pt(10, p->location);
    } else if (auto* el = std::get_if<Ellipse>(&s)) {
      Common("ELLIPSE", e.handle, owner, e);
      out.Raw(100, "AcDbEllipse");
      out.Pt(10, el->center);
      out.Pt(11, el->majorAxis);
      out.Real(40, el->ratio);
      out.Real(41, el->startParam);
      out.Real(42, el->endParam);
    } else if (auto* r = std::get_if<Region>(&s)) {
      // "REGION (DXF)": the modeler's proprietary data in group 1 lines. The host writes its
      // solid model there; the simulated host writes the loop, one "x y bulge" line a vertex,
      // which only it reads back. Encoded as files of these versions keep that data (every
      // character but the blank as 159 less its code), so a reader that decodes it sees the loop.
      Common("REGION", e.handle, owner, e);
      out.Raw(100, "AcDbModelerGeometry");
      out.Int(70, 1);
      for (const PolyVertex& v : r->loop) {
        std::string line =
            FormatReal(v.x, 16) + " " + FormatReal(v.y, 16) + " " + FormatReal(v.bulge, 16);
        for (char& c : line)
          if (c != ' ') c = static_cast<char>(159 - c);
        out.Raw(1, line);
      }
    }
    XData(e.xdata, false);
  }

  platform::CodePage* ansi = nullptr;
  platform::CodePage& ansiRef() { return *ansi; }

  void BlockFrame(const std::string& name, Handle record, Point base,
                  const std::vector<Entity>* body) {
    out.Raw(0, "BLOCK");
    out.H(5, New());
    out.H(330, record);
    out.Raw(100, "AcDbEntity");
    out.Raw(8, "0");
    out.Raw(100, "AcDbBlockBegin");
    out.Str(2, name);
    out.Int(70, 0);
    out.Pt(10, base);
    out.Str(3, name);
    out.Raw(1, "");
    if (body) {
      for (const Entity& e : *body) Entity_(e, record);
    }
    out.Raw(0, "ENDBLK");
    out.H(5, New());
    out.H(330, record);
    out.Raw(100, "AcDbEntity");
    out.Raw(8, "0");
    out.Raw(100, "AcDbBlockEnd");
  }

  void Blocks() {
    out.Raw(0, "SECTION");
    out.Raw(2, "BLOCKS");
    BlockFrame("*Model_Space", modelRecord, {}, nullptr);
    BlockFrame("*Paper_Space", paperRecord, {}, nullptr);
    for (const Block* b : blocks) BlockFrame(b->name, RecordOf(b->name), b->base, &b->entities);
    for (const std::string& a : arrowBlocks) BlockFrame(a, RecordOf(a), {}, nullptr);
    out.Raw(0, "ENDSEC");
  }

  void Entities() {
    out.Raw(0, "SECTION");
    out.Raw(2, "ENTITIES");
    for (const Entity* e : entities) Entity_(*e, modelRecord);
    out.Raw(0, "ENDSEC");
  }

  void Layout(Handle h, const char* name, int order, Handle record) {
    out.Raw(0, "LAYOUT");
    out.H(5, h);
    out.H(330, layoutDict);
    out.Raw(100, "AcDbPlotSettings");
    out.Raw(1, "");
    out.Raw(2, "none_device");
    out.Raw(4, "");
    out.Raw(6, "");
    out.Real(40, 0);
    out.Real(41, 0);
    out.Real(42, 0);
    out.Real(43, 0);
    out.Real(44, 0);
    out.Real(45, 0);
    out.Real(46, 0);
    out.Real(47, 0);
    out.Real(48, 0);
    out.Real(49, 0);
    out.Real(140, 0);
    out.Real(141, 0);
    out.Real(142, 1);
    out.Real(143, 1);
    out.Int(70, 688);
    out.Int(72, 1);
    out.Int(73, 0);
    out.Int(74, 5);
    out.Raw(7, "");
    out.Int(75, 16);
    out.Real(147, 1);
    out.Real(148, 0);
    out.Real(149, 0);
    out.Raw(100, "AcDbLayout");
    out.Raw(1, name);
    out.Int(70, 1);
    out.Int(71, order);
    out.Pt(10, {0, 0, 0}, false);
    out.Pt(11, {420, 297, 0}, false);
    out.Pt(12, {0, 0, 0});
    out.Pt(14, {0, 0, 0});
    out.Pt(15, {0, 0, 0});
    out.Real(146, 0);
    out.Pt(13, {0, 0, 0});
    out.Pt(16, {1, 0, 0});
    out.Pt(17, {0, 1, 0});
    out.Int(76, 0);
    out.H(330, record);
  }

  void Objects() {
    out.Raw(0, "SECTION");
    out.Raw(2, "OBJECTS");
    out.Raw(0, "DICTIONARY");
    out.H(5, rootDict);
    out.Raw(330, "0");
    out.Raw(100, "AcDbDictionary");
    out.Int(281, 1);
    out.Raw(3, "ACAD_GROUP");
    out.H(350, groupDict);
    out.Raw(3, "ACAD_LAYOUT");
    out.H(350, layoutDict);
    out.Raw(0, "DICTIONARY");
    out.H(5, groupDict);
    out.H(330, rootDict);
    out.Raw(100, "AcDbDictionary");
    out.Int(281, 1);
    out.Raw(0, "DICTIONARY");
    out.H(5, layoutDict);
    out.H(330, rootDict);
    out.Raw(100, "AcDbDictionary");
    out.Int(281, 1);
    out.Raw(3, "Layout1");
    out.H(350, paperLayout);
    out.Raw(3, "Model");
    out.H(350, modelLayout);
    Layout(modelLayout, "Model", 0, modelRecord);
    Layout(paperLayout, "Layout1", 1, paperRecord);
    out.Raw(0, "ENDSEC");
    out.Raw(0, "EOF");
  }
};

}  // namespace

std::string EncodeAnsi(const std::string& utf8, platform::CodePage& ansi) {
  bool ascii = std::all_of(utf8.begin(), utf8.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return utf8;
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (len == 1) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    std::string cp = utf8.substr(i, len);
    bool lost = false;
    std::string enc = ansi.Utf8ToAnsi(cp, &lost);
    if (lost || enc.empty()) {
      // Characters the code page lacks are written as the host writes them.
      unsigned long u = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
      for (std::size_t k = 1; k < len && i + k < utf8.size(); ++k)
        u = (u << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
      char buf[16];
      std::snprintf(buf, sizeof buf, "\\U+%04lX", u);
      out += buf;
    } else {
      out += enc;
    }
    i += len;
  }
  return out;
}

std::string WriteDxf(const Drawing& d, const DxfWriteOptions& options, platform::CodePage& ansi) {
  Writer w(d, options, ansi);
  w.ansi = &ansi;
  w.Collect();
  w.Header();
  w.Tables();
  w.Blocks();
  w.Entities();
  w.Objects();
  return std::move(w.out.text());
}

}  // namespace hostsim
