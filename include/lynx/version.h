/* lynxUtility: release version and build identification. */
#ifndef LYNX_VERSION_H
#define LYNX_VERSION_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

LYNX_END_DECLS

#endif /* LYNX_VERSION_H */
