// scan_bench FILE [ROUNDS [floor|scan|reader]]: the number scan of a whole-drawing export beside
// its floor and the full DXF reader, round after round, each starting from reading the file:
//   floor   read the file and walk its lines, nothing else;
//   scan    read the file, ScanDxfText, CollectNumberMarks, SortByNumber, NextNumber;
//   reader  read the file and ParseDxf into the entity tables.
// Prints the median wall and CPU time of each and the ratios of both. The CPU time of the
// process is what the work costs on a machine shared with others; the wall time shows the
// waits besides. With a third argument only that one runs: run_scan_bench.sh runs each kind in
// a process of its own, as the reader's many allocations leave the heap different for the
// others (the scan's buffer then comes fresh from the system, page by page, every round).
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "dxf/DxfParser.h"
#include "dxf/EntityLines.h"
#include "dxf/NumberEntries.h"
#include "platform/standin/Cp932CodePage.h"

namespace {

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(0, std::ios::end);
  std::string data(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(data.data(), static_cast<std::streamsize>(data.size()));
  return data;
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Wall and CPU times of one kind of work, a sample per round.
struct Times {
  std::vector<double> wall, cpu;
  template <class Work>
  void Measure(Work work) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    work();
    cpu.push_back(CpuSeconds() - cpuStart);
    wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: scan_bench FILE [ROUNDS [floor|scan|reader]]\n");
    return 2;
  }
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
  const std::string only = argc > 3 ? argv[3] : "";
  platform::Cp932CodePage codePage;
  Times floor, scan, reader;
  std::size_t lines = 0, entityLines = 0, marks = 0, entities = 0;
  int next = 0;
  bool complete = false, readerFailed = false;
  for (int round = 0; round < rounds; ++round) {
    if (only.empty() || only == "floor")
      floor.Measure([&] {
        const std::string data = ReadFile(argv[1]);
        std::size_t n = 0;
        const char* p = data.data();
        const char* end = p + data.size();
        while (p < end) {
          const char* nl = static_cast<const char*>(std::memchr(p, '\n', end - p));
          ++n;
          p = nl ? nl + 1 : end;
        }
        lines = n;
      });
    if (only.empty() || only == "scan")
      scan.Measure([&] {
        const std::string data = ReadFile(argv[1]);
        EntityLineList list;
        std::vector<std::string> entries;
        complete = ScanDxfText(data, list, codePage).complete();
        CollectNumberMarks(list, entries);
        SortByNumber(entries);
        next = NextNumber(entries);
        entityLines = list.size();
        marks = entries.size();
      });
    if (only.empty() || only == "reader")
      reader.Measure([&] {
        const std::string data = ReadFile(argv[1]);
        TDxfTables tables;
        readerFailed = ParseDxf(data, tables, codePage).failed;
        const TEntityTables& e = tables.entities;
        entities = e.lines.size() + e.circles.size() + e.arcs.size() + e.polylines.size() +
                   e.texts.size() + e.ellipses.size() + tables.inserts.size();
      });
  }
  std::printf("file: %s, %zu lines; %d rounds, medians\n", argv[1], lines, rounds);
  auto row = [](const char* name, const Times& t, const std::string& what) {
    if (!t.wall.empty())
      std::printf("%-7s wall %7.4f s  cpu %7.4f s  %s\n", name, Median(t.wall), Median(t.cpu),
                  what.c_str());
  };
  row("floor", floor, "(read, lines walked)");
  row("scan", scan,
      "(" + std::to_string(entityLines) + " entity lines, " +
          (complete ? "complete, " : "NOT complete, ") + std::to_string(marks) +
          " marks, next number " + std::to_string(next) + ")");
  row("reader", reader,
      "(" + std::to_string(entities) + " entities in the tables" +
          (readerFailed ? ", FAILED)" : ")"));
  auto ratio = [](const char* name, const Times& a, const Times& b, const char* goal) {
    if (!a.wall.empty() && !b.wall.empty())
      std::printf("%-14s wall %5.2f x  cpu %5.2f x  %s\n", name, Median(a.wall) / Median(b.wall),
                  Median(a.cpu) / Median(b.cpu), goal);
  };
  ratio("scan / floor", scan, floor, "(goal: <= 2)");
  ratio("scan / reader", scan, reader, "");
  return 0;
}
