#include "table/EntityLines.h"

#include <cstdint>
#include <cstring>

#include "RuzuRaru2016/hostlink/HostText.h"
#include "numbers/NumberText.h"

namespace {

// Lines of a buffer, LF or CR LF at their end, each cut to kScanLineBytes.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : pos_(text.data()), end_(text.data() + text.size()) {}

  bool Next(std::string_view& line) {
    if (pos_ == end_) return false;
    const char* start = pos_;
    const char* nl = static_cast<const char*>(std::memchr(start, '\n', end_ - start));
    const char* stop = nl ? nl : end_;
    pos_ = nl ? nl + 1 : end_;
    if (stop != start && stop[-1] == '\r') --stop;
    std::size_t size = static_cast<std::size_t>(stop - start);
    line = std::string_view(start, size < kScanLineBytes ? size : kScanLineBytes);
    return true;
  }

 private:
  const char* pos_;
  const char* end_;
};

bool IsAscii(std::string_view s) {
  const char* p = s.data();
  std::size_t n = s.size();
  for (; n >= 8; p += 8, n -= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    if (word & 0x8080808080808080ull) return false;
  }
  for (; n > 0; ++p, --n)
    if (static_cast<unsigned char>(*p) & 0x80) return false;
  return true;
}

std::string_view TrimCode(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

DxfScanResult ScanDxfText(std::string_view bytes, std::vector<std::string>& list,
                          platform::CodePage& codePage) {
  LineCursor cursor(bytes);
  bool inEntities = false;
  // The section's name is the pair right after "0 SECTION": a layer, style or block that is
  // itself named ENTITIES does not start the section (the scan would end at the end of the
  // tables and miss every entity).
  bool afterSection = false;
  bool sawEof = false;
  std::string current;
  std::string_view code, value;
  while (cursor.Next(code)) {
    if (!cursor.Next(value)) value = {};
    if (inEntities) {
      if (code == "  0") {
        if (!current.empty()) {
          current += '\t';
          list.push_back(std::move(current));
          current = std::string();
        }
        if (value == "ENDSEC") return {static_cast<int>(list.size()), ScanEnd::kComplete};
      }
      if (!current.empty()) current += '\t';
      current += TrimCode(code);
      current += ',';
      if (IsAscii(value)) {
        current += value;
      } else {
        current += codePage.AnsiToUtf8(value);
      }
    } else if (afterSection && code == "  2" && value == "ENTITIES") {
      inEntities = true;
    } else if (code == "  0" && value == "EOF") {
      sawEof = true;
    }
    afterSection = code == "  0" && value == "SECTION";
  }
  return {static_cast<int>(list.size()),
          !inEntities && sawEof ? ScanEnd::kComplete : ScanEnd::kCutShort};
}

std::string GetGroupValue(std::string_view line, int code) {
  std::string marker = "\t";
  marker += std::to_string(code);
  marker += ',';
  return TextAfterFirstUpTo(marker, "\t", line);
}

bool GetGroupPoint(std::string_view line, int code, TAcadPoint& point) {
  const std::string x = GetGroupValue(line, code);
  const std::string y = GetGroupValue(line, code + 10);
  const std::string z = GetGroupValue(line, code + 20);
  if (!x.empty()) point.x = StrToFloat(x);
  if (!y.empty()) point.y = StrToFloat(y);
  point.z = z.empty() ? 0 : StrToFloat(z);
  return !x.empty() && !y.empty();
}
