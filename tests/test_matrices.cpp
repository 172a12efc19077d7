// 3x3 and 6x6 matrices, tilde operations, frame transforms and block index
// lists, checked against the element formulas written out here (bit for
// bit) and against the identities they must satisfy.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "support/algebra_support.hpp"
#include "lynx/matrices.h"
#include "lynx/vectors.h"
#include "support/built.hpp"

using algebra_test::bits;
using algebra_test::Guarded;
using algebra_test::Operands;

namespace {

// Element (i, j), counted from 1, of a column-major matrix of order n.
struct Mat {
  const double *m;
  int n;
  double operator()(int i, int j) const { return m[(i - 1) + n * (j - 1)]; }
};

const double kIdentity3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};

#if LYNX_BUILT_FSEULMAT
// A rotation matrix from three random angles.
std::vector<double> rotation(Operands &rnd) {
  const double t1 = rnd.next(), t2 = rnd.next(), t3 = rnd.next();
  const double s1 = std::sin(t1), c1 = std::cos(t1), s2 = std::sin(t2), c2 = std::cos(t2),
               s3 = std::sin(t3), c3 = std::cos(t3);
  std::vector<double> r(9);
  FSEULMAT(r.data(), &s1, &c1, &s2, &c2, &s3, &c3);
  return r;
}
#endif

void expect_near_identity(const double *p) {
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(kIdentity3[i], p[i], 1e-14) << "element " << i;
}

}  // namespace

