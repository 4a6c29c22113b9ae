// Stand-in file system held in memory, with files that another program still writes and
// folders that refuse writes, so that the failure paths can be tested.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace platform {

class MemoryFileSystem : public FileSystem {
 public:
  explicit MemoryFileSystem(std::string exePath = "C:\\Velsarom\\Velsarom.exe")
      : exePath_(std::move(exePath)) {}

  void SetInUse(const std::string& path, bool inUse);
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }  // every write fails
  // Writes fail after this many more successful writes (-1: never).
  void FailWritesAfter(int count) { writesLeft_ = count; }
  const std::map<std::string, std::string>& files() const { return files_; }
  // A file opened for reading hands out at most this many bytes a read (whole by default),
  // so that a reader's handling of pieces can be tested.
  void SetReadPiece(std::size_t bytes) { readPiece_ = bytes; }

  std::string ExecutablePath() override { return exePath_; }
  bool Exists(const std::string& path) override;
  bool Delete(const std::string& path) override;
  bool InUse(const std::string& path) override;
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool WriteAll(const std::string& path, std::string_view bytes) override;
  // Through ReadAll, in pieces of SetReadPiece.
  std::unique_ptr<Reader> OpenForReading(const std::string& path) override;
  // A folder the volume also names by a short form, as Windows does: every path under
  // longFolder has a short form under shortFolder, and a path under shortFolder reaches the
  // file under longFolder. Without one, ShortPath finds nothing (the call failing).
  void SetShortName(const std::string& longFolder, const std::string& shortFolder);
  std::optional<std::string> ShortPath(const std::string& path) override;

 private:
  // The path under its long folder names.
  std::string Resolved(const std::string& path) const;

  std::string exePath_;
  std::map<std::string, std::string> shortNames_;  // long folder -> short folder
  std::size_t readPiece_ = static_cast<std::size_t>(-1);
  std::map<std::string, std::string> files_;
  std::set<std::string> inUse_;
  bool readOnly_ = false;
  int writesLeft_ = -1;
};

// The real disk, for native tools (benchmarks, the corpus check). No mandatory locks on
// Linux: InUse is always false.
class DiskFileSystem : public FileSystem {
 public:
  explicit DiskFileSystem(std::string exePath = {}) : exePath_(std::move(exePath)) {}
  std::string ExecutablePath() override;
  bool Exists(const std::string& path) override;
  bool Delete(const std::string& path) override;
  bool InUse(const std::string&) override { return false; }
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool WriteAll(const std::string& path, std::string_view bytes) override;
  std::unique_ptr<Reader> OpenForReading(const std::string& path) override;

 private:
  std::string exePath_;
};

}  // namespace platform
