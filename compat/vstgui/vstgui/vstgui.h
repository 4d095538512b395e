// Everything of the GUI library's drawing part in one include.
#pragma once

#include "lib/cbitmap.h"
#include "lib/ccolor.h"
#include "lib/cdrawcontext.h"
#include "lib/cdrawdefs.h"
#include "lib/cgradient.h"
#include "lib/cgraphicspath.h"
#include "lib/cgraphicstransform.h"
#include "lib/clinestyle.h"
#include "lib/coffscreencontext.h"
#include "lib/cpoint.h"
#include "lib/crect.h"
#include "lib/vstguibase.h"
