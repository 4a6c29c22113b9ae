// Stand-in of the profile functions on the file and code-page ports: sections and keys match
// without regard to case, values are trimmed and lose one pair of enclosing quotes, a file is
// kept in UTF-16 when it begins with a byte-order mark and in the ANSI code page otherwise (a
// new file too), and a key is written by rewriting the file in one piece.
#pragma once

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"

namespace platform {

class IniProfile : public Profile {
 public:
  IniProfile(FileSystem& files, CodePage& codePage) : files_(files), codePage_(codePage) {}
  std::string GetString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& def, std::size_t maxChars) override;
  bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  FileSystem& files_;
  CodePage& codePage_;
};

}  // namespace platform
