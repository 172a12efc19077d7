// Test support: which checking tool a test program runs under, for the few
// tests that cannot work there and must say so instead of failing.
//   LYNX_TEST_ASAN, LYNX_TEST_TSAN: defined to 1 when the program is built
//   with AddressSanitizer or ThreadSanitizer (GCC and clang).
//   lynx_test::under_valgrind(): true when run under valgrind.
#ifndef LYNX_TESTS_CHECKING_TOOLS_HPP
#define LYNX_TESTS_CHECKING_TOOLS_HPP

#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define LYNX_TEST_ASAN 1
#endif
#if defined(__SANITIZE_THREAD__)
#define LYNX_TEST_TSAN 1
#endif
#if defined(__has_feature)
#if __has_feature(address_sanitizer) && !defined(LYNX_TEST_ASAN)
#define LYNX_TEST_ASAN 1
#endif
#if __has_feature(thread_sanitizer) && !defined(LYNX_TEST_TSAN)
#define LYNX_TEST_TSAN 1
#endif
#endif

namespace lynx_test {

// valgrind starts the program with its own libraries preloaded.
inline bool under_valgrind() {
  const char *preload = std::getenv("LD_PRELOAD");
  return preload != nullptr && std::strstr(preload, "/vgpreload_") != nullptr;
}

}  // namespace lynx_test

#endif  // LYNX_TESTS_CHECKING_TOOLS_HPP
