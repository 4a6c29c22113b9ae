#include "workflows/UserMessages.h"

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "platform/Ports.h"

void TellUser(const HostLink& link, const std::string& message) {
  platform::Messages().Show(message, "Velsarom");
  ActivateHost(link);
}

std::string ExportNotDeletedMessage(const std::string& path) {
  return "ファイル " + path + " を削除できません。";
}

std::string ExportMissingMessage(const std::string& path) {
  return "ホストがファイル " + path + " を書き出しません。";
}
