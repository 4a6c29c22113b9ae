// page_cost [MB]: what memory that a process touches for the first time costs on this machine,
// per 4 KB page (the page fault, and zeroing the page). A reader that fills large tables pays
// it for every page of them, whatever its parsing costs; where a fault costs microseconds (some
// virtual machines), it outweighs the parsing.
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
  const std::size_t bytes = megabytes << 20;
  const std::clock_t start = std::clock();
  auto* p = static_cast<volatile char*>(std::malloc(bytes));
  if (!p) return 1;
  for (std::size_t i = 0; i < bytes; i += 4096) p[i] = 1;
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  std::printf("fresh memory: %.2f us per 4 KB page (%zu pages)\n", seconds * 1e6 / (bytes / 4096),
              bytes / 4096);
  std::free(const_cast<char*>(p));
  return 0;
}
