/* lynxUtility: curve interpolation: natural cubic, Akima and Renner splines. */
#ifndef LYNX_SPLINES_H
#define LYNX_SPLINES_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

LYNX_END_DECLS

#endif /* LYNX_SPLINES_H */
