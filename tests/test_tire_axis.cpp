// Tire axis systems: the worked cases of a wheel over a level or offset
// road, a tilted spin axis, the null cases, the threshold comparison, and
// seeded random inputs against the steps written out with the exported
// vector routines, bit for bit.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "support/algebra_support.hpp"
#include "support/tire_axis_support.hpp"

using algebra_test::bits;
using algebra_test::same_value;
using tire_test::axis_by_steps;
using tire_test::AxisInputs;
using tire_test::AxisOutputs;
using tire_test::call_tire_axis;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// An axis system as its four columns.
using Axes = std::vector<double>;

void expect_axes(const Axes &expected, tire_test::Guarded<double> &actual, const char *what) {
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(expected[static_cast<size_t>(i)], actual[i]) << what << " element " << i + 1;
  }
}

void expect_same_results(AxisOutputs &expected, AxisOutputs &actual, const std::string &where) {
  EXPECT_EQ(expected.status, actual.status) << where;
  EXPECT_EQ(expected.in_range[0], actual.in_range[0]) << where;
  EXPECT_TRUE(same_value(expected.r[0], actual.r[0]))
      << where << ": r " << expected.r[0] << " vs " << actual.r[0];
  const char *const names[] = {"wheel", "wheel reversed", "contact", "contact reversed"};
  for (size_t k = 0; k < 4; ++k) {
    tire_test::Guarded<double> &e = *expected.systems()[k], &a = *actual.systems()[k];
    for (int i = 0; i < 12; ++i) {
      EXPECT_TRUE(same_value(e[i], a[i]))
          << where << ": " << names[k] << " element " << i + 1 << ": " << e[i] << " vs " << a[i];
    }
  }
  EXPECT_TRUE(actual.guards_intact()) << where;
}

}  // namespace

TEST(TireAxis, LevelRoadUnderTheWheelCentre) {
  AxisInputs in;  // A = (0,1,0), B = (0,0,1), P = (0,0,0.375), Q = 0, s = 0, t = 0.5
  AxisOutputs out = call_tire_axis(in);
  EXPECT_EQ(0, out.status);
  EXPECT_EQ(0.375, out.r[0]);
  EXPECT_EQ(LYNX_TRUE, out.in_range[0]);
  expect_axes({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0.375}, out.wheel, "wheel");
  expect_axes({1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0.375}, out.wheel_reversed, "wheel reversed");
  expect_axes({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}, out.contact, "contact");
  expect_axes({1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0}, out.contact_reversed, "contact reversed");
  EXPECT_TRUE(out.guards_intact());
}

TEST(TireAxis, ThresholdEqualToTheDistanceIsNotInRange) {
  AxisInputs in;
  in.t = 0.375;
  AxisOutputs out = call_tire_axis(in);
  EXPECT_EQ(0.375, out.r[0]);
  EXPECT_EQ(LYNX_FALSE, out.in_range[0]);
  in.t = std::nextafter(0.375, 1.0);
  EXPECT_EQ(LYNX_TRUE, call_tire_axis(in).in_range[0]);
  in.t = -1.0;
  EXPECT_EQ(LYNX_FALSE, call_tire_axis(in).in_range[0]);
}

TEST(TireAxis, PlaneOffsetAlongTheNormalAndMovedReferencePoint) {
  AxisInputs lifted;
  lifted.s = 0.125;
  AxisOutputs out = call_tire_axis(lifted);
  EXPECT_EQ(0, out.status);
  EXPECT_EQ(0.25, out.r[0]);
  // The origin is measured from Q + sB, which lies right under P.
  for (int i = 9; i < 12; ++i) {
    EXPECT_EQ(0.0, out.contact[i]);
    EXPECT_EQ(0.0, out.contact_reversed[i]);
  }

  AxisInputs moved;
  moved.q[0] = 5.0;
  out = call_tire_axis(moved);
  EXPECT_EQ(0.375, out.r[0]);
  expect_axes({1, 0, 0, 0, 1, 0, 0, 0, 1, -5, 0, 0}, out.contact, "contact");
  expect_axes({1, 0, 0, 0, -1, 0, 0, 0, -1, -5, 0, 0}, out.contact_reversed, "contact reversed");
  expect_axes({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0.375}, out.wheel, "wheel");
  EXPECT_TRUE(out.guards_intact());
}

