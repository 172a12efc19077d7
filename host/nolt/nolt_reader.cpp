// Property-file syntax:
//   [BLOCK]          opens a block
//   KEY = 'value'    a quoted value (single or double quotes)
//   KEY = value      an unquoted value: the rest of the line, trimmed
// A comment runs from '$' or '!' outside quotes to the end of the line.
// Blank lines, leading and trailing blanks and CRLF line ends are accepted.
#include "nolt_reader.hpp"

#include <cctype>

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

std::string upper(std::string s) {
  for (char &c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return s;
}

const std::string *PropertyFile::find(const std::string &block, const std::string &key) const {
  const std::string b = upper(block);
  const std::string k = upper(key);
  for (const Entry &entry : entries) {
    if (entry.block == b && entry.key == k) return &entry.value;
  }
  return nullptr;
}

bool parse(const std::string &name, const std::string &text, PropertyFile &file,
           std::string &error) {
  file.name = name;
  file.entries.clear();
  std::string block;
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
    if (!strip_comment(raw, content)) return fail("unterminated quoted value");
    const std::string line = trim(content);
    if (line.empty()) continue;

    if (line.front() == '[') {
      if (line.back() != ']') return fail("block name not closed by ']'");
      const std::string inner = trim(line.substr(1, line.size() - 2));
      if (inner.empty()) return fail("empty block name");
      for (char c : inner) {
        if (!is_name_char(c)) return fail("bad character in block name '" + inner + "'");
      }
      block = upper(inner);
      continue;
    }

    const size_t equals = line.find('=');
    if (equals == std::string::npos) return fail("expected '[BLOCK]' or 'KEY = value'");
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
    file.entries.push_back(Entry{block, upper(key), value});
  }
  return true;
}

}  // namespace nolt
