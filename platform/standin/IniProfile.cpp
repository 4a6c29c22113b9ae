#include "platform/standin/IniProfile.h"

#include <vector>

#include "platform/Utf.h"

namespace platform {

namespace {

// How a file's text is stored: a file that begins with a UTF-16 byte-order mark is read and
// written as UTF-16 of that byte order, mark included; any other in the ANSI code page.
enum class Form { Ansi, Utf16Le, Utf16Be };

std::string Decode(const std::string& bytes, CodePage& codePage, Form& form) {
  form = bytes.starts_with("\xFF\xFE")   ? Form::Utf16Le
         : bytes.starts_with("\xFE\xFF") ? Form::Utf16Be
                                         : Form::Ansi;
  if (form == Form::Ansi) return codePage.AnsiToUtf8(bytes);
  const int high = form == Form::Utf16Le ? 1 : 0;
  std::u16string units;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto hi = static_cast<unsigned char>(bytes[i + high]);
    const auto lo = static_cast<unsigned char>(bytes[i + 1 - high]);
    units.push_back(static_cast<char16_t>(hi << 8 | lo));
  }
  return Utf16ToUtf8(units);
}

std::string Encode(const std::string& text, CodePage& codePage, Form form) {
  if (form == Form::Ansi) return codePage.Utf8ToAnsi(text);
  const bool le = form == Form::Utf16Le;
  std::string bytes = le ? "\xFF\xFE" : "\xFE\xFF";
  for (char16_t u : Utf8ToUtf16(text)) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    bytes += le ? lo : hi;
    bytes += le ? hi : lo;
  }
  return bytes;
}

std::string Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r\n");
  return std::string(s.substr(first, last - first + 1));
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// "[name]" -> name; anything else -> nullopt-like empty flag.
bool SectionHeader(const std::string& line, std::string& name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const auto close = t.find(']');
  if (close == std::string::npos) return false;
  name = Trim(std::string_view(t).substr(1, close - 1));
  return true;
}

bool KeyLine(const std::string& line, std::string& key, std::string& value) {
  const auto eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = Trim(std::string_view(line).substr(0, eq));
  value = Trim(std::string_view(line).substr(eq + 1));
  return !key.empty();
}

// The number of UTF-8 bytes that hold the first maxChars UTF-16 code units of s.
std::size_t Utf8PrefixForUnits(const std::string& s, std::size_t maxChars) {
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const std::size_t u = len == 4 ? 2 : 1;
    if (units + u > maxChars) break;
    units += u;
    i += len;
  }
  return i;
}

}  // namespace

std::string IniProfile::GetString(const std::string& path, const std::string& section,
                                  const std::string& key, const std::string& def,
                                  std::size_t maxChars) {
  std::string result = def;
  if (auto bytes = files_.ReadAll(path)) {
    bool inSection = false;
    Form form;
    for (const std::string& line : SplitLines(Decode(*bytes, codePage_, form))) {
      std::string name, k, v;
      if (SectionHeader(line, name)) {
        inSection = SameName(name, section);
      } else if (inSection && KeyLine(line, k, v) && SameName(k, key)) {
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
          v = v.substr(1, v.size() - 2);
        }
        result = v;
        break;
      }
    }
  }
  result.resize(Utf8PrefixForUnits(result, maxChars));
  return result;
}

bool IniProfile::WriteString(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& value) {
  std::vector<std::string> lines;
  Form form = Form::Ansi;
  if (auto bytes = files_.ReadAll(path)) {
    lines = SplitLines(Decode(*bytes, codePage_, form));
  } else if (files_.Exists(path)) {
    return false;  // there but unreadable: never overwrite what we cannot see
  }
  const std::string entry = key + "=" + value;
  bool inSection = false;
  bool sectionFound = false;
  std::size_t insertAt = lines.size();
  bool done = false;
  for (std::size_t i = 0; i < lines.size() && !done; ++i) {
    std::string name, k, v;
    if (SectionHeader(lines[i], name)) {
      if (inSection) break;  // end of our section without the key
      inSection = SameName(name, section);
      if (inSection) {
        sectionFound = true;
        insertAt = i + 1;
      }
    } else if (inSection) {
      if (KeyLine(lines[i], k, v) && SameName(k, key)) {
        lines[i] = entry;
        done = true;
      } else if (!Trim(lines[i]).empty()) {
        insertAt = i + 1;
      }
    }
  }
  if (!done) {
    if (sectionFound) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    } else {
      lines.push_back("[" + section + "]");
      lines.push_back(entry);
    }
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return files_.WriteAll(path, Encode(text, codePage_, form));
}

}  // namespace platform
