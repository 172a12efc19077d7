// Vector routines: element-wise operations, dot products, lengths, cross
// products and unit vectors, checked against the formulas written out here
// (bit for bit where the order of operations is fixed) and on the cases that
// separate near-identical implementations.

#include <gtest/gtest.h>

#if defined(__ELF__)
#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#endif

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "support/algebra_support.hpp"
#include "lynx/matrices.h"
#include "lynx/vectors.h"
#include "support/built.hpp"

using algebra_test::bits;
using algebra_test::from_bits;
using algebra_test::Guarded;
using algebra_test::Operands;

namespace {

const int kCounts[] = {1, 2, 3, 4, 5, 7, 8, 9, 16, 17, 31, 100};

Guarded<double> guarded_copy(const std::vector<double> &v) {
  Guarded<double> g(static_cast<int>(v.size()));
  for (size_t i = 0; i < v.size(); ++i) g[static_cast<int>(i)] = v[i];
  return g;
}

// Sums of |a(i) b(i)| bound the rounding error of a sum in any order.
double abs_dot(const std::vector<double> &a, const std::vector<double> &b) {
  long double sum = 0.0L;
  for (size_t i = 0; i < a.size(); ++i) sum += std::fabs(static_cast<long double>(a[i]) * b[i]);
  return static_cast<double>(sum);
}

double exact_dot(const std::vector<double> &a, const std::vector<double> &b) {
  long double sum = 0.0L;
  for (size_t i = 0; i < a.size(); ++i) sum += static_cast<long double>(a[i]) * b[i];
  return static_cast<double>(sum);
}

}  // namespace

