// The embedded host's text rules, shared by HxUtility and nolt: ASCII
// upper-casing, the meaningful length of a blank-padded text, blank
// padding, and a NUL-terminated copy cut to its buffer.  Header only, so
// that every build of the host's sources takes them with those sources.
#ifndef HX_TEXT_HPP
#define HX_TEXT_HPP

#include <cstddef>
#include <cstring>
#include <string>

namespace hxtext {

// c upper-cased if it is an ASCII letter a to z, else c.
inline char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// s with its ASCII letters upper-cased.
inline std::string upper(std::string s) {
  for (char &c : s) c = upper(c);
  return s;
}

// The length of the first length characters of text without their
// trailing blanks; 0 when length is not positive.
inline long meaningful_length(const char *text, long length) {
  long n = length;
  while (n > 0 && text[n - 1] == ' ') --n;
  return n > 0 ? n : 0;
}

// Copies source into the length characters of text, cut to them or
// padded with blanks; nothing when length is not positive.
inline void fill_blank_padded(char *text, long length, const std::string &source) {
  if (length <= 0) return;
  const std::size_t n = source.size() < static_cast<std::size_t>(length)
                            ? source.size()
                            : static_cast<std::size_t>(length);
  std::memcpy(text, source.data(), n);
  std::memset(text + n, ' ', static_cast<std::size_t>(length) - n);
}

// Copies the length characters of source into the buffer out of size
// bytes, cut to size - 1 characters and NUL-terminated; nothing when out
// is null or size 0.
inline void copy_cut(const char *source, std::size_t length, char *out, std::size_t size) {
  if (out == nullptr || size == 0) return;
  const std::size_t n = length < size - 1 ? length : size - 1;
  std::memcpy(out, source, n);
  out[n] = '\0';
}

inline void copy_cut(const std::string &source, char *out, std::size_t size) {
  copy_cut(source.data(), source.size(), out, size);
}

inline void copy_cut(const char *source, char *out, std::size_t size) {
  copy_cut(source, std::strlen(source), out, size);
}

}  // namespace hxtext

#endif  // HX_TEXT_HPP
