// A host setting that a tool changes for one command and gives back afterwards, however the
// tool ends.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "RuzuRaru2016/hostlink/HostLink.h"

class TemporaryHostSetting {
 public:
  using RestoreCommand = std::function<std::string(std::string_view saved)>;

  // Reads the variable now. restore builds the command that sends the saved text back.
  TemporaryHostSetting(const HostLink& link, const std::string& name, RestoreCommand restore);
  TemporaryHostSetting(const TemporaryHostSetting&) = delete;
  TemporaryHostSetting& operator=(const TemporaryHostSetting&) = delete;
  ~TemporaryHostSetting();

  // Sends the command that changes the setting, but only when its value could be read: a value
  // that is not known could not be given back, and the user's own would be lost.
  void Change(const std::string& command);
  // Sends the saved value back once, if the setting was changed.
  void Restore();

 private:
  const HostLink& link_;
  std::string saved_;
  RestoreCommand restore_;
  bool changed_ = false;
};