#if LYNX_BUILT_SVECDP
TEST(VectorElementwise, MatchFormulasOnRandomOperandsAndStayInBounds) {
  Operands rnd(20240601);
  for (int n : kCounts) {
    const std::vector<double> a = rnd.vector(n), b = rnd.vector(n);
    const double s = rnd.next();
    Guarded<double> add(n), avec(n), sub(n), scale(n), svec(n), assign(n), copy(n);
    KXV_ADD(add.data(), a.data(), b.data(), &n);
    AVEC(avec.data(), a.data(), b.data(), &n);
    KXV_SUB(sub.data(), a.data(), b.data(), &n);
    KXV_SCALE(scale.data(), &s, a.data(), &n);
    SVECDP(svec.data(), a.data(), &s, &n);
    KXV_ASSIGN(assign.data(), a.data(), &n);
    COPYDP(copy.data(), a.data(), &n);
    for (int i = 0; i < n; ++i) {
      const size_t k = static_cast<size_t>(i);
      EXPECT_SAME_BITS(a[k] + b[k], add[i]);
      EXPECT_SAME_BITS(a[k] + b[k], avec[i]);
      EXPECT_SAME_BITS(a[k] - b[k], sub[i]);
      EXPECT_SAME_BITS(s * a[k], scale[i]);
      EXPECT_SAME_BITS(s * a[k], svec[i]);
      EXPECT_SAME_BITS(a[k], assign[i]);
      EXPECT_SAME_BITS(a[k], copy[i]);
    }
    for (Guarded<double> *g : {&add, &avec, &sub, &scale, &svec, &assign, &copy}) {
      EXPECT_TRUE(g->guards_intact()) << "n = " << n;
    }
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorElementwise, MatchFormulasOnRandomOperandsAndStayInBounds, SVECDP)
#endif

TEST(VectorElementwise, InPlaceOnEitherOperand) {
  Operands rnd(7);
  for (int n : kCounts) {
    const std::vector<double> a = rnd.vector(n), b = rnd.vector(n);
    Guarded<double> y1 = guarded_copy(a), y2 = guarded_copy(b), y3 = guarded_copy(a),
                    y4 = guarded_copy(a), y5 = guarded_copy(a);
    const double s = 0.375;
    KXV_ADD(y1.data(), y1.data(), b.data(), &n);   // y = y + b
    KXV_SUB(y2.data(), a.data(), y2.data(), &n);   // y = a - y
    KXV_SUB(y3.data(), y3.data(), b.data(), &n);   // y = y - b
    KXV_SCALE(y4.data(), &s, y4.data(), &n);       // y = s y
    KXV_ADD(y5.data(), y5.data(), y5.data(), &n);  // y = y + y
    for (int i = 0; i < n; ++i) {
      const size_t k = static_cast<size_t>(i);
      EXPECT_SAME_BITS(a[k] + b[k], y1[i]);
      EXPECT_SAME_BITS(a[k] - b[k], y2[i]);
      EXPECT_SAME_BITS(a[k] - b[k], y3[i]);
      EXPECT_SAME_BITS(s * a[k], y4[i]);
      EXPECT_SAME_BITS(a[k] + a[k], y5[i]);
    }
    EXPECT_TRUE(y1.guards_intact() && y2.guards_intact() && y3.guards_intact() &&
                y4.guards_intact() && y5.guards_intact());
  }
}

#if LYNX_BUILT_SVECDP
TEST(VectorElementwise, ScalarIsReadOnceBeforeAnyStore) {
  // The scalar is element 1 of the result: every element is scaled by its
  // value on entry, also the elements after the first is overwritten.
  const int n = 6;
  Guarded<double> y(n);
  for (int i = 0; i < n; ++i) y[i] = 2.0 + i;
  KXV_SCALE(y.data(), &y[0], y.data(), &n);
  for (int i = 0; i < n; ++i) EXPECT_EQ(2.0 * (2.0 + i), y[i]);
  Guarded<double> z(n);
  for (int i = 0; i < n; ++i) z[i] = 3.0 + i;
  SVECDP(z.data(), z.data(), &z[0], &n);
  for (int i = 0; i < n; ++i) EXPECT_EQ(3.0 * (3.0 + i), z[i]);
  EXPECT_TRUE(y.guards_intact() && z.guards_intact());
}

TEST(VectorElementwise, CountOfZeroOrLessTouchesNothing) {
  // Null operands prove that no element and no scalar is read.
  for (int n : {0, -1, -2147483647 - 1}) {
    Guarded<double> y(3);
    KXV_ADD(y.data(), nullptr, nullptr, &n);
    AVEC(y.data(), nullptr, nullptr, &n);
    KXV_SUB(y.data(), nullptr, nullptr, &n);
    KXV_SCALE(y.data(), nullptr, nullptr, &n);
    SVECDP(y.data(), nullptr, nullptr, &n);
    KXV_ASSIGN(y.data(), nullptr, &n);
    COPYDP(y.data(), nullptr, &n);
    KXV_NULLV(y.data(), &n);
    FSZERO(y.data(), &n);
    KXV_CROSS(y.data(), nullptr, nullptr, &n);
    for (int i = 0; i < 3; ++i) EXPECT_SAME_BITS(Guarded<double>::sentinel(), y[i]);
    EXPECT_TRUE(y.guards_intact());
    Guarded<int32_t> iy(3);
    ZEROI(iy.data(), &n);
    FSIZERO(iy.data(), &n);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Guarded<int32_t>::sentinel(), iy[i]);
    EXPECT_EQ(0.0, KXV_DOT(nullptr, nullptr, &n));
    EXPECT_EQ(0.0, FSDOT(nullptr, nullptr, &n));
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorElementwise, ScalarIsReadOnceBeforeAnyStore, SVECDP)
LYNX_TEST_NOT_BUILT(TEST, VectorElementwise, CountOfZeroOrLessTouchesNothing, SVECDP)
#endif

#if LYNX_BUILT_COPYDP
TEST(VectorElementwise, CopiesMoveEveryWordUnchanged) {
  const std::vector<double> a = {-0.0,
                                 from_bits(0x7ff0000000000001ULL),  // signalling NaN
                                 from_bits(0xfff8000000012345ULL),  // quiet NaN, payload
                                 -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::denorm_min()};
  const int n = static_cast<int>(a.size());
  Guarded<double> y(n), z(n);
  KXV_ASSIGN(y.data(), a.data(), &n);
  COPYDP(z.data(), a.data(), &n);
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(bits(a[static_cast<size_t>(i)]), bits(y[i]));
    EXPECT_EQ(bits(a[static_cast<size_t>(i)]), bits(z[i]));
  }
  KXV_ASSIGN(y.data(), y.data(), &n);  // onto itself
  for (int i = 0; i < n; ++i) EXPECT_EQ(bits(a[static_cast<size_t>(i)]), bits(y[i]));
  EXPECT_TRUE(y.guards_intact() && z.guards_intact());
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorElementwise, CopiesMoveEveryWordUnchanged, COPYDP)
#endif

