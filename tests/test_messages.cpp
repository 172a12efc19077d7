// Messages built around a marker, informational messages, the host's
// output name and strings, and environment variables into fixed-length
// text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lynx/frame.h"
#include "support/host_log.hpp"
#include "support/platform.hpp"
#include "support/built.hpp"

using lynx_test::host_log;
using lynx_test::padded;

namespace {

// KX_BUILD_MES on message blank-filled to length characters.
std::string build(const std::string &message, size_t length, int32_t limit,
                  const std::string &insert) {
  std::string text = padded(message, length);
  KX_BUILD_MES(text.data(), static_cast<lynx_textlen>(text.size()), &limit, insert.data(),
               static_cast<lynx_textlen>(insert.size()));
  return text;
}

TEST(BuildMes, InsertReplacesTheMarker) {
  EXPECT_EQ(build("Tire $ not found", 80, 80, "FRONT"), padded("Tire FRONT not found", 80));
  EXPECT_EQ(build("$ at the start", 40, 40, "Marker"), padded("Marker at the start", 40));
  EXPECT_EQ(build("at the end $", 40, 40, "X"), padded("at the end X", 40));
}

TEST(BuildMes, WithoutMarkerOrMarkerAtTheLimitTheMessageStays) {
  EXPECT_EQ(build("Tire not found", 80, 80, "FRONT"), padded("Tire not found", 80));
  // "$" at position 6: a limit of 6 (K equal to the limit) or less changes nothing.
  for (int32_t limit : {6, 5, 1, 0, -3}) {
    EXPECT_EQ(build("Tire $ not found", 80, limit, "FRONT"), padded("Tire $ not found", 80))
        << limit;
  }
  // A "$" beyond the meaningful part but inside the text is still found.
  std::string text = padded("no marker here", 30);
  text[29] = '$';
  const std::string before = text;
  const int32_t limit = 30;
  KX_BUILD_MES(text.data(), 30, &limit, "X", 1);
  EXPECT_EQ(text, before);
}

TEST(BuildMes, OnlyTheFirstMarkerCounts) {
  EXPECT_EQ(build("a $ b $ c", 20, 20, "X"), padded("a X b $ c", 20));
}

TEST(BuildMes, OnlyTheMeaningfulPartOfTheInsertIsUsed) {
  EXPECT_EQ(build("Tire $ not found", 40, 40, "LEFT    "), padded("Tire LEFT not found", 40));
  // Leading blanks of the insert are kept.
  EXPECT_EQ(build("Tire $ not found", 40, 40, "  LEFT  "), padded("Tire   LEFT not found", 40));
  // An all-blank insert inserts nothing; the marker still goes.
  EXPECT_EQ(build("Tire $ not found", 40, 40, "      "), padded("Tire  not found", 40));
  EXPECT_EQ(build("Tire $ not found", 40, 40, ""), padded("Tire  not found", 40));
}

TEST(BuildMes, LimitCloseToTheMarkerCutsTheInsert) {
  // K = 7, limit 9: M = limit - K + 1 = 3 characters of the insert, no tail.
  EXPECT_EQ(build("Value $ too large", 30, 9, "ABCDEFG"), padded("Value ABC", 30));
  // K = 7, limit 8: two characters.
  EXPECT_EQ(build("Value $ too large", 30, 8, "ABCDEFG"), padded("Value AB", 30));
}

TEST(BuildMes, ResultIsTheWholeResultCutAtTheLimit) {
  const std::string whole = "Tire FRONT not found; check the data";
  for (int32_t limit = 7; limit <= 60; ++limit) {
    const std::string result = build("Tire $ not found; check the data", 60, limit, "FRONT");
    EXPECT_EQ(result, padded(whole.substr(0, static_cast<size_t>(limit)), 60)) << limit;
  }
}

TEST(BuildMes, ResultIsCutAtTheMessageLength) {
  EXPECT_EQ(build("Tire $ not found", 16, 80, "FRONT"), "Tire FRONT not f");
  // The insert itself is cut when it reaches the end of the message.
  EXPECT_EQ(build("Tire $", 8, 80, "FRONT"), "Tire FRO");
}

TEST(BuildMes, EmptyOrNegativeMessageLengthChangesNothing) {
  char text[8] = {'$', '$', '$', '$', '$', '$', '$', '$'};
  const int32_t limit = 8;
  KX_BUILD_MES(text, 0, &limit, "X", 1);
  KX_BUILD_MES(text, -4, &limit, "X", 1);
  EXPECT_EQ(std::string(text, 8), "$$$$$$$$");
}

// Lengths are read as 32-bit counts: junk in the upper half of a slot, as a
// caller passing 32-bit lengths leaves it, is not handed to the host.
TEST(BuildMes, LengthSlotsAreReadAsThirtyTwoBitCounts) {
  const lynx_textlen junk = static_cast<lynx_textlen>(uint64_t{1} << 32);
  std::string text = padded("Tire $ not found", 20);
  const std::string insert = "FRONT   ";
  const int32_t limit = 80;
  KX_BUILD_MES(text.data(), junk + 20, &limit, insert.data(), junk + 8);
  EXPECT_EQ(text, padded("Tire FRONT not found", 20));
}

// Every piece comes from the texts as they were on entry, even when the
// insert is a word of the message itself, before or after the marker, and
// when the rewritten part is too long for the routine's stack buffer.
TEST(BuildMes, InsertTakenFromTheMessageItself) {
  const int32_t limit = 80;
  std::string text = padded("Tire $ not found", 30);
  KX_BUILD_MES(text.data(), 30, &limit, text.data() + 11, 5);  // "found"
  EXPECT_EQ(text, padded("Tire found not found", 30));
  text = padded("Tire $ not found", 30);
  KX_BUILD_MES(text.data(), 30, &limit, text.data(), 4);  // "Tire"
  EXPECT_EQ(text, padded("Tire Tire not found", 30));

  for (const bool inside : {true, false}) {
    const std::string word(1500, 'w');
    const std::string other(1500, 'o');
    const std::string message = "a $ b " + word;
    const int32_t long_limit = 5000;
    text = padded(message, 4000);
    const char *insert = inside ? text.data() + 6 : other.data();
    KX_BUILD_MES(text.data(), 4000, &long_limit, insert, 1500);
    EXPECT_TRUE(text == padded("a " + (inside ? word : other) + " b " + word, 4000)) << inside;
  }
  // Rewritten in place: an empty insert, and one that fills the whole part
  // and leaves no room for the tail or blanks.
  const std::string word(1500, 'w'), fill(3000, 'i');
  for (const int32_t insert_length : {0, 3000}) {
    const int32_t long_limit = 5000;
    text = padded("a $ b " + word, 2000);
    KX_BUILD_MES(text.data(), 2000, &long_limit, fill.data(), insert_length);
    EXPECT_TRUE(text == padded(insert_length == 0 ? "a  b " + word : "a " + fill, 2000))
        << insert_length;
  }
}

class HostBridge : public lynx_test::HostTest {};

#if LYNX_BUILT_kx_msg_to_all
TEST_F(HostBridge, MsgToAllSendsAnInformationalMessage) {
  EXPECT_EQ(kx_msg_to_all("Tire model ready"), 0);
  const auto log = host_log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].routine, HXHOST_C_USRMES);
  EXPECT_EQ(log[0].flag, 1);
  EXPECT_EQ(log[0].identifier, 0);
  EXPECT_EQ(log[0].text, "Tire model ready");
  EXPECT_EQ(log[0].end_word, "INFO_NOPAD");
}
#else
LYNX_TEST_NOT_BUILT(TEST_F, HostBridge, MsgToAllSendsAnInformationalMessage, kx_msg_to_all)
#endif

