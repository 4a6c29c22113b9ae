#include "RuzuRaru2016/dxf/DxfTokenizer.h"

#include <cstring>

#include "RuzuRaru2016/dxf/DxfNumber.h"

DxfTokenizer::DxfTokenizer(std::string_view text)
    : pos_(text.data()), end_(text.data() + text.size()) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") pos_ += 3;
}

bool DxfTokenizer::NextLine(std::string_view& line) {
  if (pos_ == end_) return false;
  const char* start = pos_;
  const char* nl = static_cast<const char*>(std::memchr(start, '\n', end_ - start));
  const char* stop = nl ? nl : end_;
  pos_ = nl ? nl + 1 : end_;
  if (stop != start && stop[-1] == '\r') --stop;
  line = std::string_view(start, static_cast<std::size_t>(stop - start));
  ++lines_;
  return true;
}

namespace {

// Group codes are written as up to four digits after blanks ("  0", " 10", "1071"); anything
// else takes the general integer rule.
bool ParseCode(std::string_view line, int& code) {
  const char* p = line.data();
  const char* end = p + line.size();
  while (p != end && *p == ' ') ++p;
  if (p != end && end - p <= 4) {
    int v = 0;
    for (; p != end; ++p) {
      const unsigned d = static_cast<unsigned>(*p - '0');
      if (d > 9) return ParseDxfInt(line, code);
      v = v * 10 + static_cast<int>(d);
    }
    code = v;
    return true;
  }
  return ParseDxfInt(line, code);
}

}  // namespace

DxfTokenizer::Step DxfTokenizer::Next(DxfPair& pair) {
  if (!NextLine(pair.codeLine)) return Step::End;
  pair.line = lines_;
  pair.value = {};
  if (!NextLine(pair.value)) return Step::MissingValue;
  return ParseCode(pair.codeLine, pair.code) ? Step::Pair : Step::BadCode;
}
