// The files beside the executable, through the wide-character file functions.
#include <algorithm>
#include <vector>

#include "platform/win32/Win32Ports.h"

namespace platform {
namespace {

class Win32FileReader : public FileSystem::Reader {
 public:
  explicit Win32FileReader(HANDLE file) : file_(file) {}
  ~Win32FileReader() override { CloseHandle(file_); }
  std::optional<std::size_t> Read(char* into, std::size_t room) override {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(room, 1u << 30));
    if (!ReadFile(file_, into, want, &got, nullptr)) return std::nullopt;
    return got;
  }

 private:
  HANDLE file_;
};

class Win32FileSystem : public FileSystem {
 public:
  std::string ExecutablePath() override {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
      const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (n == 0) return {};
      if (n < buffer.size()) return Narrow(buffer.data(), n);
      buffer.resize(buffer.size() * 2);
    }
  }
  bool Exists(const std::string& path) override {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  bool Delete(const std::string& path) override { return DeleteFileW(Wide(path).c_str()); }
  bool InUse(const std::string& path) override {
    // Another program that still writes the file keeps an exclusive open from succeeding.
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(h);
    return false;
  }
  std::optional<std::string> ReadAll(const std::string& path) override {
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    // One buffer of the file's size: a large export is read without a second copy.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size) || size.QuadPart < 0) {
      CloseHandle(h);
      return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t have = 0;
    bool ok = true;
    while (ok && have < bytes.size()) {
      DWORD got = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - have, 1u << 30));
      ok = ReadFile(h, bytes.data() + have, want, &got, nullptr) && got > 0;
      have += got;
    }
    CloseHandle(h);
    if (!ok) return std::nullopt;
    return bytes;
  }
  std::unique_ptr<Reader> OpenForReading(const std::string& path) override {
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32FileReader>(h);
  }
  bool WriteAll(const std::string& path, std::string_view bytes) override {
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    while (ok && !bytes.empty()) {
      DWORD put = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      ok = WriteFile(h, bytes.data(), want, &put, nullptr) && put > 0;
      bytes.remove_prefix(put);
    }
    return CloseHandle(h) && ok;
  }
  std::optional<std::string> ShortPath(const std::string& path) override {
    const std::wstring wide = Wide(path);
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
      const DWORD n =
          GetShortPathNameW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
      if (n == 0) return std::nullopt;  // no such file, or no access to a folder on the way
      if (n < buffer.size()) return Narrow(buffer.data(), n);
      buffer.resize(n);  // n counts the terminating null when the buffer was too small
    }
  }
};

}  // namespace

FileSystem& Win32Files() {
  static Win32FileSystem files;
  return files;
}

}  // namespace platform
