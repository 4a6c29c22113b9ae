// The extended arithmetic rounds to a 64-bit mantissa only while the x87 control word asks for
// it. A Windows program starts with whatever its start-up code set (the system's own default
// for 64-bit programs is a 53-bit mantissa), and a DLL may change the word at any call and
// leave it so. Every function that computes with long double therefore opens an
// X87ExtendedPrecision first: it sets a 64-bit mantissa, rounding to nearest and all
// exceptions masked, and gives the caller back its own control word when it ends. Nested
// guards cost one store of the control word each.
#pragma once

#include <cstdint>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the x87 control word governs long double only on GCC for x86");

class X87ExtendedPrecision {
 public:
  X87ExtendedPrecision() {
    asm volatile("fnstcw %0" : "=m"(saved_));
    const std::uint16_t wanted = (saved_ & ~kControlled) | kWanted;
    if (wanted != saved_) {
      asm volatile("fldcw %0" : : "m"(wanted) : "memory");
      changed_ = true;
    }
  }
  ~X87ExtendedPrecision() {
    if (!changed_) return;
    // Flags raised under our masks must not fault in a caller that unmasked them.
    if ((saved_ & kMasks) != kMasks) asm volatile("fnclex" : : : "memory");
    asm volatile("fldcw %0" : : "m"(saved_) : "memory");
  }
  X87ExtendedPrecision(const X87ExtendedPrecision&) = delete;
  X87ExtendedPrecision& operator=(const X87ExtendedPrecision&) = delete;

  static std::uint16_t ControlWord() {
    std::uint16_t word = 0;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
  }
  static void SetControlWord(std::uint16_t word) {
    asm volatile("fldcw %0" : : "m"(word) : "memory");
  }

  static constexpr std::uint16_t kMasks = 0x003F;          // invalid … precision, all masked
  static constexpr std::uint16_t kPrecisionMask = 0x0300;  // 00 24 bits, 10 53 bits, 11 64 bits
  static constexpr std::uint16_t kRoundingMask = 0x0C00;   // 00 to nearest
  static constexpr std::uint16_t kControlled = kMasks | kPrecisionMask | kRoundingMask;
  static constexpr std::uint16_t kWanted = kMasks | kPrecisionMask;

 private:
  std::uint16_t saved_ = 0;
  bool changed_ = false;
};
