// libFuzzer target for the DXF reader's parser, on a buffer and on a file read in pieces.
// Besides crashes and undefined behaviour it checks what the rest of the program relies on
// after any read.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "dxf/DxfParser.h"
#include "platform/standin/Cp932CodePage.h"
#include "tests/fuzz/FuzzChecks.h"

namespace {

using fuzzchecks::Require;
using fuzzchecks::ValidUtf8;

template <class Table>
void RequireExactSize(const Table& t) {
  Require(t.size() == t.capacity());
}

void CheckEntityTables(const TEntityTables& e) {
  RequireExactSize(e.lines);
  RequireExactSize(e.circles);
  RequireExactSize(e.arcs);
  RequireExactSize(e.polylines);
  RequireExactSize(e.vertices);
  RequireExactSize(e.texts);
  RequireExactSize(e.ellipses);
  for (std::size_t i = 0; i < e.polylines.size(); ++i) {
    Require(e.polylines[i].ihand == static_cast<std::int32_t>(i));
    Require(ValidUtf8(e.polylines[i].layer) && ValidUtf8(e.polylines[i].bname));
  }
  // Vertices are contiguous per polyline and in polyline order.
  std::int32_t previous = 0;
  for (const TLwpEle& v : e.vertices) {
    Require(v.ihand >= previous && v.ihand < static_cast<std::int32_t>(e.polylines.size()));
    previous = v.ihand;
  }
  for (const TTextBlk& t : e.texts)
    Require(!t.str.empty() && ValidUtf8(t.str) && ValidUtf8(t.layer));
  for (const TAcadLineBlk& l : e.lines) Require(ValidUtf8(l.layer) && ValidUtf8(l.ltype));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::Cp932CodePage codePage;
  TDxfTables t;
  const DxfParseResult r =
      ParseDxf(std::string_view(reinterpret_cast<const char*>(data), size), t, codePage);
  Require(ValidUtf8(r.version));
  if (r.failed) Require(r.failure.line >= 1 && r.failure.line <= size + 1);
  Require(!t.layers.empty());
  RequireExactSize(t.layers);
  for (const TLayer& l : t.layers) Require(ValidUtf8(l.Name) && ValidUtf8(l.ltype));
  for (const TBlockBlk& b : t.blocks) Require(ValidUtf8(b.name));
  CheckEntityTables(t.entities);
  CheckEntityTables(t.blockBodies);
  // Every completed entity has its by-layer colour resolved: 256 stays only when the first
  // layer row of that name itself says 256.
  const auto resolved = [&t](const auto& records) {
    for (const auto& r : records) {
      if (r.color != 256) continue;
      const TLayer* first = nullptr;
      for (const TLayer& l : t.layers)
        if (l.Name == r.layer) {
          first = &l;
          break;
        }
      Require(first != nullptr && first->color == 256);
    }
  };
  for (const TEntityTables* e : {&t.entities, &t.blockBodies}) {
    resolved(e->lines);
    resolved(e->circles);
    resolved(e->arcs);
    resolved(e->texts);
    resolved(e->ellipses);
  }
  resolved(t.inserts);

  // The same bytes read as a file, in small pieces through a small buffer: the same tables and
  // the same report, wherever the pieces end.
  TDxfTables pieces;
  std::unique_ptr<platform::FileSystem::Reader> file =
      platform::ReaderOfBytes(std::string(reinterpret_cast<const char*>(data), size), 1 + size % 7);
  const DxfParseResult q = ReadDxfPairs(*file, pieces, codePage, 8);
  FinishDxfTables(pieces);
  Require(pieces == t && q.version == r.version && q.failed == r.failed);
  if (r.failed)
    Require(q.failure.line == r.failure.line && q.failure.codeLine == r.failure.codeLine &&
            q.failure.valueLine == r.failure.valueLine);
  return 0;
}
