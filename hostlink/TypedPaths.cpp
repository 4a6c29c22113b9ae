#include "hostlink/TypedPaths.h"

#include <optional>

#include "hostlink/UserMessages.h"
#include "numbers/NumberText.h"
#include "platform/Ports.h"

EUntypeablePath::EUntypeablePath(const std::string& path)
    : std::runtime_error("ファイルのパスを CAD のコマンドラインに入力できません。\n" + path) {}

bool PathCanBeTyped(const std::string& path) {
  for (const char c : path) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

namespace {

// The files the host is told about lie in the program's folder and may not exist yet (the
// export is deleted before it is made): the folder is the part to shorten.
std::string WithoutBlanks(const std::string& path) {
  if (path.find(' ') == std::string::npos) return path;
  const std::size_t slash = path.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  const std::optional<std::string> shortFolder =
      folder.empty() ? std::nullopt : platform::Files().ShortPath(folder);
  const std::string typed = shortFolder ? *shortFolder + path.substr(slash) : path;
  if (typed.find(' ') != std::string::npos) throw EConvertError(NoShortNameMessage(folder));
  return typed;
}

}  // namespace

std::string TypedPath(const std::string& path, const std::string& prefix) {
  if (!PathCanBeTyped(path)) throw EUntypeablePath(path);
  return prefix + WithoutBlanks(path);
}
