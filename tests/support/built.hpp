// Which routines this build exports under their own names (generated from
// the export list), and the cases that the 32-bit build skips.
#ifndef LYNX_TESTS_SUPPORT_BUILT_HPP
#define LYNX_TESTS_SUPPORT_BUILT_HPP

#include <gtest/gtest.h>

#include "lynx/lynx_conf.h"
#include "lynx_built.h"

// A case whose routine this build does not export is compiled only where
// it is (#if LYNX_BUILT_<routine>); elsewhere it stays as a case of the
// same name that skips and says why.  kind is TEST or TEST_F.
#define LYNX_TEST_NOT_BUILT(kind, suite, name, routine) \
  kind(suite, name) { GTEST_SKIP() << LYNX_NOT_BUILT_##routine; }

// At the top of a case that checks a result the 32-bit build gives
// differently by design (its own tests check that result).
#if defined(LYNX_LEGACY32)
#define LYNX_SKIP_IN_LEGACY32(why) GTEST_SKIP() << "differs by design in the 32-bit build: " << why
#else
#define LYNX_SKIP_IN_LEGACY32(why) static_cast<void>(0)
#endif

#endif  // LYNX_TESTS_SUPPORT_BUILT_HPP
