// The settings file through the system's profile functions.
#include <vector>

#include "platform/win32/Win32Ports.h"

namespace platform {
namespace {

class PrivateProfile : public Profile {
 public:
  std::string GetString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& def, std::size_t maxChars) override {
    std::vector<wchar_t> buffer(maxChars + 1, L'\0');
    const DWORD n = GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(),
                                             Wide(def).c_str(), buffer.data(),
                                             static_cast<DWORD>(buffer.size()), Wide(path).c_str());
    return Narrow(buffer.data(), n);
  }
  bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override {
    return WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                      Wide(path).c_str());
  }
};

}  // namespace

Profile& Win32Profile() {
  static PrivateProfile profile;
  return profile;
}

}  // namespace platform