#if LYNX_BUILT_FSZERO
TEST(VectorFill, ZeroesExactlyNElementsWithPositiveZero) {
  for (int n : {1, 3, 5, 17}) {
    Guarded<double> y(n, -0.0), z(n, -0.0);
    KXV_NULLV(y.data(), &n);
    FSZERO(z.data(), &n);
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(0u, bits(y[i]));
      EXPECT_EQ(0u, bits(z[i]));
    }
    EXPECT_TRUE(y.guards_intact() && z.guards_intact());
  }
  // Five 4-byte integers, the sixth untouched.
  int32_t ints[6] = {1, 2, 3, 4, 5, 6};
  const int n = 5;
  ZEROI(ints, &n);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(0, ints[i]);
  EXPECT_EQ(6, ints[5]);
  int32_t more[6] = {1, 2, 3, 4, 5, 6};
  FSIZERO(more, &n);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(0, more[i]);
  EXPECT_EQ(6, more[5]);
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorFill, ZeroesExactlyNElementsWithPositiveZero, FSZERO)
#endif

#if LYNX_BUILT_FSDOT
TEST(VectorSums, ShortSumsAddLeftToRightFromZero) {
  Operands rnd(99);
  for (int n = 1; n <= 7; ++n) {
    const std::vector<double> a = rnd.vector(n), b = rnd.vector(n);
    double dot = 0.0;
    for (int i = 0; i < n; ++i) dot = dot + a[static_cast<size_t>(i)] * b[static_cast<size_t>(i)];
    EXPECT_SAME_BITS(dot, KXV_DOT(a.data(), b.data(), &n));
    if (n != 3) {
      EXPECT_SAME_BITS(dot, FSDOT(a.data(), b.data(), &n));
    }
    double squares = a[0] * a[0];
    for (int i = 1; i < n; ++i)
      squares = squares + a[static_cast<size_t>(i)] * a[static_cast<size_t>(i)];
    EXPECT_SAME_BITS(std::sqrt(squares), KXV_MAGNTD(a.data(), &n));
  }
}

TEST(VectorSums, FsdotOfThreeStartsWithTheFirstProduct) {
  Operands rnd(3);
  const int three = 3;
  for (int t = 0; t < 50; ++t) {
    const std::vector<double> a = rnd.vector(3), b = rnd.vector(3);
    EXPECT_SAME_BITS((a[0] * b[0] + a[1] * b[1]) + a[2] * b[2], FSDOT(a.data(), b.data(), &three));
  }
  // Negative-zero products: without the leading 0.0 the sum stays -0.0.
  const double a[3] = {-0.0, -0.0, 0.0};
  const double b[3] = {1.0, 2.0, -3.0};
  EXPECT_EQ(bits(-0.0), bits(FSDOT(a, b, &three)));
  EXPECT_EQ(bits(0.0), bits(KXV_DOT(a, b, &three)));
}

