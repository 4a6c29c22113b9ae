// The text style of the texts a run writes: the host's current one, or none.
#pragma once

#include <functional>
#include <string>

#include "hostlink/HostLink.h"
#include "hostlink/HostSettings.h"

// The host's current style when hostTextStyle (CheckBox4), none otherwise. keep is told the
// style a run chose, as soon as it is chosen, for the window's later writers (CeTextStyle).
struct TextStyleChoice {
  bool hostTextStyle = false;
  std::function<void(const std::string&)> keep;
};

// Reads the host's style when asked (TEXTSTYLE), tells keep, and returns it.
std::string ChooseTextStyle(const HostLink& link, const TextStyleChoice& choice);

// What every run that writes texts reads from the host before it writes: the text style first,
// then the angles the host inserts with.
struct RunStyle {
  std::string textStyle;
  HostAngles angles;
};
RunStyle PrepareRun(const HostLink& link, const TextStyleChoice& choice);
