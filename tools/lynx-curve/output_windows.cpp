// Output files on Windows: always replaced at the path given, through a
// temporary file named after it.  Links and devices get no special care, and
// the data is not synced before the rename.
#include <cstdio>
#include <string>

#include "output_platform.hpp"

namespace curve::platform {

bool destination(const std::string &path, Destination &where, std::string &) {
  where = Destination{true, path, -1};
  return true;
}

std::FILE *create_beside(const std::string &target, long, std::string &temporary) {
  temporary = target + ".tmp";
  return std::fopen(temporary.c_str(), "wb");
}

bool sync(std::FILE *) {
  return true;
}

// rename does not replace an existing file here, so the old one goes first.
bool rename_over(const std::string &temporary, const std::string &target) {
  std::remove(target.c_str());
  return std::rename(temporary.c_str(), target.c_str()) == 0;
}

}  // namespace curve::platform
