// The inline 3-vector steps (used by the tire-axis computation) give the very results
// of the exported vector routines with a count of 3 (12 for clearing), on
// random operands and on signed zeros, infinities, NaNs and lengths at the
// null-vector threshold.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "algebra/vector3.hpp"
#include "support/algebra_support.hpp"
#include "lynx/vectors.h"

using algebra_test::bits;
using algebra_test::Guarded;
using algebra_test::same_value;

namespace {

const int32_t kThree = 3;

#define EXPECT_SAME_VECTOR(expected, actual)                                         \
  for (int i_ = 0; i_ < 3; ++i_) {                                                   \
    EXPECT_TRUE(same_value((expected)[i_], (actual)[i_]))                            \
        << "element " << i_ + 1 << ": " << (expected)[i_] << " vs " << (actual)[i_]; \
  }

// Operands: mostly random over many decades, sometimes special values.
class Source {
 public:
  explicit Source(uint64_t seed) : random_(seed), pick_(seed + 1) {}

  double next() {
    static const double specials[] = {0.0,
                                      -0.0,
                                      1.0,
                                      -1.0,
                                      1.0e-29,
                                      0.99e-29,
                                      1.0e-160,
                                      1.0e200,
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::denorm_min()};
    if (pick_.below(5) == 0) return pick_.pick(specials);
    return random_.next();
  }

  void fill(double *v) {
    for (int i = 0; i < 3; ++i) v[i] = next();
  }

 private:
  algebra_test::Operands random_;
  lynx_test::Random<std::mt19937_64> pick_;
};

}  // namespace

TEST(TireVectorSteps, SameResultsAsTheExportedRoutines) {
  Source src(909);
  for (int trial = 0; trial < 20000; ++trial) {
    double a[3], b[3], s = src.next();
    src.fill(a);
    src.fill(b);
    double expected[3], actual[3];

    KXV_CROSS(expected, a, b, &kThree);
    lynx::algebra::cross3(actual, a, b);
    EXPECT_SAME_VECTOR(expected, actual);

    KXV_SCALE(expected, &s, a, &kThree);
    lynx::algebra::scale3(actual, s, a);
    EXPECT_SAME_VECTOR(expected, actual);

    KXV_ADD(expected, a, b, &kThree);
    lynx::algebra::add3(actual, a, b);
    EXPECT_SAME_VECTOR(expected, actual);

    KXV_SUB(expected, a, b, &kThree);
    lynx::algebra::sub3(actual, a, b);
    EXPECT_SAME_VECTOR(expected, actual);

    EXPECT_TRUE(same_value(KXV_DOT(a, b, &kThree), lynx::algebra::dot3(a, b)));

    int32_t status = 99;
    KXV_UNITV(expected, a, &kThree, &status);
    EXPECT_EQ(status, lynx::algebra::unit3(actual, a));
    EXPECT_SAME_VECTOR(expected, actual);
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "trial " << trial << ": a = (" << a[0] << ", " << a[1] << ", " << a[2]
                    << "), b = (" << b[0] << ", " << b[1] << ", " << b[2] << "), s = " << s;
      break;
    }
  }
}

TEST(TireVectorSteps, InPlaceUnitVectorAndCopiesKeepEveryBit) {
  Source src(4711);
  for (int trial = 0; trial < 2000; ++trial) {
    double a[3];
    src.fill(a);
    double expected[3] = {a[0], a[1], a[2]}, actual[3] = {a[0], a[1], a[2]};
    int32_t status = 99;
    KXV_UNITV(expected, expected, &kThree, &status);
    EXPECT_EQ(status, lynx::algebra::unit3(actual, actual));
    EXPECT_SAME_VECTOR(expected, actual);
  }
  // Copies move words: -0.0 and a NaN's payload come through.
  const double source[3] = {-0.0, algebra_test::from_bits(0x7ff80000deadbeefULL), 1.0};
  Guarded<double> copy(3);
  lynx::algebra::assign3(copy.data(), source);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(bits(source[i]), bits(copy[i]));
  EXPECT_TRUE(copy.guards_intact());
}

TEST(TireVectorSteps, DotProductStartsFromPositiveZero) {
  // Products that are all -0.0 sum to +0.0 because the sum starts at +0.0.
  const double a[3] = {-0.0, 0.0, -0.0}, b[3] = {1.0, -2.0, 3.0};
  EXPECT_EQ(bits(0.0), bits(lynx::algebra::dot3(a, b)));
  EXPECT_EQ(bits(KXV_DOT(a, b, &kThree)), bits(lynx::algebra::dot3(a, b)));
}

TEST(TireVectorSteps, UnitVectorAtTheNullThreshold) {
  double exact[3] = {1.0e-29, 0.0, 0.0}, below[3] = {0.0, -0.99e-29, 0.0};
  double y[3];
  EXPECT_EQ(0, lynx::algebra::unit3(y, exact));
  EXPECT_EQ(1.0, y[0]);
  EXPECT_EQ(-1, lynx::algebra::unit3(y, below));
  for (double c : y) EXPECT_EQ(bits(0.0), bits(c));
}

TEST(TireVectorSteps, ClearingAnAxisSystemWritesTwelvePositiveZeros) {
  Guarded<double> expected(12, -1.0), actual(12, -1.0);
  const int32_t twelve = 12;
  KXV_NULLV(expected.data(), &twelve);
  lynx::algebra::clear12(actual.data());
  for (int i = 0; i < 12; ++i) EXPECT_EQ(bits(expected[i]), bits(actual[i]));
  EXPECT_TRUE(expected.guards_intact() && actual.guards_intact());
}
