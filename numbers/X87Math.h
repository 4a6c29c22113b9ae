// Elementary functions of the extended type done by the x87 unit itself. The C runtimes of the
// two builds implement sinl, cosl, atan2l and acosl differently and disagree in the last bits;
// the instructions give the same bits in both, on the same processor.
#pragma once

inline long double X87Sqrt(long double x) {
  long double r;
  asm("fsqrt" : "=t"(r) : "0"(x));
  return r;
}

// |x| below 2^63; the angles of a drawing are far inside.
inline long double X87Sin(long double x) {
  long double r;
  asm("fsin" : "=t"(r) : "0"(x));
  return r;
}

inline long double X87Cos(long double x) {
  long double r;
  asm("fcos" : "=t"(r) : "0"(x));
  return r;
}

// atan(y / x) with the quadrant of (x, y), as atan2.
inline long double X87Atan2(long double y, long double x) {
  long double r;
  asm("fpatan" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
  return r;
}

inline long double X87Atan(long double x) { return X87Atan2(x, 1.0L); }

// acos(x) = atan2(√((1 + x)(1 − x)), x) for |x| ≤ 1; NaN beyond.
inline long double X87Acos(long double x) { return X87Atan2(X87Sqrt((1.0L + x) * (1.0L - x)), x); }
