// Unit-set conversion: names to unit factors and model factors, with the
// mapping's and KXCONV's reports word for word.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "lynx/units.h"
#include "support/host_log.hpp"
#include "support/built.hpp"

using lynx_test::host_log;
using lynx_test::padded;

namespace {

// Five names, each blank-padded to 12 characters, end to end.
std::string names60(const std::string &force, const std::string &mass, const std::string &length,
                    const std::string &time, const std::string &angle) {
  return padded(force, 12) + padded(mass, 12) + padded(length, 12) + padded(time, 12) +
         padded(angle, 12);
}

struct Factors {
  double model[5] = {-7, -7, -7, -7, -7};
  double unit[5] = {-7, -7, -7, -7, -7};
};

const char *const kUndefined[5] = {
    " Undefined -> Force Units Set to Model Units", " Undefined -> Mass Units Set to Model Units",
    " Undefined -> Length Units Set to Model Units", " Undefined -> Time Units Set to Model Units",
    " Undefined -> Angle Units Set to Model Units"};
const char *const kUnrecognized[5] = {
    " Unrecognized Type of Force Units", " Unrecognized Type of Mass Units",
    " Unrecognized Type of Length Units", " Unrecognized Type of Time Units",
    " Unrecognized Type of Angle Units"};
const char *const kUnknownCode[5] = {
    "KXCONV: Program Fault Unknown force units:", "KXCONV: Program Fault Unknown mass units:",
    "KXCONV: Program Fault Unknown length units:", "KXCONV: Program Fault Unknown time units:",
    "KXCONV: Program Fault Unknown angle units:"};

class UnitSet : public lynx_test::HostTest {
 protected:
  Factors kxunfn(const std::string &names) {
    Factors f;
    KXUNFN(names.data(), static_cast<lynx_textlen>(names.size()), f.model, f.unit);
    return f;
  }
#if LYNX_BUILT_kx_kxunfn
  Factors kx(const char *force, const char *mass, const char *length, const char *time,
             const char *angle) {
    Factors f;
    kx_kxunfn(force, mass, length, time, angle, f.model, f.unit);
    return f;
  }
#endif
  static void expect_all(const double *values, double expected) {
    for (int q = 0; q < 5; ++q) EXPECT_EQ(values[q], expected) << "slot " << q + 1;
  }
  // The mapping's report: 80 characters, identifier 900, flag true.
  static void expect_mapping_report(const lynx_test::Logged &m, const char *text,
                                    const char *end_word) {
    EXPECT_EQ(m.routine, HXHOST_ERRMES);
    EXPECT_EQ(m.text, padded(text, 80));
    EXPECT_EQ(m.text.size(), 80u);
    EXPECT_EQ(m.identifier, 900);
    EXPECT_EQ(m.flag & 1, 1);
    EXPECT_EQ(m.end_word, end_word);
  }
};

TEST_F(UnitSet, SiNamesInAnSiModelGiveOneEverywhereWithoutReports) {
  const Factors f = kxunfn(names60("NEWTON", "KG", "METER", "SECOND", "RADIAN"));
  expect_all(f.model, 1.0);
  expect_all(f.unit, 1.0);
  EXPECT_TRUE(host_log().empty());
}

TEST_F(UnitSet, MillimetresAndDegreesInAMetreModel) {
  const Factors f = kxunfn(names60("newton", "kg", "mm", "second", "deg"));
  EXPECT_EQ(f.unit[2], 0.001);
  EXPECT_EQ(f.model[2], 0.001);
  EXPECT_EQ(f.unit[4], 0.01745329);
  EXPECT_EQ(f.model[4], 0.01745329);
  EXPECT_TRUE(host_log().empty());
}

TEST_F(UnitSet, MetresInAMillimetreModel) {
  ASSERT_EQ(hxhost_set_model_units("S_,MM,N_,KG"), 0);
  const Factors f = kxunfn(names60("newton", "kg", "METER", "sec", "rad"));
  EXPECT_EQ(f.unit[2], 1.0);
  EXPECT_EQ(f.model[2], 1000.0);
}

TEST_F(UnitSet, DivisorsAreForceMassLengthTimeScalesAndOneForAngle) {
  // Host order: time, length, force, mass; distinct scales show which one
  // divides which slot.
  const double scales[4] = {2.0, 3.0, 5.0, 7.0};
  hxhost_set_model_units_raw("S_M_N_KG", scales);
  const Factors f = kxunfn(names60("kg_force", "slug", "foot", "hour", "degrees"));
  EXPECT_EQ(f.unit[0], 9.80665);
  EXPECT_EQ(f.unit[1], 14.593902);
  EXPECT_EQ(f.unit[2], 0.3048);
  EXPECT_EQ(f.unit[3], 3600.0);
  EXPECT_EQ(f.unit[4], 0.01745329);
  EXPECT_EQ(f.model[0], 9.80665 / 5.0);
  EXPECT_EQ(f.model[1], 14.593902 / 7.0);
  EXPECT_EQ(f.model[2], 0.3048 / 3.0);
  EXPECT_EQ(f.model[3], 3600.0 / 2.0);
  EXPECT_EQ(f.model[4], 0.01745329);
  EXPECT_TRUE(host_log().empty());
}

TEST_F(UnitSet, ZeroScaleIsDividedByAsIs) {
  const double scales[4] = {1.0, 0.0, -2.0, 1.0};
  hxhost_set_model_units_raw("S_M_N_KG", scales);
  const Factors f = kxunfn(names60("n", "kg", "meter", "sec", "rad"));
  EXPECT_EQ(f.model[0], -0.5);
  EXPECT_EQ(f.model[2], std::numeric_limits<double>::infinity());
  EXPECT_TRUE(host_log().empty());
}

#if LYNX_BUILT_kx_kxunfn
TEST_F(UnitSet, AsksTheHostForUnitsTwicePerCall) {
  const long before = hxhost_gtunts_calls();
  kxunfn(names60("newton", "kg", "meter", "sec", "rad"));
  EXPECT_EQ(hxhost_gtunts_calls() - before, 2);
  kx("newton", "kg", "meter", "sec", "rad");
  EXPECT_EQ(hxhost_gtunts_calls() - before, 4);
}
#else
LYNX_TEST_NOT_BUILT(TEST_F, UnitSet, AsksTheHostForUnitsTwicePerCall, kx_kxunfn)
#endif

TEST_F(UnitSet, CallersNamesAreNotChanged) {
  const std::string original = names60("newton", "kg", "mm", "second", "deg");
  std::string names = original;
  Factors f;
  KXUNFN(names.data(), 60, f.model, f.unit);
  EXPECT_EQ(names, original);
  char force[] = "kg_force";
  KXUNFN_F2C(force, 8, "kg", 2, "mm", 2, "sec", 3, "deg", 3, f.model, f.unit);
  EXPECT_STREQ(force, "kg_force");
  EXPECT_EQ(f.unit[0], 9.80665);
}

TEST_F(UnitSet, BlankNameOfEachQuantityTakesTheModelsUnitWithAWarning) {
  // Model in hours, inches, pound force, slugs, with distinct scales.
  const double scales[4] = {3600.0, 0.0254, 4.4482216, 14.593902};
  hxhost_set_model_units_raw("HRINPFSL", scales);
  const char *good[5] = {"newton", "kg", "meter", "sec", "rad"};
  const double model_unit[5] = {4.4482216, 14.593902, 0.0254, 3600.0, 1.0};
  for (int q = 0; q < 5; ++q) {
    hxhost_log_clear();
    std::string parts[5] = {good[0], good[1], good[2], good[3], good[4]};
    parts[q] = "";
    const Factors f = kxunfn(names60(parts[0], parts[1], parts[2], parts[3], parts[4]));
    const auto log = host_log();
    ASSERT_EQ(log.size(), 1u) << "quantity " << q;
    expect_mapping_report(log[0], kUndefined[q], "WARN");
    EXPECT_EQ(f.unit[q], model_unit[q]);
    // The model's own unit: factor divided by itself.
    EXPECT_EQ(f.model[q], 1.0);
  }
}

#if LYNX_BUILT_kx_kxunfn
TEST_F(UnitSet, BlankForceNameInAPoundForceModel) {
  const double scales[4] = {1.0, 1.0, 2.0, 1.0};
  hxhost_set_model_units_raw("S_M_PFKG", scales);
  const Factors f = kx("  ", "kg", "meter", "sec", "rad");
  EXPECT_EQ(f.unit[0], 4.4482216);
  EXPECT_EQ(f.model[0], 4.4482216 / 2.0);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 1u);
  expect_mapping_report(log[0], kUndefined[0], "WARN");
}
#else
LYNX_TEST_NOT_BUILT(TEST_F, UnitSet, BlankForceNameInAPoundForceModel, kx_kxunfn)
#endif

