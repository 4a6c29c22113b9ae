#include "platform/standin/MemoryFileSystem.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <unistd.h>

namespace platform {

namespace {

// The rest of path after folder and its separator, when path lies in folder (or is it).
std::optional<std::string> Under(const std::string& path, const std::string& folder) {
  if (path == folder) return std::string();
  if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
      path[folder.size()] == '\\')
    return path.substr(folder.size());
  return std::nullopt;
}

}  // namespace

void MemoryFileSystem::SetShortName(const std::string& longFolder, const std::string& shortFolder) {
  shortNames_[longFolder] = shortFolder;
}

std::optional<std::string> MemoryFileSystem::ShortPath(const std::string& path) {
  for (const auto& [longFolder, shortFolder] : shortNames_) {
    if (const auto rest = Under(path, longFolder)) return shortFolder + *rest;
  }
  return std::nullopt;
}

std::string MemoryFileSystem::Resolved(const std::string& path) const {
  for (const auto& [longFolder, shortFolder] : shortNames_) {
    if (const auto rest = Under(path, shortFolder)) return longFolder + *rest;
  }
  return path;
}

void MemoryFileSystem::SetInUse(const std::string& path, bool inUse) {
  if (inUse) {
    inUse_.insert(Resolved(path));
  } else {
    inUse_.erase(Resolved(path));
  }
}

bool MemoryFileSystem::Exists(const std::string& path) { return files_.count(Resolved(path)) != 0; }

bool MemoryFileSystem::Delete(const std::string& path) {
  const std::string p = Resolved(path);
  if (readOnly_ || inUse_.count(p)) return false;
  return files_.erase(p) != 0;
}

bool MemoryFileSystem::InUse(const std::string& path) {
  const std::string p = Resolved(path);
  return files_.count(p) != 0 && inUse_.count(p) != 0;
}

std::unique_ptr<FileSystem::Reader> MemoryFileSystem::OpenForReading(const std::string& path) {
  std::optional<std::string> bytes = ReadAll(path);
  if (!bytes) return nullptr;
  return ReaderOfBytes(std::move(*bytes), readPiece_);
}

std::optional<std::string> MemoryFileSystem::ReadAll(const std::string& path) {
  const std::string p = Resolved(path);
  auto it = files_.find(p);
  if (it == files_.end() || inUse_.count(p)) return std::nullopt;
  return it->second;
}

bool MemoryFileSystem::WriteAll(const std::string& path, std::string_view bytes) {
  if (readOnly_ || writesLeft_ == 0) return false;
  if (writesLeft_ > 0) --writesLeft_;
  files_[Resolved(path)] = std::string(bytes);
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

namespace {

class DiskReader : public FileSystem::Reader {
 public:
  explicit DiskReader(std::FILE* file) : file_(file) {}
  ~DiskReader() override { std::fclose(file_); }
  std::optional<std::size_t> Read(char* into, std::size_t room) override {
    const std::size_t got = std::fread(into, 1, room, file_);
    if (got == 0 && std::ferror(file_)) return std::nullopt;
    return got;
  }

 private:
  std::FILE* file_;
};

}  // namespace

std::unique_ptr<FileSystem::Reader> DiskFileSystem::OpenForReading(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return nullptr;
  return std::make_unique<DiskReader>(file);
}

bool DiskFileSystem::WriteAll(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace platform
