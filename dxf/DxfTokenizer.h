// The lower layer of the DXF reader: cuts ASCII DXF text into pairs of lines, the group code
// line and the value line. Lines end with LF or CR LF; a UTF-8 byte order mark at the start is
// skipped. The text is a buffer held whole, or a file read piece by piece into a buffer of its
// own (which grows only for a pair longer than it).
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/FileSystem.h"

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
    MissingValue,  // the text ends after a code line (codeLine and line are set)
    ReadError,     // the file could not be read on (line is set, and codeLine when it was read)
  };

  // The lines of a pair stay valid until the next call of Next.
  explicit DxfTokenizer(std::string_view text);
  static constexpr std::size_t kPieceRoom = 128 * 1024;
  explicit DxfTokenizer(platform::FileSystem::Reader& file, std::size_t room = kPieceRoom);
  Step Next(DxfPair& pair);

 private:
  bool TakeLine(const char*& cursor, std::string_view& line) const;
  void Refill();
  void SkipByteOrderMark();

  platform::FileSystem::Reader* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  std::size_t room_ = 0;
  const char* pos_;
  const char* end_;
  bool atEnd_ = true;  // nothing more comes after end_
  bool readError_ = false;
  std::size_t lines_ = 0;  // lines read so far
};
