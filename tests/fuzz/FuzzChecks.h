// What the fuzz targets check: a failed check aborts, which libFuzzer reports with its input.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string_view>

namespace fuzzchecks {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

inline bool ValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

}  // namespace fuzzchecks
