// kx_read_file_units against a scripted property-file reader: this program
// defines rto_read_quoted_string itself, so the library's calls reach the
// script instead of the stand-in reader.  The script records what it was
// asked and writes exactly the bytes it is given, terminator or not.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "lynx/units.h"
#include "nolt.h"
#include "support/host_log.hpp"
#include "support/platform.hpp"

using lynx_test::host_log;

namespace {

struct ScriptedValue {
  bool present;       // the result: found or not
  std::string bytes;  // written into the 12-byte buffer as they are, found or not
};

struct Call {
  intptr_t source;
  std::string block;
  std::string key;
};

ScriptedValue g_script[5];
std::vector<Call> g_calls;

int key_index(const char *key) {
  const char *keys[5] = {"FORCE", "MASS", "LENGTH", "TIME", "ANGLE"};
  for (int q = 0; q < 5; ++q) {
    if (std::strcmp(key, keys[q]) == 0) return q;
  }
  return -1;
}

}  // namespace

extern "C" NOLT_API int32_t rto_read_quoted_string(intptr_t source, const char *block,
                                                   const char *key, char *value) {
  g_calls.push_back(Call{source, block, key});
  const int q = key_index(key);
  if (q < 0) return 0;
  std::memcpy(value, g_script[q].bytes.data(), g_script[q].bytes.size());
  return g_script[q].present ? 1 : 0;
}
LYNX_TEST_ANSWERS_FOR(nolt, rto_read_quoted_string);

namespace {

class ScriptedReader : public lynx_test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    g_calls.clear();
    for (ScriptedValue &v : g_script) v = ScriptedValue{false, ""};
  }
};

TEST_F(ScriptedReader, AsksForEveryKeyOfBlockUnitsInOrderWithTheCallersSource) {
  double model[5];
  double unit[5];
  const intptr_t source = static_cast<intptr_t>(0x5eed0000beefLL);
  kx_read_file_units(source, 3, model, unit);
  ASSERT_EQ(g_calls.size(), 5u);
  const char *keys[5] = {"FORCE", "MASS", "LENGTH", "TIME", "ANGLE"};
  for (int q = 0; q < 5; ++q) {
    EXPECT_EQ(g_calls[q].source, source);
    EXPECT_EQ(g_calls[q].block, "UNITS");
    EXPECT_EQ(g_calls[q].key, keys[q]);
  }
  EXPECT_EQ(host_log().size(), 5u);
}

TEST_F(ScriptedReader, ValuesWithoutTerminatorAreTakenAsTwelveCharacters) {
  // Twelve characters and no NUL in every buffer: each name is measured
  // within its own buffer (an unbounded measure would run past the last).
  const char *values[5] = {"KPOUND_FORCE", "kpound_massx", "FOOT_AND_MOR", "MILLISECONDS",
                           "DEGREES_OF_A"};
  for (int q = 0; q < 5; ++q) g_script[q] = ScriptedValue{true, std::string(values[q], 12)};
  double model[5];
  double unit[5];
  kx_read_file_units(1, 3, model, unit);
  EXPECT_TRUE(host_log().empty());
  EXPECT_EQ(unit[0], 4448.2216);
  EXPECT_EQ(unit[1], 453.59237);
  EXPECT_EQ(unit[2], 0.3048);
  EXPECT_EQ(unit[3], 0.001);
  EXPECT_EQ(unit[4], 0.01745329);
}

TEST_F(ScriptedReader, NameEndsAtItsTerminatorNotAtTheBuffersEnd) {
  // "N" then a NUL: the one-letter force name; the bytes after the NUL do
  // not count.  "DE" then a NUL and "G": too short for "DEG".
  g_script[0] = ScriptedValue{true, std::string("N\0EWTONXXXXX", 12)};
  g_script[1] = ScriptedValue{true, std::string("kg\0", 3)};
  g_script[2] = ScriptedValue{true, std::string("mm\0", 3)};
  g_script[3] = ScriptedValue{true, std::string("sec\0", 4)};
  g_script[4] = ScriptedValue{true, std::string("DE\0G", 4)};
  double model[5];
  double unit[5];
  kx_read_file_units(1, 3, model, unit);
  EXPECT_EQ(unit[0], 1.0);
  EXPECT_EQ(unit[2], 0.001);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].text, lynx_test::padded(" Unrecognized Type of Angle Units", 80));
  EXPECT_EQ(log[1].text, "KXCONV: Program Fault Unknown angle units:  ");
}

TEST_F(ScriptedReader, MissingKeysAreReplacedWhateverTheReaderLeftInTheBuffer) {
  g_script[0] = ScriptedValue{true, std::string("kn\0", 3)};
  g_script[1] = ScriptedValue{false, std::string("GARBAGEGARBA", 12)};
  g_script[2] = ScriptedValue{true, std::string("km\0", 3)};
  g_script[3] = ScriptedValue{false, std::string("hour\0", 5)};
  g_script[4] = ScriptedValue{true, std::string("deg\0", 4)};
  double model[5];
  double unit[5];
  kx_read_file_units(1, 77, model, unit);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].text, "Mass units undefined : Using kilograms");
  EXPECT_EQ(log[0].identifier, 77);
  EXPECT_EQ(log[1].text, "Time units undefined : Using seconds");
  EXPECT_EQ(unit[0], 1000.0);
  EXPECT_EQ(unit[1], 1.0);
  EXPECT_EQ(unit[2], 1000.0);
  EXPECT_EQ(unit[3], 1.0);
  EXPECT_EQ(unit[4], 0.01745329);
}

}  // namespace
