// dxflib_count FILE: dxflib (Debian libdxflib-dev) reading the same file and counting the
// entities our reader keeps, as the peer of reader_bench.
#include <chrono>
#include <cstdio>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

namespace {

struct Counter : DL_CreationAdapter {
  long lines = 0, circles = 0, arcs = 0, polylines = 0, vertices = 0, texts = 0, inserts = 0,
       ellipses = 0;
  void addLine(const DL_LineData&) override { ++lines; }
  void addCircle(const DL_CircleData&) override { ++circles; }
  void addArc(const DL_ArcData&) override { ++arcs; }
  void addEllipse(const DL_EllipseData&) override { ++ellipses; }
  void addPolyline(const DL_PolylineData&) override { ++polylines; }
  void addVertex(const DL_VertexData&) override { ++vertices; }
  void addText(const DL_TextData&) override { ++texts; }
  void addMText(const DL_MTextData&) override { ++texts; }
  void addAttribute(const DL_AttributeData&) override { ++texts; }
  void addInsert(const DL_InsertData&) override { ++inserts; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Counter c;
  DL_Dxf dxf;
  const auto start = std::chrono::steady_clock::now();
  const bool ok = dxf.in(argv[1], &c);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!ok) {
    std::fprintf(stderr, "dxflib could not read %s\n", argv[1]);
    return 1;
  }
  std::printf(
      "dxflib: %ld entities (%ld lines, %ld polylines, %ld vertices, %ld texts, %ld "
      "inserts); read in %.3f s\n",
      c.lines + c.circles + c.arcs + c.polylines + c.texts + c.inserts + c.ellipses, c.lines,
      c.polylines, c.vertices, c.texts, c.inserts, seconds);
  return 0;
}