// kx_gtout into an 80-byte buffer that starts out full of '#'.
std::string gtout(const char *name, int32_t *length) {
  hxhost_set_output_name(name);
  char buffer[80];
  std::memset(buffer, '#', sizeof buffer);
  *length = kx_gtout(buffer);
  return std::string(buffer, 80);
}

TEST_F(HostBridge, GtoutGivesTheFirstWord) {
  int32_t length = -1;
  std::string buffer = gtout("run_1", &length);
  EXPECT_EQ(length, 5);
  EXPECT_STREQ(buffer.c_str(), "run_1");

  buffer = gtout("a b", &length);
  EXPECT_EQ(length, 1);
  EXPECT_STREQ(buffer.c_str(), "a");
}

TEST_F(HostBridge, GtoutOnAnAllBlankNameGivesTwoBlanks) {
  for (const char *name : {"", "      "}) {
    int32_t length = -1;
    const std::string buffer = gtout(name, &length);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(buffer.substr(0, 3), std::string("  \0", 3));
  }
}

TEST_F(HostBridge, GtoutMovesAWordAfterLeadingBlanksToTheStart) {
  for (const char *name : {"   run_2 more", " run_2 more"}) {
    int32_t length = -1;
    const std::string buffer = gtout(name, &length);
    EXPECT_EQ(length, 5) << name;
    EXPECT_EQ(buffer.substr(0, 6), std::string("run_2\0", 6)) << name;
  }
}

TEST_F(HostBridge, GtoutKeepsAtMost79Characters) {
  const std::string name(80, 'w');
  int32_t length = -1;
  const std::string buffer = gtout(name.c_str(), &length);
  EXPECT_EQ(length, 79);
  EXPECT_EQ(buffer, std::string(79, 'w') + '\0');
}

