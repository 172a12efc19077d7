// Test support: seeded random draws.  The generator is a parameter, so a
// test keeps the sequence its cases were written against: the same
// generator with the same seed gives the same draws, on every run and
// every platform of one standard library.
//   lynx_test::Random<std::mt19937> rng(6);   rng.uniform(0.1, 2.0)
//   lynx_test::Random<> pick(77);              pick.below(6)
//   lynx_test::Random<lynx_test::SplitMix64>   a generator of one word
#ifndef LYNX_TESTS_RANDOM_SOURCE_HPP
#define LYNX_TESTS_RANDOM_SOURCE_HPP

#include <cstddef>
#include <cstdint>
#include <limits>
#include <random>

namespace lynx_test {

// splitmix64: the whole state is one word, so a case can start its own
// generator from a seed cheaply.
class SplitMix64 {
 public:
  using result_type = uint64_t;
  explicit SplitMix64(uint64_t seed) : state_(seed) {}
  static constexpr result_type min() { return 0; }
  static constexpr result_type max() { return std::numeric_limits<result_type>::max(); }
  result_type operator()() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

 private:
  uint64_t state_;
};

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
