// reader_bench FILE: our ReadDxf on a file from disk (virtual clock, so the wait for the file
// costs no real time), with the counts of what it read, for the comparison with dxflib and
// ezdxf in run_reader_bench.sh.
#include <chrono>
#include <cstdio>

#include "RuzuRaru2016/dxf/DxfReader.h"
#include "RuzuRaru2016/dxf/DxfTables.h"
#include "platform/standin/StandinWorld.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: reader_bench FILE\n");
    return 2;
  }
  platform::StandinWorld world;
  platform::DiskFileSystem disk;
  platform::Ports ports = world.ports();
  ports.files = &disk;
  platform::ScopedPorts installed(ports);

  const auto start = std::chrono::steady_clock::now();
  const DxfReadResult r = ReadDxf(argv[1]);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const TEntityTables& e = DxfTables().entities;
  const std::size_t entities = e.lines.size() + e.circles.size() + e.arcs.size() +
                               e.polylines.size() + e.texts.size() + e.ellipses.size() +
                               DxfTables().inserts.size();
  std::printf(
      "ours: version %s, error '%s', %zu entities (%zu lines, %zu polylines, %zu "
      "vertices, %zu texts, %zu inserts); read in %.3f s\n",
      r.version.c_str(), r.error.c_str(), entities, e.lines.size(), e.polylines.size(),
      e.vertices.size(), e.texts.size(), DxfTables().inserts.size(), seconds);
  return r.error.empty() ? 0 : 1;
}
