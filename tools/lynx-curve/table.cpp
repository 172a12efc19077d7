// Reading and checking the input table.
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "curve.hpp"

namespace curve {

namespace {

std::string location(const std::string &name, int line) {
  return name + ":" + std::to_string(line) + ": ";
}

std::string trimmed(const std::string &text) {
  size_t first = 0, last = text.size();
  while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
  return text.substr(first, last - first);
}

// A line with a comma is split at its commas, each field trimmed of blanks
// (an empty field stays, to be reported); any other line at runs of blanks.
std::vector<std::string> fields_of(const std::string &text) {
  std::vector<std::string> fields;
  if (text.find(',') != std::string::npos) {
    size_t start = 0;
    for (;;) {
      const size_t comma = text.find(',', start);
      fields.push_back(trimmed(text.substr(start, comma - start)));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    return fields;
  }
  std::string current;
  for (char ch : text + ' ') {
    if (std::isspace(static_cast<unsigned char>(ch))) {
      if (!current.empty()) fields.push_back(current);
      current.clear();
    } else {
      current += ch;
    }
  }
  return fields;
}

bool parse_number(const std::string &field, double &value) {
  const char *first = field.data();
  const char *last = first + field.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && end == last && std::isfinite(value);
}

}  // namespace

bool read_table(std::FILE *in, const std::string &name, Table &table, std::string &error) {
  std::string text;
  int line = 0;
  int ch = 0;
  while (ch != EOF) {
    text.clear();
    while ((ch = std::fgetc(in)) != EOF && ch != '\n') text += static_cast<char>(ch);
    if (ch == EOF && text.empty()) break;
    ++line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.find('\0') != std::string::npos) {
      error = location(name, line) + "the line holds a NUL byte; expected text";
      return false;
    }
    const size_t hash = text.find('#');
    if (hash != std::string::npos) text.erase(hash);
    const std::vector<std::string> fields = fields_of(text);
    if (fields.empty()) continue;
    if (fields.size() != 2) {
      error = location(name, line) + "expected two numbers, x and y, found " +
              std::to_string(fields.size()) + " field" + (fields.size() == 1 ? "" : "s");
      return false;
    }
    double value[2];
    for (int f = 0; f < 2; ++f) {
      if (fields[f].empty()) {
        error = location(name, line) + "empty " + (f == 0 ? "x" : "y") + " field";
        return false;
      }
      if (!parse_number(fields[f], value[f])) {
        error = location(name, line) + (f == 0 ? "x" : "y") + " value '" + fields[f] +
                "' is not a finite number";
        return false;
      }
    }
    table.x.push_back(value[0]);
    table.y.push_back(value[1]);
    table.line.push_back(line);
  }
  if (std::ferror(in)) {
    error = name + ": read error: " + std::strerror(errno);
    return false;
  }
  return true;
}

bool check_table(const Table &table, const std::string &name, std::string &error) {
  if (table.x.size() < 2) {
    error = name + ": need at least two points, found " + std::to_string(table.x.size());
    return false;
  }
  if (table.x.size() > 10000000) {
    error = name + ": too many points (" + std::to_string(table.x.size()) + "); at most 10000000";
    return false;
  }
  for (size_t i = 1; i < table.x.size(); ++i) {
    if (!(table.x[i] > table.x[i - 1])) {
      char buffer[160];
      std::snprintf(buffer, sizeof buffer,
                    "x = %.17g is not greater than x = %.17g on line %d; the abscissae must "
                    "increase",
                    table.x[i], table.x[i - 1], table.line[i - 1]);
      error = location(name, table.line[i]) + buffer;
      return false;
    }
  }
  return true;
}

}  // namespace curve
