// Timers of the offscreen platform: they run on a manual clock that tests and tools advance.
#pragma once

#include "../iplatformtimer.h"

namespace VSTGUI
{
namespace Offscreen
{

PlatformTimerPtr createTimer (IPlatformTimerCallback* callback);

// Advances the manual clock and fires every timer that falls due, in time order (a timer due several times
// fires several times). A timer stopped or destroyed from a callback is not fired again.
void advanceTimers (uint32_t milliseconds);

// The manual clock in milliseconds; offscreen frames stamp their events with it.
uint64_t currentTime ();

} // namespace Offscreen
} // namespace VSTGUI
