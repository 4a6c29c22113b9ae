// Stand-in ANSI code page 932 (Shift-JIS as the system converts it: Microsoft's table, no best
// fit). The wine-tier check e2e/checks/25-codepage.sh compares it with the system's.
#pragma once

#include "platform/CodePage.h"

namespace platform {

class Cp932CodePage : public CodePage {
 public:
  // A lead byte and the byte after it form one character; an unassigned pair, a lead byte at
  // the end or before a zero byte becomes U+30FB, as MultiByteToWideChar does for 932.
  std::string AnsiToUtf8(std::string_view ansi) override;
  // Every UTF-16 code unit without a character in the code page becomes '?'.
  std::string Utf8ToAnsi(std::string_view utf8, bool* usedDefault = nullptr) override;
};

}  // namespace platform
