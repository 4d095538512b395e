// The X11 platform frame: a child window of the host's window.
#pragma once

#include "../iplatformframe.h"
#include "../iplatformframecallback.h"

namespace VSTGUI
{
namespace X11
{

// Null when the window cannot be created.
PlatformFramePtr createX11PlatformFrame (IPlatformFrameCallback* callback, const CRect& size, void* parent,
                                         PlatformType parentType, IPlatformFrameConfig* config);

} // namespace X11
} // namespace VSTGUI
