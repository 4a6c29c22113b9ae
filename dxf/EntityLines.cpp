#include "dxf/EntityLines.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "dxf/DxfReader.h"
#include "dxf/DxfStrings.h"
#include "dxf/TextLines.h"
#include "numbers/NumberText.h"
#include "platform/Ports.h"

namespace {

// Lines of a buffer, LF or CR LF at their end, each cut to kScanLineBytes.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : pos_(text.data()), end_(text.data() + text.size()) {}

  bool Next(std::string_view& line) {
    if (pos_ == end_) return false;
    return Take(FindLineEnd(pos_, end_), line);
  }

  // The same for a line that is usually short (a group code): looked through byte by byte
  // first, which costs less than a library call for a few bytes.
  bool NextShort(std::string_view& line) {
    if (pos_ == end_) return false;
    const char* stop = end_ - pos_ > 16 ? pos_ + 16 : end_;
    for (const char* p = pos_; p != stop; ++p)
      if (*p == '\n') return Take(p, line);
    return Next(line);
  }

 private:
  bool Take(const char* lf, std::string_view& line) {
    const CutLine cut = CutLineAt(pos_, lf, end_);
    pos_ = cut.next;
    line = cut.line.substr(0, kScanLineBytes);
    return true;
  }

  const char* pos_;
  const char* end_;
};

// Where the next byte above 0x7F of a buffer lies, found ahead eight bytes at a time and
// remembered, so that the pairs, taken in the order of the buffer, are checked in one pass.
class AsciiAhead {
 public:
  explicit AsciiAhead(std::string_view bytes) : end_(bytes.data() + bytes.size()) {
    Find(bytes.data());
  }

  // True when the bytes from `from` up to `to` are all ASCII; `from` never goes back.
  bool Ascii(const char* from, const char* to) {
    if (next_ < from) Find(from);
    return to <= next_;
  }

 private:
  void Find(const char* p) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    for (; end_ - p >= 8; p += 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      if (word & kHighBits) break;
    }
    while (p != end_ && !(static_cast<unsigned char>(*p) & 0x80)) ++p;
    next_ = p;
  }

  const char* end_;
  const char* next_ = nullptr;  // the first byte above 0x7F since the last look, or end_
};

// The values of the lines kept, in UTF-8, decoded as the reader decodes them (DxfStrings.h).
// The scan spends its time on the pairs, so the common case (ASCII) is plain copying.
class PairWriter {
 public:
  PairWriter(std::string_view bytes, platform::CodePage& codePage)
      : ahead_(bytes), decoder_(codePage) {}

  // code and value lie in the buffer, code first, pair after pair.
  void Add(EntityLineList& list, std::string_view code, std::string_view value) {
    if (ahead_.Ascii(code.data(), value.data() + value.size())) {
      list.AddPair(code, value);
    } else if (IsAscii(value)) {
      list.AddPair(decoder_.Decode(code), value);
    } else {
      // Layer names and the like come back entity after entity: their conversions are kept.
      list.AddPair(decoder_.Decode(code), decoder_.Name(value));
    }
  }

 private:
  AsciiAhead ahead_;
  StringDecoder decoder_;
};

// A line compared with a short literal; unrolled by the compiler, no library call per pair.
template <std::size_t N>
bool Is(std::string_view line, const char (&literal)[N]) {
  if (line.size() != N - 1) return false;
  for (std::size_t i = N - 1; i-- > 0;)  // from the end: codes differ in their last digit
    if (line[i] != literal[i]) return false;
  return true;
}

std::string_view TrimCode(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

DxfScanResult ScanDxfText(std::string_view bytes, EntityLineList& list,
                          platform::CodePage& codePage) {
  LineCursor cursor(bytes);
  bool inEntities = false;
  // The section's name is the pair right after "0 SECTION": a layer, style or block that is
  // itself named ENTITIES does not start the section (the scan would end at the end of the
  // tables and miss every entity).
  bool afterSection = false;
  bool sawEof = false;
  PairWriter pairs(bytes, codePage);
  // The lines are shorter than the pairs they come from, in all but rare conversions.
  list.Reserve(bytes.size());
  std::string_view code, value;
  while (cursor.NextShort(code)) {
    // A code line without its value at the very end: an empty value where the file ends.
    if (!cursor.Next(value)) value = bytes.substr(bytes.size());
    if (inEntities) {
      if (Is(code, "  0")) {
        if (list.HasOpenLine()) list.CloseLine();
        if (Is(value, "ENDSEC")) return {static_cast<int>(list.size()), ScanEnd::kComplete};
      }
      pairs.Add(list, TrimCode(code), value);
    } else if (afterSection && Is(code, "  2") && Is(value, "ENTITIES")) {
      inEntities = true;
    } else if (Is(code, "  0") && Is(value, "EOF")) {
      sawEof = true;
    }
    afterSection = Is(code, "  0") && Is(value, "SECTION");
  }
  list.DropOpenLine();  // the entity being written when the file ends
  return {static_cast<int>(list.size()),
          !inEntities && sawEof ? ScanEnd::kComplete : ScanEnd::kCutShort};
}

namespace {

// Offset of the first occurrence of marker ("\t<code>,") in an entity line, or npos. The line
// is searched for its TABs eight bytes at a time, as this runs on every text of a drawing.
std::size_t FindPair(std::string_view line, std::string_view marker) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kTabs = 0x0909090909090909ull;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  const std::size_t n = line.size();
  // Markers have at least three bytes ("\t1,"); the byte after the TAB settles most TABs.
  auto matchAt = [&](std::size_t at) {
    return n - at >= marker.size() && line[at + 1] == marker[1] &&
           line.compare(at, marker.size(), marker) == 0;
  };
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, line.data() + i, 8);
    const std::uint64_t x = word ^ kTabs;
    // A set high bit for every byte that is a TAB (and at times for one above it, which the
    // comparison below sorts out).
    for (std::uint64_t tabs = (x - kOnes) & ~x & kHighBits; tabs != 0; tabs &= tabs - 1) {
      const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(tabs)) / 8;
      if (matchAt(at)) return at;
    }
  }
  for (; i < n; ++i)
    if (line[i] == '\t' && matchAt(i)) return i;
  return std::string_view::npos;
}

}  // namespace

std::string GetGroupValue(std::string_view line, int code) {
  std::string marker = "\t";
  marker += std::to_string(code);
  marker += ',';
  const std::size_t at = FindPair(line, marker);
  if (at == std::string_view::npos) return {};
  const std::string_view rest = line.substr(at + marker.size());
  const std::size_t stop = rest.find('\t');
  if (stop == std::string_view::npos) return {};
  return TrimHostText(rest.substr(0, stop));
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

// The text scan itself stays free of files so that it can be run on any bytes.
DxfScanResult ScanDxfEntities(const std::string& path, EntityLineList& list) {
  if (!WaitForFile(path)) return {0, ScanEnd::kNoFile};
  return ScanDxfFile(path, list);
}

DxfScanResult ScanDxfFile(const std::string& path, EntityLineList& list) {
  if (platform::Files().InUse(path)) return {0, ScanEnd::kBusy};
  std::optional<std::string> bytes = platform::Files().ReadAll(path);
  if (!bytes) return {0, ScanEnd::kUnreadable};
  return ScanDxfText(*bytes, list, platform::Ansi());
}
