/* lynxUtility: tire kinematics: tire axis systems and solver vector components. */
#ifndef LYNX_TIRE_H
#define LYNX_TIRE_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

LYNX_END_DECLS

#endif /* LYNX_TIRE_H */
