// File paths typed at the host's file-name prompts (DXFOUT's file, -INSERT's name). The host
// reads typed input as it reads a script: a blank is Enter. A quoted name is documented for file
// prompts but not behind -INSERT's "*" ("-INSERT[ブロック挿入] (コマンド)"), so a path with a
// blank is typed in its short (8.3) form, which holds none. A path without blanks is typed as
// it is.
#pragma once

#include <stdexcept>
#include <string>

// A path that the host cannot take as a typed name (a double quote or a control character in
// it: the first would end a quoted name, the second acts as a key).
class EUntypeablePath : public std::runtime_error {
 public:
  explicit EUntypeablePath(const std::string& path);
};

bool PathCanBeTyped(const std::string& path);

// The path as typed at a file-name prompt, prefix (the "*" of an exploded insertion) before it.
// A path with a blank goes with its folder in the short form the volume keeps (the file's own
// name as it is). Throws EUntypeablePath when !PathCanBeTyped(path), and EConvertError naming
// the folder (NoShortNameMessage) when the volume gives no short form without a blank.
std::string TypedPath(const std::string& path, const std::string& prefix = "");
