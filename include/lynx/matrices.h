/* lynxUtility: 3x3 and 6x6 matrices, tilde operations, frame transforms, block index lists. */
#ifndef LYNX_MATRICES_H
#define LYNX_MATRICES_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

LYNX_END_DECLS

#endif /* LYNX_MATRICES_H */
