// Writes what the simulated host writes, for an independent check with ezdxf: exports and a
// saved drawing of a sample with every kind of entity, with a manifest of what they hold (taken
// from the drawing, not from the files), and every corpus file opened and saved again.
//   dxf_samples OUT_DIR CORPUS_DIR
#include <filesystem>
#include <fstream>
#include <iostream>

#include "hostsim/DxfWrite.h"
#include "hostsim/HostCore.h"
#include "hostsim/Numbers.h"
#include "platform/standin/Cp932CodePage.h"

namespace {

using namespace hostsim;

class DiskFiles : public HostFiles {
 public:
  std::optional<std::string> Read(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Create(const std::string& path, std::string_view bytes) override {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
  }
  bool Append(const std::string& path, std::string_view bytes) override {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
  }
  void Close(const std::string&) override {}
};

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string Num(double v) { return FormatReal(v, 17); }

std::string Pt(const Point& p) { return "[" + Num(p.x) + "," + Num(p.y) + "," + Num(p.z) + "]"; }

// What ezdxf should find for one entity.
std::string Describe(const Entity& e) {
  std::string type, pts, text;
  const Shape& s = e.shape;
  if (auto* l = std::get_if<Line>(&s)) {
    type = "LINE";
    pts = Pt(l->start) + "," + Pt(l->end);
  } else if (auto* pl = std::get_if<LwPolyline>(&s)) {
    type = "LWPOLYLINE";
    for (const PolyVertex& v : pl->vertices)
      pts += (pts.empty() ? "" : ",") + std::string("[") + Num(v.x) + "," + Num(v.y) + "," +
             Num(v.bulge) + "]";
  } else if (auto* a = std::get_if<Arc>(&s)) {
    type = "ARC";
    pts = Pt(a->center) + ",[" + Num(a->radius) + "," + Num(a->startAngle) + "," +
          Num(a->endAngle) + "]";
  } else if (auto* c = std::get_if<Circle>(&s)) {
    type = "CIRCLE";
    pts = Pt(c->center) + ",[" + Num(c->radius) + ",0,0]";
  } else if (auto* t = std::get_if<Text>(&s)) {
    type = "TEXT";
    pts =
        Pt(t->insert) + "," + Pt(t->align) + ",[" + Num(t->height) + "," + Num(t->rotation) + ",0]";
    text = t->value;
  } else if (auto* m = std::get_if<MText>(&s)) {
    type = "MTEXT";
    pts = Pt(m->insert);
    text = m->value;
  } else if (auto* ins = std::get_if<Insert>(&s)) {
    type = "INSERT";
    pts = Pt(ins->insert);
    text = ins->block;
  } else if (auto* ld = std::get_if<Leader>(&s)) {
    type = "LEADER";
    for (const Point& p : ld->vertices) pts += (pts.empty() ? "" : ",") + Pt(p);
  } else if (auto* r = std::get_if<Region>(&s)) {
    type = "REGION";
    for (const PolyVertex& v : r->loop)
      pts += (pts.empty() ? "" : ",") + std::string("[") + Num(v.x) + "," + Num(v.y) + "," +
             Num(v.bulge) + "]";
  } else if (std::holds_alternative<PointEntity>(s)) {
    type = "POINT";
    pts = Pt(std::get<PointEntity>(s).location);
  } else {
    type = "ELLIPSE";
    pts = Pt(std::get<Ellipse>(s).center);
  }
  std::string xd;
  for (const XData& x : e.xdata) {
    std::string items;
    for (const XDataItem& it : x.items) {
      std::string v = it.code >= 1010 && it.code <= 1013   ? Pt(it.point)
                      : it.code >= 1040 && it.code <= 1042 ? Num(it.real)
                      : it.code == 1070 || it.code == 1071 ? std::to_string(it.integer)
                                                           : Json(it.text);
      items +=
          (items.empty() ? "" : ",") + std::string("[") + std::to_string(it.code) + "," + v + "]";
    }
    xd += (xd.empty() ? "" : ",") + Json(x.app) + ":[" + items + "]";
  }
  return "{\"type\":" + Json(type) + ",\"layer\":" + Json(e.layer) + ",\"points\":[" + pts +
         "],\"text\":" + Json(text) + ",\"xdata\":{" + xd + "}}";
}

Entity Make(Drawing& d, Shape s, const std::string& layer) {
  Entity e;
  e.handle = d.NewHandle();
  e.layer = layer;
  e.shape = std::move(s);
  return e;
}

void Sample(Drawing& d) {
  Layer hen;
  hen.name = "H_HEN";
  hen.color = 3;
  Layer text;
  text.name = "H_TEXT";
  text.color = 2;
  text.on = false;
  Layer jp;
  jp.name = "地番";
  d.layers.insert(d.layers.end(), {hen, text, jp});
  TextStyle st;
  st.name = "MS明朝";
  st.font = "msmincho.ttc";
  d.styles.push_back(st);
  d.appIds.push_back("VELSAROM");
  Block b;
  b.name = "MARK";
  b.entities.push_back(Make(d, Circle{{0, 0, 0}, 1}, "0"));
  d.blocks.push_back(b);

  d.entities.push_back(
      Make(d, Line{{12345.678901234567, -0.1, 0}, {1.0 / 3.0, 2e-7, 1.5}}, "H_HEN"));
  LwPolyline pl;
  pl.closed = true;
  pl.vertices = {{0, 0, 0, 0, 0}, {3000, 0, 0.25, 0, 0}, {3000, 4000, 0, 0, 0}};
  d.entities.push_back(Make(d, pl, "H_HEN"));
  d.entities.push_back(Make(d, Arc{{10, 20, 0}, 5.5, 30, 300}, "0"));
  d.entities.push_back(Make(d, Circle{{1000, 1000, 0}, 500}, "H_TEXT"));
  Text num;
  num.insert = {950, 800, 0};
  num.align = {1000, 1000, 0};
  num.height = 400;
  num.halign = 1;
  num.valign = 2;
  num.value = "12";
  Entity mark = Make(d, num, "H_TEXT");
  XData x;
  x.app = "VELSAROM";
  XDataItem sides;
  sides.code = 1010;
  sides.point = {3000, 5000, 4000.123456789012};
  x.items.push_back(sides);
  mark.xdata.push_back(x);
  d.entities.push_back(mark);
  Text jptext;
  jptext.insert = {5, 5, 0};
  jptext.align = jptext.insert;
  jptext.height = 300;
  jptext.rotation = 36.869897645844;
  jptext.style = "MS明朝";
  jptext.value = "求積表 ﾍﾛﾝ 面積 ①";  // ① is in code page 932; the next is not
  d.entities.push_back(Make(d, jptext, "地番"));
  Text outside = jptext;
  outside.value =
      "a\xE2\x80\x8B"
      "b";  // U+200B
  d.entities.push_back(Make(d, outside, "地番"));
  MText m;
  m.insert = {1, 2, 0};
  m.height = 2.5;
  m.value = "一行目\\P二行目";
  d.entities.push_back(Make(d, m, "0"));
  Insert ins;
  ins.block = "MARK";
  ins.insert = {50, 60, 0};
  Attrib at;
  at.tag = "NO";
  at.value = "7";
  at.insert = at.align = {50, 60, 0};
  ins.attribs.push_back(at);
  d.entities.push_back(Make(d, ins, "0"));
  Leader ld;
  ld.vertices = {{100, 100, 0}, {125, 100, 0}};
  ld.arrowSize = 400;
  d.entities.push_back(Make(d, ld, "0"));
  Leader dot = ld;
  dot.arrowBlock = "_DOT";
  d.entities.push_back(Make(d, dot, "0"));
  d.entities.push_back(Make(d, PointEntity{{7, 8, 0}}, "0"));
  // What -BOUNDARY makes with HPBOUND 0: a loop with an arc side.
  d.entities.push_back(
      Make(d, Region{{{0, 0, 0, 0, 0}, {3000, 0, -0.25, 0, 0}, {3000, 4000, 0, 0, 0}}}, "H_HEN"));
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: dxf_samples OUT_DIR CORPUS_DIR\n";
    return 2;
  }
  namespace fs = std::filesystem;
  std::string outDir = argv[1];
  fs::create_directories(outDir);
  platform::Cp932CodePage cp;
  DiskFiles files;

