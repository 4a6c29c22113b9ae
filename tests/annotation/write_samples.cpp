// Writes every kind of annotation document into a folder, for the independent DXF check
// (audit_documents.py, which holds the side lengths each number mark should carry).
//   write_samples FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "annotation/AnnotationAngles.h"
#include "annotation/DxfInsertion.h"
#include "annotation/NumberMarks.h"
#include "dxf/DxfWriter.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "platform/Ports.h"
#include "platform/standin/StandinWorld.h"

namespace {

namespace fs = std::filesystem;

// A number mark as the labelling cores write it: radius 500, number height 400, on H_TEXT,
// turned back by the host's turn of inserted documents.
NumberMarkStyle MarkStyle(const InsertionFrame& frame, const std::string& textStyle) {
  return {500, 400, frame.NumberRotation(), "H_TEXT", textStyle};
}

struct Samples {
  fs::path folder;

  void MoveTo(const std::string& from, const std::string& to) {
    fs::rename(folder / from, folder / to);
  }

  void Batch(const std::string& file, const std::string& style) {
    const InsertionFrame upright(HostAngles{});
    const TAcadTriangle a{{0, 0}, {3000, 0}, {0, 4000}};
    const TAcadTriangle b{{0, 0}, {6000, 0}, {1000, 3000}};
    DxfDocument d;
    WriteDxfHeader(d, style);
    WriteDxfLine(d, a.p2, a.p3, "H_HEN");
    WriteDxfText(d, "J BC ", MidPoint(a.p2, a.p3), 300, -0.9272952180016122, "5.00", "H_TEXT",
                 style);
    WriteNumberMark(d, upright.Place(ThreeSideMarkCentre(a)), a, 1, MarkStyle(upright, style));
    TAcadPoint st, ed, apex, foot;
    ChooseBaseAndHeight(b, st, ed, apex, foot);
    WriteDxfLine(d, apex, foot, "H_TAKASA");
    WriteNumberMark(d, upright.Place(BaseHeightMarkCentre(st, ed, apex, foot)), b, 2,
                    MarkStyle(upright, style));
    const TAcadTriangle c{
        {10000.123456789L, -2000.5L, 0}, {12345.678L, 1.0e-5L, 0}, {9000, 7000.25L, 0}};
    const InsertionFrame turned(HostAngles{1.5707963267948966, 1});
    WriteNumberMark(d, turned.Place(ThreeSideMarkCentre(c)), c, 3, MarkStyle(turned, style));
    WriteDxfEnd(d);
    SaveDxfDocument(d, (folder / file).string());
  }

  void AreaTable() {
    DxfDocument d;
    WriteDxfHeaderWithoutAppId(d, "");
    for (int row = 0; row <= 3; ++row)
      WriteDxfPlaneLine(d, {0, -800.0L * row}, {15000, -800.0L * row}, "H_TABLE");
    WriteDxfTextAligned(d, {1, 2}, {750, -400}, 400, 0, "番号", "H_TABLE", "");
    WriteDxfTextAligned(d, {2, 2}, {2900, -1200}, 400, 0, "6000.00", "H_TABLE", "");
    WriteDxfTextAligned(d, {2, 2}, {2900, -2000}, 400, 0, "1.5E20", "H_TABLE", "");
    WriteDxfEnd(d);
    SaveDxfDocument(d, (folder / "table.dxf").string());
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_samples FOLDER\n");
    return 2;
  }
  Samples s;
  s.folder = argv[1];
  fs::create_directories(s.folder);
  platform::StandinWorld world;  // no host windows: insertions find nobody to send to
  platform::DiskFileSystem disk((s.folder / "annotate.exe").string());
  platform::Ports ports = world.ports();
  ports.files = &disk;
  platform::ScopedPorts installed(ports);

  s.Batch("batch.dxf", "");
  s.Batch("batch_style.dxf", "Standard");
  s.AreaTable();

  InsertTextDxf(ProcessHostLink(), "J BC ", {1500, 2000}, "5.00", 300, 0.9272952180016122, "H_TEXT",
                "");
  s.MoveTo("Menseki.dxf", "text.dxf");
  InsertTextDxf(ProcessHostLink(), "J MR ", {-1.5L, 0.00001L}, "測量 12.35", 2.5, 0, "文字",
                "Standard");
  s.MoveTo("Menseki.dxf", "text_style.dxf");

  const TAcadTriangle t{{0, 0}, {3000, 0}, {0, 4000}};
  const InsertionFrame upright(HostAngles{});
  InsertNumberMark(ProcessHostLink(), upright.Place(ThreeSideMarkCentre(t)), t, 12,
                   MarkStyle(upright, ""));
  s.MoveTo("annotate.dxf", "mark_three_side.dxf");
  InsertNumberMark(ProcessHostLink(),
                   upright.Place(BaseHeightMarkCentre({3000, 0}, {0, 4000}, {0, 0}, {1920, 1440})),
                   t, 13, MarkStyle(upright, "Standard"));
  s.MoveTo("annotate.dxf", "mark_base_height.dxf");
  return 0;
}
