// What writing an output file needs of the operating system, behind one
// interface: output_posix.cpp and output_windows.cpp implement it, and the
// build takes the one for its platform.
#ifndef LYNX_CURVE_OUTPUT_PLATFORM_HPP
#define LYNX_CURVE_OUTPUT_PLATFORM_HPP

#include <cstdio>
#include <string>

namespace curve::platform {

// How a path given for output is written.
struct Destination {
  bool replace = true;  // through a temporary file and a rename; else written directly
  std::string target;   // the file replaced: path itself, or where its links lead
  long mode = -1;       // permissions for the replacement, -1 for those of a new file
};

// Where and how path is written; false with a message in error when it
// cannot be (a directory, an unreadable link, a path that cannot be looked
// up).
bool destination(const std::string &path, Destination &where, std::string &error);

// A new file beside target, open for writing in binary mode, with mode as
// in Destination; its name in temporary.  nullptr with errno set on failure.
std::FILE *create_beside(const std::string &target, long mode, std::string &temporary);

// Makes the written data of out durable before it is closed; false with
// errno set on failure.
bool sync(std::FILE *out);

// Puts the finished temporary file in target's place; false with errno set
// on failure.
bool rename_over(const std::string &temporary, const std::string &target);

}  // namespace curve::platform

#endif  // LYNX_CURVE_OUTPUT_PLATFORM_HPP
