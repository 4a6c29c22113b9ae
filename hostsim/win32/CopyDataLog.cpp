#include "hostsim/win32/CopyDataLog.h"

#include <cstdio>

#include "platform/Utf.h"

namespace hostsim {

std::string CopyDataLogLine(const COPYDATASTRUCT& cds) {
  const auto* units = static_cast<const char16_t*>(cds.lpData);
  const std::size_t count = units ? cds.cbData / sizeof(char16_t) : 0;
  std::size_t n = 0;
  while (n < count && units[n] != u'\0') ++n;
  const bool zero = n < count;
  std::string line = "dwData=" + std::to_string(cds.dwData) +
                     " cbData=" + std::to_string(cds.cbData) + " zero=" + (zero ? "1" : "0") +
                     " text=";
  for (char c : platform::Utf16ToUtf8(std::u16string_view(units ? units : u"", n))) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
      line += escaped;
    } else if (c == '\\') {
      line += "\\\\";
    } else {
      line += c;
    }
  }
  return line + "\n";
}

bool AppendLogLine(const std::string& path, const std::string& line) {
  const std::u16string wide = platform::Utf8ToUtf16(path);
  HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), FILE_APPEND_DATA,
                         FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                  written == line.size();
  return CloseHandle(h) && ok;
}

bool AppendCopyDataLog(const std::string& path, const COPYDATASTRUCT& cds) {
  return AppendLogLine(path, CopyDataLogLine(cds));
}

}  // namespace hostsim
