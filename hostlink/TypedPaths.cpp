#include "hostlink/TypedPaths.h"

EUntypeablePath::EUntypeablePath(const std::string& path)
    : std::runtime_error("ファイルのパスを CAD のコマンドラインに入力できません。\n" + path) {}

bool PathCanBeTyped(const std::string& path) {
  for (const char c : path) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

std::string TypedPath(const std::string& path, const std::string& prefix) {
  if (!PathCanBeTyped(path)) throw EUntypeablePath(path);
  if (path.find(' ') == std::string::npos) return prefix + path;
  return "\"" + prefix + path + "\"";
}
