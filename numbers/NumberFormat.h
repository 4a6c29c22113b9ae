// Number to text, computed from the exact binary value so that every build writes the same
// digits whatever its C runtime or locale. Decimal separator is always the full stop; halfway
// cases of the decimal rounding go away from zero.
#pragma once

#include <string>

// General format with 15 significant digits, as reals are written into DXF: shortest form
// ("0", "2.5", "0.333333333333333"), plain notation for rounded magnitudes from 1E-4 below
// 1E15, otherwise scientific ("1E-5", "1.5E20"). NaN and infinities give "NAN", "INF", "-INF".
std::string FormatReal(long double value);

// At most 15 significant digits, always in plain notation, trailing zeros and a bare full stop
// removed ("120", "0.00001").
std::string FormatPlain15(long double value);

// Fixed notation with exactly `places` decimals, as printf's "%.Nf" ("7.000", "3").
std::string FormatFixed(long double value, int places);

// Every digit of the exact binary value, for diagnostics and tests
// ("0.1000000000000000000013552527156068805425093160010874271392822265625").
std::string FormatExact(long double value);
