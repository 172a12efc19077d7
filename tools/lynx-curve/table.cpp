// Reading and checking the input table.
#include <algorithm>
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

// A field that does not even begin like a number: a column's name.
bool is_name(const std::string &field) {
  const char *first = field.data();
  const char *last = first + field.size();
  if (first != last && *first == '+') ++first;
  double value;
  return !field.empty() && std::from_chars(first, last, value).ec == std::errc::invalid_argument;
}

std::string lower(std::string text) {
  for (char &ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return text;
}

// Reads the whole input, at most kMaxInputBytes.
bool read_all(std::FILE *in, const std::string &name, std::string &text, std::string &error) {
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
    if (got > kMaxInputBytes - text.size()) {
      error = name + ": the input holds more than " + std::to_string(kMaxInputBytes >> 20) +
              " MiB; lynx-curve reads tables up to that size";
      return false;
    }
    text.append(chunk, got);
  }
  if (std::ferror(in)) {
    error = name + ": read error: " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace

bool read_table(std::FILE *in, const std::string &name, Table &table, std::string &error) {
  std::string input;
  if (!read_all(in, name, input, error)) return false;
  // Without a header the two fields of a line are x and y; a header names
  // the columns, and x and y are its two columns or those named x and y.
  size_t columns = 2, x_column = 0, y_column = 1;
  bool first_line = true;
  int line = 0;
  size_t start = 0;
  while (start < input.size()) {
    size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    std::string text = input.substr(start, end - start);
    start = end + 1;
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
    if (first_line) {
      first_line = false;
      if (std::any_of(fields.begin(), fields.end(), is_name)) {
        columns = fields.size();
        if (columns != 2) {
          const auto named = [&](const char *wanted) {
            for (size_t f = 0; f < fields.size(); ++f) {
              if (lower(fields[f]) == wanted) return f;
            }
            return fields.size();
          };
          x_column = named("x");
          y_column = named("y");
          if (x_column == columns || y_column == columns) {
            error = location(name, line) + "the header names " + std::to_string(columns) +
                    (columns == 1 ? " column" : " columns") +
                    "; expected two, or columns named x and y";
            return false;
          }
        }
        table.x_name = fields[x_column];
        table.y_name = fields[y_column];
        continue;
      }
    }
    if (fields.size() != columns) {
      error = location(name, line) +
              (columns == 2 ? std::string("expected two numbers, x and y, found ")
                            : "expected " + std::to_string(columns) +
                                  " fields as the header names, found ") +
              std::to_string(fields.size()) + " field" + (fields.size() == 1 ? "" : "s");
      return false;
    }
    double value[2];
    const size_t column[2] = {x_column, y_column};
    for (int f = 0; f < 2; ++f) {
      const std::string &field = fields[column[f]];
      if (field.empty()) {
        error = location(name, line) + "empty " + (f == 0 ? "x" : "y") + " field";
        return false;
      }
      if (!parse_number(field, value[f])) {
        error = location(name, line) + (f == 0 ? "x" : "y") + " value '" + field +
                "' is not a finite number";
        return false;
      }
    }
    if (table.x.size() == kMaxPoints) {
      error = name + ": too many points; at most " + std::to_string(kMaxPoints);
      return false;
    }
    table.x.push_back(value[0]);
    table.y.push_back(value[1]);
    table.line.push_back(line);
  }
  return true;
}

bool check_table(const Table &table, const std::string &name, std::string &error) {
  if (table.x.size() < 2) {
    error = name + ": need at least two points, found " + std::to_string(table.x.size());
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
