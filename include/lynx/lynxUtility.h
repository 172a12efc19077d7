/* lynxUtility: every public declaration of the library. */
#ifndef LYNX_LYNXUTILITY_H
#define LYNX_LYNXUTILITY_H

#include "lynx_conf.h"
#include "frame.h"
#include "units.h"
#include "vectors.h"
#include "matrices.h"
#include "splines.h"
#include "tire.h"
#include "version.h"

#endif /* LYNX_LYNXUTILITY_H */
