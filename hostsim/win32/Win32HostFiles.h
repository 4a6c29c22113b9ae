// The host's files on the real disk: a DXF it writes stays open, unshared, until Close, so
// that another program's exclusive open fails meanwhile as it does against the real host.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "hostsim/HostCore.h"

namespace hostsim {

class Win32HostFiles : public HostFiles {
 public:
  ~Win32HostFiles() override;
  std::optional<std::string> Read(const std::string& path) override;
  bool Create(const std::string& path, std::string_view bytes) override;
  bool Append(const std::string& path, std::string_view bytes) override;
  void Close(const std::string& path) override;

 private:
  std::map<std::string, HANDLE> open_;
};

}  // namespace hostsim