#if LYNX_BUILT_FSM31
TEST(Matrix3, ProductsMatchTheirFormulas) {
  Operands rnd(31);
  for (int t = 0; t < 40; ++t) {
    const std::vector<double> av = rnd.vector(9), bv = rnd.vector(9), xv = rnd.vector(3);
    const Mat A{av.data(), 3}, B{bv.data(), 3};
    Guarded<double> m31(3), m3t1(3), m33(9);
    FSM31(m31.data(), av.data(), xv.data());
    FSM3T1(m3t1.data(), av.data(), xv.data());
    FSM33(m33.data(), av.data(), bv.data());
    for (int i = 1; i <= 3; ++i) {
      EXPECT_SAME_BITS((A(i, 1) * xv[0] + A(i, 2) * xv[1]) + A(i, 3) * xv[2], m31[i - 1]);
      EXPECT_SAME_BITS((A(1, i) * xv[0] + A(2, i) * xv[1]) + A(3, i) * xv[2], m3t1[i - 1]);
      for (int j = 1; j <= 3; ++j) {
        const int at = (i - 1) + 3 * (j - 1);
        EXPECT_SAME_BITS((A(i, 1) * B(1, j) + A(i, 2) * B(2, j)) + A(i, 3) * B(3, j), m33[at]);
      }
    }
    EXPECT_TRUE(m31.guards_intact() && m3t1.guards_intact() && m33.guards_intact());
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST, Matrix3, ProductsMatchTheirFormulas, FSM31)
#endif

#if LYNX_BUILT_FSM3T3
TEST(Matrix3, TransposedProductMatchesItsFormula) {
  Operands rnd(31);
  for (int t = 0; t < 40; ++t) {
    const std::vector<double> av = rnd.vector(9), bv = rnd.vector(9);
    const Mat A{av.data(), 3}, B{bv.data(), 3};
    Guarded<double> m3t3(9);
    FSM3T3(m3t3.data(), av.data(), bv.data());
    for (int i = 1; i <= 3; ++i) {
      for (int j = 1; j <= 3; ++j) {
        const int at = (i - 1) + 3 * (j - 1);
        EXPECT_SAME_BITS((A(1, i) * B(1, j) + A(2, i) * B(2, j)) + A(3, i) * B(3, j), m3t3[at]);
      }
    }
    EXPECT_TRUE(m3t3.guards_intact());
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST, Matrix3, TransposedProductMatchesItsFormula, FSM3T3)
#endif

#if LYNX_BUILT_FSM31
TEST(Matrix3, IdentityAndRotationCases) {
  Operands rnd(2);
  const std::vector<double> b = rnd.vector(9), x = rnd.vector(3);
  double p[9];
  FSM31(p, kIdentity3, x.data());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(x[static_cast<size_t>(i)], p[i]);
  FSM33(p, kIdentity3, b.data());
  for (int i = 0; i < 9; ++i) EXPECT_EQ(b[static_cast<size_t>(i)], p[i]);
  for (int t = 0; t < 10; ++t) {
    const std::vector<double> r = rotation(rnd);
    FSM3T3(p, r.data(), r.data());
    expect_near_identity(p);
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST, Matrix3, IdentityAndRotationCases, FSM31)
#endif

TEST(Tilde, SkewStoresPositiveZeros) {
  LYNX_SKIP_IN_LEGACY32("negation by sign change gives -0.0");
  const double a[3] = {1, 2, 3};
  Guarded<double> p(9);
  SKEW(p.data(), a);
  const double expected[9] = {0, 3, -2, -3, 0, 1, 2, -1, 0};
  for (int i = 0; i < 9; ++i) EXPECT_SAME_BITS(expected[i], p[i]);
  // 0 - x for a zero of either sign is +0.0; the diagonal is +0.0; the
  // entries taken over unchanged keep their sign.
  const double zeros[3] = {-0.0, -0.0, -0.0};
  SKEW(p.data(), zeros);
  const double signed_zeros[9] = {0.0, -0.0, 0.0, 0.0, 0.0, -0.0, -0.0, 0.0, 0.0};
  for (int i = 0; i < 9; ++i) EXPECT_SAME_BITS(signed_zeros[i], p[i]) << "element " << i;
  EXPECT_TRUE(p.guards_intact());
}

TEST(Tilde, ColumnAndRowFormsMatchTheirFormulas) {
  Operands rnd(77);
  for (int t = 0; t < 40; ++t) {
    const std::vector<double> a = rnd.vector(3), bv = rnd.vector(9);
    const Mat B{bv.data(), 3};
    Guarded<double> t33(9), t3t3(9), t33t(9);
    T33(t33.data(), a.data(), bv.data());
    T3T3(t3t3.data(), a.data(), bv.data());
    T33T(t33t.data(), a.data(), bv.data());
    for (int j = 1; j <= 3; ++j) {
      const int c = 3 * (j - 1);
      EXPECT_SAME_BITS(a[1] * B(3, j) - a[2] * B(2, j), t33[c]);
      EXPECT_SAME_BITS(a[2] * B(1, j) - a[0] * B(3, j), t33[c + 1]);
      EXPECT_SAME_BITS(a[0] * B(2, j) - a[1] * B(1, j), t33[c + 2]);
      EXPECT_SAME_BITS(a[2] * B(2, j) - a[1] * B(3, j), t3t3[c]);
      EXPECT_SAME_BITS(a[0] * B(3, j) - a[2] * B(1, j), t3t3[c + 1]);
      EXPECT_SAME_BITS(a[1] * B(1, j) - a[0] * B(2, j), t3t3[c + 2]);
      EXPECT_SAME_BITS(a[1] * B(j, 3) - a[2] * B(j, 2), t33t[c]);
      EXPECT_SAME_BITS(a[2] * B(j, 1) - a[0] * B(j, 3), t33t[c + 1]);
      EXPECT_SAME_BITS(a[0] * B(j, 2) - a[1] * B(j, 1), t33t[c + 2]);
    }
    EXPECT_TRUE(t33.guards_intact() && t3t3.guards_intact() && t33t.guards_intact());
  }
}

TEST(Tilde, IdentitiesBetweenTheForms) {
  Operands rnd(13);
  for (int t = 0; t < 20; ++t) {
    const std::vector<double> a = rnd.vector(3), b = rnd.vector(9);
    double skew[9], t33[9], t3t3[9], t33t[9], bt[9], t33_of_bt[9];
    SKEW(skew, a.data());
    T33(t33, a.data(), kIdentity3);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(skew[i], t33[i]);
    T33(t33, a.data(), b.data());
    T3T3(t3t3, a.data(), b.data());
    for (int i = 0; i < 9; ++i) EXPECT_EQ(-t33[i], t3t3[i]);
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) bt[i + 3 * j] = b[static_cast<size_t>(j + 3 * i)];
    }
    T33T(t33t, a.data(), b.data());
    T33(t33_of_bt, a.data(), bt);
    for (int i = 0; i < 9; ++i) EXPECT_SAME_BITS(t33_of_bt[i], t33t[i]);
  }
}

#if LYNX_BUILT_FSEULMAT
TEST(EulerMatrix, MatchesItsFormulasAndTheRotationProduct) {
  Operands rnd(5);
  for (int t = 0; t < 40; ++t) {
    const double t1 = rnd.next(), t2 = rnd.next(), t3 = rnd.next();
    const double s1 = std::sin(t1), c1 = std::cos(t1), s2 = std::sin(t2), c2 = std::cos(t2),
                 s3 = std::sin(t3), c3 = std::cos(t3);
    Guarded<double> p(9);
    FSEULMAT(p.data(), &s1, &c1, &s2, &c2, &s3, &c3);
    EXPECT_SAME_BITS(c3 * c1 - c2 * (s3 * s1), p[0]);
    EXPECT_SAME_BITS(c2 * (s3 * c1) + c3 * s1, p[1]);
    EXPECT_SAME_BITS(s3 * s2, p[2]);
    EXPECT_SAME_BITS((0.0 - s3 * c1) - (c3 * s1) * c2, p[3]);
    EXPECT_SAME_BITS((c3 * c1) * c2 - s3 * s1, p[4]);
    EXPECT_SAME_BITS(c3 * s2, p[5]);
    EXPECT_SAME_BITS(s1 * s2, p[6]);
    EXPECT_SAME_BITS(0.0 - s2 * c1, p[7]);
    EXPECT_SAME_BITS(c2, p[8]);
    EXPECT_TRUE(p.guards_intact());
    // Rz(first) Rx(second) Rz(third), multiplied out.
    const double rz1[9] = {c1, s1, 0, -s1, c1, 0, 0, 0, 1};
    const double rx2[9] = {1, 0, 0, 0, c2, s2, 0, -s2, c2};
    const double rz3[9] = {c3, s3, 0, -s3, c3, 0, 0, 0, 1};
    double tmp[9], product[9];
    FSM33(tmp, rz1, rx2);
    FSM33(product, tmp, rz3);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(product[i], p[i], 1e-15);
  }
}

TEST(EulerMatrix, QuarterTurns) {
  const double zero = 0.0, one = 1.0;
  double p[9];
  FSEULMAT(p, &zero, &one, &zero, &one, &zero, &one);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(kIdentity3[i], p[i]);
  // First angle a quarter turn: rows (0, -1, 0), (1, 0, 0), (0, 0, 1).
  FSEULMAT(p, &one, &zero, &zero, &one, &zero, &one);
  const double first[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(first[i], p[i]);
  // Second angle a quarter turn: rows (1, 0, 0), (0, 0, -1), (0, 1, 0).
  FSEULMAT(p, &zero, &one, &one, &zero, &zero, &one);
  const double second[9] = {1, 0, 0, 0, 0, 1, 0, -1, 0};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(second[i], p[i]);
}
#else
LYNX_TEST_NOT_BUILT(TEST, EulerMatrix, MatchesItsFormulasAndTheRotationProduct, FSEULMAT)
LYNX_TEST_NOT_BUILT(TEST, EulerMatrix, QuarterTurns, FSEULMAT)
#endif

#if LYNX_BUILT_TRANSFORMMATRIX
TEST(Transform, MatrixAndSkewMatrix) {
  Operands rnd(101);
  for (int t = 0; t < 20; ++t) {
    const std::vector<double> r = rotation(rnd), m = rnd.vector(9), w = rnd.vector(3);
    Guarded<double> p(9), q(9);
    TRANSFORMMATRIX(p.data(), r.data(), m.data());
    // R^T (M R), both products as FSM33 and FSM3T3 form them.
    double mr[9], expected[9];
    FSM33(mr, m.data(), r.data());
    FSM3T3(expected, r.data(), mr);
    for (int i = 0; i < 9; ++i) EXPECT_SAME_BITS(expected[i], p[i]);

    TRANSFORMSKEWMATRIX(q.data(), r.data(), w.data());
    double wr[9], skew_rtw[9], rtw[3];
    T33(wr, w.data(), r.data());
    FSM3T3(expected, r.data(), wr);
    for (int i = 0; i < 9; ++i) EXPECT_SAME_BITS(expected[i], q[i]);
    FSM3T1(rtw, r.data(), w.data());
    SKEW(skew_rtw, rtw);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(skew_rtw[i], q[i], 1e-9);
    EXPECT_TRUE(p.guards_intact() && q.guards_intact());

    double p2[9];
    TRANSFORMMATRIX(p2, kIdentity3, m.data());
    for (int i = 0; i < 9; ++i) EXPECT_EQ(m[static_cast<size_t>(i)], p2[i]);
    TRANSFORMMATRIX(p2, r.data(), kIdentity3);
    expect_near_identity(p2);
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST, Transform, MatrixAndSkewMatrix, TRANSFORMMATRIX)
#endif

TEST(Matrix6, ProductMatchesItsFormulaAndIdentities) {
  Operands rnd(66);
  std::vector<double> identity(36, 0.0);
  for (int i = 0; i < 6; ++i) identity[static_cast<size_t>(7 * i)] = 1.0;
  for (int t = 0; t < 20; ++t) {
    const std::vector<double> av = rnd.vector(36), bv = rnd.vector(36);
    const Mat A{av.data(), 6}, B{bv.data(), 6};
    Guarded<double> p(36);
    M66(p.data(), av.data(), bv.data());
    for (int i = 1; i <= 6; ++i) {
      for (int j = 1; j <= 6; ++j) {
        const double e =
            ((((A(i, 1) * B(1, j) + A(i, 2) * B(2, j)) + A(i, 3) * B(3, j)) + A(i, 4) * B(4, j)) +
             A(i, 5) * B(5, j)) +
            A(i, 6) * B(6, j);
        EXPECT_SAME_BITS(e, p[(i - 1) + 6 * (j - 1)]);
      }
    }
    EXPECT_TRUE(p.guards_intact());
    double q[36];
    M66(q, identity.data(), bv.data());
    for (int i = 0; i < 36; ++i) EXPECT_EQ(bv[static_cast<size_t>(i)], q[i]);
    M66(q, av.data(), identity.data());
    for (int i = 0; i < 36; ++i) EXPECT_EQ(av[static_cast<size_t>(i)], q[i]);
  }
}

TEST(BlockLists, DiagonalThenBlockAppend) {
  Guarded<int32_t> rows(9, 0), cols(9, 0);
  int32_t nz = 1;
  const int32_t i0 = 4, j0 = 7, n = 3;
  DIAG(rows.data(), cols.data(), &nz, &i0, &j0, &n);
  EXPECT_EQ(4, nz);
  const int32_t b_i0 = 1, b_j0 = 1, ni = 2, nj = 3;
  BLOCK(rows.data(), cols.data(), &nz, &b_i0, &b_j0, &ni, &nj);
  EXPECT_EQ(10, nz);
  const int32_t want_rows[9] = {4, 5, 6, 1, 2, 1, 2, 1, 2};
  const int32_t want_cols[9] = {7, 8, 9, 1, 1, 2, 2, 3, 3};
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(want_rows[k], rows[k]) << "position " << k + 1;
    EXPECT_EQ(want_cols[k], cols[k]) << "position " << k + 1;
  }
  EXPECT_TRUE(rows.guards_intact() && cols.guards_intact());
}

TEST(BlockLists, BlockAloneAndOffsetOrigin) {
  Guarded<int32_t> rows(6, 0), cols(6, 0);
  int32_t nz = 1;
  const int32_t i0 = 1, j0 = 1, ni = 2, nj = 3;
  BLOCK(rows.data(), cols.data(), &nz, &i0, &j0, &ni, &nj);
  EXPECT_EQ(7, nz);
  const int32_t want[6][2] = {{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 3}, {2, 3}};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(want[k][0], rows[k]);
    EXPECT_EQ(want[k][1], cols[k]);
  }
  EXPECT_TRUE(rows.guards_intact() && cols.guards_intact());
  // Origins in the caller's own numbering, zero and negative included.
  Guarded<int32_t> r2(4, 0), c2(4, 0);
  nz = 1;
  const int32_t zero = 0, minus = -1, two = 2;
  BLOCK(r2.data(), c2.data(), &nz, &minus, &zero, &two, &two);
  const int32_t want_r[4] = {-1, 0, -1, 0}, want_c[4] = {0, 0, 1, 1};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(want_r[k], r2[k]);
    EXPECT_EQ(want_c[k], c2[k]);
  }
  EXPECT_EQ(5, nz);
  EXPECT_TRUE(r2.guards_intact() && c2.guards_intact());
}

TEST(BlockLists, EmptyBlocksAndBadFillPositionsChangeNothing) {
  Guarded<int32_t> rows(4), cols(4);
  const int32_t i0 = 1, j0 = 1, one = 1, three = 3;
  for (int32_t count : {0, -1, -2147483647 - 1}) {
    int32_t nz = 1;
    DIAG(rows.data(), cols.data(), &nz, &i0, &j0, &count);
    BLOCK(rows.data(), cols.data(), &nz, &i0, &j0, &count, &three);
    BLOCK(rows.data(), cols.data(), &nz, &i0, &j0, &three, &count);
    EXPECT_EQ(1, nz);
  }
  // A fill position below 1 would store in front of the lists.
  for (int32_t start : {0, -4}) {
    int32_t nz = start;
    DIAG(rows.data(), cols.data(), &nz, &i0, &j0, &three);
    BLOCK(rows.data(), cols.data(), &nz, &i0, &j0, &one, &three);
    EXPECT_EQ(start, nz);
  }
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Guarded<int32_t>::sentinel(), rows[k]);
    EXPECT_EQ(Guarded<int32_t>::sentinel(), cols[k]);
  }
  EXPECT_TRUE(rows.guards_intact() && cols.guards_intact());
}
