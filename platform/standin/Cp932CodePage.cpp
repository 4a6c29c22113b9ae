#include "platform/standin/Cp932CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace platform {

namespace {

bool AllAscii(std::string_view s) {
  for (unsigned char c : s) {
    if (c >= 0x80) return false;
  }
  return true;
}

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: no CP932");
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // Converts as much as possible; returns false at an unconvertible or incomplete sequence,
  // leaving in/inLeft at it.
  bool Convert(const char*& in, std::size_t& inLeft, std::string& out) {
    char buffer[4096];
    while (inLeft > 0) {
      char* o = buffer;
      std::size_t oLeft = sizeof buffer;
      const std::size_t r = iconv(cd_, const_cast<char**>(&in), &inLeft, &o, &oLeft);
      out.append(buffer, static_cast<std::size_t>(o - buffer));
      if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t cd_;
};

std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

}  // namespace

std::string Cp932CodePage::AnsiToUtf8(std::string_view ansi) {
  if (AllAscii(ansi)) return std::string(ansi);
  Iconv cd("UTF-8", "CP932");
  std::string out;
  const char* in = ansi.data();
  std::size_t left = ansi.size();
  while (!cd.Convert(in, left, out)) {
    out += "\xE3\x83\xBB";  // U+30FB, what the system gives for a byte that is no character
    ++in;
    --left;
  }
  return out;
}

std::string Cp932CodePage::Utf8ToAnsi(std::string_view utf8, bool* usedDefault) {
  if (usedDefault) *usedDefault = false;
  if (AllAscii(utf8)) return std::string(utf8);
  Iconv cd("CP932", "UTF-8");
  std::string out;
  const char* in = utf8.data();
  std::size_t left = utf8.size();
  while (!cd.Convert(in, left, out)) {
    out += '?';
    if (usedDefault) *usedDefault = true;
    const std::size_t skip = std::min(left, Utf8SequenceLength(static_cast<unsigned char>(*in)));
    in += skip;
    left -= skip;
  }
  return out;
}

}  // namespace platform
