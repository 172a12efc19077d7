// Property-file units: kx_read_file_units with its defaults and warnings,
// ATRTOU with its errors, and both alongside KXUNFN on several threads.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "lynx/units.h"
#include "nolt_host.h"
#include "support/host_log.hpp"
#include "support/built.hpp"

using lynx_test::host_log;
using lynx_test::padded;

namespace {

const char *const kKeys[5] = {"FORCE", "MASS", "LENGTH", "TIME", "ANGLE"};
const char *const kWarnings[5] = {
    "Force units undefined : Using newtons", "Mass units undefined : Using kilograms",
    "Length units undefined : Using meters", "Time units undefined : Using seconds",
    "Angle units undefined : Using radians"};
const char *const kMissing[5] = {
    "TIRE PROP FILE FORCE UNITS UNDEFINED", "TIRE PROP FILE MASS UNITS UNDEFINED",
    "TIRE PROP FILE LENGTH UNITS UNDEFINED", "TIRE PROP FILE TIME UNITS UNDEFINED",
    "TIRE PROP FILE ANGLE UNITS UNDEFINED"};

// A non-SI units block, keys in the file's own order.
const char *const kValues[5] = {"kg_force", "gram", "mm", "millisecond", "deg"};

// A property file whose UNITS block holds the keys of mask (bit q: key q).
std::string units_file(unsigned mask) {
  std::string text = "$ tire data\n[MODEL]\nPROPERTY_FILE_FORMAT = 'PAC2002'\n[UNITS]\n";
  for (int q = 4; q >= 0; --q) {
    if (mask & (1u << q)) text += std::string(kKeys[q]) + " = '" + kValues[q] + "'\n";
  }
  return text + "[DIMENSION]\nUNLOADED_RADIUS = 310\n";
}

struct Factors {
  double model[5] = {-7, -7, -7, -7, -7};
  double unit[5] = {-7, -7, -7, -7, -7};
  bool operator==(const Factors &o) const { return std::memcmp(this, &o, sizeof o) == 0; }
};

class FileUnits : public lynx_test::HostTest {
 protected:
  void TearDown() override {
    for (intptr_t h : handles_) nolt_close(h);
  }
  intptr_t open(const std::string &text) {
    char error[256] = "";
    const intptr_t h = nolt_open_text("units.tir", text.data(), text.size(), error, sizeof error);
    EXPECT_NE(h, 0) << error;
    handles_.push_back(h);
    return h;
  }
  static Factors read(intptr_t source, int32_t identifier) {
    Factors f;
    kx_read_file_units(source, identifier, f.model, f.unit);
    return f;
  }
#if LYNX_BUILT_kx_kxunfn
  static Factors by_names(const char *force, const char *mass, const char *length, const char *time,
                          const char *angle) {
    Factors f;
    kx_kxunfn(force, mass, length, time, angle, f.model, f.unit);
    return f;
  }
#endif

