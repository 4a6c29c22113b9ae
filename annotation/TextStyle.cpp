#include "annotation/TextStyle.h"

#include "hostlink/HostSettings.h"

std::string ChooseTextStyle(const HostLink& link, const TextStyleChoice& choice) {
  const std::string style = choice.hostTextStyle ? ReadHostTextStyle(link) : std::string();
  if (choice.keep) choice.keep(style);
  return style;
}
