// Loop unrolling hint for loops with a small fixed trip count, so that the
// compiler lays them out in full and can pack independent elements into
// vector instructions.  It changes no operation and no order of operations.
#ifndef LYNX_ALGEBRA_UNROLL_HPP
#define LYNX_ALGEBRA_UNROLL_HPP

#if defined(__GNUC__)
#define LYNX_PRAGMA(x) _Pragma(#x)
#define LYNX_UNROLL(n) LYNX_PRAGMA(GCC unroll n)
#else
#define LYNX_UNROLL(n)
#endif

#endif  // LYNX_ALGEBRA_UNROLL_HPP
