// Property files: parsing and look-up.
#ifndef NOLT_READER_HPP
#define NOLT_READER_HPP

#include <string>
#include <vector>

namespace nolt {

struct Entry {
  std::string block;  // upper-cased
  std::string key;    // upper-cased
  std::string value;  // as written, without quotes
};

struct PropertyFile {
  std::string name;
  std::vector<Entry> entries;
  // The value of key in block (names matched without regard to case), or
  // nullptr.
  const std::string *find(const std::string &block, const std::string &key) const;
};

// Parses the text of a property file.  On a malformed line returns false
// and sets error to "NAME:LINE: reason".
bool parse(const std::string &name, const std::string &text, PropertyFile &file,
           std::string &error);

// Upper-cases ASCII letters.
std::string upper(std::string s);

}  // namespace nolt

#endif  // NOLT_READER_HPP
