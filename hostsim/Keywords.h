// How the host reads typed names and options: ASCII letters without regard to case, a leading
// "_" for the English name, and options abbreviated down to their capital letters.
#pragma once

#include <cstddef>
#include <string>

namespace hostsim {

std::string UpperAscii(std::string s);
// Upper-cased, without a leading "_".
std::string UpperOption(std::string s);
// True when typed is full or an abbreviation of it of at least min letters.
bool Is(const std::string& typed, const char* full, std::size_t min);

}  // namespace hostsim
