// The switch after the header was already included: the include guard leaves this source without NanoSVG's
// functions, so a program relying on it does not link.
#include "nanosvg.h"

#define NANOSVG_IMPLEMENTATION
#include "nanosvg.h"
