// The switch before the header's first inclusion: this source holds NanoSVG's functions.
#define NANOSVG_IMPLEMENTATION
#include "nanosvg.h"
