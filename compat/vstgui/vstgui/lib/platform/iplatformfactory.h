// IPlatformFactory: makes the platform objects (frames, timers) of the one platform the library runs on.
#pragma once

#include "../cpoint.h"
#include "../vstguifwd.h"

#include <memory>

namespace VSTGUI
{

class IPlatformFactory
{
public:
	virtual ~IPlatformFactory () noexcept = default;

	// Milliseconds of a monotonic clock.
	virtual uint64_t getTicks () const noexcept = 0;

	// parent == nullptr gives the offscreen platform frame.
	virtual PlatformFramePtr createFrame (IPlatformFrameCallback* frame, const CRect& size, void* parent,
	                                      PlatformType parentType,
	                                      IPlatformFrameConfig* config = nullptr) const noexcept = 0;
	virtual PlatformTimerPtr createTimer (IPlatformTimerCallback* callback) const noexcept = 0;
	// A transparent surface of size × scaleFactor device pixels; the caller has checked size and scale.
	virtual SharedPointer<COffscreenContext> createOffscreenContext (const CPoint& size,
	                                                                 double scaleFactor = 1.) const noexcept = 0;
};

// The factory that VSTGUI::init created; only valid between init and exit.
const IPlatformFactory& getPlatformFactory ();

// Made by the one platform back end the library is built with (Linux or Win32).
std::unique_ptr<IPlatformFactory> createPlatformFactory (PlatformInstanceHandle instance);

} // namespace VSTGUI
