// Unsigned integers of any size, just enough arithmetic for exact conversions between decimal
// text and binary floating point (parsing and formatting must give the same digits on every
// runtime, so neither may lean on the C library).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class BigUnsigned {
 public:
  BigUnsigned() = default;
  explicit BigUnsigned(std::uint64_t v);

  bool IsZero() const { return limbs_.empty(); }
  int BitLength() const;
  bool Bit(int i) const;
  // True when any of the bits below position `count` is set.
  bool AnyBitBelow(int count) const;
  // The bits [from, from + 64) as an integer.
  std::uint64_t BitsFrom(int from) const;

  void MulSmall(std::uint32_t m);
  void AddSmall(std::uint32_t a);
  void MulPow10(int n);
  void MulPow5(int n);
  void ShiftLeft(int bits);
  // Divides in place and returns the remainder.
  std::uint32_t DivSmall(std::uint32_t d);
  // *this -= other; requires *this >= other.
  void Subtract(const BigUnsigned& other);

  // Decimal digits without leading zeros ("0" for zero).
  std::string ToDecimal() const;

  friend int Compare(const BigUnsigned& a, const BigUnsigned& b);

 private:
  void Trim();
  std::vector<std::uint32_t> limbs_;  // least significant first
};

int Compare(const BigUnsigned& a, const BigUnsigned& b);
