#include "hostsim/win32/Win32HostFiles.h"

#include "platform/Utf.h"

namespace hostsim {

namespace {

std::wstring Wide(const std::string& utf8) {
  std::u16string u = platform::Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

}  // namespace

Win32HostFiles::~Win32HostFiles() {
  for (auto& [path, h] : open_) CloseHandle(h);
}

std::optional<std::string> Win32HostFiles::Read(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(h);
  return bytes;
}

bool Win32HostFiles::Create(const std::string& path, std::string_view bytes) {
  Close(path);
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  FlushFileBuffers(h);
  open_[path] = h;
  return ok;
}

bool Win32HostFiles::Append(const std::string& path, std::string_view bytes) {
  auto it = open_.find(path);
  if (it == open_.end()) return false;
  DWORD written = 0;
  bool ok =
      WriteFile(it->second, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  FlushFileBuffers(it->second);
  return ok;
}

void Win32HostFiles::Close(const std::string& path) {
  auto it = open_.find(path);
  if (it == open_.end()) return;
  CloseHandle(it->second);
  open_.erase(it);
}

}  // namespace hostsim
