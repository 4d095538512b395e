// What a platform frame calls on the frame it serves: drawing, events, activation and scale changes.
#pragma once

#include "../vstguifwd.h"

namespace VSTGUI
{

// Options of a platform frame; each platform derives its own (see X11::FrameConfig).
struct IPlatformFrameConfig
{
	virtual ~IPlatformFrameConfig () noexcept = default;
};

class IPlatformFrameCallback
{
public:
	virtual ~IPlatformFrameCallback () noexcept = default;

	// Paint `rect` (frame coordinates) into `context`.
	virtual void platformDrawRect (CDrawContext* context, const CRect& rect) = 0;
	virtual void platformOnEvent (Event& event) = 0;
	virtual void platformOnActivate (bool state) = 0;
	virtual void platformOnWindowActivate (bool state) = 0;
	virtual void platformScaleFactorChanged (double newScaleFactor) = 0;
};

} // namespace VSTGUI
