// Numbers of DXF values. Group codes and values are converted by the program's one text-to-
// number rule (numbers/NumberText.h); the short plain forms that make up nearly every DXF
// file take a fast path that gives the identical result.
#pragma once

#include <cstdint>
#include <string_view>

// A group code or an integer value: "[blanks][+|-]digits[blanks]" within the range of int.
bool ParseDxfInt(std::string_view text, int& value);
// An integer group of 16 bits: as above, within -32768 .. 32767.
bool ParseDxfInt16(std::string_view text, std::int16_t& value);
// A real value, correctly rounded to extended precision.
bool ParseDxfReal(std::string_view text, long double& value);
// A real value stored in a double field: converted to extended precision first, then to
// double; false when it lies beyond the range of double.
bool ParseDxfDouble(std::string_view text, double& value);
