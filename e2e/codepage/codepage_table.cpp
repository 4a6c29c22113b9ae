// Prints how the ANSI code-page port converts a table of texts, one line per case, in hex.
// Built for Windows with the real port and natively with the stand-in: the native tests rely
// on the stand-in converting exactly as the system does under code page 932.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include "platform/win32/Win32Ports.h"
static platform::CodePage& Port() { return platform::Win32Ansi(); }
#else
#include "platform/standin/Cp932CodePage.h"
static platform::CodePage& Port() {
  static platform::Cp932CodePage codePage;
  return codePage;
}
#endif

namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char b[4];
  for (unsigned char c : bytes) {
    std::snprintf(b, sizeof b, "%02X", c);
    out += b;
  }
  return out.empty() ? "-" : out;
}

}  // namespace

int main() {
  // UTF-8 texts to the code page: layer names, prompts, marks, and characters 932 lacks.
  const char* const texts[] = {
      "H_TEXT",
      "文字",
      "画層",
      "辺の線分",
      "ﾍﾛﾝ",
      "三斜",
      "①②③",
      "～",
      "〜",
      "−",
      "‖",
      "¥",
      "é",
      "À",
      "ß",
      "€",
      "\xF0\x9F\x98\x80",
      "髙",
      "﨑",
      "ⅰⅱ",
      "㈱",
      "¬",
      "¦",
      "テキスト ウィンドウ",
  };
  for (const char* t : texts) {
    bool usedDefault = false;
    const std::string ansi = Port().Utf8ToAnsi(t, &usedDefault);
    std::printf("to   %s -> %s %d\n", Hex(t).c_str(), Hex(ansi).c_str(), usedDefault ? 1 : 0);
  }
  // Code-page bytes to UTF-8: every single byte.
  for (int b = 0x20; b < 0x100; ++b) {
    const std::string one(1, static_cast<char>(b));
    std::printf("from %s -> %s\n", Hex(one).c_str(), Hex(Port().AnsiToUtf8(one)).c_str());
  }
  // Every lead byte with every following byte, and a lead byte at the end of the text.
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead < 0xE0) continue;
    for (int trail = 0; trail < 0x100; ++trail) {
      std::string two;
      two += static_cast<char>(lead);
      two += static_cast<char>(trail);
      std::printf("from %s -> %s\n", Hex(two).c_str(), Hex(Port().AnsiToUtf8(two)).c_str());
    }
    const std::string alone(1, static_cast<char>(lead));
    std::printf("from %s -> %s\n", Hex(alone).c_str(), Hex(Port().AnsiToUtf8(alone)).c_str());
  }
  // Every character of the basic plane to the code page (surrogates come as pairs above).
  for (unsigned u = 0x80; u < 0x10000; ++u) {
    if (u >= 0xD800 && u < 0xE000) continue;
    std::string utf8;
    if (u < 0x800) {
      utf8 += static_cast<char>(0xC0 | (u >> 6));
    } else {
      utf8 += static_cast<char>(0xE0 | (u >> 12));
      utf8 += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    }
    utf8 += static_cast<char>(0x80 | (u & 0x3F));
    bool usedDefault = false;
    const std::string ansi = Port().Utf8ToAnsi(utf8, &usedDefault);
    std::printf("to   U+%04X -> %s %d\n", u, Hex(ansi).c_str(), usedDefault ? 1 : 0);
  }
  return 0;
}