TEST_F(UnitSet, BlankNameWithAModelCodeOutsideTheTableIsReportedByKxconv) {
  const double scales[4] = {1.0, 1.0, 1.0, 1.0};
  hxhost_set_model_units_raw("S_M_XXKG", scales);
  const Factors f = kxunfn(names60("", "kg", "meter", "sec", "rad"));
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  expect_mapping_report(log[0], kUndefined[0], "WARN");
  EXPECT_EQ(log[1].text, "KXCONV: Program Fault Unknown force units:XX");
  EXPECT_EQ(log[1].identifier, 0);
  EXPECT_EQ(f.unit[0], 1.0);
  EXPECT_EQ(f.model[0], 1.0);
}

TEST_F(UnitSet, UnrecognisedNameOfEachQuantityIsReportedThenTakenAsOne) {
  const double scales[4] = {2.0, 3.0, 5.0, 7.0};
  hxhost_set_model_units_raw("S_M_N_KG", scales);
  const char *good[5] = {"kg_force", "gram", "mm", "hour", "deg"};
  const double divisor[5] = {5.0, 7.0, 3.0, 2.0, 1.0};
  for (int q = 0; q < 5; ++q) {
    hxhost_log_clear();
    std::string parts[5] = {good[0], good[1], good[2], good[3], good[4]};
    parts[q] = "furlong";
    const Factors f = kxunfn(names60(parts[0], parts[1], parts[2], parts[3], parts[4]));
    const auto log = host_log();
    ASSERT_EQ(log.size(), 2u) << "quantity " << q;
    expect_mapping_report(log[0], kUnrecognized[q], "STOP");
    // KXCONV is handed two blanks for the slot and reports them.
    EXPECT_EQ(log[1].routine, HXHOST_ERRMES);
    EXPECT_EQ(log[1].text, std::string(kUnknownCode[q]) + "  ");
    EXPECT_EQ(log[1].identifier, 0);
    EXPECT_EQ(log[1].end_word, "STOP");
    EXPECT_EQ(f.unit[q], 1.0);
    EXPECT_EQ(f.model[q], 1.0 / divisor[q]);
    for (int other = 0; other < 5; ++other) {
      if (other != q) {
        EXPECT_NE(f.unit[other], 1.0) << "quantity " << q << " slot " << other;
      }
    }
  }
}