TEST(TireAxis, SpinAxisTiltedOutOfTheRoadPlane) {
  for (double g : {0.1, 0.25, -0.4, 1.0}) {
    AxisInputs in;
    in.a[1] = std::cos(g);
    in.a[2] = std::sin(g);
    AxisOutputs out = call_tire_axis(in);
    SCOPED_TRACE(g);
    EXPECT_EQ(0, out.status);
    EXPECT_NEAR(1.0, out.wheel[0], 1e-15);  // X = (1, 0, 0)
    EXPECT_NEAR(0.0, out.wheel[1], 1e-15);
    EXPECT_NEAR(0.0, out.wheel[2], 1e-15);
    EXPECT_NEAR(0.0, out.wheel[6], 1e-15);  // Zw = (0, -sin g, cos g)
    EXPECT_NEAR(-std::sin(g), out.wheel[7], 1e-15);
    EXPECT_NEAR(std::cos(g), out.wheel[8], 1e-15);
    EXPECT_NEAR(0.375 / std::cos(g), out.r[0], 1e-15);
    EXPECT_GT(out.r[0], 0.375);               // longer than the height of P
    EXPECT_NEAR(0.0, out.contact[9], 1e-15);  // O = (0, 0.375 tan g, 0)
    EXPECT_NEAR(0.375 * std::tan(g), out.contact[10], 1e-15);
    EXPECT_NEAR(0.0, out.contact[11], 1e-15);
    // The wheel's y column is A itself.
    EXPECT_EQ(bits(in.a[1]), bits(out.wheel[4]));
    EXPECT_EQ(bits(in.a[2]), bits(out.wheel[5]));
    EXPECT_TRUE(out.guards_intact());
  }
}

TEST(TireAxis, SpinAxisOfAnyLengthIsPassedThroughUnnormalised) {
  AxisInputs in;
  in.a[0] = 0.5;
  in.a[1] = 3.0;
  in.a[2] = -0.25;
  AxisOutputs out = call_tire_axis(in);
  EXPECT_EQ(0, out.status);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bits(in.a[i]), bits(out.wheel[3 + i]));
    EXPECT_EQ(bits(-in.a[i]), bits(out.wheel_reversed[3 + i]));
  }
  for (int column : {0, 6}) {  // X and Zw of the wheel axes
    const double *c = &out.wheel[column];
    EXPECT_NEAR(1.0, std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]), 1e-15);
  }
  const double *yc = &out.contact[3];
  EXPECT_NEAR(1.0, std::sqrt(yc[0] * yc[0] + yc[1] * yc[1] + yc[2] * yc[2]), 1e-15);
}

TEST(TireAxis, NullCrossProductClearsEveryOutput) {
  AxisInputs parallel;
  parallel.a[0] = 0.0;
  parallel.a[1] = 0.0;
  parallel.a[2] = 1.0;  // A = B
  AxisInputs zero_axis;
  zero_axis.a[1] = 0.0;  // A = 0
  AxisInputs zero_normal;
  zero_normal.b[2] = 0.0;  // B = 0
  AxisInputs antiparallel;
  antiparallel.a[1] = 0.0;
  antiparallel.a[2] = -2.0;
  AxisInputs tiny;  // |A x B| just below 1.0e-29
  tiny.a[1] = 0.99e-29;
  tiny.a[2] = 1.0;
  for (const AxisInputs &in : {parallel, zero_axis, zero_normal, antiparallel, tiny}) {
    AxisOutputs out = call_tire_axis(in);
    EXPECT_EQ(-1, out.status);
    EXPECT_EQ(bits(0.0), bits(out.r[0]));
    EXPECT_EQ(LYNX_FALSE, out.in_range[0]);
    for (tire_test::Guarded<double> *axes :
         {&out.wheel, &out.wheel_reversed, &out.contact, &out.contact_reversed}) {
      for (int i = 0; i < 12; ++i) EXPECT_EQ(bits(0.0), bits((*axes)[i])) << i;
    }
    EXPECT_TRUE(out.guards_intact());
  }
  // A cross product of length exactly 1.0e-29 is still built.
  AxisInputs threshold;
  threshold.a[1] = 1.0e-29;
  threshold.a[2] = 1.0;
  AxisOutputs out = call_tire_axis(threshold);
  EXPECT_EQ(0, out.status);
  EXPECT_EQ(1.0, out.wheel[0]);
}

TEST(TireAxis, NotANumberGivesAFalseLogical) {
  AxisInputs nan_threshold;
  nan_threshold.t = kNaN;
  AxisOutputs out = call_tire_axis(nan_threshold);
  EXPECT_EQ(0, out.status);
  EXPECT_EQ(0.375, out.r[0]);
  EXPECT_EQ(LYNX_FALSE, out.in_range[0]);

  AxisInputs nan_centre;
  nan_centre.t = std::numeric_limits<double>::infinity();
  nan_centre.p[2] = kNaN;
  out = call_tire_axis(nan_centre);
  EXPECT_EQ(0, out.status);
  EXPECT_TRUE(std::isnan(out.r[0]));
  EXPECT_EQ(LYNX_FALSE, out.in_range[0]);

  // A NaN in the spin axis passes the null test and is carried through.
  AxisInputs nan_axis;
  nan_axis.a[0] = kNaN;
  out = call_tire_axis(nan_axis);
  EXPECT_EQ(0, out.status);
  EXPECT_TRUE(std::isnan(out.wheel[0]));
  EXPECT_EQ(LYNX_FALSE, out.in_range[0]);
  EXPECT_TRUE(out.guards_intact());
}

