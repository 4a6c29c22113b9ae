// Stand-in ANSI code page 932 (Shift-JIS, Microsoft's table) through iconv.
#pragma once

#include "platform/CodePage.h"

namespace platform {

class Cp932CodePage : public CodePage {
 public:
  // Bytes that are no Shift-JIS become U+30FB, as MultiByteToWideChar does for 932.
  std::string AnsiToUtf8(std::string_view ansi) override;
  std::string Utf8ToAnsi(std::string_view utf8, bool* usedDefault = nullptr) override;
};

}  // namespace platform
