// The library's own meaningful-length routine, kept for the 32-bit build,
// against the cases it must meet and against the host's NCHARS.
#include <gtest/gtest.h>

#include <string>

#include "HxUtility.h"
#include "frame/nchars.hpp"
#include "support/built.hpp"

namespace {

int32_t nchars(const std::string &text) {
  return lynx_nchars(text.data(), static_cast<lynx_textlen>(text.size()));
}

TEST(LibraryNchars, PositionOfTheLastNonBlank) {
  EXPECT_EQ(nchars("abc         "), 3);
  EXPECT_EQ(nchars(std::string(12, ' ')), 0);
  EXPECT_EQ(nchars(" a"), 2);
  EXPECT_EQ(nchars("newton      "), 6);
  EXPECT_EQ(nchars("a b c"), 5);
}

TEST(LibraryNchars, OnlyTheBlankIsBlank) {
  EXPECT_EQ(nchars(std::string("ab\0  ", 5)), 3);
  EXPECT_EQ(nchars("ab\t "), 3);
  EXPECT_EQ(nchars(std::string("\0", 1)), 1);
}

TEST(LibraryNchars, EmptyOrNegativeLengthGivesZero) {
  const char text[] = "abc";
  EXPECT_EQ(lynx_nchars(text, 0), 0);
  EXPECT_EQ(lynx_nchars(text, -1), 0);
  EXPECT_EQ(lynx_nchars(text, 2), 2);  // only the passed length is read
}

TEST(LibraryNchars, AgreesWithTheHost) {
  LYNX_SKIP_IN_LEGACY32("its host has no NCHARS to compare the library's own with");
  for (const std::string &text :
       {std::string("abc         "), std::string(12, ' '), std::string(" a"), std::string("x"),
        std::string(), std::string("a\t\t  "), std::string(300, 'q') + "  "}) {
    EXPECT_EQ(nchars(text), NCHARS(text.data(), static_cast<hx_textlen>(text.size()))) << text;
  }
}

}  // namespace
