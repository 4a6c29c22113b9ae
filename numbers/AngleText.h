// An angle as the host reads one typed at its angle prompts (ROTATE's turn and the like), so that
// a text the host would not take is refused before it is typed. The host reads
// - a number, in the unit its AUNITS sets: degrees (0 decimal, 1 degrees/minutes/seconds,
//   4 surveyor's), grads (2), radians (3);
// - whatever AUNITS is, a number with its own unit: degrees, minutes and seconds ("45d",
//   "45d30'", "-45d30'15\""), grads ("50g"), radians ("1.2r");
// - whatever AUNITS is, a surveyor's bearing: N or S, an offset of at most 90 degrees (a number
//   or degrees/minutes/seconds), E or W ("N45d30'E", "S12.5W"), or N, S, E or W alone.
// Letters may be of either case, except the "d" of degrees. Nothing else: no blank (the host
// takes a blank as Enter, so the rest would be typed into its next prompt), no empty text, no
// other characters.
#pragma once

#include <optional>
#include <string_view>

// The angle in degrees, counter-clockwise (the host's ANGDIR and, for a turn, nothing else
// applies afterwards; a bearing is counted from east); nullopt when the host would not read
// text as an angle.
std::optional<long double> HostAngleDegrees(std::string_view text, int aunits);

// Whether the host reads text as an angle. Only what a plain number means depends on AUNITS,
// not whether a text is read, so this needs no value from the host.
bool IsHostAngle(std::string_view text);
