// Digging values out of the host's command-line texts (history, prompts) and splitting comma
// lists. Pure functions on UTF-8 text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numbers/NumberText.h"  // TrimHostText

// The text after the last occurrence of marker, trimmed; empty when marker does not occur.
// Occurrences are counted from the left without overlapping.
std::string TextAfterLast(std::string_view marker, std::string_view text);
// As TextAfterLast, then the part before the first terminator, trimmed; empty when either
// is missing.
std::string TextAfterLastUpTo(std::string_view marker, std::string_view terminator,
                              std::string_view text);
// The part between the first marker and the next terminator, trimmed; empty when either is
// missing.
std::string TextAfterFirstUpTo(std::string_view marker, std::string_view terminator,
                               std::string_view text);
// Replaces list by the pieces between commas, untrimmed, empty pieces kept ("" gives one).
void SplitCommaList(std::string_view text, std::vector<std::string>& list);
