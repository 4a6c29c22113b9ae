// File paths typed at the host's file-name prompts (DXFOUT's file, -INSERT's name). The host
// reads typed input as it reads a script: a blank is Enter, so a name that holds a blank is
// typed in double quotes, inside which blanks are part of the name. A path without blanks is
// typed as it is.
#pragma once

#include <stdexcept>
#include <string>

// A path that the host cannot take as a typed name, even quoted (a double quote or a control
// character in it: the first would end the quotes, the second acts as a key).
class EUntypeablePath : public std::runtime_error {
 public:
  explicit EUntypeablePath(const std::string& path);
};

bool PathCanBeTyped(const std::string& path);

// The path as typed at a file-name prompt. prefix (the "*" of an exploded insertion) belongs
// to the name and goes inside the quotes. Throws EUntypeablePath when !PathCanBeTyped(path).
std::string TypedPath(const std::string& path, const std::string& prefix = "");
