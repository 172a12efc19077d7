// Solver vector components: the host calls made for each direction and
// component, the rounding of the parameters, the reports word for word, and
// the parameter count, with the parameter array allocated to exactly the
// count given so that a read beyond it shows under the sanitizers.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "HxHost.h"
#include "support/algebra_support.hpp"
#include "lynx/tire.h"
#include "support/host_log.hpp"

using algebra_test::bits;
using algebra_test::Guarded;
using lynx_test::host_log;
using lynx_test::Logged;
using lynx_test::padded;

namespace {

const int32_t kMin = std::numeric_limits<int32_t>::min();
const int32_t kMax = std::numeric_limits<int32_t>::max();
const char *const kKinds[3] = {"UVX", "UVY", "UVZ"};

const std::string kTooFew = "Insufficient no of parameters in VAR907";
const std::string kUnknownDirection = "Unknown Vector Direction in VAR907";
const std::string kUnknownComponent = "Unknown Vector Component in VAR907";

// The parameters on the heap, exactly as many doubles as given.
std::unique_ptr<double[]> parameters(const std::vector<double> &values) {
  auto par = std::make_unique<double[]>(values.size());
  for (size_t i = 0; i < values.size(); ++i) par[i] = values[i];
  return par;
}

// Calls VAR907 with npar = the number of values, VALUE in guarded storage
// holding `before`; arguments 2, 5 and 6 are null, as they are never read.
double call_var907(int32_t identifier, const std::vector<double> &values, double before,
                   int32_t npar = -1) {
  const auto par = parameters(values);
  const int32_t count = npar >= 0 ? npar : static_cast<int32_t>(values.size());
  Guarded<double> value(1, before);
  VAR907(&identifier, nullptr, par.get(), &count, nullptr, nullptr, value.data());
  EXPECT_TRUE(value.guards_intact());
  return value[0];
}

void expect_report(const Logged &entry, const std::string &message, int identifier) {
  EXPECT_EQ(HXHOST_ERRMES, entry.routine);
  EXPECT_EQ(-1, entry.flag);
  EXPECT_EQ(padded(message, 80), entry.text);
  EXPECT_EQ(identifier, entry.identifier);
  EXPECT_EQ("stop", entry.end_word);
}

void expect_sysary(const Logged &entry, const std::string &kind, std::vector<int> ids) {
  EXPECT_EQ(HXHOST_SYSARY, entry.routine);
  EXPECT_EQ(kind, entry.text);  // exactly three characters passed
  EXPECT_EQ(ids, entry.ids);    // and a count of 3
}

// The identifiers that SYSARY received for one set of parameter values.
std::vector<int> ids_asked(double p2, double p3, double p4) {
  hxhost_log_clear();
  call_var907(1, {0.0, p2, p3, p4, 1.0, 1.0}, 0.0);
  const std::vector<Logged> log = host_log();
  if (log.size() != 1 || log[0].routine != HXHOST_SYSARY) {
    ADD_FAILURE() << "expected one SYSARY call, got " << log.size() << " entries";
    return {};
  }
  return log[0].ids;
}

class Var907 : public lynx_test::HostTest {};

}  // namespace

TEST_F(Var907, AsksForTheDirectionAndReturnsTheComponent) {
  const int32_t ids[3] = {11, 12, 13};
  const double uvx[3] = {0.25, -0.5, 0.75}, uvy[3] = {1.5, 2.5, -3.5}, uvz[3] = {-7.0, 8.0, 9.0};
  hxhost_set_vector("UVX", ids, uvx);
  hxhost_set_vector("UVY", ids, uvy);
  hxhost_set_vector("UVZ", ids, uvz);
  const double *vectors[3] = {uvx, uvy, uvz};
  for (int direction = 1; direction <= 3; ++direction) {
    for (int component = 1; component <= 3; ++component) {
      hxhost_log_clear();
      const double value =
          call_var907(42, {123.0, 11.0, 12.0, 13.0, double(direction), double(component)}, -1.0);
      EXPECT_EQ(vectors[direction - 1][component - 1], value) << direction << "," << component;
      const std::vector<Logged> log = host_log();
      ASSERT_EQ(1u, log.size());
      expect_sysary(log[0], kKinds[direction - 1], {11, 12, 13});
    }
  }
}

TEST_F(Var907, WorkedCaseAsksForUvyAndTakesTheThirdValue) {
  const int32_t ids[3] = {11, 12, 13};
  const double uvy[3] = {0.1, 0.2, 0.3};
  hxhost_set_vector("UVY", ids, uvy);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // PAR(1) is never read: a NaN there changes nothing.
  EXPECT_EQ(bits(0.3), bits(call_var907(7, {nan, 11, 12, 13, 2, 3}, 0.0)));
  const std::vector<Logged> log = host_log();
  ASSERT_EQ(1u, log.size());
  expect_sysary(log[0], "UVY", {11, 12, 13});
}

TEST_F(Var907, ExtraParametersAreIgnored) {
  const int32_t ids[3] = {1, 2, 3};
  const double uvx[3] = {4.0, 5.0, 6.0};
  hxhost_set_vector("UVX", ids, uvx);
  EXPECT_EQ(5.0, call_var907(9, {0, 1, 2, 3, 1, 2, 99, -99, 3}, 0.0));
  EXPECT_EQ(1u, host_log().size());
}

