// floor_lines FILE [getline]: the floor for a DXF reader: read the file's lines and do nothing
// else. By default the whole file is read into memory in one piece, as ReadDxf gets it from
// the file port, and its lines are walked; with "getline" the lines are read one by one with
// std::getline, as a line-by-line reader would.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const auto start = std::chrono::steady_clock::now();
  std::size_t lines = 0, bytes = 0;
  if (argc > 2 && std::strcmp(argv[2], "getline") == 0) {
    std::ifstream in(argv[1]);
    std::string line;
    while (std::getline(in, line)) {
      ++lines;
      bytes += line.size();
    }
  } else {
    std::ifstream in(argv[1], std::ios::binary);
    in.seekg(0, std::ios::end);
    std::string data(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    const char* p = data.data();
    const char* end = p + data.size();
    while (p < end) {
      const char* nl = static_cast<const char*>(std::memchr(p, '\n', end - p));
      const char* stop = nl ? nl : end;
      bytes += static_cast<std::size_t>(stop - p);
      ++lines;
      p = nl ? nl + 1 : end;
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("floor: %zu lines, %zu bytes of text; read in %.3f s\n", lines, bytes, seconds);
  return 0;
}
