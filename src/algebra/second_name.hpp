// A routine exported under two names is a single routine.  On ELF platforms
// the second name is an alias of the first name's symbol, so both resolve to
// the same code; elsewhere it is a one-line forward to the first name.
//
//   LYNX_SECOND_NAME(void, AVEC, KXV_ADD, (double *y, ...), (y, ...))
#ifndef LYNX_ALGEBRA_SECOND_NAME_HPP
#define LYNX_ALGEBRA_SECOND_NAME_HPP

#if defined(__ELF__) && defined(__GNUC__)
#define LYNX_SECOND_NAME(ret, second, first, params, args) \
  extern "C" ret second params __attribute__((alias(#first)));
#else
#define LYNX_SECOND_NAME(ret, second, first, params, args) \
  extern "C" ret second params {                           \
    return first args;                                     \
  }
#endif

#endif  // LYNX_ALGEBRA_SECOND_NAME_HPP
