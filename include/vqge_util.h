// Static holder of the library's free-standing operations and switches.
#ifndef VQGE_UTIL_H
#define VQGE_UTIL_H

#include "vqge_defs.h"

struct VQGE_API VqGeUtil {
    // Interruption hook: a nonzero result asks a long iterative search to stop.
    static int (*gBreakFunc)();
    // Nonzero while a trimmed offset is built: sampled curve data then stays linked to its curve.
    static short exactOffset;
};

#endif
