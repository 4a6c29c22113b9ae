#include "platform/standin/Cp932CodePage.h"

#include <array>
#include <cstdint>
#include <memory>

#include "platform/Utf.h"

namespace platform {

namespace {

constexpr char16_t kNoCharacter = 0;
constexpr char16_t kUndecodable = 0x30FB;

struct Pair {
  std::uint16_t code;
  std::uint16_t unit;
};

constexpr Pair kPairs[] = {
#include "platform/standin/Cp932Table.inc"
};

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Where several codes give the same character, the system writes the standard one first, then
// NEC's row 13, then IBM's extension, and NEC's copy of IBM's extension last.
int Preference(std::uint16_t code) {
  const unsigned lead = code >> 8;
  if (lead == 0x87) return 1;
  if (lead >= 0xFA) return 2;
  if (lead == 0xED || lead == 0xEE) return 3;
  return 0;
}

struct Tables {
  std::array<char16_t, 0x10000> decode{};       // double-byte code -> unit
  std::array<std::uint16_t, 0x10000> encode{};  // unit -> code (single byte < 0x100); 0 none
  std::array<bool, 0x10000> encodable{};

  Tables() {
    for (unsigned b = 0; b < 0x80; ++b) SetSingle(b, static_cast<char16_t>(b));
    for (unsigned b = 0xA1; b <= 0xDF; ++b) SetSingle(b, static_cast<char16_t>(0xFF61 + b - 0xA1));
    // Single bytes outside Shift-JIS that the system's table still maps, both ways.
    SetSingle(0x80, 0x0080);
    SetSingle(0xA0, 0xF8F0);
    SetSingle(0xFD, 0xF8F1);
    SetSingle(0xFE, 0xF8F2);
    SetSingle(0xFF, 0xF8F3);
    for (const Pair& p : kPairs) {
      decode[p.code] = p.unit;
      if (!encodable[p.unit] || Preference(p.code) < Preference(encode[p.unit])) {
        encode[p.unit] = p.code;
        encodable[p.unit] = true;
      }
    }
  }
  void SetSingle(unsigned byte, char16_t unit) {
    decode[byte] = unit;
    encode[unit] = static_cast<std::uint16_t>(byte);
    encodable[unit] = true;
  }
};

const Tables& Table() {
  static const auto tables = std::make_unique<Tables>();
  return *tables;
}

bool AllAscii(std::string_view s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string Cp932CodePage::AnsiToUtf8(std::string_view ansi) {
  if (AllAscii(ansi)) return std::string(ansi);
  const Tables& t = Table();
  std::u16string wide;
  wide.reserve(ansi.size());
  for (std::size_t i = 0; i < ansi.size(); ++i) {
    const auto b = static_cast<unsigned char>(ansi[i]);
    if (IsLead(b)) {
      if (i + 1 >= ansi.size() || ansi[i + 1] == '\0') {
        wide += kUndecodable;
        continue;
      }
      const auto code = static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(ansi[++i]));
      const char16_t unit = t.decode[code];
      wide += unit == kNoCharacter ? kUndecodable : unit;
    } else {
      wide += t.decode[b];
    }
  }
  return Utf16ToUtf8(wide);
}

std::string Cp932CodePage::Utf8ToAnsi(std::string_view utf8, bool* usedDefault) {
  if (usedDefault) *usedDefault = false;
  if (AllAscii(utf8)) return std::string(utf8);
  const Tables& t = Table();
  std::string out;
  out.reserve(utf8.size());
  for (char16_t unit : Utf8ToUtf16(utf8)) {
    if (!t.encodable[unit]) {
      out += '?';
      if (usedDefault) *usedDefault = true;
      continue;
    }
    const std::uint16_t code = t.encode[unit];
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  }
  return out;
}

}  // namespace platform
