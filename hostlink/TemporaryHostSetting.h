// The one way a host setting is changed for a while and given back, however the run ends: the
// object snaps while points are typed, the angle units while angles are read, the leader's
// arrow, the current layer while a run draws on its own layers.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "hostlink/HostLink.h"

class TemporaryHostSetting {
 public:
  using RestoreCommand = std::function<std::string(std::string_view saved)>;
  using Readable = bool (*)(std::string_view value);

  // Reads the variable now. restore builds the command that sends the saved text back; a value
  // that `readable` refuses (by default an empty one) counts as not read.
  TemporaryHostSetting(const HostLink& link, const std::string& name, RestoreCommand restore,
                       Readable readable = NotEmpty);
  TemporaryHostSetting(const TemporaryHostSetting&) = delete;
  TemporaryHostSetting& operator=(const TemporaryHostSetting&) = delete;
  ~TemporaryHostSetting();

  // Sends the command that changes the setting, but only when its value could be read: a value
  // that is not known could not be given back, and the user's own would be lost. False when
  // nothing was sent.
  bool Change(const std::string& command);
  // The run changes the setting by its own commands (the current layer): the saved value is
  // sent back at the end when it could be read.
  void WillChange() { changed_ = !saved_.empty(); }
  // Sends the saved value back once, if the setting was changed.
  void Restore();
  // Whether the value was read, so that a run which must change the setting can stop first.
  bool WasRead() const { return !saved_.empty(); }
  // The value as read (empty when not read).
  const std::string& saved() const { return saved_; }

  static bool NotEmpty(std::string_view value) { return !value.empty(); }
  static bool Integer(std::string_view value);  // OSMODE, AUNITS: typed back as shown

 private:
  const HostLink& link_;
  std::string saved_;  // empty when not read
  RestoreCommand restore_;
  bool changed_ = false;
};

// Lengths and points (LUPREC) or angles (AUPREC) shown with every place the host shows while
// values are read, and the user's precision given back: a value read at the user's display
// precision would be computed with, or typed back, rounded.
class FullPrecision {
 public:
  enum class Of { kLengths, kAngles };
  FullPrecision(const HostLink& link, Of what);

 private:
  TemporaryHostSetting precision_;
};

// The user's current layer, given back at the end of a run that makes its own layers current.
class CurrentLayerKept {
 public:
  explicit CurrentLayerKept(const HostLink& link);

 private:
  TemporaryHostSetting layer_;
};