TEST_F(UnitSet, MappingReportsComeFirstInQuantityOrderThenKxconvs) {
  const Factors f = kxunfn(names60("furlong", "", "cubit", "", "grad"));
  const auto log = host_log();
  ASSERT_EQ(log.size(), 8u);
  expect_mapping_report(log[0], kUnrecognized[0], "STOP");
  expect_mapping_report(log[1], kUndefined[1], "WARN");
  expect_mapping_report(log[2], kUnrecognized[2], "STOP");
  expect_mapping_report(log[3], kUndefined[3], "WARN");
  expect_mapping_report(log[4], kUnrecognized[4], "STOP");
  EXPECT_EQ(log[5].text, std::string(kUnknownCode[0]) + "  ");
  EXPECT_EQ(log[6].text, std::string(kUnknownCode[2]) + "  ");
  EXPECT_EQ(log[7].text, std::string(kUnknownCode[4]) + "  ");
  expect_all(f.unit, 1.0);
}

#if LYNX_BUILT_kx_kxunfn
TEST_F(UnitSet, EmptyStringIsUnrecognisedNotBlank) {
  const Factors f = kx("", "kg", "meter", "sec", "rad");
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  expect_mapping_report(log[0], kUnrecognized[0], "STOP");
  EXPECT_EQ(log[1].text, "KXCONV: Program Fault Unknown force units:  ");
  EXPECT_EQ(f.unit[0], 1.0);
}

TEST_F(UnitSet, OneBlankIsTooShortToBeBlank) {
  kx("newton", " ", "meter", "sec", "rad");
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  expect_mapping_report(log[0], kUnrecognized[1], "STOP");
}

TEST_F(UnitSet, SingleLetterNIsNewton) {
  const Factors f = kx("n", "kg", "meter", "sec", "rad");
  EXPECT_EQ(f.unit[0], 1.0);
  EXPECT_TRUE(host_log().empty());
  // And "nanonewton" passes the same one-letter row.
  kx("nanonewton", "kg", "meter", "sec", "rad");
  EXPECT_TRUE(host_log().empty());
}
#else
LYNX_TEST_NOT_BUILT(TEST_F, UnitSet, EmptyStringIsUnrecognisedNotBlank, kx_kxunfn)
LYNX_TEST_NOT_BUILT(TEST_F, UnitSet, OneBlankIsTooShortToBeBlank, kx_kxunfn)
LYNX_TEST_NOT_BUILT(TEST_F, UnitSet, SingleLetterNIsNewton, kx_kxunfn)
#endif

