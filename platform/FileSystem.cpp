#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

class BytesReader : public FileSystem::Reader {
 public:
  BytesReader(std::string bytes, std::size_t piece) : bytes_(std::move(bytes)), piece_(piece) {}
  std::optional<std::size_t> Read(char* into, std::size_t room) override {
    const std::size_t n = std::min({room, piece_, bytes_.size() - at_});
    if (n != 0) std::memcpy(into, bytes_.data() + at_, n);
    at_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t piece_;
  std::size_t at_ = 0;
};

}  // namespace

std::unique_ptr<FileSystem::Reader> ReaderOfBytes(std::string bytes, std::size_t piece) {
  return std::make_unique<BytesReader>(std::move(bytes), std::max<std::size_t>(piece, 1));
}

std::unique_ptr<FileSystem::Reader> FileSystem::OpenForReading(const std::string& path) {
  std::optional<std::string> bytes = ReadAll(path);
  if (!bytes) return nullptr;
  return ReaderOfBytes(std::move(*bytes));
}

std::optional<std::string> FileSystem::ShortPath(const std::string&) { return std::nullopt; }

}  // namespace platform
