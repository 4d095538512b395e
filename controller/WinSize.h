// The editor's size in unscaled view units (host pixels divided by the content scale factor).
#pragma once

#include "pluginterfaces/base/ftypes.h"

struct WinSize
{
	Steinberg::int32 width;
	Steinberg::int32 height;
};

/** The size an editor opens at when the controller has none stored. */
inline constexpr WinSize kDefaultWinSize{200, 336};
