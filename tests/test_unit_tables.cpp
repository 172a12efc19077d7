// The unit-name table through the name mapping: every row, the order of the
// rows, and the traps of leading-character recognition.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/text.hpp"
#include "support/host_log.hpp"
#include "units/mapping.hpp"

using lynx_test::host_log;
using lynx_test::padded;

namespace {

class NameMapping : public lynx_test::HostTest {
 protected:
  // Maps one name in the slot of quantity q (the other slots hold good
  // names); returns the code, or "--" when the name got none.
  std::string code_of(int q, const std::string &name) {
    const std::string good[5] = {"N", "KG", "METER", "SEC", "RAD"};
    std::string names[5];
    lynx::text::Text views[5];
    for (int i = 0; i < 5; ++i) {
      names[i] = padded(i == q ? name : good[i], 12);
      views[i] = lynx::text::Text{names[i].data(), 12};
    }
    char codes[10];
    std::fill(codes, codes + 10, '-');
    const unsigned mapped = lynx::units::map_names(views, codes);
    EXPECT_EQ((mapped >> q) & 1u, std::string(codes + 2 * q, 2) != "--" ? 1u : 0u);
    return std::string(codes + 2 * q, 2);
  }
};

struct NameCase {
  int quantity;
  const char *name;
  const char *code;  // "--": unrecognised
};

const NameCase kNames[] = {
    // force
    {0, "KG_FORCE", "KF"},
    {0, "newton", "N_"},
    {0, "Newtons", "N_"},
    {0, "nanonewton", "N_"},
    {0, "n", "N_"},
    {0, "knewton", "KN"},
    {0, "kn", "KN"},
    {0, "kilonewton", "--"},
    {0, "pound_force", "PF"},
    {0, "kpound_force", "KP"},
    {0, "dyne", "D_"},
    {0, "ounce_force", "OF"},
    {0, "pound", "--"},
    {0, "kg", "--"},
    // mass
    {1, "kg", "KG"},
    {1, "kgs", "KG"},
    {1, "gram", "G_"},
    {1, "grams", "G_"},
    {1, "pound_mass", "LB"},
    {1, "kpound_mass", "KP"},
    {1, "slug", "SL"},
    {1, "ounce_mass", "OZ"},
    {1, "kilogram", "--"},
    {1, "pound", "--"},
    {1, "lb", "--"},
    // length
    {2, "km", "KM"},
    {2, "meter", "M_"},
    {2, "meters", "M_"},
    {2, "cm", "CM"},
    {2, "mm", "MM"},
    {2, "mile", "MI"},
    {2, "foot", "FT"},
    {2, "in", "IN"},
    {2, "inch", "IN"},
    {2, "millimeter", "--"},
    {2, "centimeter", "--"},
    {2, "kilometer", "--"},
    {2, "metre", "--"},
    {2, "feet", "--"},
    // time
    {3, "millisecond", "MS"},
    {3, "milli", "MS"},
    {3, "sec", "S_"},
    {3, "second", "S_"},
    {3, "min", "M_"},
    {3, "minutes", "M_"},
    {3, "hour", "HR"},
    {3, "hours", "HR"},
    {3, "ms", "--"},
    // angle
    {4, "deg", "DE"},
    {4, "degrees", "DE"},
    {4, "rad", "RA"},
    {4, "radians", "RA"},
    {4, "grad", "--"},
};

TEST_F(NameMapping, EveryRowAndTheTraps) {
  for (const NameCase &c : kNames) {
    EXPECT_EQ(code_of(c.quantity, c.name), c.code)
        << "'" << c.name << "' in slot " << c.quantity + 1;
  }
}

TEST_F(NameMapping, BlankNamesTakeTheModelsUnitsWithWarnings) {
  ASSERT_EQ(hxhost_set_model_units("MS,FT,PF,SL"), 0);
  std::string blank = padded("", 12);
  lynx::text::Text views[5];
  for (auto &v : views) v = lynx::text::Text{blank.data(), 12};
  char codes[10];
  EXPECT_EQ(lynx::units::map_names(views, codes), 0x1Fu);
  EXPECT_EQ(std::string(codes, 10), "PFSLFTMSRA");
  EXPECT_EQ(hxhost_gtunts_calls(), 1);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 5u);
  const char *texts[5] = {" Undefined -> Force Units Set to Model Units",
                          " Undefined -> Mass Units Set to Model Units",
                          " Undefined -> Length Units Set to Model Units",
                          " Undefined -> Time Units Set to Model Units",
                          " Undefined -> Angle Units Set to Model Units"};
  for (int q = 0; q < 5; ++q) {
    EXPECT_EQ(log[q].text, padded(texts[q], 80));
    EXPECT_EQ(log[q].identifier, 900);
    EXPECT_EQ(log[q].end_word, "WARN");
  }
}

