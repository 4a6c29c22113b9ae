#include "platform/ExecutablePaths.h"

#include "platform/Ports.h"

namespace platform {

namespace {

// Windows takes both separators; a drive letter ends a folder too ("C:Velsarom.exe").
constexpr const char* kSeparators = "\\/:";

}  // namespace

std::string ExecutablePathWithExtension(std::string_view extension) {
  std::string path = Files().ExecutablePath();
  const std::size_t name = path.find_last_of(kSeparators);
  const std::size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (name == std::string::npos || dot > name)) path.erase(dot);
  return path.append(extension);
}

std::string FileBesideExecutable(std::string_view name) {
  const std::string exe = Files().ExecutablePath();
  const std::size_t slash = exe.find_last_of(kSeparators);
  return (slash == std::string::npos ? std::string() : exe.substr(0, slash + 1)).append(name);
}

}  // namespace platform
