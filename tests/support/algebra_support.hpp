// Helpers for the algebra tests: arrays with guard words on both sides,
// seeded random operands and bit-exact comparison of doubles.
#ifndef LYNX_TESTS_ALGEBRA_SUPPORT_HPP
#define LYNX_TESTS_ALGEBRA_SUPPORT_HPP

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "random_source.hpp"

namespace algebra_test {

inline uint64_t bits(double x) {
  uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

inline double from_bits(uint64_t u) {
  double x;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

// The same double, to the bit (NaNs included, +0.0 and -0.0 kept apart).
#define EXPECT_SAME_BITS(expected, actual)                                \
  EXPECT_EQ(::algebra_test::bits(expected), ::algebra_test::bits(actual)) \
      << (expected) << " vs " << (actual)

// Equal to the bit, except that two NaNs count as equal whatever their
// signs and payloads: a product of two NaNs may carry either operand's.
inline bool same_value(double x, double y) {
  if (std::isnan(x) || std::isnan(y)) return std::isnan(x) && std::isnan(y);
  return bits(x) == bits(y);
}

// An array of T with kGuard guard elements on each side, all set to a
// sentinel that no routine under test produces.  data() points at the
// first of the n usable elements.
template <class T>
class Guarded {
 public:
  static constexpr int kGuard = 4;

  explicit Guarded(int n, T fill = sentinel())
      : store_(static_cast<size_t>(n + 2 * kGuard), sentinel()) {
    for (int i = 0; i < n; ++i) store_[static_cast<size_t>(kGuard + i)] = fill;
    n_ = n;
  }

  T *data() { return store_.data() + kGuard; }
  T &operator[](int i) { return store_[static_cast<size_t>(kGuard + i)]; }

  // True when every guard element still holds the sentinel.
  bool guards_intact() const {
    for (int i = 0; i < kGuard; ++i) {
      if (!same(store_[static_cast<size_t>(i)], sentinel())) return false;
      if (!same(store_[static_cast<size_t>(kGuard + n_ + i)], sentinel())) return false;
    }
    return true;
  }

  static T sentinel() {
    if constexpr (std::is_same_v<T, double>) {
      return from_bits(0x7ff4dead0000beefULL);
    } else {
      return static_cast<T>(0x5a5a5a5a);
    }
  }

 private:
  static bool same(T x, T y) { return std::memcmp(&x, &y, sizeof x) == 0; }
  std::vector<T> store_;
  int n_ = 0;
};

// Random doubles of both signs over several decades, from a fixed seed.
class Operands {
 public:
  explicit Operands(uint64_t seed) : random_(seed) {}

  double next() {
    const double mantissa = random_.uniform(-1.0, 1.0);
    return mantissa * std::pow(10.0, random_.between(-6, 6));
  }

  std::vector<double> vector(int n) {
    std::vector<double> v(static_cast<size_t>(n > 0 ? n : 0));
    for (double &x : v) x = next();
    return v;
  }

 private:
  lynx_test::Random<std::mt19937_64> random_;
};

}  // namespace algebra_test

#endif  // LYNX_TESTS_ALGEBRA_SUPPORT_HPP
