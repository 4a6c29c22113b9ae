#include "platform/standin/MemoryFileSystem.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

namespace platform {

void MemoryFileSystem::SetInUse(const std::string& path, bool inUse) {
  if (inUse) {
    inUse_.insert(path);
  } else {
    inUse_.erase(path);
  }
}

bool MemoryFileSystem::Exists(const std::string& path) { return files_.count(path) != 0; }

bool MemoryFileSystem::Delete(const std::string& path) {
  if (readOnly_ || inUse_.count(path)) return false;
  return files_.erase(path) != 0;
}

bool MemoryFileSystem::InUse(const std::string& path) {
  return files_.count(path) != 0 && inUse_.count(path) != 0;
}

std::optional<std::string> MemoryFileSystem::ReadAll(const std::string& path) {
  auto it = files_.find(path);
  if (it == files_.end() || inUse_.count(path)) return std::nullopt;
  return it->second;
}

bool MemoryFileSystem::WriteAll(const std::string& path, std::string_view bytes) {
  if (readOnly_ || writesLeft_ == 0) return false;
  if (writesLeft_ > 0) --writesLeft_;
  files_[path] = std::string(bytes);
  return true;
}

std::string DiskFileSystem::ExecutablePath() {
  if (!exePath_.empty()) return exePath_;
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

bool DiskFileSystem::Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool DiskFileSystem::Delete(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::optional<std::string> DiskFileSystem::ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string data;
  in.seekg(0, std::ios::end);
  const auto size = in.tellg();
  if (size > 0) {
    data.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(data.data(), size);
    if (!in) return std::nullopt;
  }
  return data;
}

bool DiskFileSystem::WriteAll(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace platform