 private:
  std::vector<intptr_t> handles_;
};

TEST_F(FileUnits, CompleteBlockIsConvertedWithoutReports) {
  ASSERT_EQ(hxhost_set_model_units("S_,MM,N_,KG"), 0);
  const Factors f = read(open(units_file(0x1f)), 17);
  EXPECT_TRUE(host_log().empty());
  EXPECT_EQ(f.unit[0], 9.80665);
  EXPECT_EQ(f.unit[1], 0.001);
  EXPECT_EQ(f.unit[2], 0.001);
  EXPECT_EQ(f.unit[3], 0.001);
  EXPECT_EQ(f.unit[4], 0.01745329);
  EXPECT_EQ(f.model[0], 9.80665);
  EXPECT_EQ(f.model[2], 0.001 / 0.001);
  EXPECT_EQ(f.model[4], 0.01745329);
}

#if LYNX_BUILT_kx_kxunfn
TEST_F(FileUnits, EachMissingKeyGivesOneWarningAndItsDefault) {
  const char *defaults[5] = {"newton", "kg", "meter", "second", "radian"};
  for (int q = 0; q < 5; ++q) {
    const intptr_t source = open(units_file(0x1fu & ~(1u << q)));
    const char *names[5] = {kValues[0], kValues[1], kValues[2], kValues[3], kValues[4]};
    names[q] = defaults[q];
    const Factors expected = by_names(names[0], names[1], names[2], names[3], names[4]);
    ASSERT_TRUE(host_log().empty());

    const Factors f = read(source, 4711);
    EXPECT_TRUE(f == expected) << "key " << kKeys[q];
    EXPECT_EQ(f.unit[q], 1.0);
    const auto log = host_log();
    ASSERT_EQ(log.size(), 1u) << "key " << kKeys[q];
    EXPECT_EQ(log[0].routine, HXHOST_C_ERRMES);
    EXPECT_EQ(log[0].text, kWarnings[q]);
    EXPECT_EQ(log[0].flag, 1);
    EXPECT_EQ(log[0].identifier, 4711);
    EXPECT_EQ(log[0].end_word, "WARN");
    hxhost_log_clear();
  }
}

TEST_F(FileUnits, EmptyBlockGivesFiveWarningsInOrderAndTheDefaults) {
  ASSERT_EQ(hxhost_set_model_units("HR,KM,KN,G_"), 0);
  const Factors expected = by_names("newton", "kg", "meter", "second", "radian");
  const Factors f = read(open("[UNITS]\n"), -3);
  EXPECT_TRUE(f == expected);
  EXPECT_EQ(f.model[0], 1.0 / 1000.0);
  EXPECT_EQ(f.model[1], 1.0 / 0.001);
  EXPECT_EQ(f.model[3], 1.0 / 3600.0);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 5u);
  for (int q = 0; q < 5; ++q) {
    EXPECT_EQ(log[q].text, kWarnings[q]);
    EXPECT_EQ(log[q].identifier, -3);
    EXPECT_EQ(log[q].end_word, "WARN");
  }
}
#else
LYNX_TEST_NOT_BUILT(TEST_F, FileUnits, EachMissingKeyGivesOneWarningAndItsDefault, kx_kxunfn)
LYNX_TEST_NOT_BUILT(TEST_F, FileUnits, EmptyBlockGivesFiveWarningsInOrderAndTheDefaults, kx_kxunfn)
#endif

TEST_F(FileUnits, UnknownSourceReadsAsAllMissing) {
  const Factors f = read(987654, 5);
  // Per key the reader's report of the unknown source, then the warning.
  EXPECT_EQ(host_log().size(), 10u);
  for (double v : f.unit) EXPECT_EQ(v, 1.0);
}

TEST_F(FileUnits, PresentValueIsHandedOnAsReadEvenWhenEmpty) {
  const Factors f = read(open("[UNITS]\nFORCE='newton'\nMASS='kg'\nLENGTH='meter'\n"
                              "TIME='sec'\nANGLE=''\n"),
                         8);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  // An empty value is no missing key: it reaches the mapping as an empty
  // name, which is unrecognised.
  EXPECT_EQ(log[0].routine, HXHOST_ERRMES);
  EXPECT_EQ(log[0].text, padded(" Unrecognized Type of Angle Units", 80));
  EXPECT_EQ(log[0].identifier, 900);
  EXPECT_EQ(log[1].text, "KXCONV: Program Fault Unknown angle units:  ");
  EXPECT_EQ(f.unit[4], 1.0);
}

TEST_F(FileUnits, BlankValueTakesTheModelsUnit) {
  ASSERT_EQ(hxhost_set_model_units("S_,FT,N_,KG"), 0);
  const Factors f = read(open("[UNITS]\nFORCE='newton'\nMASS='kg'\nLENGTH='  '\n"
                              "TIME='sec'\nANGLE='rad'\n"),
                         8);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, padded(" Undefined -> Length Units Set to Model Units", 80));
  EXPECT_EQ(log[0].end_word, "WARN");
  EXPECT_EQ(f.unit[2], 0.3048);
  EXPECT_EQ(f.model[2], 1.0);
}

TEST_F(FileUnits, AtrtouReadsTheFiveNamesBlankPadded) {
  open(units_file(0x1f));
  std::string names(60, '#');
  const int32_t id = 12;
  ATRTOU(&id, names.data(), 60);
  EXPECT_EQ(names, padded("kg_force", 12) + padded("gram", 12) + padded("mm", 12) +
                       padded("millisecond", 12) + padded("deg", 12));
  EXPECT_TRUE(host_log().empty());
}

TEST_F(FileUnits, AtrtouReportsEachMissingKeyAndLeavesItsElement) {
  open(units_file(0x1fu & ~1u & ~8u));  // FORCE and TIME missing
  std::string names(61, '#');
  const int32_t id = 42;
  ATRTOU(&id, names.data(), 60);
  EXPECT_EQ(names, std::string(12, '#') + padded("gram", 12) + padded("mm", 12) +
                       std::string(12, '#') + padded("deg", 12) + "#");
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].routine, HXHOST_ERRMES);
  EXPECT_EQ(log[0].text, kMissing[0]);
  EXPECT_EQ(log[0].text.size(), 36u);
  EXPECT_EQ(log[1].text, kMissing[3]);
  EXPECT_EQ(log[1].text.size(), 35u);
  for (const auto &m : log) {
    EXPECT_EQ(m.identifier, 42);
    EXPECT_EQ(m.flag & 1, 1);
    EXPECT_EQ(m.end_word, "STOP");
  }
}