TEST_F(HostBridge, GtstrgTerminatesAfterTheCount) {
  hxhost_set_string(7, "road_2d.rdf");
  std::vector<char> buffer(257, '#');
  int32_t count = -1;
  lynx_logical last = 12345;
  kx_gtstrg(7, buffer.data(), &count, &last);
  EXPECT_EQ(count, 11);
  EXPECT_STREQ(buffer.data(), "road_2d.rdf");
  EXPECT_EQ(last, 0);  // written by the host, handed through

  // An identifier the host does not hold: count 0, an empty string.
  buffer.assign(257, '#');
  kx_gtstrg(8, buffer.data(), &count, &last);
  EXPECT_EQ(count, 0);
  EXPECT_STREQ(buffer.data(), "");
  EXPECT_EQ(last, -1);
}

TEST_F(HostBridge, GtstrgPassesAtMost256Characters) {
  LYNX_SKIP_IN_LEGACY32("kx_gtstrg passes up to 1024 characters");
  const std::string long_text(300, 'z');
  hxhost_set_string(3, long_text.c_str());
  std::vector<char> buffer(257, '#');
  int32_t count = -1;
  lynx_logical last = 0;
  kx_gtstrg(3, buffer.data(), &count, &last);
  EXPECT_EQ(count, 256);
  EXPECT_EQ(std::string(buffer.data()), std::string(256, 'z'));
}

// Environment variables.  Each test sets its own.
constexpr const char *kVariable = "LYNX_GETENV_TEST";

using Getenv = void (*)(const char *, lynx_textlen, char *, lynx_textlen);

class Environment : public ::testing::TestWithParam<Getenv> {
 protected:
  void TearDown() override { unsetenv(kVariable); }

  // Reads name into a text of size characters that starts out full of '#'.
  std::string read(const std::string &name, int size) {
    std::string value(size > 0 ? static_cast<size_t>(size) : 4u, '#');
    GetParam()(name.c_str(), static_cast<lynx_textlen>(name.size()), value.data(), size);
    return value;
  }
};

#if LYNX_BUILT_C_GETENV
TEST_P(Environment, ValueIsBlankFilledOrCut) {
  ASSERT_EQ(setenv(kVariable, "abc", 1), 0);
  EXPECT_EQ(read(kVariable, 10), "abc       ");
  ASSERT_EQ(setenv(kVariable, "0123456789ABCDE", 1), 0);
  EXPECT_EQ(read(kVariable, 10), "0123456789");
  ASSERT_EQ(setenv(kVariable, "0123456789", 1), 0);
  EXPECT_EQ(read(kVariable, 10), "0123456789");
  // Blanks inside the value are part of it.
  ASSERT_EQ(setenv(kVariable, " a b", 1), 0);
  EXPECT_EQ(read(kVariable, 6), " a b  ");
}

TEST_P(Environment, UnsetOrEmptyGivesBlanks) {
  unsetenv(kVariable);
  EXPECT_EQ(read(kVariable, 10), std::string(10, ' '));
  ASSERT_EQ(setenv(kVariable, "", 1), 0);
  EXPECT_EQ(read(kVariable, 10), std::string(10, ' '));
}

TEST_P(Environment, NameEndsAtTheFirstBlank) {
  ASSERT_EQ(setenv(kVariable, "abc", 1), 0);
  EXPECT_EQ(read(std::string(kVariable) + "  X", 5), "abc  ");
  EXPECT_EQ(read(std::string(kVariable) + " ", 5), "abc  ");
  // An empty name, or one that starts with a blank, names no variable.
  EXPECT_EQ(read("", 5), "     ");
  EXPECT_EQ(read(std::string(" ") + kVariable, 5), "     ");
}

TEST_P(Environment, PassedNameLengthIsNotUsed) {
  ASSERT_EQ(setenv(kVariable, "abc", 1), 0);
  char value[5];
  GetParam()(kVariable, 3, value, 5);
  EXPECT_EQ(std::string(value, 5), "abc  ");
}

TEST_P(Environment, NoRoomLeavesTheValueUntouched) {
  ASSERT_EQ(setenv(kVariable, "abc", 1), 0);
  char value[4] = {'#', '#', '#', '#'};
  GetParam()(kVariable, 0, value, 0);
  GetParam()(kVariable, 0, value, -2);
  EXPECT_EQ(std::string(value, 4), "####");
}

INSTANTIATE_TEST_SUITE_P(BothNames, Environment, ::testing::Values(&C_GETENV, &ORB_GETENV),
                         [](const ::testing::TestParamInfo<Getenv> &param) {
                           return std::string(param.param == &C_GETENV ? "C_GETENV" : "ORB_GETENV");
                         });
#else
LYNX_TEST_NOT_BUILT(TEST, Environment, ValueIsBlankFilledOrCut, C_GETENV)
LYNX_TEST_NOT_BUILT(TEST, Environment, UnsetOrEmptyGivesBlanks, C_GETENV)
LYNX_TEST_NOT_BUILT(TEST, Environment, NameEndsAtTheFirstBlank, C_GETENV)
LYNX_TEST_NOT_BUILT(TEST, Environment, PassedNameLengthIsNotUsed, C_GETENV)
LYNX_TEST_NOT_BUILT(TEST, Environment, NoRoomLeavesTheValueUntouched, C_GETENV)
#endif

}  // namespace