TEST(VectorSums, LongSumsAgreeWithTheExactSum) {
  Operands rnd(12345);
  for (int n : {8, 9, 11, 12, 15, 16, 17, 31, 32, 33, 47, 48, 100, 1001}) {
    const std::vector<double> a = rnd.vector(n), b = rnd.vector(n);
    const double bound = 2.0 * n * std::numeric_limits<double>::epsilon() * abs_dot(a, b);
    EXPECT_NEAR(exact_dot(a, b), KXV_DOT(a.data(), b.data(), &n), bound) << "n = " << n;
    EXPECT_SAME_BITS(KXV_DOT(a.data(), b.data(), &n), FSDOT(a.data(), b.data(), &n));
    const double length = std::sqrt(exact_dot(a, a));
    EXPECT_NEAR(length, KXV_MAGNTD(a.data(), &n),
                2.0 * n * std::numeric_limits<double>::epsilon() * length);
    EXPECT_SAME_BITS(std::sqrt(KXV_DOT(a.data(), a.data(), &n)), KXV_MAGNTD(a.data(), &n));
  }
  // Every term lands in the sum, whatever the count's remainder.
  std::vector<double> ones(80, 1.0);
  for (int n = 8; n <= 80; ++n) {
    EXPECT_EQ(n, KXV_DOT(ones.data(), ones.data(), &n));
    EXPECT_EQ(std::sqrt(static_cast<double>(n)), KXV_MAGNTD(ones.data(), &n));
  }
  // A sum started from 0.0 never comes out as -0.0.
  const std::vector<double> neg_zeros(80, -0.0);
  for (int n : {8, 13, 40}) EXPECT_EQ(0u, bits(KXV_DOT(neg_zeros.data(), ones.data(), &n)));
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorSums, ShortSumsAddLeftToRightFromZero, FSDOT)
LYNX_TEST_NOT_BUILT(TEST, VectorSums, FsdotOfThreeStartsWithTheFirstProduct, FSDOT)
LYNX_TEST_NOT_BUILT(TEST, VectorSums, LongSumsAgreeWithTheExactSum, FSDOT)
#endif

TEST(VectorSums, MagnitudeReadsTheFirstElementWhateverTheCount) {
  const double a[2] = {-3.0, 4.0};
  for (int n : {1, 0, -5}) EXPECT_EQ(3.0, KXV_MAGNTD(a, &n));
  const int two = 2;
  EXPECT_EQ(5.0, KXV_MAGNTD(a, &two));
  // No scaling: the squares overflow and underflow as they are.
  const double big[3] = {1e200, 1e200, 0.0}, tiny[3] = {1e-200, 1e-200, 0.0};
  const int three = 3;
  EXPECT_EQ(std::numeric_limits<double>::infinity(), KXV_MAGNTD(big, &three));
  EXPECT_EQ(0.0, KXV_MAGNTD(tiny, &three));
}

