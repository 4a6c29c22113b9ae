#include "shell/win32/ClickTiming.h"

#include <algorithm>
#include <cstdio>

namespace {

std::wstring TimingFile() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(L"VELSAROM_TIMING", path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

}  // namespace

ClickTiming::ClickTiming(std::string control)
    : control_(std::move(control)), began_(platform::Win32Now()), waits_(platform::Win32Waits()) {}

ClickTiming::~ClickTiming() {
  const double wall = platform::Win32Now() - began_;
  const platform::WaitTally now = platform::Win32Waits();
  const std::wstring path = TimingFile();
  if (path.empty()) return;
  char line[256];
  const int n = std::snprintf(
      line, sizeof line,
      "%s click-to-done %.1f ms; waits asked %llu ms in %llu pauses, slept %.1f ms\r\n",
      control_.c_str(), wall, static_cast<unsigned long long>(now.asked - waits_.asked),
      static_cast<unsigned long long>(now.pauses - waits_.pauses), now.slept - waits_.slept);
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  if (n > 0)
    WriteFile(file, line, static_cast<DWORD>(std::min<int>(n, sizeof line - 1)), &written, nullptr);
  CloseHandle(file);
}