TEST_F(FileUnits, AtrtouReportsEveryKeyOfAnEmptyBlockWithItsExactLength) {
  open("[UNITS]\n");
  std::string names(60, '#');
  const int32_t id = 0;
  ATRTOU(&id, names.data(), 60);
  EXPECT_EQ(names, std::string(60, '#'));
  const auto log = host_log();
  ASSERT_EQ(log.size(), 5u);
  const size_t lengths[5] = {36, 35, 37, 35, 36};
  for (int q = 0; q < 5; ++q) {
    EXPECT_EQ(log[q].text, kMissing[q]);
    EXPECT_EQ(log[q].text.size(), lengths[q]);
  }
}

TEST_F(FileUnits, AtrtouUsesTwelveCharacterElementsWhateverLengthIsPassed) {
  open(units_file(0x1f));
  const std::string expected = padded("kg_force", 12) + padded("gram", 12) + padded("mm", 12) +
                               padded("millisecond", 12) + padded("deg", 12) + "##";
  for (lynx_textlen length : {lynx_textlen{0}, lynx_textlen{2}, lynx_textlen{11}, lynx_textlen{13},
                              lynx_textlen{80}, lynx_textlen{-1}}) {
    std::string names(62, '#');
    const int32_t id = 1;
    ATRTOU(&id, names.data(), length);
    EXPECT_EQ(names, expected) << "passed length " << length;
  }
}

TEST_F(FileUnits, AtrtouReadsTheReadersCurrentFile) {
  const intptr_t first = open(units_file(0x1f));
  open("[UNITS]\nFORCE='dyne'\nMASS='slug'\nLENGTH='km'\nTIME='hour'\nANGLE='rad'\n");
  std::string names(60, '#');
  const int32_t id = 1;
  ATRTOU(&id, names.data(), 60);
  EXPECT_EQ(names.substr(0, 12), padded("dyne", 12));
  ASSERT_EQ(nolt_select(first), 0);
  ATRTOU(&id, names.data(), 60);
  EXPECT_EQ(names.substr(0, 12), padded("kg_force", 12));
}

// Every routine keeps its working values in the call: several threads that
// convert at once get exactly the single-threaded results.
TEST_F(FileUnits, ConcurrentCallsGiveTheSingleThreadedResults) {
  const double scales[4] = {0.001, 0.001, 1.0, 1000.0};
  hxhost_set_model_units_raw("MSMMN_TN", scales);
  const intptr_t files[3] = {open(units_file(0x1f)), open(units_file(0x1fu & ~2u)),
                             open("[UNITS]\nFORCE='pound_force'\nMASS='slug'\nLENGTH='inch'\n"
                                  "TIME='hour'\nANGLE='rad'\n")};
  const std::string name_sets[3] = {padded("newton", 12) + padded("kg", 12) + padded("mm", 12) +
                                        padded("sec", 12) + padded("deg", 12),
                                    padded("kpound_force", 12) + padded("ounce_mass", 12) +
                                        padded("mile", 12) + padded("min", 12) + padded("rad", 12),
                                    padded("dyne", 12) + padded("", 12) + padded("cm", 12) +
                                        padded("hour", 12) + padded("degrees", 12)};
  Factors from_file[3];
  Factors from_names[3];
  for (int k = 0; k < 3; ++k) {
    from_file[k] = read(files[k], 7);
    KXUNFN(name_sets[k].data(), 60, from_names[k].model, from_names[k].unit);
  }
  // The three files and three name sets differ from one another.
  EXPECT_FALSE(from_file[0] == from_file[2]);
  EXPECT_FALSE(from_names[0] == from_names[1]);

  constexpr int kThreads = 4;
  constexpr int kRounds = 300;
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int r = 0; r < kRounds; ++r) {
        const int k = (r + t) % 3;
        const Factors f = read(files[k], 7);
        if (!(f == from_file[k])) ++mismatches[t];
        Factors g;
        KXUNFN(name_sets[k].data(), 60, g.model, g.unit);
        if (!(g == from_names[k])) ++mismatches[t];
      }
    });
  }
  for (std::thread &th : threads) th.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
