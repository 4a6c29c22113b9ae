#include "annotation/TextStyle.h"

#include <utility>

#include "hostlink/HostSettings.h"

std::string ChooseTextStyle(const HostLink& link, const TextStyleChoice& choice) {
  const std::string style = choice.hostTextStyle ? ReadHostTextStyle(link) : std::string();
  if (choice.keep) choice.keep(style);
  return style;
}

RunStyle PrepareRun(const HostLink& link, const TextStyleChoice& choice) {
  std::string textStyle = ChooseTextStyle(link, choice);
  return {std::move(textStyle), ReadHostAngles(link)};
}
