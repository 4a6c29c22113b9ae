// Numbers as the host reads and shows them. Independent of the C locale: the decimal
// separator is always the full stop.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hostsim {

// Fixed notation with exactly `decimals` digits after the full stop ("%.4f"); -0 shows as 0.
std::string FormatFixed(double v, int decimals);
// The shortest text that reads back as v, at most `digits` significant digits, plain notation
// where the host uses it, always with a fraction part ("1500.0", "0.3333333333333333").
std::string FormatReal(double v, int digits = 16);
// A real number as the host accepts it on the command line or in DXF: optional sign, digits,
// optional fraction, optional exponent; surrounding blanks allowed, nothing else.
std::optional<double> ParseReal(std::string_view text);
// A whole number: optional sign and digits, surrounding blanks allowed.
std::optional<long long> ParseInteger(std::string_view text);

}  // namespace hostsim
