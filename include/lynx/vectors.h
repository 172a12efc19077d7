/* lynxUtility: vectors of doubles: sums, products, lengths, unit vectors. */
#ifndef LYNX_VECTORS_H
#define LYNX_VECTORS_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

LYNX_END_DECLS

#endif /* LYNX_VECTORS_H */
