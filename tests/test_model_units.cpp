// The model-unit queries and KXUNMP: the model's scales one by one, and the
// name mapping on its own.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "lynx/units.h"
#include "support/host_log.hpp"

using lynx_test::host_log;
using lynx_test::padded;

namespace {

class ModelUnits : public lynx_test::HostTest {};

TEST_F(ModelUnits, EachQueryReturnsItsOwnScaleOfTheHostsFour) {
  // Host order: time, length, force, mass.
  const double scales[4] = {1.0, 0.001, 1.0, 1000.0};
  hxhost_set_model_units_raw("S_MMN_XX", scales);
  EXPECT_EQ(GET_TIME_CONV(), 1.0);
  EXPECT_EQ(GET_LENGTH_CONV(), 0.001);
  EXPECT_EQ(GET_FORCE_CONV(), 1.0);
  EXPECT_EQ(GET_MASS_CONV(), 1000.0);
  const double distinct[4] = {2.0, 3.0, 5.0, 7.0};
  hxhost_set_model_units_raw("S_M_N_KG", distinct);
  EXPECT_EQ(GET_TIME_CONV(), 2.0);
  EXPECT_EQ(GET_LENGTH_CONV(), 3.0);
  EXPECT_EQ(GET_FORCE_CONV(), 5.0);
  EXPECT_EQ(GET_MASS_CONV(), 7.0);
  EXPECT_TRUE(host_log().empty());
}

TEST_F(ModelUnits, ZeroAndNegativeScalesAreReturnedUnchecked) {
  const double scales[4] = {0.0, -0.0, -4.5, -1e-300};
  hxhost_set_model_units_raw("S_M_N_KG", scales);
  EXPECT_EQ(GET_TIME_CONV(), 0.0);
  EXPECT_FALSE(std::signbit(GET_TIME_CONV()));
  EXPECT_TRUE(std::signbit(GET_LENGTH_CONV()));
  EXPECT_EQ(GET_FORCE_CONV(), -4.5);
  EXPECT_EQ(GET_MASS_CONV(), -1e-300);
  EXPECT_TRUE(host_log().empty());
}

TEST_F(ModelUnits, EveryQueryAsksTheHostAgain) {
  const long before = hxhost_gtunts_calls();
  EXPECT_EQ(GET_LENGTH_CONV(), 1.0);
  ASSERT_EQ(hxhost_set_model_units("S_,MM,N_,KG"), 0);
  EXPECT_EQ(GET_LENGTH_CONV(), 0.001);
  EXPECT_EQ(hxhost_gtunts_calls() - before, 2);
}

TEST_F(ModelUnits, WithoutAUnitsStatementEachQueryReportsAndAnswersOne) {
  const double scales[4] = {2.0, 3.0, 5.0, 7.0};
  hxhost_set_model_units_raw("S_M_N_KG", scales);
  hxhost_set_units_statement(0);
  EXPECT_EQ(GET_TIME_CONV(), 1.0);
  EXPECT_EQ(GET_MASS_CONV(), 1.0);
  EXPECT_EQ(GET_LENGTH_CONV(), 1.0);
  EXPECT_EQ(GET_FORCE_CONV(), 1.0);
  const char *texts[4] = {"get_time_conv: no UNITS statement in dataset.",
                          "get_mass_conv: no UNITS statement in dataset.",
                          "get_length_conv: no UNITS statement in dataset.",
                          "get_force_conv: no UNITS statement in dataset."};
  const auto log = host_log();
  ASSERT_EQ(log.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(log[i].routine, HXHOST_ERRMES);
    EXPECT_EQ(log[i].text, padded(texts[i], 80));
    EXPECT_EQ(log[i].flag & 1, 1);
    EXPECT_EQ(log[i].identifier, 0);
    EXPECT_EQ(log[i].end_word, "STOP");
  }
  // Each call reports again.
  GET_FORCE_CONV();
  EXPECT_EQ(host_log().size(), 5u);
}

class Kxunmp : public lynx_test::HostTest {
 protected:
  static std::string names60(const std::string &force, const std::string &mass,
                             const std::string &length, const std::string &time,
                             const std::string &angle) {
    return padded(force, 12) + padded(mass, 12) + padded(length, 12) + padded(time, 12) +
           padded(angle, 12);
  }
  // Maps the names into a code text that starts as "##########" and has
  // a sentinel after its ten characters; returns all eleven.
  static std::string map(const std::string &names) {
    std::string codes(11, '#');
    KXUNMP(names.data(), 3, codes.data(), 1);
    return codes;
  }
};

TEST_F(Kxunmp, LowerCaseNamesGiveCodesAndStayLowerCase) {
  const std::string original = names60("newton", "kg", "mm", "sec", "deg");
  std::string names = original;
  std::string codes(11, '#');
  KXUNMP(names.data(), 60, codes.data(), 10);
  EXPECT_EQ(codes, "N_KGMMS_DE#");
  EXPECT_EQ(names, original);
  EXPECT_TRUE(host_log().empty());
}

TEST_F(Kxunmp, BlankNamesGiveTheModelsCodesAndRadianWithFiveWarnings) {
  const double scales[4] = {1.0, 1.0, 1.0, 1.0};
  hxhost_set_model_units_raw("HRINPFSL", scales);
  EXPECT_EQ(map(std::string(60, ' ')), "PFSLINHRRA#");
  const char *texts[5] = {" Undefined -> Force Units Set to Model Units",
                          " Undefined -> Mass Units Set to Model Units",
                          " Undefined -> Length Units Set to Model Units",
                          " Undefined -> Time Units Set to Model Units",
                          " Undefined -> Angle Units Set to Model Units"};
  const auto log = host_log();
  ASSERT_EQ(log.size(), 5u);
  for (int q = 0; q < 5; ++q) {
    EXPECT_EQ(log[q].text, padded(texts[q], 80));
    EXPECT_EQ(log[q].identifier, 900);
    EXPECT_EQ(log[q].end_word, "WARN");
  }
}

TEST_F(Kxunmp, ModelsCodesAreUsedEvenWithoutAUnitsStatement) {
  ASSERT_EQ(hxhost_set_model_units("MS,CM,KN,G_"), 0);
  hxhost_set_units_statement(0);
  EXPECT_EQ(map(names60("", "", "", "", "")), "KNG_CMMSRA#");
  EXPECT_EQ(host_log().size(), 5u);
}

TEST_F(Kxunmp, UnrecognisedSlotKeepsTheCallersContent) {
  EXPECT_EQ(map(names60("kilonewton", "kg", "mm", "hours", "radians")), "##KGMMHRRA#");
  const auto log = host_log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, padded(" Unrecognized Type of Force Units", 80));
  EXPECT_EQ(log[0].identifier, 900);
  EXPECT_EQ(log[0].end_word, "STOP");
}

TEST_F(Kxunmp, LeadingBlankBeforeANameIsNeitherBlankNorRecognised) {
  EXPECT_EQ(map(names60("newton", " KG", "  meter", "sec", "rad")), "N_##M_S_RA#");
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].text, padded(" Unrecognized Type of Mass Units", 80));
  EXPECT_EQ(log[0].end_word, "STOP");
  EXPECT_EQ(log[1].text, padded(" Undefined -> Length Units Set to Model Units", 80));
  EXPECT_EQ(log[1].end_word, "WARN");
}

TEST_F(Kxunmp, AsksTheHostOnceEvenWithoutBlankNames) {
  const long before = hxhost_gtunts_calls();
  map(names60("newton", "kg", "mm", "sec", "deg"));
  EXPECT_EQ(hxhost_gtunts_calls() - before, 1);
}

}  // namespace
