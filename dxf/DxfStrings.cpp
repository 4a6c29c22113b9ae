#include "dxf/DxfStrings.h"

#include <cstdint>
#include <cstring>

#include "platform/Utf.h"

bool IsAscii(std::string_view s) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  const char* p = s.data();
  std::size_t n = s.size();
  if (n < 8) {
    for (; n > 0; ++p, --n)
      if (static_cast<unsigned char>(*p) & 0x80) return false;
    return true;
  }
  std::uint64_t word;
  for (; n > 8; p += 8, n -= 8) {
    std::memcpy(&word, p, 8);
    if (word & kHighBits) return false;
  }
  std::memcpy(&word, s.data() + s.size() - 8, 8);  // the last 8 bytes, overlapping
  return (word & kHighBits) == 0;
}

const std::string& StringDecoder::Name(std::string_view raw) {
  auto it = names_.find(raw);
  if (it == names_.end()) {
    if (names_.size() >= kMaxNames) names_.clear();
    it = names_.emplace(std::string(raw), Convert(raw)).first;
  }
  return it->second;
}

std::string StringDecoder::Convert(std::string_view raw) {
  return utf8_ ? platform::Utf16ToUtf8(platform::Utf8ToUtf16(raw)) : codePage_.AnsiToUtf8(raw);
}
