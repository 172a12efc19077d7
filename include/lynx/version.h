/* lynxUtility: release version and build identification. */
#ifndef LYNX_VERSION_H
#define LYNX_VERSION_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* Prints the library's identification lines to standard output (an empty
 * line, then one line per record, each beginning "ORB ") and returns the
 * release version, "2010.1.19.37".  The string is the library's constant
 * storage: do not change or free it. */
LYNX_API const char *lynxUtility_version(void);

/* Returns the release version, "2010.1.19.37", and prints nothing. */
LYNX_API const char *lynxUtility_build_version(void);

LYNX_END_DECLS

#endif /* LYNX_VERSION_H */
