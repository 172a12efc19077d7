// A routine exported under two names is a single routine.  On ELF platforms
// the second name is an alias of the first name's symbol, so both resolve to
// the same code; elsewhere it is a one-line forward to the first name.
//
//   LYNX_SECOND_NAME(void, AVEC, KXV_ADD, (double *y, ...), (y, ...))
#ifndef LYNX_ALGEBRA_SECOND_NAME_HPP
#define LYNX_ALGEBRA_SECOND_NAME_HPP

#include "lynx/lynx_conf.h"

#if defined(__ELF__) && defined(__clang__)
#define LYNX_SECOND_NAME(ret, second, first, params, args) \
  extern "C" ret LYNX_CALL second params __attribute__((alias(#first)));
#elif defined(__ELF__) && defined(__GNUC__)
// The alias takes over every attribute the compiler gave the first name.
#define LYNX_SECOND_NAME(ret, second, first, params, args) \
  extern "C" ret LYNX_CALL second params __attribute__((alias(#first), copy(first)));
#else
#define LYNX_SECOND_NAME(ret, second, first, params, args) \
  extern "C" ret LYNX_CALL second params {                 \
    return first args;                                     \
  }
#endif

#endif  // LYNX_ALGEBRA_SECOND_NAME_HPP