#if LYNX_BUILT_VECLTH
TEST(VectorSums, VeclthIsTheUnscaledLengthOfThreeTerms) {
  const double big[3] = {1e200, 1e200, 0.0}, tiny[3] = {1e-200, 1e-200, 0.0};
  EXPECT_EQ(std::numeric_limits<double>::infinity(), VECLTH(big));
  EXPECT_EQ(0.0, VECLTH(tiny));
  Operands rnd(5);
  for (int t = 0; t < 50; ++t) {
    const std::vector<double> v = rnd.vector(3);
    EXPECT_SAME_BITS(std::sqrt((v[0] * v[0] + v[1] * v[1]) + v[2] * v[2]), VECLTH(v.data()));
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorSums, VeclthIsTheUnscaledLengthOfThreeTerms, VECLTH)
#endif

TEST(VectorCross, CyclicFormulaForEveryCount) {
  Operands rnd(42);
  for (int n : {1, 2, 3, 4, 5, 9}) {
    const std::vector<double> a = rnd.vector(n), b = rnd.vector(n);
    Guarded<double> y(n);
    KXV_CROSS(y.data(), a.data(), b.data(), &n);
    for (int i = 1; i <= n; ++i) {
      const int j = (i % n) + 1, k = (j % n) + 1;
      const size_t j0 = static_cast<size_t>(j - 1), k0 = static_cast<size_t>(k - 1);
      EXPECT_SAME_BITS(a[j0] * b[k0] - b[j0] * a[k0], y[i - 1]) << "n = " << n << ", i = " << i;
    }
    EXPECT_TRUE(y.guards_intact());
  }
}

#if LYNX_BUILT_FSCROSS
TEST(VectorCross, ThreeVectorsAgreeAcrossAllNames) {
  Operands rnd(8);
  const int three = 3;
  for (int t = 0; t < 50; ++t) {
    const std::vector<double> a = rnd.vector(3), b = rnd.vector(3);
    Guarded<double> cyclic(3), cross(3), tilde(3);
    KXV_CROSS(cyclic.data(), a.data(), b.data(), &three);
    FSCROSS(cross.data(), a.data(), b.data());
    T31(tilde.data(), a.data(), b.data());
    EXPECT_SAME_BITS(a[1] * b[2] - a[2] * b[1], cross[0]);
    EXPECT_SAME_BITS(a[2] * b[0] - a[0] * b[2], cross[1]);
    EXPECT_SAME_BITS(a[0] * b[1] - a[1] * b[0], cross[2]);
    for (int i = 0; i < 3; ++i) {
      EXPECT_SAME_BITS(cross[i], cyclic[i]);
      EXPECT_SAME_BITS(cross[i], tilde[i]);
    }
    EXPECT_TRUE(cyclic.guards_intact() && cross.guards_intact() && tilde.guards_intact());
  }
  const double x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
  double z[3];
  KXV_CROSS(z, x, y, &three);
  EXPECT_EQ(0.0, z[0]);
  EXPECT_EQ(0.0, z[1]);
  EXPECT_EQ(1.0, z[2]);
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorCross, ThreeVectorsAgreeAcrossAllNames, FSCROSS)
#endif

TEST(VectorUnit, UnitvMultipliesByTheReciprocal) {
  const int three = 3;
  const double a[3] = {0.0, 3.0, 4.0};
  double y[3];
  int32_t status = 7;
  KXV_UNITV(y, a, &three, &status);
  EXPECT_EQ(0, status);
  EXPECT_SAME_BITS(0.0, y[0]);
  EXPECT_SAME_BITS(std::nextafter(0.6, 1.0), y[1]);  // (1/5) * 3: one unit above 0.6
  EXPECT_SAME_BITS(0.8, y[2]);
}

#if LYNX_BUILT_VECUNI
TEST(VectorUnit, VecuniDividesByTheLength) {
  double v[3] = {0.0, 3.0, 4.0};
  VECUNI(v);
  EXPECT_SAME_BITS(0.0, v[0]);
  EXPECT_SAME_BITS(0.6, v[1]);
  EXPECT_SAME_BITS(0.8, v[2]);
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorUnit, VecuniDividesByTheLength, VECUNI)
#endif

TEST(VectorUnit, NullThresholdIsStrict) {
  const int three = 3;
  int32_t status = 7;
  // sqrt(x * x) is exactly |x| far from underflow: magnitude exactly 1.0e-29.
  const double at[3] = {1.0e-29, 0.0, 0.0};
  Guarded<double> y(3);
  KXV_UNITV(y.data(), at, &three, &status);
  EXPECT_EQ(0, status);
  EXPECT_EQ(1.0, y[0]);
  const double below[3] = {std::nextafter(1.0e-29, 0.0), 0.0, 0.0};
  KXV_UNITV(y.data(), below, &three, &status);
  EXPECT_EQ(-1, status);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(0u, bits(y[i]));
  EXPECT_TRUE(y.guards_intact());

  const double null[3] = {0.0, -0.0, 0.0};
  status = 7;
  KXV_UNITV(y.data(), null, &three, &status);
  EXPECT_EQ(-1, status);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(0u, bits(y[i]));
}

TEST(VectorUnit, InPlaceNanAndEmptyVectors) {
  const int four = 4;
  int32_t status = 7;
  Guarded<double> v(4, 2.0);
  KXV_UNITV(v.data(), v.data(), &four, &status);
  EXPECT_EQ(0, status);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(0.5, v[i]);
  EXPECT_TRUE(v.guards_intact());

  const int three = 3;
  const double nan_vec[3] = {1.0, std::numeric_limits<double>::quiet_NaN(), 2.0};
  double y[3];
  KXV_UNITV(y, nan_vec, &three, &status);
  EXPECT_EQ(0, status);
  for (double x : y) EXPECT_TRUE(std::isnan(x));

  // An empty vector: the status follows |a(1)| and nothing is written.
  for (int n : {0, -3}) {
    Guarded<double> out(1);
    const double small = 1.0e-30, large = -2.0;
    status = 7;
    KXV_UNITV(out.data(), &small, &n, &status);
    EXPECT_EQ(-1, status);
    status = 7;
    KXV_UNITV(out.data(), &large, &n, &status);
    EXPECT_EQ(0, status);
    EXPECT_SAME_BITS(Guarded<double>::sentinel(), out[0]);
    EXPECT_TRUE(out.guards_intact());
  }
}

#if LYNX_BUILT_VECUNI
TEST(VectorUnit, VecuniCleansThenNormalises) {
  struct Case {
    double in[3], out[3];
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {{3, 4, 0}, {0.6, 0.8, 0}},         {{1.0e-14, 2, 0}, {0, 1, 0}},
      {{1.0e-14, 1.0e-14, 0}, {0, 0, 0}},  // cleaned, too short to normalise
      {{1.0e-13, 0, 0}, {1, 0, 0}},        // at the threshold: kept and normalised
      {{-1.0e-14, -0.0, -5}, {0, 0, -1}},  // small components become +0.0
      {{nan, 1.0e-14, 3}, {nan, 0, 3}},    // cleaned, not normalised
  };
  for (const Case &c : cases) {
    double v[3] = {c.in[0], c.in[1], c.in[2]};
    VECUNI(v);
    for (int i = 0; i < 3; ++i) EXPECT_SAME_BITS(c.out[i], v[i]) << "component " << i;
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorUnit, VecuniCleansThenNormalises, VECUNI)
#endif

#if defined(__ELF__)
// Asked of the dynamic loader, each second name is the first name's code.
// Comparing the addresses the compiler sees proves nothing: a compiler may
// take two distinct declarations for distinct functions and fold the
// comparison away.
#if LYNX_BUILT_COPYDP
TEST(VectorNames, SecondNamesAreTheSameRoutine) {
  // The loaded library, found by its file name (whatever its version
  // suffix) among the program's shared objects.
  std::string path;
  dl_iterate_phdr(
      [](dl_phdr_info *info, size_t, void *data) {
        const char *name = info->dlpi_name != nullptr ? info->dlpi_name : "";
        if (std::strstr(name, "/liblynxUtility.so") == nullptr) return 0;
        *static_cast<std::string *>(data) = name;
        return 1;
      },
      &path);
  ASSERT_FALSE(path.empty()) << "liblynxUtility is not loaded";
  void *library = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
  ASSERT_NE(library, nullptr) << dlerror();
  const char *const pairs[][2] = {{"KXV_ADD", "AVEC"},
                                  {"KXV_ASSIGN", "COPYDP"},
                                  {"KXV_NULLV", "FSZERO"},
                                  {"ZEROI", "FSIZERO"},
                                  {"FSCROSS", "T31"}};
  for (const auto &pair : pairs) {
    void *first = dlsym(library, pair[0]);
    void *second = dlsym(library, pair[1]);
    EXPECT_NE(first, nullptr) << pair[0];
    EXPECT_EQ(first, second) << pair[0] << " and " << pair[1];
  }
  dlclose(library);
}
#else
LYNX_TEST_NOT_BUILT(TEST, VectorNames, SecondNamesAreTheSameRoutine, COPYDP)
#endif
#endif
