// Port: the files the system touches. Paths are UTF-8.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class FileSystem {
 public:
  // A file read from its start piece by piece, so that a large one is never held whole.
  class Reader {
   public:
    virtual ~Reader() = default;
    // Up to `room` bytes into `into`: how many were read (0 at the end of the file), or
    // nothing on a read error.
    virtual std::optional<std::size_t> Read(char* into, std::size_t room) = 0;
  };

  virtual ~FileSystem() = default;
  virtual std::string ExecutablePath() = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // True while another program still holds the file open for writing (an exclusive open
  // fails with an input/output error).
  virtual bool InUse(const std::string& path) = 0;
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  virtual bool WriteAll(const std::string& path, std::string_view bytes) = 0;
  // nullptr when the file cannot be opened. Unless a file system reads piece by piece itself,
  // the file comes through ReadAll.
  virtual std::unique_ptr<Reader> OpenForReading(const std::string& path);
  // The short (8.3) form of an existing file's or folder's path, as the volume keeps it; nothing
  // when the call fails. A volume that keeps no short names gives the path back as it is, or
  // nothing. By default a file system keeps none.
  virtual std::optional<std::string> ShortPath(const std::string& path);
};

// A reader of bytes already in memory, handing out at most `piece` bytes a call.
std::unique_ptr<FileSystem::Reader> ReaderOfBytes(std::string bytes,
                                                  std::size_t piece = static_cast<std::size_t>(-1));

}  // namespace platform
