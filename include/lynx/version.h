/* lynxUtility: release version and build identification.
 *
 * The macros give the version of the headers a program is compiled against;
 * lynxUtility_build_version() gives that of the library it runs with.  A
 * program that needs both to agree compares LYNX_VERSION with the string the
 * function returns. */
#ifndef LYNX_VERSION_H
#define LYNX_VERSION_H

#include "lynx_conf.h"

/* The release version as text, and its four numbers. */
#define LYNX_VERSION "2010.1.19.37"
#define LYNX_VERSION_MAJOR 2010
#define LYNX_VERSION_MINOR 1
#define LYNX_VERSION_PATCH 19
#define LYNX_VERSION_TWEAK 37

/* True when the headers are at least release major.minor.patch, e.g.
 *   #if LYNX_VERSION_AT_LEAST(2010, 1, 19)  */
#define LYNX_VERSION_AT_LEAST(major, minor, patch) \
  (LYNX_VERSION_MAJOR > (major) ||                 \
   (LYNX_VERSION_MAJOR == (major) &&               \
    (LYNX_VERSION_MINOR > (minor) ||               \
     (LYNX_VERSION_MINOR == (minor) && LYNX_VERSION_PATCH >= (patch)))))

LYNX_BEGIN_DECLS

#if defined(LYNX_ALL_ROUTINES)
/* Prints the library's identification lines to standard output (an empty
 * line, then one line per record, each beginning "ORB ") and returns the
 * release version, "2010.1.19.37".  The string is the library's constant
 * storage: do not change or free it. */
LYNX_API const char *lynxUtility_version(void);

/* Returns the release version, "2010.1.19.37", and prints nothing. */
LYNX_API const char *lynxUtility_build_version(void);
#endif

LYNX_END_DECLS

#endif /* LYNX_VERSION_H */
