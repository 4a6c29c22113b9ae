// The system's ANSI code page (932 on the users' machines).
#include "platform/win32/Win32Ports.h"

namespace platform {
namespace {

class Win32CodePage : public CodePage {
 public:
  std::string AnsiToUtf8(std::string_view ansi) override {
    if (ansi.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return Narrow(wide);
  }
  std::string Utf8ToAnsi(std::string_view utf8, bool* usedDefault) override {
    const std::wstring wide = Wide(std::string(utf8));
    BOOL defaulted = FALSE;
    std::string ansi;
    if (!wide.empty()) {
      // No best fit: a character the code page lacks must become the default character, not a
      // look-alike ("¥" would otherwise turn into a backslash inside a path or a layer name).
      const DWORD flags = WC_NO_BEST_FIT_CHARS;
      const int n = WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()),
                                        nullptr, 0, nullptr, nullptr);
      ansi.assign(static_cast<std::size_t>(n), '\0');
      WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()), ansi.data(), n,
                          nullptr, &defaulted);
    }
    if (usedDefault) *usedDefault = defaulted;
    return ansi;
  }
};

}  // namespace

CodePage& Win32Ansi() {
  static Win32CodePage codePage;
  return codePage;
}

}  // namespace platform
