// The identification records in the built library file, the printed
// report, and the release version.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lynx/version.h"

namespace {

constexpr const char *kRelease = "2010.1.19.37";
constexpr const char *kMarker = "@(#)";

// Every record in the library file: each occurrence of "@(#)ORB " up to the
// NUL that ends it.
std::vector<std::string> records_in_library() {
  std::ifstream in(LYNX_LIBRARY_FILE, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot open " << LYNX_LIBRARY_FILE;
  const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> records;
  for (size_t at = image.find("@(#)ORB "); at != std::string::npos;
       at = image.find("@(#)ORB ", at + 1)) {
    const size_t end = image.find('\0', at);
    EXPECT_NE(end, std::string::npos) << "record without a terminator";
    if (end == std::string::npos) break;
    records.push_back(image.substr(at, end - at));
  }
  return records;
}

// The value of a record: what follows the label and its blank.
std::string value_of(const std::string &record) {
  return record.substr(8 + 13 + 1);
}

// Whether text has the shape of pattern, where '9' stands for any digit.
bool shaped(const std::string &text, const std::string &pattern) {
  if (text.size() != pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (pattern[i] == '9' ? !digit : text[i] != pattern[i]) return false;
  }
  return true;
}

// An options record: a compiler's name left-justified in 8 characters, then
// "opts:", and the options in parentheses.
bool is_options_record(const std::string &record) {
  return record.size() > 24 && record.rfind("@(#)ORB ", 0) == 0 && record[8] != ' ' &&
         record.substr(8, 8).find(':') == std::string::npos && record.substr(16, 7) == "opts: (" &&
         record.back() == ')';
}

std::string captured_report(const char **release) {
  testing::internal::CaptureStdout();
  *release = lynxUtility_version();
  return testing::internal::GetCapturedStdout();
}

TEST(Records, StandInTheLibraryInOrderWithTheirLabels) {
  const std::vector<std::string> records = records_in_library();
  ASSERT_GE(records.size(), 6u);
  const size_t compilers = records.size() - 5;
  for (size_t i = 0; i < compilers; ++i) {
    EXPECT_TRUE(is_options_record(records[i])) << records[i];
  }
  const char *labels[5] = {
      "Utility  lib:", "Compile   os:", "Compile date:", "Compile  ver:", "Release  ver:"};
  for (size_t i = 0; i < 5; ++i) {
    const std::string &record = records[compilers + i];
    EXPECT_EQ(record.substr(0, 8 + 13 + 1), std::string("@(#)ORB ") + labels[i] + " ") << record;
  }
  for (const std::string &record : records) {
    ASSERT_GE(record.size(), 23u) << record;
    EXPECT_EQ(record.find(':'), 20u) << record;
    EXPECT_EQ(record[20 + 1], ' ') << record;
    EXPECT_FALSE(value_of(record).empty()) << record;
  }
}

TEST(Records, HoldTheFactsOfTheBuild) {
  const std::vector<std::string> records = records_in_library();
  ASSERT_GE(records.size(), 6u);
  const size_t n = records.size();
  EXPECT_EQ(records[n - 5], "@(#)ORB Utility  lib: lynxUtility");
  EXPECT_EQ(records[n - 1], "@(#)ORB Release  ver: 2010.1.19.37");

  const std::string date = value_of(records[n - 3]);
  const std::string stamp = value_of(records[n - 2]);
  ASSERT_TRUE(shaped(date, "9999-99-99 99:99:99")) << date;
  ASSERT_TRUE(shaped(stamp, "99999999.9999")) << stamp;
  // The compact date is the same moment.
  EXPECT_EQ(stamp, date.substr(0, 4) + date.substr(5, 2) + date.substr(8, 2) + "." +
                       date.substr(11, 2) + date.substr(14, 2));

  // When the library was configured with SOURCE_DATE_EPOCH, that moment is
  // the build's date, in UTC.
  const std::string epoch = LYNX_CONFIGURED_SOURCE_DATE_EPOCH;
  if (!epoch.empty()) {
    const std::time_t t = static_cast<std::time_t>(std::stoll(epoch));
    const std::tm utc = *std::gmtime(&t);
    char expected[32];
    std::strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S", &utc);
    EXPECT_EQ(date, expected);
  }
}

TEST(Report, PrintsEachRecordWithoutItsMarker) {
  const std::vector<std::string> records = records_in_library();
  ASSERT_GE(records.size(), 6u);
  std::string expected = "\n";
  for (const std::string &record : records) expected += "\n" + record.substr(4);
  expected += "\n";

  const char *release = nullptr;
  const std::string printed = captured_report(&release);
  EXPECT_EQ(printed, expected);
  EXPECT_STREQ(release, kRelease);
  EXPECT_EQ(printed.find(kMarker), std::string::npos);
}

TEST(Report, LinesStartWithOrbAndHaveTheColonInColumn17) {
  const char *release = nullptr;
  const std::string printed = captured_report(&release);
  ASSERT_GE(printed.size(), 2u);
  EXPECT_EQ(printed.substr(0, 2), "\n\n");
  EXPECT_EQ(printed.back(), '\n');
  std::vector<std::string> lines;
  for (size_t at = 2; at < printed.size();) {
    const size_t end = printed.find('\n', at);
    lines.push_back(printed.substr(at, end - at));
    at = end + 1;
  }
  ASSERT_GE(lines.size(), 6u);
  for (const std::string &line : lines) {
    EXPECT_EQ(line.rfind("ORB ", 0), 0u) << line;
    ASSERT_GE(line.size(), 17u) << line;
    EXPECT_EQ(line[16], ':') << line;
  }
  EXPECT_EQ(lines.back(), "ORB Release  ver: 2010.1.19.37");
}

TEST(Report, TwiceInARowPrintsTheSameTwice) {
  testing::internal::CaptureStdout();
  const char *first = lynxUtility_version();
  const char *second = lynxUtility_version();
  const std::string both = testing::internal::GetCapturedStdout();
  const char *release = nullptr;
  const std::string once = captured_report(&release);
  EXPECT_EQ(both, once + once);
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, kRelease);
}

TEST(Release, BuildVersionPrintsNothingAndAgrees) {
  testing::internal::CaptureStdout();
  const char *build = lynxUtility_build_version();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_STREQ(build, kRelease);
  EXPECT_EQ(lynxUtility_build_version(), build);

  const char *release = nullptr;
  captured_report(&release);
  EXPECT_STREQ(release, build);
}

// The header's version macros describe the library the program runs with.
TEST(Release, HeaderMacrosAgreeWithTheLibrary) {
  EXPECT_STREQ(LYNX_VERSION, lynxUtility_build_version());
  const std::string numbers =
      std::to_string(LYNX_VERSION_MAJOR) + "." + std::to_string(LYNX_VERSION_MINOR) + "." +
      std::to_string(LYNX_VERSION_PATCH) + "." + std::to_string(LYNX_VERSION_TWEAK);
  EXPECT_EQ(numbers, LYNX_VERSION);
  static_assert(LYNX_VERSION_AT_LEAST(2010, 1, 19));
  static_assert(LYNX_VERSION_AT_LEAST(2009, 12, 99));
  static_assert(LYNX_VERSION_AT_LEAST(2010, 0, 99));
  static_assert(!LYNX_VERSION_AT_LEAST(2010, 1, 20));
  static_assert(!LYNX_VERSION_AT_LEAST(2010, 2, 0));
  static_assert(!LYNX_VERSION_AT_LEAST(2011, 0, 0));
}

}  // namespace
