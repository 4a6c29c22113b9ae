#include "hostlink/HostSettings.h"

#include "geometry/PlaneGeometry.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TemporaryHostSetting.h"
#include "hostlink/UserCoordinates.h"
#include "numbers/NumberText.h"

std::string ReadHostTextStyle(const HostLink& link) {
  return vocab::ShownString(GetSysVar(link, vocab::kTextStyle));
}

HostAngles ReadHostAngles(const HostLink& link) {
  // Only a value that was read can be sent back; "_AUNITS \r" would leave the host at 0.
  TemporaryHostSetting units(link, vocab::kAunits, vocab::AunitsRestore,
                             TemporaryHostSetting::Integer);
  units.Change(vocab::kAunitsDegrees);
  const FullPrecision places(link, FullPrecision::Of::kAngles);
  const std::string base = GetSysVar(link, vocab::kAngBase);
  const std::string direction = GetSysVar(link, vocab::kAngDir);
  units.Restore();
  HostAngles angles;
  angles.base = static_cast<double>(StrToFloat(base) * kPi / 180);
  // A direction taken as counter-clockwise when it could not be read would turn every label the
  // wrong way for a user who counts clockwise: it ends the run as an unreadable base does.
  angles.direction = StrToInt(direction);
  const std::optional<UserCoordinates> ucs = ReadUserCoordinates(link);
  if (!ucs) throw EConvertError(vocab::kUcsXDir);
  angles.ucsTurn = XAxisDirection(*ucs);
  return angles;
}

double ReadHostNumber(const HostLink& link, const std::string& name) {
  const FullPrecision places(link, FullPrecision::Of::kLengths);
  return static_cast<double>(StrToFloat(GetSysVar(link, name)));
}
