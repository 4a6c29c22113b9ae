#include "tools/RotateText.h"

#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TemporaryHostSetting.h"
#include "hostlink/UserMessages.h"

TAcadPoint RotationCentre(const TTextBlk& text) {
  if (text.mtflag) return text.pt10;
  return text.code72 != 0 || text.code73 != 0 ? text.pt11 : text.pt10;
}

void RotatePickedText(const HostLink& link, const std::string& angle) {
  if (!ActivateHost(link)) return;
  // Read before the user picks: snaps turned off without a value to give back would be lost to
  // the user, so a value the host does not show ends the run with nothing picked or turned.
  TemporaryHostSetting osmode(link, vocab::kOsmode, vocab::EnglishOsmodeRestore,
                              TemporaryHostSetting::Integer);
  RequireReadable(osmode, vocab::kOsmode);
  const Selection picked = SelectSingle(link);
  if (picked.count <= 0) return;
  const auto& texts = picked.tables.entities.texts;
  if (texts.size() != 1) {
    TellUser(link, kNotText);
    return;
  }
  const TAcadPoint centre = RotationCentre(texts.front());
  osmode.Change(vocab::kEnglishOsmodeOff);
  SendCommand(link, vocab::RotatePrevious(centre, angle));
  osmode.Restore();
}
