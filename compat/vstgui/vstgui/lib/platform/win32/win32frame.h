// The Win32 platform frame: a child window (WS_CHILD) of the host's window.
#pragma once

#include "../iplatformframe.h"
#include "../iplatformframecallback.h"

#include <windows.h>

namespace VSTGUI
{
namespace Win32
{

// Null when the window cannot be created or the parent is no window.
PlatformFramePtr createWin32PlatformFrame (IPlatformFrameCallback* callback, const CRect& size, HWND parent,
                                           PlatformType parentType);

// The name of the frames' window class, registered while a frame is open (a stand-in extra for tests).
const wchar_t* frameWindowClassName ();

} // namespace Win32
} // namespace VSTGUI
