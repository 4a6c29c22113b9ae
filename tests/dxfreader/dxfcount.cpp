// dxfcount FILE: reads a DXF file from disk with ReadDxf and prints what landed in the tables
// as JSON (counts, layer and block names, texts, and every counted entity's layer and numbers),
// for the comparison with ezdxf.
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "dxf/DxfReader.h"
#include "dxf/DxfTables.h"
#include "platform/standin/StandinWorld.h"

namespace {

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
  return out;
}

// Doubles to 17 digits: the value read, not a rounding of it. JSON has no infinity or NaN.
std::string Number(long double v) {
  const double d = static_cast<double>(v);
  if (!std::isfinite(d)) return "null";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", d);
  return buf;
}

std::string Numbers(std::initializer_list<long double> values) {
  std::string out;
  for (long double v : values) out += "," + Number(v);
  return out;
}

std::string Point(const TAcadPoint& p) { return Numbers({p.x, p.y, p.z}); }

// One array per record: its layer, then its numbers.
template <class Records, class Row>
std::string Rows(const Records& records, Row row) {
  std::string out = "[";
  for (const auto& r : records) {
    if (out.size() > 1) out += ",";
    out += "[" + row(r) + "]";
  }
  out += ']';
  return out;
}

template <class Records, class Field>
std::string JsonList(const Records& records, Field field) {
  std::string out = "[";
  for (const auto& r : records) {
    if (out.size() > 1) out += ",";
    out += Json(field(r));
  }
  out += ']';
  return out;
}

std::string Counts(const TEntityTables& e) {
  std::string out = "{";
  out += "\"lines\":" + std::to_string(e.lines.size());
  out += ",\"circles\":" + std::to_string(e.circles.size());
  out += ",\"arcs\":" + std::to_string(e.arcs.size());
  out += ",\"polylines\":" + std::to_string(e.polylines.size());
  out += ",\"vertices\":" + std::to_string(e.vertices.size());
  out += ",\"texts\":" + std::to_string(e.texts.size());
  out += ",\"ellipses\":" + std::to_string(e.ellipses.size());
  out += ",\"textStrings\":" + JsonList(e.texts, [](const TTextBlk& t) { return t.str; });
  out += ",\"textLayers\":" + JsonList(e.texts, [](const TTextBlk& t) { return t.layer; });
  out += ",\"geometry\":{\"lines\":" + Rows(e.lines, [](const TAcadLineBlk& l) {
           return Json(l.layer) + Point(l.st) + Point(l.ed);
         });
  out += ",\"circles\":" + Rows(e.circles, [](const TCircleBlk& c) {
           return Json(c.layer) + Point(c.center) + Numbers({c.hankei});
         });
  out += ",\"arcs\":" + Rows(e.arcs, [](const TArcBlk& a) {
           return Json(a.layer) + Point(a.center) + Numbers({a.hankei, a.st, a.ed});
         });
  out += ",\"ellipses\":" + Rows(e.ellipses, [](const TEllipseBlk& l) {
           return Json(l.layer) + Point(l.center) + Point(l.endpoint) +
                  Numbers({l.henpei, l.kaisi, l.owari});
         });
  out += ",\"polylines\":" + Rows(e.polylines, [](const TLwpBlk& p) { return Json(p.layer); });
  out += ",\"vertices\":" + Rows(e.vertices, [](const TLwpEle& v) {
           return std::to_string(v.ihand) + Numbers({v.code10.x, v.code10.y, v.code42});
         });
  out += ",\"texts\":" +
         Rows(e.texts, [](const TTextBlk& t) { return Json(t.layer) + Point(t.pt10); });
  out += "}}";
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dxfcount FILE\n");
    return 2;
  }
  platform::StandinWorld world;
  platform::DiskFileSystem disk;
  platform::Ports ports = world.ports();
  ports.files = &disk;
  platform::ScopedPorts installed(ports);

  TDxfTables t;
  const DxfReadResult r = ReadDxf(t, argv[1]);
  std::string out = "{";
  out += "\"version\":" + Json(r.version);
  out += ",\"error\":" + Json(r.error);
  // The report the reader hands back for the user, as "title: text".
  std::vector<std::string> messages;
  if (!r.message.empty()) messages.push_back(r.caption + ": " + r.message);
  out += ",\"messages\":" + JsonList(messages, [](const std::string& m) { return m; });
  out += ",\"layers\":" + JsonList(t.layers, [](const TLayer& l) { return l.Name; });
  out += ",\"blocks\":" + JsonList(t.blocks, [](const TBlockBlk& b) { return b.name; });
  out += ",\"inserts\":" + std::to_string(t.inserts.size());
  out += ",\"entities\":" + Counts(t.entities);
  out += ",\"blockBodies\":" + Counts(t.blockBodies);
  out += "}\n";
  std::fputs(out.c_str(), stdout);
  return 0;
}
