#include "hostsim/Keywords.h"

#include <string_view>

namespace hostsim {

std::string UpperAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

std::string UpperOption(std::string s) {
  s = UpperAscii(std::move(s));
  if (!s.empty() && s[0] == '_') s.erase(0, 1);
  return s;
}

bool Is(const std::string& typed, const char* full, std::size_t min) {
  const std::string t = UpperOption(typed);
  const std::string_view f = full;
  return t.size() >= min && t.size() <= f.size() && f.compare(0, t.size(), t) == 0;
}

}  // namespace hostsim
