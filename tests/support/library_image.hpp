// Test support: what a built shared library exports and imports, read from
// its dynamic symbol table (ELF) or its export and import directories (PE).
#ifndef LYNX_TESTS_LIBRARY_IMAGE_HPP
#define LYNX_TESTS_LIBRARY_IMAGE_HPP

#include <map>
#include <set>
#include <string>

namespace lynx_test {

struct LibraryImage {
  // The library's own name: the DLL name of the export directory (PE), the
  // file name (ELF).
  std::string name;
  // The routines and data the library exports.
  std::set<std::string> exported;
  // The names the library takes from other libraries.
  std::set<std::string> imported;
  // The libraries it is linked to, each with the names taken from it (PE);
  // on ELF the sets are empty, since symbols are not bound to a library.
  std::map<std::string, std::set<std::string>> libraries;
  // ELF only: the SONAME, and the version node each exported name is bound
  // to (empty on PE).
  std::string soname;
  std::map<std::string, std::string> version_of;
};

// Reads the library at path; reports a test failure when it cannot.
LibraryImage read_library_image(const std::string &path);

}  // namespace lynx_test

#endif  // LYNX_TESTS_LIBRARY_IMAGE_HPP
