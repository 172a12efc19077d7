// The text rules, through the internal module that every routine uses, and
// the exported UPCASE.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/text.hpp"
#include "lynx/frame.h"

using lynx::text::Text;

namespace {

Text view(const std::string &s) {
  return Text{s.data(), static_cast<int32_t>(s.size())};
}

TEST(TextCopy, FillsWithBlanksAndCuts) {
  std::string message = "KXCONV: Program Fault Unknown force units";  // 41 characters
  message += "XYZ";
  char buffer[80];
  lynx::text::copy(buffer, 80, Text{message.data(), 33});
  EXPECT_EQ(std::string(buffer, 33), message.substr(0, 33));
  EXPECT_EQ(std::string(buffer + 33, 47), std::string(47, ' '));

  char small[4] = {'#', '#', '#', '#'};
  lynx::text::copy(small, 3, view("NEWTON"));
  EXPECT_EQ(std::string(small, 4), "NEW#");
  char one[2] = {'#', '#'};
  lynx::text::copy(one, 1, view("NEWTON"));
  EXPECT_EQ(std::string(one, 2), "N#");

  char untouched[2] = {'#', '#'};
  lynx::text::copy(untouched, 0, view("AB"));
  lynx::text::copy(untouched, -5, view("AB"));
  EXPECT_EQ(std::string(untouched, 2), "##");

  char from_negative[3];
  lynx::text::copy(from_negative, 3, Text{"AB", -1});
  EXPECT_EQ(std::string(from_negative, 3), "   ");
}

TEST(TextLeading, NameMustHoldTheWholeLiteral) {
  EXPECT_TRUE(lynx::text::starts_with(view("NEWTONS     "), lynx::text::literal("NEWTON")));
  EXPECT_TRUE(lynx::text::starts_with(view("N"), lynx::text::literal("N")));
  EXPECT_FALSE(lynx::text::starts_with(view("NEWTO"), lynx::text::literal("NEWTON")));
  EXPECT_FALSE(lynx::text::starts_with(view(""), lynx::text::literal("N")));
  EXPECT_FALSE(lynx::text::starts_with(view(" NEWTON"), lynx::text::literal("NEWTON")));
}

TEST(TextConcat, LengthIsTheSumAndTheResultIsCopiedByTheCopyRule) {
  const std::string mass = "KXCONV: Program Fault Unknown mass units:";
  struct Row {
    std::vector<std::string> parts;
    int32_t room;
    int32_t total;
    std::string text;
  };
  const Row rows[] = {
      {{mass, "XX"}, 50, 43, mass + "XX" + std::string(7, ' ')},
      {{mass, "XX"}, 10, 43, "KXCONV: Pr"},
      {{"S", "_"}, 4, 2, "S_  "},  // a part of one character counts
  };
  for (const Row &row : rows) {
    std::vector<Text> parts;
    for (const std::string &part : row.parts) parts.push_back(view(part));
    std::string buffer(static_cast<size_t>(row.room), '#');
    EXPECT_EQ(
        lynx::text::concat(buffer.data(), row.room, parts.data(), static_cast<int>(parts.size())),
        row.total);
    EXPECT_EQ(buffer, row.text);
  }
}

TEST(TextSearch, FirstOccurrenceOneBased) {
  EXPECT_EQ(lynx::text::index(view("Tire $ not $"), view("$")), 6);
  EXPECT_EQ(lynx::text::index(view("no marker"), view("$")), 0);
  EXPECT_EQ(lynx::text::index(view("$"), view("$")), 1);
  EXPECT_EQ(lynx::text::index(view("ab"), view("abc")), 0);
  EXPECT_EQ(lynx::text::index(view("ab"), view("")), 1);  // as Fortran's INDEX
  EXPECT_EQ(lynx::text::index(Text{"ab", -1}, view("")), 0);
}

TEST(TextMeaningfulLength, OnlyTheBlankIsBlank) {
  EXPECT_EQ(lynx::text::meaningful_length(view("abc         ")), 3);
  EXPECT_EQ(lynx::text::meaningful_length(view("            ")), 0);
  EXPECT_EQ(lynx::text::meaningful_length(view(" a")), 2);
  EXPECT_EQ(lynx::text::meaningful_length(view(std::string("a\0 ", 3))), 2);
  EXPECT_EQ(lynx::text::meaningful_length(view("a\t ")), 2);
  EXPECT_EQ(lynx::text::meaningful_length(Text{"abc", 0}), 0);
  EXPECT_EQ(lynx::text::meaningful_length(Text{"abc", -3}), 0);
}

TEST(TextCrossing, FromNulTerminatedStrings) {
  char fixed[6];
  lynx::text::from_cstring(fixed, 6, "kg");
  EXPECT_EQ(std::string(fixed, 6), "kg    ");
  lynx::text::from_cstring(fixed, 6, "kilogram");
  EXPECT_EQ(std::string(fixed, 6), "kilogr");
}

TEST(TextLengthArgument, ReadAsA32BitSignedCount) {
  EXPECT_EQ(lynx::text::length_of(12), 12);
  EXPECT_EQ(lynx::text::length_of(-1), -1);
  EXPECT_EQ(lynx::text::length_of(static_cast<lynx_textlen>(0x100000005LL)), 5);
}

TEST(Upcase, OnlyAsciiLowerCaseLettersChange) {
  std::string t = "Newton_1 ab";
  UPCASE(t.data(), 11);
  EXPECT_EQ(t, "NEWTON_1 AB");

  std::string part = "newton";
  UPCASE(part.data(), 3);
  EXPECT_EQ(part, "NEWton");

  std::string none = "newton";
  UPCASE(none.data(), 0);
  UPCASE(none.data(), -4);
  EXPECT_EQ(none, "newton");

  // Every byte value: only 97..122 lose 32.
  char all[256];
  for (int i = 0; i < 256; ++i) all[i] = static_cast<char>(i);
  UPCASE(all, 256);
  for (int i = 0; i < 256; ++i) {
    const int expected = i >= 97 && i <= 122 ? i - 32 : i;
    EXPECT_EQ(static_cast<unsigned char>(all[i]), expected) << "byte " << i;
  }
}

TEST(Upcase, ReadsTheLengthAsA32BitCount) {
  // A length whose upper half is set counts as its low 32 bits.
  std::string t = "abcd";
  UPCASE(t.data(), static_cast<lynx_textlen>(0x100000002LL));
  EXPECT_EQ(t, "ABcd");
}

}  // namespace
