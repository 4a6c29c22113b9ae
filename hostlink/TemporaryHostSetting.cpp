#include "hostlink/TemporaryHostSetting.h"

#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostVocabulary.h"
#include "numbers/NumberText.h"

TemporaryHostSetting::TemporaryHostSetting(const HostLink& link, const std::string& name,
                                           RestoreCommand restore, Readable readable)
    : link_(link), saved_(GetSysVar(link, name)), restore_(std::move(restore)) {
  if (!readable(saved_)) saved_.clear();
}

bool TemporaryHostSetting::Integer(std::string_view value) {
  long long number = 0;
  return TryParseInt(value, number);
}

TemporaryHostSetting::~TemporaryHostSetting() {
  try {
    Restore();
  } catch (...) {
    // Nothing more can be done for the setting while an error is on its way out.
  }
}

bool TemporaryHostSetting::Change(const std::string& command) {
  if (saved_.empty()) return false;
  SendCommand(link_, command);
  changed_ = true;
  return true;
}

void TemporaryHostSetting::Restore() {
  if (!changed_) return;
  changed_ = false;
  SendCommand(link_, restore_(saved_));
}

FullPrecision::FullPrecision(const HostLink& link, Of what)
    : precision_(link, what == Of::kLengths ? vocab::kLuprec : vocab::kAuprec,
                 what == Of::kLengths ? vocab::LuprecRestore : vocab::AuprecRestore,
                 TemporaryHostSetting::Integer) {
  if (precision_.saved() != "8")
    precision_.Change(what == Of::kLengths ? vocab::kLuprecFull : vocab::kAuprecFull);
}

CurrentLayerKept::CurrentLayerKept(const HostLink& link)
    : layer_(link, vocab::kClayer, vocab::ClayerRestore, vocab::ClayerRestorable) {
  layer_.WillChange();
}
