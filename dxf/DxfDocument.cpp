#include "dxf/DxfDocument.h"

#include <cstdio>

#include "platform/Ports.h"
#include "platform/Utf.h"

std::string DxfAnsiText(std::string_view utf8, platform::CodePage& codePage) {
  bool lost = false;
  std::string whole = codePage.Utf8ToAnsi(utf8, &lost);
  if (!lost) return whole;
  // Character by character, so that only what the code page lacks is escaped (a '?' of the
  // text itself stays a '?').
  const std::u16string wide = platform::Utf8ToUtf16(utf8);
  std::string out;
  out.reserve(whole.size() + 16);
  for (std::size_t i = 0; i < wide.size();) {
    const char16_t unit = wide[i];
    if (unit < 0x80) {
      out += static_cast<char>(unit);
      ++i;
      continue;
    }
    const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() &&
                      wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
    const std::u16string_view character(wide.data() + i, pair ? 2 : 1);
    i += character.size();
    const std::string ansi = codePage.Utf8ToAnsi(platform::Utf16ToUtf8(character), &lost);
    if (!lost) {
      out += ansi;
      continue;
    }
    for (char16_t u : character) {
      char escape[12];
      std::snprintf(escape, sizeof escape, "\\U+%04X", static_cast<unsigned>(u));
      out += escape;
    }
  }
  return out;
}

std::string DocumentBytes(const DxfDocument& document) {
  std::string text;
  for (const std::string& item : document.items) {
    text += item;
    text += "\r\n";
  }
  return DxfAnsiText(text, platform::Ansi());
}

void SaveDxfDocument(const DxfDocument& document, const std::string& path) {
  platform::FileSystem& files = platform::Files();
  const std::string bytes = DocumentBytes(document);
  // A file that cannot be deleted is left to the write, which then overwrites it or fails.
  if (files.Exists(path)) files.Delete(path);
  if (!files.WriteAll(path, bytes)) throw EFCreateError("ファイル " + path + " を作成できません。");
}