TEST_F(UnitSet, SeparateTextsAreReadToTwelveCharactersAtMost) {
  // Each name sits in exactly 12 bytes of its own; the lengths passed are
  // far longer, and only the first 12 characters may be read.
  const char *texts[5] = {"KPOUND_FORCE", "KPOUND_MASSX", "MILESMILESMI", "MILLISECONDS",
                          "DEGREESDEGRE"};
  std::unique_ptr<char[]> names[5];
  for (int q = 0; q < 5; ++q) {
    names[q] = std::make_unique<char[]>(12);
    std::memcpy(names[q].get(), texts[q], 12);
  }
  Factors f;
  KXUNFN_F2C(names[0].get(), 4000, names[1].get(), 13, names[2].get(), 100, names[3].get(), 12,
             names[4].get(), 1 << 20, f.model, f.unit);
  EXPECT_EQ(f.unit[0], 4448.2216);
  EXPECT_EQ(f.unit[1], 453.59237);
  EXPECT_EQ(f.unit[2], 1609.344);
  EXPECT_EQ(f.unit[3], 0.001);
  EXPECT_EQ(f.unit[4], 0.01745329);
  EXPECT_TRUE(host_log().empty());
}

#if LYNX_BUILT_kx_kxunfn
TEST_F(UnitSet, LongNamesCountByTheirFirstTwelveCharacters) {
  // "KPOUND_FORCE" needs all twelve; a name cut to eleven would fail it.
  const Factors f = kx("kpound_force_of_the_file", "kg", "meter_and_more", "second", "rad");
  EXPECT_EQ(f.unit[0], 4448.2216);
  EXPECT_TRUE(host_log().empty());
  Factors g;
  KXUNFN_F2C("kpound_force", 11, "kg", 2, "m", 1, "s", 1, "r", 1, g.model, g.unit);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 8u);
  expect_mapping_report(log[0], kUnrecognized[0], "STOP");
}
#else
LYNX_TEST_NOT_BUILT(TEST_F, UnitSet, LongNamesCountByTheirFirstTwelveCharacters, kx_kxunfn)
#endif

TEST_F(UnitSet, ShortTextIsNotPaddedIntoAMatch) {
  // "mi" with length 2 is not "MILE"; "mile" with length 3 is not either.
  Factors f;
  KXUNFN_F2C("newton", 6, "kg", 2, "mile", 3, "sec", 3, "rad", 3, f.model, f.unit);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  expect_mapping_report(log[0], kUnrecognized[2], "STOP");
}

TEST_F(UnitSet, NegativeLengthIsAnEmptyName) {
  Factors f;
  KXUNFN_F2C("newton", -1, "kg", 2, "meter", 5, "sec", 3, "rad", -100, f.model, f.unit);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 4u);
  expect_mapping_report(log[0], kUnrecognized[0], "STOP");
  expect_mapping_report(log[1], kUnrecognized[4], "STOP");
  EXPECT_EQ(f.unit[0], 1.0);
  EXPECT_EQ(f.unit[4], 1.0);
}

TEST_F(UnitSet, LengthIsReadAsAThirtyTwoBitCount) {
  if (sizeof(lynx_textlen) < 8) GTEST_SKIP() << "text lengths are 32-bit here";
  Factors f;
  const lynx_textlen six_with_high_bits = static_cast<lynx_textlen>((int64_t{1} << 32) + 6);
  KXUNFN_F2C("newton", six_with_high_bits, "kg", 2, "meter", 5, "sec", 3, "deg", 3, f.model,
             f.unit);
  EXPECT_TRUE(host_log().empty());
  EXPECT_EQ(f.unit[4], 0.01745329);
}

#if LYNX_BUILT_kx_kxunfn
TEST_F(UnitSet, ThreeFormsGiveTheSameResults) {
  const Factors a = kxunfn(names60("pound_force", "pound_mass", "inch", "min", "deg"));
  Factors b;
  KXUNFN_F2C("pound_force", 11, "pound_mass", 10, "inch", 4, "min", 3, "deg", 3, b.model, b.unit);
  const Factors c = kx("pound_force", "pound_mass", "inch", "min", "deg");
  EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
  EXPECT_EQ(std::memcmp(&a, &c, sizeof a), 0);
  EXPECT_EQ(a.unit[0], 4.4482216);
  EXPECT_EQ(a.unit[1], 0.45359237);
  EXPECT_EQ(a.unit[2], 0.0254);
  EXPECT_EQ(a.unit[3], 60.0);
}
#else
LYNX_TEST_NOT_BUILT(TEST_F, UnitSet, ThreeFormsGiveTheSameResults, kx_kxunfn)
#endif

}  // namespace
