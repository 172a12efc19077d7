// The library's identification records and release version.
//
// Each record is a NUL-terminated text in the library image: the marker
// "@(#)", "ORB ", a 13-character label ending in a colon, a blank and the
// value.  The records are kept in the image even where nothing else would
// need them (used), and lynxUtility_version prints them without the marker.
#include "lynx/version.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "lynx_build_facts.hpp"

namespace {

#if defined(__GNUC__)
#define LYNX_KEEP __attribute__((used))
#else
#define LYNX_KEEP
#endif

// Length of the marker that stands in front of each record.
constexpr int kMarkerLength = 4;

// The version macros of the public header follow the project's version.
static_assert(std::string_view(LYNX_RELEASE_VERSION) == LYNX_VERSION,
              "LYNX_VERSION in include/lynx/version.h differs from the project's VERSION");

}  // namespace

// The records end to end, each with its NUL, in one array, so that they
// stand in the image in this order whatever the compiler does with
// separate texts.  Of external linkage, though the library does not export
// it (only the names of its export list leave it): GCC would copy the text
// of a constant of internal linkage into the debugging information, where
// the records would stand in the library file a second time.
namespace lynx {
extern const char kRecords[];
LYNX_KEEP const char kRecords[] =
    LYNX_COMPILER_RECORDS "@(#)ORB Utility  lib: " LYNX_LIBRARY_NAME "\0"
    "@(#)ORB Compile   os: " LYNX_BUILD_OS "\0"
    "@(#)ORB Compile date: " LYNX_BUILD_DATE "\0"
    "@(#)ORB Compile  ver: " LYNX_BUILD_STAMP "\0"
    "@(#)ORB Release  ver: " LYNX_RELEASE_VERSION;
}  // namespace lynx

namespace {

// The release version, once for each function.
LYNX_KEEP const char kVersionOfReport[] = LYNX_RELEASE_VERSION;
LYNX_KEEP const char kBuildVersion[] = LYNX_RELEASE_VERSION;

}  // namespace

extern "C" const char *lynxUtility_version(void) {
  std::fputs("\n", stdout);
  using lynx::kRecords;
  for (const char *record = kRecords; record < kRecords + sizeof kRecords;
       record += std::strlen(record) + 1) {
    std::fputs("\n", stdout);
    std::fputs(record + kMarkerLength, stdout);
  }
  std::fputs("\n", stdout);
  std::fflush(stdout);
  return kVersionOfReport;
}

extern "C" const char *lynxUtility_build_version(void) {
  return kBuildVersion;
}
