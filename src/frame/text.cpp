#include "frame/text.hpp"

#include <cstring>

namespace lynx::text {

void copy(char *destination, int32_t destination_length, Text source) {
  if (destination_length <= 0) return;
  int32_t n = source.length < destination_length ? source.length : destination_length;
  if (n < 0) n = 0;
  if (n > 0) std::memmove(destination, source.chars, static_cast<std::size_t>(n));
  std::memset(destination + n, ' ', static_cast<std::size_t>(destination_length - n));
}

bool starts_with(Text name, Text literal) {
  if (name.length < literal.length) return false;
  return std::memcmp(name.chars, literal.chars, static_cast<std::size_t>(literal.length)) == 0;
}

int32_t concat(char *destination, int32_t destination_length, const Text *parts, int part_count) {
  int32_t written = 0;
  int32_t total = 0;
  for (int k = 0; k < part_count; ++k) {
    const int32_t n = parts[k].length > 0 ? parts[k].length : 0;
    total += n;
    int32_t room = destination_length - written;
    const int32_t take = n < room ? n : room;
    if (take > 0) {
      std::memmove(destination + written, parts[k].chars, static_cast<std::size_t>(take));
      written += take;
    }
  }
  if (destination_length > written)
    std::memset(destination + written, ' ', static_cast<std::size_t>(destination_length - written));
  return total;
}

int32_t index(Text haystack, Text needle) {
  if (needle.length <= 0) return haystack.length >= 0 ? 1 : 0;
  for (int32_t i = 0; i + needle.length <= haystack.length; ++i) {
    if (std::memcmp(haystack.chars + i, needle.chars, static_cast<std::size_t>(needle.length)) == 0)
      return i + 1;
  }
  return 0;
}

void upcase(char *text, int32_t length) {
  for (int32_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 97 && c <= 122) text[i] = static_cast<char>(c - 32);
  }
}

int32_t meaningful_length(Text text) {
  for (int32_t i = text.length; i > 0; --i) {
    if (text.chars[i - 1] != ' ') return i;
  }
  return 0;
}

void from_cstring(char *destination, int32_t destination_length, const char *source) {
  const std::size_t limit =
      destination_length > 0 ? static_cast<std::size_t>(destination_length) : 0;
  const std::size_t n = bounded_length(source, limit);
  copy(destination, destination_length, Text{source, static_cast<int32_t>(n)});
}

std::size_t bounded_length(const char *s, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && s[n] != '\0') ++n;
  return n;
}

}  // namespace lynx::text
