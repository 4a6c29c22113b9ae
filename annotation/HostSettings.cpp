#include "annotation/HostSettings.h"

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostDialogue.h"
#include "geometry/PlaneGeometry.h"
#include "numbers/NumberText.h"

std::string ReadHostTextStyle(const HostLink& link) {
  const std::string quoted = GetSysVar(link, "TEXTSTYLE");
  return quoted.size() < 2 ? std::string() : quoted.substr(1, quoted.size() - 2);
}

HostAngles ReadHostAngles(const HostLink& link) {
  const std::string units = GetSysVar(link, "AUNITS");
  long long savedUnits = 0;
  // Only a value that was read can be sent back; "_AUNITS \r" would leave the host at 0.
  const bool restorable = TryParseInt(units, savedUnits);
  if (restorable) SendCommand(link, "_AUNITS 0 ");
  const std::string base = GetSysVar(link, "ANGBASE");
  const std::string direction = GetSysVar(link, "ANGDIR");
  if (restorable) SendCommand(link, "_AUNITS " + units + "\r");
  HostAngles angles;
  angles.base = static_cast<double>(StrToFloat(base) * kPi / 180);
  long long d = 0;
  angles.direction = TryParseInt(direction, d) ? static_cast<int>(d) : 0;
  return angles;
}

double ReadHostNumber(const HostLink& link, const std::string& name) {
  return static_cast<double>(StrToFloat(GetSysVar(link, name)));
}
