// The library's rules for fixed-length, blank-padded text.
//
// A text is a run of 8-bit characters with its length carried beside it and
// no terminator.  Every routine that handles text goes through these rules:
//   1. copy: the first min(source, destination) characters are copied, the
//      rest of the destination is filled with blanks;
//   2. leading-character test: the first n characters equal an n-character
//      literal (a text shorter than n never passes);
//   3. concatenation: parts end to end, then copied by rule 1;
//   4. search: 1-based position of the first occurrence, 0 when absent;
//   5. upper-casing: bytes 'a'..'z' lose 32, every other byte stays;
//   6. meaningful length: position of the last non-blank, 0 if none;
//   7. from NUL-terminated strings: copied by rule 1.
#ifndef LYNX_SRC_FRAME_TEXT_HPP
#define LYNX_SRC_FRAME_TEXT_HPP

#include <cstddef>
#include <cstdint>

#include "lynx/lynx_conf.h"

namespace lynx::text {

// A view of a fixed-length text.
struct Text {
  const char *chars;
  int32_t length;
};

// A string literal as a text, without its terminator.
template <std::size_t N>
constexpr Text literal(const char (&s)[N]) {
  return Text{s, static_cast<int32_t>(N - 1)};
}

// A passed text length, read as a 32-bit signed count.
constexpr int32_t length_of(lynx_textlen passed) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uintptr_t>(passed)));
}

// Rule 1.  A negative length counts as 0.
void copy(char *destination, int32_t destination_length, Text source);

// Rule 2.
bool starts_with(Text name, Text literal);

// Rule 3: the parts end to end, copied by rule 1 into the destination.
// Returns the concatenation's full length (the sum of the parts' lengths).
int32_t concat(char *destination, int32_t destination_length, const Text *parts, int part_count);

// Rule 4.
int32_t index(Text haystack, Text needle);

// Rule 5.
void upcase(char *text, int32_t length);

// Rule 6.
int32_t meaningful_length(Text text);

// Rule 7: a NUL-terminated string copied into the text by rule 1.
void from_cstring(char *destination, int32_t destination_length, const char *source);

// Length of a NUL-terminated string within at most limit characters.
std::size_t bounded_length(const char *s, std::size_t limit);

}  // namespace lynx::text

#endif  // LYNX_SRC_FRAME_TEXT_HPP
