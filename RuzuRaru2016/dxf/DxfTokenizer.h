// The lower layer of the DXF reader: cuts an ASCII DXF buffer into pairs of lines, the group
// code line and the value line. Lines end with LF or CR LF; a UTF-8 byte order mark at the
// start is skipped.
#pragma once

#include <cstddef>
#include <string_view>

struct DxfPair {
  int code = 0;
  std::string_view codeLine;  // as in the file, without the line end
  std::string_view value;     // likewise
  std::size_t line = 0;       // number of the code line, from 1; the value line is line + 1
};

class DxfTokenizer {
 public:
  enum class Step {
    Pair,          // a pair was read
    End,           // no more lines
    BadCode,       // the code line is no integer (codeLine, value and line are set)
    MissingValue,  // the buffer ends after a code line (codeLine and line are set)
  };

  explicit DxfTokenizer(std::string_view text);
  Step Next(DxfPair& pair);

 private:
  bool NextLine(std::string_view& line);

  const char* pos_;
  const char* end_;
  std::size_t lines_ = 0;  // lines read so far
};
