#include "numbers/Extended.h"

#include <cstring>

ExtendedFields SplitExtended(long double v) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &v, sizeof v);
  ExtendedFields f;
  std::memcpy(&f.mantissa, bytes, 8);
  const unsigned top = bytes[8] | (unsigned{bytes[9]} << 8);
  f.negative = (top & 0x8000u) != 0;
  f.biasedExponent = static_cast<std::uint16_t>(top & 0x7FFFu);
  return f;
}

long double JoinExtended(const ExtendedFields& f) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &f.mantissa, 8);
  const unsigned top = (f.biasedExponent & 0x7FFFu) | (f.negative ? 0x8000u : 0u);
  bytes[8] = static_cast<unsigned char>(top);
  bytes[9] = static_cast<unsigned char>(top >> 8);
  long double v;
  std::memcpy(&v, bytes, sizeof v);
  return v;
}
