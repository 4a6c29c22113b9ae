// Port: the files the system touches. Paths are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual std::string ExecutablePath() = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // True while another program still holds the file open for writing (an exclusive open
  // fails with an input/output error).
  virtual bool InUse(const std::string& path) = 0;
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  virtual bool WriteAll(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace platform