TEST_F(Var907, ParametersRoundToNearestWithHalvesAwayFromZero) {
  EXPECT_EQ((std::vector<int>{2, -2, 2}), ids_asked(1.5, -1.5, 2.49));
  EXPECT_EQ((std::vector<int>{1, -1, 0}), ids_asked(0.5, -0.5, -0.49));
  EXPECT_EQ((std::vector<int>{0, 0, 3}), ids_asked(0.0, -0.0, 2.5));
  EXPECT_EQ((std::vector<int>{7, -7, 100}), ids_asked(7.4999, -6.5, 99.5));
  // The rule adds 0.5 first: the double just below 0.5 sums to exactly 1.0.
  EXPECT_EQ((std::vector<int>{1, 0, 0}), ids_asked(0.49999999999999994, 0.4999999999, -0.25));
}

TEST_F(Var907, ValuesOutsideTheIntegerRangeAreClampedAndNanIsLowest) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ((std::vector<int>{kMax, kMin, kMin}), ids_asked(3.0e9, -3.0e9, nan));
  EXPECT_EQ((std::vector<int>{kMax, kMin, kMin}), ids_asked(inf, -inf, -nan));
  // The last values that round into the range, and the first that do not.
  EXPECT_EQ((std::vector<int>{kMax, kMin, kMax}),
            ids_asked(2147483647.4, -2147483648.4, 2147483647.5));
  EXPECT_EQ((std::vector<int>{kMin, kMax, kMin}), ids_asked(-2147483648.5, 1e300, -1e300));

  // As codes, such values are unknown and reported.
  hxhost_log_clear();
  EXPECT_EQ(-2.0, call_var907(3, {0, 1, 2, 3, nan, 3.0e9}, -2.0));
  const std::vector<Logged> log = host_log();
  ASSERT_EQ(2u, log.size());
  expect_report(log[0], kUnknownDirection, 3);
  expect_report(log[1], kUnknownComponent, 3);
}

TEST_F(Var907, DirectionRoundsBeforeItIsChecked) {
  const int32_t ids[3] = {4, 5, 6};
  const double uvz[3] = {-1.0, -2.0, -3.0};
  hxhost_set_vector("UVZ", ids, uvz);
  // 2.6 asks for "UVZ"; 0.4 is component 0: reported, VALUE left alone.
  EXPECT_EQ(77.0, call_var907(15, {0, 4, 5, 6, 2.6, 0.4}, 77.0));
  std::vector<Logged> log = host_log();
  ASSERT_EQ(2u, log.size());
  expect_sysary(log[0], "UVZ", {4, 5, 6});
  expect_report(log[1], kUnknownComponent, 15);

  // 3.5 rounds to 4 (no vector is asked for) and -3.5 to -4: both reported.
  hxhost_log_clear();
  EXPECT_EQ(77.0, call_var907(15, {0, 4, 5, 6, 3.5, -3.5}, 77.0));
  log = host_log();
  ASSERT_EQ(2u, log.size());
  expect_report(log[0], kUnknownDirection, 15);
  expect_report(log[1], kUnknownComponent, 15);
}

TEST_F(Var907, WrongDirectionAsksForNoVectorAndLeavesValueAlone) {
  for (double direction : {-1.0, 0.0, 4.0, 0.49}) {
    hxhost_log_clear();
    const double value = call_var907(-8, {0, 1, 2, 3, direction, 2}, 12.5);
    EXPECT_EQ(bits(12.5), bits(value)) << direction;
    const std::vector<Logged> log = host_log();
    ASSERT_EQ(1u, log.size()) << direction;  // the report and no SYSARY call
    expect_report(log[0], kUnknownDirection, -8);
  }
}

TEST_F(Var907, TooFewParametersReportsAndReadsNothingMore) {
  // The array holds exactly npar doubles: any read past it is an overflow
  // under AddressSanitizer.  VALUE keeps what it held.
  for (int32_t npar = 0; npar < 6; ++npar) {
    hxhost_log_clear();
    const std::vector<double> values(static_cast<size_t>(npar), 1.0);
    EXPECT_EQ(bits(-3.25), bits(call_var907(2024, values, -3.25))) << npar;
    const std::vector<Logged> log = host_log();
    ASSERT_EQ(1u, log.size()) << npar;
    expect_report(log[0], kTooFew, 2024);
  }
  // A negative count, and no array at all.
  hxhost_log_clear();
  const int32_t identifier = 5, npar = -1;
  double value = 8.0;
  VAR907(&identifier, nullptr, nullptr, &npar, nullptr, nullptr, &value);
  EXPECT_EQ(8.0, value);
  const std::vector<Logged> log = host_log();
  ASSERT_EQ(1u, log.size());
  expect_report(log[0], kTooFew, 5);
}

TEST_F(Var907, ReportsCarryTheCallersIdentifierUnchanged) {
  for (int32_t identifier : {0, 1, -1, kMax, kMin}) {
    hxhost_log_clear();
    call_var907(identifier, {0, 1, 2, 3, 9, 9}, 0.0);
    const std::vector<Logged> log = host_log();
    ASSERT_EQ(2u, log.size());
    expect_report(log[0], kUnknownDirection, identifier);
    expect_report(log[1], kUnknownComponent, identifier);
  }
}
