// Included ahead of every test source of the 32-bit Windows build.  The
// library's declarations come first, under their own names; from then on
// the tests' newer names stand for the older names that the 32-bit build
// exports instead (FSDOT for DOT).
#ifndef LYNX_TESTS_SUPPORT_LEGACY32_NAMES_HPP
#define LYNX_TESTS_SUPPORT_LEGACY32_NAMES_HPP

#include <cstring>

#include "lynx/lynxUtility.h"
#include "lynx_legacy32_names.h"

namespace lynx_test {

// The 32-bit build has no kx_kxunfn.  Its whole work, measuring five
// strings and handing them with their lengths to KXUNFN_F2C, is done here,
// so that the unit-set tests that go through it check KXUNFN_F2C as they do
// elsewhere.
inline void kx_kxunfn_bridge(const char *force, const char *mass, const char *length,
                             const char *time, const char *angle, double *model_factors,
                             double *unit_factors) {
  KXUNFN_F2C(force, static_cast<lynx_textlen>(std::strlen(force)), mass,
             static_cast<lynx_textlen>(std::strlen(mass)), length,
             static_cast<lynx_textlen>(std::strlen(length)), time,
             static_cast<lynx_textlen>(std::strlen(time)), angle,
             static_cast<lynx_textlen>(std::strlen(angle)), model_factors, unit_factors);
}

}  // namespace lynx_test

#define kx_kxunfn lynx_test::kx_kxunfn_bridge

#endif  // LYNX_TESTS_SUPPORT_LEGACY32_NAMES_HPP