  Drawing d;
  Sample(d);
  std::ofstream manifest(outDir + "/manifest.json");
  manifest << "{\n";
  auto entry = [&](const std::string& file, const std::vector<const Entity*>& ents, bool last) {
    manifest << Json(file) << ":[";
    for (std::size_t i = 0; i < ents.size(); ++i)
      manifest << (i ? ",\n" : "\n") << Describe(*ents[i]);
    manifest << "]" << (last ? "\n" : ",\n");
  };
  std::vector<const Entity*> all;
  for (const Entity& e : d.entities) all.push_back(&e);

  DxfWriteOptions o;
  o.version = 2000;
  Write(outDir + "/export_all_2000.dxf", WriteDxf(d, o, cp));
  entry("export_all_2000.dxf", all, false);
  o.version = 2004;
  o.selection = true;
  o.only = {d.entities[1].handle, d.entities[4].handle};
  Write(outDir + "/export_some_2004.dxf", WriteDxf(d, o, cp));
  entry("export_some_2004.dxf", {&d.entities[1], &d.entities[4]}, false);

  // A saved drawing, by way of the host itself.
  HostCore host(files, cp);
  host.drawing() = d;
  Write(outDir + "/saved_2000.dxf", host.SaveDrawing());
  entry("saved_2000.dxf", all, true);
  manifest << "}\n";

  // Every DXF file of the corpus, at any depth, opened and saved again; its name is its path
  // in the corpus with "__" for the folder separators.
  std::ofstream corpus(outDir + "/corpus.txt");
  const fs::path root = argv[2];
  for (const auto& f : fs::recursive_directory_iterator(root)) {
    if (!f.is_regular_file() || f.path().extension() != ".dxf") continue;
    std::string name;
    for (const auto& part : fs::relative(f.path(), root))
      name += (name.empty() ? "" : "__") + part.string();
    auto bytes = files.Read(f.path().string());
    HostCore h(files, cp);
    std::string error = h.LoadDrawing(*bytes, f.path().filename().string());
    if (!error.empty()) {
      corpus << name << "\t" << f.path().string() << "\tERROR\t" << error << "\n";
      continue;
    }
    Write(outDir + "/corpus_" + name, h.SaveDrawing());
    corpus << name << "\t" << f.path().string() << "\tOK\t" << h.drawing().entities.size() << "\n";
  }
  return 0;
}