TEST_F(NameMapping, TwoLeadingBlanksMakeANameBlankWhateverFollows) {
  EXPECT_EQ(code_of(2, "  meter"), "M_");  // the model's length unit
  const auto log = host_log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, padded(" Undefined -> Length Units Set to Model Units", 80));
}

TEST_F(NameMapping, OneLeadingBlankIsNeitherBlankNorRecognised) {
  EXPECT_EQ(code_of(1, " KG"), "--");
  const auto log = host_log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, padded(" Unrecognized Type of Mass Units", 80));
  EXPECT_EQ(log[0].end_word, "STOP");
  EXPECT_EQ(log[0].identifier, 900);
}

TEST_F(NameMapping, UnrecognisedNamesAreReportedInOrderAndMappingGoesOn) {
  std::string names[5] = {padded("kilonewton", 12), padded("kg", 12), padded("metre", 12),
                          padded("sec", 12), padded("turns", 12)};
  lynx::text::Text views[5];
  for (int i = 0; i < 5; ++i) views[i] = lynx::text::Text{names[i].data(), 12};
  char codes[11] = "##########";
  EXPECT_EQ(lynx::units::map_names(views, codes), 0x0Au);
  EXPECT_EQ(std::string(codes, 10), "##KG##S_##");
  const auto log = host_log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].text, padded(" Unrecognized Type of Force Units", 80));
  EXPECT_EQ(log[1].text, padded(" Unrecognized Type of Length Units", 80));
  EXPECT_EQ(log[2].text, padded(" Unrecognized Type of Angle Units", 80));
  // The caller's names are not changed.
  EXPECT_EQ(names[0], padded("kilonewton", 12));
}

TEST_F(NameMapping, ShortNamesHaveOnlyTheirOwnCharacters) {
  // An empty name is unrecognised, not blank; one blank is not blank either.
  std::string names[5] = {"", " ", "MMX", "S", "DEG"};
  lynx::text::Text views[5];
  for (int i = 0; i < 5; ++i) {
    views[i] = lynx::text::Text{names[i].data(), static_cast<int32_t>(names[i].size())};
  }
  char codes[10];
  std::fill(codes, codes + 10, '#');
  EXPECT_EQ(lynx::units::map_names(views, codes), 0x14u);
  EXPECT_EQ(std::string(codes, 10), "####MM##DE");
  EXPECT_EQ(host_log().size(), 3u);
}

TEST_F(NameMapping, OnlyTheFirstTwelveCharactersCount) {
  // "KPOUND_FORCE" is exactly twelve characters; a thirteenth is never read.
  std::string long_name = "KPOUND_FORCEXYZ";
  std::string names[5] = {long_name, "KG", "MM", "SEC", "RAD"};
  lynx::text::Text views[5];
  for (int i = 0; i < 5; ++i) {
    views[i] = lynx::text::Text{names[i].data(), static_cast<int32_t>(names[i].size())};
  }
  char codes[10];
  EXPECT_EQ(lynx::units::map_names(views, codes), 0x1Fu);
  EXPECT_EQ(std::string(codes, 2), "KP");
}

}  // namespace
