// NanoSVG's functions, compiled once for the program: the switch must come before the first inclusion of the
// header, which is why this source does nothing else.
#define NANOSVG_IMPLEMENTATION
#include "nanosvg.h"
