// Port: GetPrivateProfileStringW / WritePrivateProfileStringW semantics. Text is UTF-8 here.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

class Profile {
 public:
  virtual ~Profile() = default;
  // The key's value cut to maxChars characters, or def when the file, section or key is missing.
  virtual std::string GetString(const std::string& path, const std::string& section,
                                const std::string& key, const std::string& def,
                                std::size_t maxChars) = 0;
  // Creates the file and section as needed; false when the write failed.
  virtual bool WriteString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

}  // namespace platform
