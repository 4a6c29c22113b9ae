#include "hostlink/HostText.h"

namespace {

// Offset just after the last left-to-right, non-overlapping occurrence of marker, or npos.
std::size_t EndOfLastMarker(std::string_view marker, std::string_view text) {
  std::size_t end = std::string_view::npos;
  // An empty marker occurs everywhere; its last occurrence is at the very end.
  if (marker.empty()) return text.size();
  for (std::size_t at = text.find(marker); at != std::string_view::npos;
       at = text.find(marker, end)) {
    end = at + marker.size();
  }
  return end;
}

}  // namespace

std::string TextAfterLast(std::string_view marker, std::string_view text) {
  const std::size_t end = EndOfLastMarker(marker, text);
  if (end == std::string_view::npos) return {};
  return TrimHostText(text.substr(end));
}

std::string TextAfterLastUpTo(std::string_view marker, std::string_view terminator,
                              std::string_view text) {
  const std::string rest = TextAfterLast(marker, text);
  const std::size_t at = rest.find(terminator);
  if (at == std::string::npos) return {};
  return TrimHostText(std::string_view(rest).substr(0, at));
}

std::string TextAfterFirstUpTo(std::string_view marker, std::string_view terminator,
                               std::string_view text) {
  const std::size_t at = text.find(marker);
  if (at == std::string_view::npos) return {};
  const std::string_view rest = text.substr(at + marker.size());
  const std::size_t stop = rest.find(terminator);
  if (stop == std::string_view::npos) return {};
  return TrimHostText(rest.substr(0, stop));
}

void SplitCommaList(std::string_view text, std::vector<std::string>& list) {
  list.clear();
  std::size_t start = 0;
  for (std::size_t comma = text.find(','); comma != std::string_view::npos;
       comma = text.find(',', start)) {
    list.emplace_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  list.emplace_back(text.substr(start));
}
