#include "workflows/UserMessages.h"

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "platform/Ports.h"

void TellUser(const HostLink& link, const std::string& message) {
  platform::Messages().Show(message, "Velsarom");
  ActivateHost(link);
}
