// Text to number: the one place where the program converts typed or read text into numbers.
// Decimal full stop, optional sign, optional exponent for reals, blanks around the number
// allowed; nothing depends on the C locale. The results are correctly rounded and identical in
// every build.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// The program's one conversion error. The window's click dispatcher shows its message.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "[blanks][+|-]digits[.digits][(e|E)[+|-]digits][blanks]"; either side of the full stop may
// be empty, not both. False for anything else and for values beyond the extended range.
bool TryParseFloat(std::string_view text, long double& value);
// "[blanks][+|-]digits[blanks]", within the range of long long.
bool TryParseInt(std::string_view text, long long& value);

// Throwing forms: EConvertError with a message that names the offending text.
long double StrToFloat(const std::string& text);
int StrToInt(const std::string& text);

// Without leading and trailing blanks and control characters (as the host pads its texts and as
// numbers are written into entity data).
std::string TrimHostText(std::string_view text);
