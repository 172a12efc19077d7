// Negation of an operand that a matrix routine stores (the negative
// entries of SKEW, the negated terms of the Euler-angle matrix).  The
// 64-bit library subtracts from 0.0, which gives +0.0 for a zero operand of
// either sign; the 32-bit build changes the sign bit, as its older code
// did, and gives -0.0 for +0.0.  Every other value is the same in both.
#ifndef LYNX_ALGEBRA_NEGATE_HPP
#define LYNX_ALGEBRA_NEGATE_HPP

#include "lynx/lynx_conf.h"

namespace lynx::algebra {

inline double negated(double x) {
#if defined(LYNX_LEGACY32)
  return -x;
#else
  return 0.0 - x;
#endif
}

}  // namespace lynx::algebra

#endif  // LYNX_ALGEBRA_NEGATE_HPP
