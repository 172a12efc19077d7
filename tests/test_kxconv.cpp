// Unit codes to factors, and KXCONV's reports word for word.
#include <gtest/gtest.h>

#include <string>

#include "lynx/units.h"
#include "support/host_log.hpp"

using lynx_test::host_log;

namespace {

class Kxconv : public lynx_test::HostTest {
 protected:
  // Converts five codes given as "FFMMLLTTAA"; returns the codes as left.
  std::string convert(std::string codes, double factors[5]) {
    KXCONV(codes.data(), static_cast<lynx_textlen>(codes.size()), factors);
    return codes;
  }
};

struct CodeCase {
  int slot;
  const char *code;
  double factor;
};

// The code table, written out: every code of every quantity.
const CodeCase kCodes[] = {
    {0, "KF", 9.80665},    {0, "N_", 1.0},
    {0, "KN", 1000.0},     {0, "PF", 4.4482216},
    {0, "KP", 4448.2216},  {0, "D_", 1.0e-5},
    {0, "OF", 0.27801385}, {0, "MN", 0.001},
    {0, "CN", 0.01},       {0, "PL", 0.138254954376},
    {1, "KG", 1.0},        {1, "G_", 0.001},
    {1, "LB", 0.45359237}, {1, "KP", 453.59237},
    {1, "SL", 14.593902},  {1, "OZ", 0.028349523},
    {2, "KM", 1000.0},     {2, "M_", 1.0},
    {2, "CM", 0.01},       {2, "MM", 0.001},
    {2, "MI", 1609.344},   {2, "FT", 0.3048},
    {2, "IN", 0.0254},     {3, "HR", 3600.0},
    {3, "M_", 60.0},       {3, "S_", 1.0},
    {3, "MS", 0.001},      {4, "RA", 1.0},
    {4, "DE", 0.01745329},
};

TEST_F(Kxconv, EveryCodeOfTheTableGivesItsFactor) {
  for (const CodeCase &c : kCodes) {
    std::string codes = "N_KGM_S_RA";
    codes.replace(2 * c.slot, 2, c.code);
    double factors[5];
    convert(codes, factors);
    EXPECT_EQ(factors[c.slot], c.factor) << c.code << " in slot " << c.slot + 1;
    for (int q = 0; q < 5; ++q) {
      if (q != c.slot) {
        EXPECT_EQ(factors[q], 1.0);
      }
    }
  }
  EXPECT_TRUE(host_log().empty());
}

TEST_F(Kxconv, LowerCaseCodesAreAcceptedAndComeBackUpperCased) {
  double factors[5] = {7, 7, 7, 7, 7};
  EXPECT_EQ(convert("n_kgm_s_ra", factors), "N_KGM_S_RA");
  for (double f : factors) EXPECT_EQ(f, 1.0);
  EXPECT_TRUE(host_log().empty());
}

TEST_F(Kxconv, ImperialSet) {
  double factors[5];
  convert("PFLBINS_DE", factors);
  EXPECT_EQ(factors[0], 4.4482216);
  EXPECT_EQ(factors[1], 0.45359237);
  EXPECT_EQ(factors[2], 0.0254);
  EXPECT_EQ(factors[3], 1.0);
  EXPECT_EQ(factors[4], 0.01745329);
}

TEST_F(Kxconv, SameCodeMeansDifferentUnitsInDifferentSlots) {
  double factors[5];
  convert("KPKPM_M_RA", factors);
  EXPECT_EQ(factors[0], 4448.2216);  // kilopound force
  EXPECT_EQ(factors[1], 453.59237);  // kilopound mass
  EXPECT_EQ(factors[2], 1.0);        // metre
  EXPECT_EQ(factors[3], 60.0);       // minute
}

TEST_F(Kxconv, CodesOfAnotherQuantityAreUnknown) {
  double factors[5];
  convert("KGN_S_M_DE", factors);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].text, "KXCONV: Program Fault Unknown force units:KG");
  EXPECT_EQ(log[1].text, "KXCONV: Program Fault Unknown mass units:N_");
  EXPECT_EQ(log[2].text, "KXCONV: Program Fault Unknown length units:S_");
  EXPECT_EQ(factors[3], 60.0);
  EXPECT_EQ(factors[4], 0.01745329);
}

TEST_F(Kxconv, UnknownForceCodeIsReportedWordForWord) {
  double factors[5] = {0, 0, 0, 0, 0};
  convert("XXKGM_S_RA", factors);
  for (double f : factors) EXPECT_EQ(f, 1.0);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].routine, HXHOST_ERRMES);
  EXPECT_EQ(log[0].text, "KXCONV: Program Fault Unknown force units:XX");
  EXPECT_EQ(log[0].text.size(), 44u);
  EXPECT_EQ(log[0].flag & 1, 1);
  EXPECT_EQ(log[0].identifier, 0);
  EXPECT_EQ(log[0].end_word, "STOP");
}

TEST_F(Kxconv, EveryQuantityReportsWithItsOwnTextAndLength) {
  double factors[5];
  convert("??????????", factors);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 5u);
  const char *expected[5] = {"KXCONV: Program Fault Unknown force units:??",
                             "KXCONV: Program Fault Unknown mass units:??",
                             "KXCONV: Program Fault Unknown length units:??",
                             "KXCONV: Program Fault Unknown time units:??",
                             "KXCONV: Program Fault Unknown angle units:??"};
  const size_t lengths[5] = {44, 43, 45, 43, 44};
  for (int q = 0; q < 5; ++q) {
    EXPECT_EQ(log[q].text, expected[q]);
    EXPECT_EQ(log[q].text.size(), lengths[q]);
    EXPECT_EQ(log[q].identifier, 0);
    EXPECT_EQ(log[q].end_word, "STOP");
    EXPECT_EQ(factors[q], 1.0);
  }
}

TEST_F(Kxconv, OneLetterCodeWithABlankIsUnknownAndTheReportEndsInTheBlank) {
  double factors[5];
  convert("N KGM_S_RA", factors);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, "KXCONV: Program Fault Unknown force units:N ");
  EXPECT_EQ(log[0].text.back(), ' ');
}

TEST_F(Kxconv, ReadsTenCharactersWhateverLengthIsPassed) {
  std::string codes = "mmkgm_s_ra";  // "MM" is not a force code
  codes += "zz";
  double factors[5];
  KXCONV(codes.data(), 2, factors);
  EXPECT_EQ(codes, "MMKGM_S_RAzz");
  const auto log = host_log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, "KXCONV: Program Fault Unknown force units:MM");
}

}  // namespace
