// Property-file syntax, line by line:
//   [BLOCK]          opens a block
//   KEY = 'value'    a quoted value (single or double quotes)
//   KEY = value      an unquoted value: the rest of the line, trimmed
//   {NAME NAME ...}  inside a block: the header of a table
//   1.0  -0.4  2e3   inside a block: a row of a table, numbers separated by
//                    blanks (with or without a header before it)
// A comment runs from '$' or '!' outside quotes to the end of the line.
// Blank lines, leading and trailing blanks and CRLF line ends are accepted.
// A line that fits no rule and gives no value (a comment wrapped onto a
// line of its own, a stray word, a table outside any block) is skipped and
// noted.  A broken block line, a line with '=' that breaks the rules, and a
// key and quoted value without their '=' make the whole file malformed, as
// a value would be read wrongly or lost.
#include "nolt_reader.hpp"

#include <cctype>

#include "hx_text.hpp"

namespace nolt {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string trim(const std::string &s) {
  size_t begin = 0;
  size_t end = s.size();
  while (begin < end && is_blank(s[begin])) ++begin;
  while (end > begin && is_blank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

bool is_name_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '-' || c == '.';
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The blank-separated words of s.
std::vector<std::string> words(const std::string &s) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && is_blank(s[i])) ++i;
    const size_t begin = i;
    while (i < s.size() && !is_blank(s[i])) ++i;
    if (i > begin) out.push_back(s.substr(begin, i - begin));
  }
  return out;
}

// A decimal number: sign, digits with an optional point (at least one
// digit), an optional exponent with E or, as Fortran writes it, D.
bool is_number(const std::string &w) {
  size_t i = 0;
  if (i < w.size() && (w[i] == '+' || w[i] == '-')) ++i;
  const size_t first = i;
  while (i < w.size() && is_digit(w[i])) ++i;
  bool digits = i > first;
  if (i < w.size() && w[i] == '.') {
    const size_t point = ++i;
    while (i < w.size() && is_digit(w[i])) ++i;
    digits = digits || i > point;
  }
  if (!digits) return false;
  if (i < w.size() && (w[i] == 'e' || w[i] == 'E' || w[i] == 'd' || w[i] == 'D')) {
    ++i;
    if (i < w.size() && (w[i] == '+' || w[i] == '-')) ++i;
    if (i == w.size() || !is_digit(w[i])) return false;
    while (i < w.size() && is_digit(w[i])) ++i;
  }
  return i == w.size();
}

// A row of a table: one or more numbers.
bool is_row(const std::string &line) {
  for (const std::string &w : words(line)) {
    if (!is_number(w)) return false;
  }
  return true;  // line is not empty
}

// A key and a quoted value with the '=' between them missing.
bool is_key_without_equals(const std::string &line) {
  size_t i = 0;
  while (i < line.size() && is_name_char(line[i])) ++i;
  if (i == 0 || i == line.size() || !is_blank(line[i])) return false;
  const std::string rest = trim(line.substr(i));
  return rest.size() >= 2 && (rest.front() == '\'' || rest.front() == '"') &&
         rest.find(rest.front(), 1) == rest.size() - 1;
}

// Cuts the comment off a line; false when a quote is left open.
bool strip_comment(const std::string &line, std::string &out) {
  char quote = '\0';
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '$' || c == '!') {
      out = line.substr(0, i);
      return true;
    }
  }
  out = line;
  return quote == '\0';
}

}  // namespace

const std::string *PropertyFile::find(const std::string &block, const std::string &key) const {
  const std::string b = hxtext::upper(block);
  const std::string k = hxtext::upper(key);
  for (const Entry &entry : entries) {
    if (entry.block == b && entry.key == k) return &entry.value;
  }
  return nullptr;
}

bool parse(const std::string &name, const std::string &text, PropertyFile &file,
           std::string &error) {
  file.name = name;
  file.entries.clear();
  file.tables.clear();
  file.skipped.clear();
  std::string block;
  bool table_open = false;  // the last table takes the block's next rows
  size_t line_number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string raw = text.substr(start, end - start);
    start = end + 1;
    ++line_number;

    auto fail = [&](const std::string &reason) {
      error = name + ":" + std::to_string(line_number) + ": " + reason;
      return false;
    };
    if (raw.find('\0') != std::string::npos) return fail("NUL byte in line");

    std::string content;
    if (!strip_comment(raw, content)) {
      // A quote left open in a value or a block line breaks the file; in
      // other text (an apostrophe in a wrapped comment) it is skipped.
      const std::string whole = trim(raw);
      if (whole.find('=') != std::string::npos || whole.front() == '[') {
        return fail("unterminated quoted value");
      }
      file.skipped.push_back(Skipped{line_number, whole});
      continue;
    }
    const std::string line = trim(content);
    if (line.empty()) continue;

    if (line.front() == '[') {
      if (line.back() != ']') return fail("block name not closed by ']'");
      const std::string inner = trim(line.substr(1, line.size() - 2));
      if (inner.empty()) return fail("empty block name");
      for (char c : inner) {
        if (!is_name_char(c)) return fail("bad character in block name '" + inner + "'");
      }
      block = hxtext::upper(inner);
      table_open = false;
      continue;
    }

    const bool header = line.front() == '{' && line.back() == '}';
    if (!block.empty() && (header || is_row(line))) {
      if (header || !table_open) {
        file.tables.emplace_back();
        file.tables.back().block = block;
        file.tables.back().line = line_number;
        table_open = true;
      }
      if (header) {
        file.tables.back().columns = words(line.substr(1, line.size() - 2));
      } else {
        file.tables.back().rows.push_back(line);
      }
      continue;
    }

    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      if (is_key_without_equals(line)) return fail("expected '[BLOCK]' or 'KEY = value'");
      file.skipped.push_back(Skipped{line_number, line});
      continue;
    }
    const std::string key = trim(line.substr(0, equals));
    if (key.empty()) return fail("missing key before '='");
    for (char c : key) {
      if (!is_name_char(c)) return fail("bad character in key '" + key + "'");
    }
    if (block.empty()) return fail("key '" + key + "' outside any [BLOCK]");
    std::string value = trim(line.substr(equals + 1));
    if (!value.empty() && (value.front() == '\'' || value.front() == '"')) {
      const char quote = value.front();
      const size_t close = value.find(quote, 1);
      if (close == std::string::npos) return fail("unterminated quoted value");
      if (!trim(value.substr(close + 1)).empty()) return fail("text after the closing quote");
      value = value.substr(1, close - 1);
    }
    file.entries.push_back(Entry{block, hxtext::upper(key), value});
  }
  return true;
}

std::string skipped_remark(const std::string &name, const Skipped &line) {
  // The line as the user wrote it, on one line of the report, cut short.
  constexpr size_t kShown = 60;
  std::string shown;
  for (size_t i = 0; i < line.text.size() && i < kShown; ++i) {
    const unsigned char c = static_cast<unsigned char>(line.text[i]);
    shown += c < 0x20 || c == 0x7f ? '?' : line.text[i];
  }
  if (line.text.size() > kShown) shown += "...";
  return name + ":" + std::to_string(line.line) +
         ": line skipped, as it is neither [BLOCK], KEY = value, nor a table header or row in "
         "a block: '" +
         shown + "'";
}

}  // namespace nolt