TEST(TireAxis, MatchesTheStepsOnTheWorkedCases) {
  AxisInputs level, lifted, moved, tilted;
  lifted.s = 0.125;
  moved.q[0] = 5.0;
  tilted.a[1] = std::cos(0.3);
  tilted.a[2] = std::sin(0.3);
  int k = 0;
  for (const AxisInputs &in : {level, lifted, moved, tilted}) {
    AxisOutputs expected = axis_by_steps(in), actual = call_tire_axis(in);
    expect_same_results(expected, actual, "case " + std::to_string(k++));
  }
}

TEST(TireAxis, MatchesTheStepsBitForBitOnRandomInputs) {
  // Directions of all orientations, some nearly parallel to the normal, and
  // points and offsets over several decades.
  algebra_test::Operands rnd(5150);
  lynx_test::Random<std::mt19937_64> pick(77);
  for (int trial = 0; trial < 4000; ++trial) {
    AxisInputs in;
    for (int i = 0; i < 3; ++i) {
      in.a[i] = rnd.next();
      in.b[i] = rnd.next();
      in.p[i] = rnd.next();
      in.q[i] = rnd.next();
    }
    in.s = rnd.next();
    in.t = rnd.next();
    switch (pick.below(6)) {
      case 0:  // a normal of unit length, as callers pass it
        for (double &c : in.b)
          c /= std::sqrt(in.b[0] * in.b[0] + in.b[1] * in.b[1] + in.b[2] * in.b[2]);
        break;
      case 1:  // spin axis nearly parallel to the normal
        for (int i = 0; i < 3; ++i) in.a[i] = in.b[i] * 3.0 + in.a[i] * 1e-20;
        break;
      case 2:  // the threshold equal to the distance
        in.t = axis_by_steps(in).r[0];
        break;
      case 3:  // signed zeros in the inputs
        in.a[pick.below(3)] = -0.0;
        in.p[pick.below(3)] = -0.0;
        in.q[pick.below(3)] = 0.0;
        in.s = -0.0;
        break;
      default:
        break;
    }
    AxisOutputs expected = axis_by_steps(in), actual = call_tire_axis(in);
    expect_same_results(expected, actual, "trial " + std::to_string(trial));
    if (::testing::Test::HasFailure()) break;
  }
}

TEST(TireAxis, MatchesTheStepsOnInfinitiesAndExtremes) {
  const double kInf = std::numeric_limits<double>::infinity();
  const double kBig = 1e200, kSmall = 1e-160;
  const double specials[] = {kInf, -kInf, kNaN, kBig, -kBig, kSmall, -kSmall, 0.0, -0.0, 1.0};
  lynx_test::Random<std::mt19937_64> pick(31);
  for (int trial = 0; trial < 2000; ++trial) {
    AxisInputs in;
    const auto slots = in.values();
    for (int k = 0; k < 3; ++k) *slots[pick.below(14)] = pick.pick(specials);
    AxisOutputs expected = axis_by_steps(in), actual = call_tire_axis(in);
    expect_same_results(expected, actual, "trial " + std::to_string(trial));
    if (::testing::Test::HasFailure()) break;
  }
}

TEST(TireAxis, SignedZerosComeOutAsTheStepsMakeThem) {
  // P = (-0, -0, -0) on the plane through Q = 0: V = (-0, -0, -0), and the
  // dot product, started from +0.0, makes r = +0.0; O = V + (-0) Zw keeps
  // the negative zeros.
  AxisInputs on_plane;
  for (double &c : on_plane.p) c = -0.0;
  AxisOutputs out = call_tire_axis(on_plane);
  EXPECT_EQ(bits(0.0), bits(out.r[0]));
  for (int i = 9; i < 12; ++i) {
    EXPECT_EQ(bits(-0.0), bits(out.contact[i])) << i;
    EXPECT_EQ(bits(-0.0), bits(out.contact_reversed[i])) << i;
    EXPECT_EQ(bits(-0.0), bits(out.wheel[i])) << i;
  }
  // The reversed directions are -1 times the others: zeros change sign.
  EXPECT_EQ(bits(-0.0), bits(out.wheel_reversed[3]));
  EXPECT_EQ(bits(-0.0), bits(out.contact_reversed[6]));
  AxisOutputs expected = axis_by_steps(on_plane);
  expect_same_results(expected, out, "on the plane");
}
