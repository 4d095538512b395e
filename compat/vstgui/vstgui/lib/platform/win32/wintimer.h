// A timer on SetTimer: it fires from the message loop of the thread that started it.
#pragma once

#include "../iplatformtimer.h"

#include <cstddef>

namespace VSTGUI
{
namespace Win32
{

PlatformTimerPtr createWin32PlatformTimer (IPlatformTimerCallback* callback);

// How many of these timers are running (a stand-in extra for tests that look for leaks).
size_t runningTimerCount ();

} // namespace Win32
} // namespace VSTGUI
