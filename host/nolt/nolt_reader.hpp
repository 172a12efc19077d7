// Property files: parsing and look-up.
#ifndef NOLT_READER_HPP
#define NOLT_READER_HPP

#include <cstddef>
#include <string>
#include <vector>

namespace nolt {

struct Entry {
  std::string block;  // upper-cased
  std::string key;    // upper-cased
  std::string value;  // as written, without quotes
};

// A table of a block: its header's column names (none when the rows came
// without a header) and its rows, kept as written.
struct Table {
  std::string block;                 // upper-cased
  size_t line = 0;                   // of the header, or of the first row
  std::vector<std::string> columns;  // the header's names, as written
  std::vector<std::string> rows;     // each row's numbers, as written (trimmed)
};

// A line that the reader skipped: the file was read without it.
struct Skipped {
  size_t line;
  std::string text;  // trimmed, without its comment
};

struct PropertyFile {
  std::string name;
  std::vector<Entry> entries;
  std::vector<Table> tables;
  std::vector<Skipped> skipped;
  // The value of key in block (names matched without regard to case), or
  // nullptr.
  const std::string *find(const std::string &block, const std::string &key) const;
};

// Parses the text of a property file.  On a malformed line returns false
// and sets error to "NAME:LINE: reason"; lines that fit no rule and give
// no value are noted in file.skipped instead.
bool parse(const std::string &name, const std::string &text, PropertyFile &file,
           std::string &error);

// The remark on a skipped line: "NAME:LINE: line skipped: ...".
std::string skipped_remark(const std::string &name, const Skipped &line);

}  // namespace nolt

#endif  // NOLT_READER_HPP
