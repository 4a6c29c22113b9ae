#include "RuzuRaru2016/DxfTokenizer.h"

#include <cstring>

#include "RuzuRaru2016/DxfNumber.h"

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

DxfTokenizer::Step DxfTokenizer::Next(DxfPair& pair) {
  if (!NextLine(pair.codeLine)) return Step::End;
  pair.line = lines_;
  pair.value = {};
  if (!NextLine(pair.value)) return Step::MissingValue;
  return ParseDxfInt(pair.codeLine, pair.code) ? Step::Pair : Step::BadCode;
}
