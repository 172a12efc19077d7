// Test support: seeded random draws.  The generator is a parameter, so a
// test keeps the sequence its cases were written against: the same
// generator and seed give the same draws on every run.
#ifndef LYNX_TESTS_RANDOM_SOURCE_HPP
#define LYNX_TESTS_RANDOM_SOURCE_HPP

#include <cstddef>
#include <cstdint>
#include <random>

namespace lynx_test {

template <class Engine = std::mt19937_64>
class Random {
 public:
  using result_type = typename Engine::result_type;
  explicit Random(result_type seed) : engine_(seed) {}

  // The generator's next raw draw.
  result_type next() { return engine_(); }
  // A whole number in [0, n): the raw draw modulo n.
  int below(int n) { return static_cast<int>(next() % static_cast<result_type>(n)); }
  // One of the options, chosen by below().
  template <class T, size_t N>
  const T &pick(const T (&options)[N]) {
    return options[below(static_cast<int>(N))];
  }
  // Uniform in [low, high).
  double uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine_);
  }
  // A whole number uniform in [low, high].
  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

 private:
  Engine engine_;
};

}  // namespace lynx_test

#endif  // LYNX_TESTS_RANDOM_SOURCE_HPP
