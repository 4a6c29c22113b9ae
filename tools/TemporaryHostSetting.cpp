#include "tools/TemporaryHostSetting.h"

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostDialogue.h"

TemporaryHostSetting::TemporaryHostSetting(const HostLink& link, const std::string& name,
                                           RestoreCommand restore)
    : link_(link), saved_(GetSysVar(link, name)), restore_(std::move(restore)) {}

TemporaryHostSetting::~TemporaryHostSetting() {
  try {
    Restore();
  } catch (...) {
    // Nothing more can be done for the setting while an error is on its way out.
  }
}

void TemporaryHostSetting::Change(const std::string& command) {
  if (saved_.empty()) return;
  SendCommand(link_, command);
  changed_ = true;
}

void TemporaryHostSetting::Restore() {
  if (!changed_) return;
  changed_ = false;
  SendCommand(link_, restore_(saved_));
}
