// How a DXF text is cut into lines: each ends at a LF, and a CR before the LF is no part of it.
// The tokenizer and the entity-line scan cut their buffers this one way.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// The first LF from `from` on, or nullptr when there is none before `end`.
inline const char* FindLineEnd(const char* from, const char* end) {
  return static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(end - from)));
}

// The line from `start` up to the LF at `lf` (to `end` when lf is nullptr), without its CR, and
// where the line after it starts.
struct CutLine {
  std::string_view line;
  const char* next;
};
inline CutLine CutLineAt(const char* start, const char* lf, const char* end) {
  const char* stop = lf ? lf : end;
  const char* next = lf ? lf + 1 : end;
  if (stop != start && stop[-1] == '\r') --stop;
  return {std::string_view(start, static_cast<std::size_t>(stop - start)), next};
}
