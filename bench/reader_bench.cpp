// reader_bench FILE [ROUNDS]: our ReadDxf on a file from disk (virtual clock, so the wait for
// the file costs no real time), with the counts of what it read, for the comparison with dxflib
// and ezdxf in run_reader_bench.sh. With ROUNDS the file is read that many times in one process,
// each round's time on its own line: where the allocator keeps freed memory mapped (glibc with
// GLIBC_TUNABLES=glibc.malloc.mmap_threshold=4000000000:glibc.malloc.trim_threshold=4000000000)
// the later rounds reuse the pages of the earlier tables and show the reading without the cost
// of fresh memory.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "dxf/DxfReader.h"
#include "dxf/DxfTables.h"
#include "platform/standin/StandinWorld.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: reader_bench FILE [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc == 3 ? std::atoi(argv[2]) : 1;
  platform::StandinWorld world;
  platform::DiskFileSystem disk;
  platform::Ports ports = world.ports();
  ports.files = &disk;
  platform::ScopedPorts installed(ports);

  TDxfTables tables;  // one set for every round, as a process reading export after export keeps
  DxfReadResult r;
  double seconds = 0;
  for (int round = 1; round <= rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    r = ReadDxf(tables, argv[1]);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (round < rounds) std::printf("round %d: read in %.3f s\n", round, seconds);
  }
  // The memory of the tables as filled, strings' own memory aside: pages that the read touches
  // for the first time, whatever its parsing costs.
  std::size_t tableBytes = 0;
  const auto add = [&tableBytes](const auto& table) {
    tableBytes += table.capacity() * sizeof(table[0]);
  };
  const TDxfTables& t = tables;
  add(t.layers), add(t.blocks), add(t.inserts);
  for (const TEntityTables* set : {&t.entities, &t.blockBodies}) {
    add(set->lines), add(set->circles), add(set->arcs), add(set->polylines);
    add(set->vertices), add(set->texts), add(set->ellipses);
  }
  const TEntityTables& e = tables.entities;
  const std::size_t entities = e.lines.size() + e.circles.size() + e.arcs.size() +
                               e.polylines.size() + e.texts.size() + e.ellipses.size() +
                               tables.inserts.size();
  std::printf(
      "ours: version %s, error '%s', %zu entities (%zu lines, %zu polylines, %zu "
      "vertices, %zu texts, %zu inserts); tables %zu bytes; read in %.3f s\n",
      r.version.c_str(), r.error.c_str(), entities, e.lines.size(), e.polylines.size(),
      e.vertices.size(), e.texts.size(), tables.inserts.size(), tableBytes, seconds);
  return r.error.empty() ? 0 : 1;
}
