#include "numbers/BigUnsigned.h"

#include <algorithm>

BigUnsigned::BigUnsigned(std::uint64_t v) {
  while (v != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(v));
    v >>= 32;
  }
}

void BigUnsigned::Trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

int BigUnsigned::BitLength() const {
  if (limbs_.empty()) return 0;
  int bits = static_cast<int>(limbs_.size() - 1) * 32;
  for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1) ++bits;
  return bits;
}

bool BigUnsigned::Bit(int i) const {
  if (i < 0) return false;
  const std::size_t limb = static_cast<std::size_t>(i) / 32;
  if (limb >= limbs_.size()) return false;
  return (limbs_[limb] >> (i % 32)) & 1u;
}

bool BigUnsigned::AnyBitBelow(int count) const {
  if (count <= 0) return false;
  const std::size_t whole = static_cast<std::size_t>(count) / 32;
  for (std::size_t i = 0; i < whole && i < limbs_.size(); ++i)
    if (limbs_[i] != 0) return true;
  const int rest = count % 32;
  if (rest != 0 && whole < limbs_.size()) return (limbs_[whole] & ((1u << rest) - 1u)) != 0;
  return false;
}

std::uint64_t BigUnsigned::BitsFrom(int from) const {
  std::uint64_t v = 0;
  for (int i = 63; i >= 0; --i) v = (v << 1) | (Bit(from + i) ? 1u : 0u);
  return v;
}

void BigUnsigned::MulSmall(std::uint32_t m) {
  std::uint64_t carry = 0;
  for (auto& limb : limbs_) {
    const std::uint64_t p = std::uint64_t{limb} * m + carry;
    limb = static_cast<std::uint32_t>(p);
    carry = p >> 32;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  Trim();
}

void BigUnsigned::AddSmall(std::uint32_t a) {
  std::uint64_t carry = a;
  for (std::size_t i = 0; carry != 0; ++i) {
    if (i == limbs_.size()) limbs_.push_back(0);
    const std::uint64_t s = std::uint64_t{limbs_[i]} + carry;
    limbs_[i] = static_cast<std::uint32_t>(s);
    carry = s >> 32;
  }
}

void BigUnsigned::MulPow10(int n) {
  for (; n >= 9; n -= 9) MulSmall(1000000000u);
  for (; n > 0; --n) MulSmall(10u);
}

void BigUnsigned::MulPow5(int n) {
  for (; n >= 13; n -= 13) MulSmall(1220703125u);  // 5^13
  for (; n > 0; --n) MulSmall(5u);
}

void BigUnsigned::ShiftLeft(int bits) {
  if (limbs_.empty() || bits <= 0) return;
  const std::size_t whole = static_cast<std::size_t>(bits) / 32;
  const int rest = bits % 32;
  limbs_.insert(limbs_.begin(), whole, 0u);
  if (rest != 0) {
    std::uint32_t carry = 0;
    for (std::size_t i = whole; i < limbs_.size(); ++i) {
      const std::uint32_t v = limbs_[i];
      limbs_[i] = (v << rest) | carry;
      carry = v >> (32 - rest);
    }
    if (carry != 0) limbs_.push_back(carry);
  }
}

std::uint32_t BigUnsigned::DivSmall(std::uint32_t d) {
  std::uint64_t rem = 0;
  for (std::size_t i = limbs_.size(); i-- > 0;) {
    const std::uint64_t cur = (rem << 32) | limbs_[i];
    limbs_[i] = static_cast<std::uint32_t>(cur / d);
    rem = cur % d;
  }
  Trim();
  return static_cast<std::uint32_t>(rem);
}

void BigUnsigned::Subtract(const BigUnsigned& other) {
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::int64_t v = std::int64_t{limbs_[i]} - borrow -
                     (i < other.limbs_.size() ? std::int64_t{other.limbs_[i]} : 0);
    borrow = v < 0 ? 1 : 0;
    limbs_[i] = static_cast<std::uint32_t>(v + (borrow << 32));
  }
  Trim();
}

std::string BigUnsigned::ToDecimal() const {
  if (limbs_.empty()) return "0";
  BigUnsigned rest = *this;
  std::string reversed;
  while (!rest.IsZero()) {
    std::uint32_t chunk = rest.DivSmall(1000000000u);
    for (int i = 0; i < 9; ++i) {
      reversed.push_back(static_cast<char>('0' + chunk % 10));
      chunk /= 10;
    }
  }
  while (reversed.size() > 1 && reversed.back() == '0') reversed.pop_back();
  return std::string(reversed.rbegin(), reversed.rend());
}

int Compare(const BigUnsigned& a, const BigUnsigned& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
  for (std::size_t i = a.limbs_.size(); i-- > 0;)
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
  return 0;
}
