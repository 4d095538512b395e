// IPlatformFrame: the platform side of a CFrame (a window, or the offscreen stand-in).
#pragma once

#include "../cbuttonstate.h"
#include "../cpoint.h"
#include "../crect.h"
#include "../events.h"
#include "../vstguifwd.h"

namespace VSTGUI
{

class IPlatformFrame : public AtomicReferenceCounted
{
public:
	virtual bool getGlobalPosition (CPoint& pos) const = 0;
	virtual bool setSize (const CRect& newSize) = 0;
	virtual bool getSize (CRect& size) const = 0;

	virtual bool getCurrentMousePosition (CPoint& mousePosition) const = 0;
	virtual bool getCurrentMouseButtons (CButtonState& buttons) const = 0;
	virtual bool getCurrentModifiers (Modifiers& modifiers) const = 0;
	virtual bool setMouseCursor (CCursorType type) = 0;

	// Collects `rect` (frame coordinates) for the next redraw.
	virtual bool invalidRect (const CRect& rect) = 0;
	virtual bool scrollRect (const CRect& src, const CPoint& distance) { return false; }

	virtual bool showTooltip (const CRect& rect, const char* utf8Text) = 0;
	virtual bool hideTooltip () = 0;

	virtual void* getPlatformRepresentation () const = 0;
	virtual PlatformType getPlatformType () const = 0;
	virtual double getScaleFactor () const { return 1.; }

	// The frame is closing; the platform frame must not call its callback any more.
	virtual void onFrameClosed () {}

protected:
	explicit IPlatformFrame (IPlatformFrameCallback* frame) : frame (frame) {}

	IPlatformFrameCallback* frame;
};

} // namespace VSTGUI
