// A timer driven by the host's run loop (X11::RunLoop).
#pragma once

#include "../iplatformtimer.h"

namespace VSTGUI
{
namespace X11
{

// Null without a run loop.
PlatformTimerPtr createX11PlatformTimer (IPlatformTimerCallback* callback);

} // namespace X11
} // namespace VSTGUI
