// The embedded property-file reader: syntax, look-ups, and clear errors on
// files it cannot read or sources it does not know.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "nolt_host.h"
#include "support/host_log.hpp"

using lynx_test::host_log;

namespace {

intptr_t open_text(const std::string &text, std::string *error = nullptr) {
  char buffer[256] = "";
  const intptr_t handle =
      nolt_open_text("units.tir", text.data(), text.size(), buffer, sizeof buffer);
  if (error != nullptr) *error = buffer;
  return handle;
}

std::string read(intptr_t source, const char *block, const char *key, int32_t *found) {
  char value[12];
  std::memset(value, '#', sizeof value);
  *found = rto_read_quoted_string(source, block, key, value);
  return *found ? std::string(value) : std::string();
}

TEST(PropertyFile, ReadsQuotedAndPlainValuesAcrossCommentsCaseAndCrlf) {
  const std::string text =
      "$ tire property file\r\n"
      "[MDI_HEADER]\r\n"
      "FILE_TYPE = 'tir'   ! the type\r\n"
      "\r\n"
      "   [ Units ]   \r\n"
      "  length = 'mm'  $ millimetre\r\n"
      "FORCE='newton'\r\n"
      "Mass = kg\r\n"
      "TIME = 'a$b!c'\r\n"
      "ANGLE = ''\r\n";
  const intptr_t source = open_text(text);
  ASSERT_NE(source, 0);
  int32_t found = 0;
  EXPECT_EQ(read(source, "UNITS", "LENGTH", &found), "mm");
  EXPECT_EQ(found, 1);
  EXPECT_EQ(read(source, "units", "force", &found), "newton");
  EXPECT_EQ(read(source, "UNITS", "MASS", &found), "kg");
  EXPECT_EQ(read(source, "UNITS", "TIME", &found), "a$b!c");
  EXPECT_EQ(read(source, "UNITS", "ANGLE", &found), "");
  EXPECT_EQ(found, 1);
  EXPECT_EQ(read(source, "MDI_HEADER", "FILE_TYPE", &found), "tir");
  read(source, "UNITS", "FILE_TYPE", &found);
  EXPECT_EQ(found, 0);
  read(source, "NOBLOCK", "LENGTH", &found);
  EXPECT_EQ(found, 0);
  nolt_close(source);
  read(source, "UNITS", "LENGTH", &found);
  EXPECT_EQ(found, 0);
}

TEST(PropertyFile, LongValuesAreCutToElevenCharactersInTheTwelveByteBuffer) {
  const intptr_t source = open_text("[UNITS]\nFORCE = 'kpound_force_unit'\n");
  ASSERT_NE(source, 0);
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_NE(rto_read_quoted_string(source, "UNITS", "FORCE", buffer), 0);
  EXPECT_STREQ(buffer, "kpound_forc");
  EXPECT_EQ(buffer[12], '#');  // nothing written past the 12 bytes
  nolt_close(source);
}

TEST(PropertyFile, FixedLengthLookupUsesTheCurrentFile) {
  const intptr_t first = open_text("[UNITS]\nLENGTH = 'meter'\n");
  const intptr_t second = open_text("[UNITS]\nLENGTH = 'mm'\n");
  ASSERT_NE(first, 0);
  ASSERT_NE(second, 0);
  char value[12];
  int32_t error = -7, found = -7;
  const int32_t five = 5, six = 6;
  RTO_READ_QUOTED_STRING_F2C("UNITS", 5, &five, "LENGTH", 6, &six, value, 12, &error, &found);
  EXPECT_EQ(found, 1);
  EXPECT_EQ(std::string(value, 12), "mm          ");
  ASSERT_EQ(nolt_select(first), 0);
  RTO_READ_QUOTED_STRING_F2C("UNITS", 5, &five, "LENGTH", 6, &six, value, 12, &error, &found);
  EXPECT_EQ(std::string(value, 12), "meter       ");
  const int32_t four = 4;
  RTO_READ_QUOTED_STRING_F2C("UNITS", 5, &five, "MASS", 4, &four, value, 12, &error, &found);
  EXPECT_EQ(found, 0);
  EXPECT_EQ(std::string(value, 12), "meter       ");  // left as it was
  EXPECT_EQ(nolt_select(12345), -1);
  nolt_close(first);
  nolt_close(second);
}

TEST(PropertyFile, MalformedLinesNameTheFileAndTheLine) {
  struct Case {
    const char *text;
    const char *error;
  } cases[] = {
      {"[UNITS]\nLENGTH 'mm'\n", "units.tir:2: expected '[BLOCK]' or 'KEY = value'"},
      {"[UNITS\n", "units.tir:1: block name not closed by ']'"},
      {"[UNITS]\n\nLENGTH = 'mm\n", "units.tir:3: unterminated quoted value"},
      {"[UNITS]\nLENGTH = 'mm' x\n", "units.tir:2: text after the closing quote"},
      {"LENGTH = 'mm'\n", "units.tir:1: key 'LENGTH' outside any [BLOCK]"},
      {"[UNITS]\n= 'mm'\n", "units.tir:2: missing key before '='"},
      {"[]\n", "units.tir:1: empty block name"},
  };
  for (const Case &c : cases) {
    std::string error;
    EXPECT_EQ(open_text(c.text, &error), 0) << c.text;
    EXPECT_EQ(error, c.error);
  }
}

TEST(PropertyFile, MissingFileIsAClearErrorNotACrash) {
  char error[256] = "";
  EXPECT_EQ(nolt_open("/nonexistent/dir/tire.tir", error, sizeof error), 0);
  EXPECT_NE(std::strstr(error, "/nonexistent/dir/tire.tir"), nullptr) << error;
  EXPECT_EQ(nolt_open(nullptr, error, sizeof error), 0);
  EXPECT_EQ(nolt_open("/nonexistent", nullptr, 0), 0);
}

// A source that opens but cannot be read whole is an error naming it, not
// an empty property file.
TEST(PropertyFile, UnreadableOrOversizedSourceIsAnError) {
  char error[256] = "";
  EXPECT_EQ(nolt_open(LYNX_TEST_DATA_DIR, error, sizeof error), 0);
  EXPECT_EQ(std::string(error),
            "cannot read property file '" LYNX_TEST_DATA_DIR "': it is a directory");
  EXPECT_EQ(nolt_open("/dev/zero", error, sizeof error), 0);
  EXPECT_STREQ(error, "cannot read property file '/dev/zero': it holds more than 64 MiB");
}

TEST(PropertyFile, ReadsAFileFromDisk) {
  char error[256] = "";
  const intptr_t source = nolt_open(LYNX_TEST_DATA_DIR "/units_mm.tir", error, sizeof error);
  ASSERT_NE(source, 0) << error;
  int32_t found = 0;
  EXPECT_EQ(read(source, "UNITS", "LENGTH", &found), "mm");
  nolt_close(source);
}

class ReaderReports : public lynx_test::HostTest {};

// A look-up in a source that is not open finds nothing and is reported once,
// naming it; the reader's remarks are logged too.
TEST_F(ReaderReports, SourceNotOpenIsReportedAndRemarksAreLogged) {
  const intptr_t closed = open_text("[UNITS]\n");
  nolt_close(closed);  // it stays the current file, which ATRTOU reads
  const int32_t five = 5, six = 6;
  for (const auto &[source, fixed] :
       {std::pair{closed + 9, false}, {0, false}, {closed, false}, {closed, true}}) {
    hxhost_log_clear();
    int32_t found = -7, unused;
    char value[12];
    if (fixed)
      RTO_READ_QUOTED_STRING_F2C("UNITS", 5, &five, "LENGTH", 6, &six, value, 12, &unused, &found);
    else
      found = rto_read_quoted_string(source, "UNITS", "LENGTH", value);
    const std::string text =
        std::string(fixed ? "RTO_READ_QUOTED_STRING_F2C" : "rto_read_quoted_string") +
        ": unknown property-file source " + std::to_string(source) +
        (fixed ? " (the current one)" : "");
    EXPECT_EQ(found, 0) << text;
    ASSERT_EQ(host_log().size(), 1u) << text;
    EXPECT_EQ(host_log()[0].text, text);
    EXPECT_EQ(host_log()[0].end_word, "STOP");
  }
  char error[256];
  EXPECT_EQ(nolt_open("/nonexistent/tire.tir", error, sizeof error), 0);
  EXPECT_EQ(host_log().back().text, std::string("nolt_open: ") + error);
}

// Tables, wrapped comments and stray lines as tools and users write them:
// the file opens, the key after each is read right, and only the lines that
// fit no rule are reported, once each.
TEST_F(ReaderReports, TablesAndLinesThatFitNoRuleKeepTheFileOpen) {
  struct Case {
    const char *text, *block, *key, *value;
    const char *skipped;  // the lines reported
  } cases[] = {
      {"[SHAPE]\n{radial width}\n 1.0    0.0\n 1.0    0.4\nLENGTH = mm\n", "SHAPE", "LENGTH", "mm",
       ""},
      {"[SHAPE]\n  {RADIAL_SHAPE WIDTH_SHAPE}  $ x\n 1.00  0.00 \n[UNITS]\nLENGTH = 'mm'\n",
       "UNITS", "LENGTH", "mm", ""},
      {"[BOTTOMING_CURVE]\n 0.0 0.0\n+1e-3\t2.5D+03\n-.5 -1.\nWIDTH =\n", "BOTTOMING_CURVE",
       "WIDTH", "", ""},
      {"[VERTICAL]\nVXLOW = 1.0 $Threshold speed for scaling down forces and\nmoments\nFNOM = 4\n",
       "VERTICAL", "FNOM", "4", "3"},
      {"[UNITS]\nMASS = 'kg' $ from the\nmaker's data\nLENGTH = 'mm'\n", "UNITS", "LENGTH", "mm",
       "3"},
      {"[SHAPE]\r\n{radial width}\r\n! measured\r\n\t1.0\t0.0\r\nTYRE = LC0 16 x 7", "SHAPE",
       "TYRE", "LC0 16 x 7", ""},
      {"fitted by hand\n 1 2\n[SHAPE]\n{radial width\n1 0\n[UNITS]\nLENGTH = 'mm'\n", "UNITS",
       "LENGTH", "mm", "1 2 4"},
  };
  for (const Case &c : cases) {
    hxhost_log_clear();
    std::string error, reported;
    const intptr_t source = open_text(c.text, &error);
    ASSERT_NE(source, 0) << c.text << error;
    int32_t found = 0;
    EXPECT_EQ(read(source, c.block, c.key, &found), c.value) << c.text;
    EXPECT_EQ(found, 1) << c.text;
    for (const auto &entry : host_log()) {
      const size_t line = entry.text.find("units.tir:") + 10;
      reported += (reported.empty() ? "" : " ") +
                  entry.text.substr(line, entry.text.find(':', line) - line);
    }
    EXPECT_EQ(reported, c.skipped) << c.text;
    nolt_close(source);
  }
}

// What a user reads of a skipped line; past 20 lines one report counts the
// rest.
TEST_F(ReaderReports, SkippedLinesAreNamedInTheLog) {
  EXPECT_NE(open_text("[VERTICAL]\nVXLOW = 1.0 $ forces and\nmoments\n"), 0);
  ASSERT_EQ(host_log().size(), 1u);
  EXPECT_EQ(host_log()[0].text,
            "nolt_open_text: units.tir:3: line skipped, as it is neither [BLOCK], KEY = value, nor "
            "a table header or row in a block: 'moments'");
  EXPECT_EQ(host_log()[0].end_word, "WARN");
  hxhost_log_clear();
  std::string text = "[UNITS]\n";
  for (int i = 0; i < 25; ++i) text += "word\n";
  EXPECT_NE(open_text(text), 0);
  ASSERT_EQ(host_log().size(), 21u);
  EXPECT_EQ(host_log()[20].text,
            "nolt_open_text: units.tir: 5 more lines skipped, up to line 26 (only the first 20 "
            "are reported)");
}

}  // namespace
