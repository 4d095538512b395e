#include "offscreenframe.h"

#include "../../cbitmap.h"
#include "../../cdrawcontext.h"
#include "../../coffscreencontext.h"
#include "../iplatformbitmap.h"
#include "../iplatformframecallback.h"
#include "offscreentimer.h"

#include <cmath>
#include <fstream>

namespace VSTGUI
{

OffscreenPlatformFrame::OffscreenPlatformFrame (IPlatformFrameCallback* callback, const CRect& size, double scaleFactor)
    : IPlatformFrame (callback), size (size), scaleFactor (scaleFactor)
{
}

OffscreenPlatformFrame::~OffscreenPlatformFrame () noexcept = default;

void OffscreenPlatformFrame::setScaleFactor (double factor)
{
	if (factor <= 0. || factor == scaleFactor)
		return;
	scaleFactor = factor;
	context = nullptr;
	if (!closed)
		frame->platformScaleFactorChanged (factor);
}

bool OffscreenPlatformFrame::dispatch (Event& event)
{
	if (closed)
		return false;
	event.timestamp = Offscreen::currentTime ();
	if (auto mouseEvent = asMouseEvent (event))
	{
		mousePosition = mouseEvent->mousePosition;
		modifiers = mouseEvent->modifiers;
	}
	if (event.type == EventType::MouseDown)
	{
		auto& down = castMouseDownEvent (event);
		if (down.clickCount == 0)
		{
			MouseButton button = MouseButton::Left;
			for (auto b :
			     {MouseButton::Left, MouseButton::Right, MouseButton::Middle, MouseButton::Fourth, MouseButton::Fifth})
			{
				if (down.buttonState.has (b))
				{
					button = b;
					break;
				}
			}
			down.clickCount = clickCounter.onMouseDown (down.mousePosition, button, event.timestamp);
		}
		lastClickCount = down.clickCount;
		mouseButtons = down.buttonState;
	}
	else if (event.type == EventType::MouseUp)
		mouseButtons.clear ();
	frame->platformOnEvent (event);
	return event.consumed;
}

namespace
{

template <typename EventT> EventT makeMouseEvent (const CPoint& where, MouseButton button, Modifiers mods)
{
	EventT event (where, button);
	event.modifiers = mods;
	return event;
}

} // namespace

bool OffscreenPlatformFrame::mouseDown (const CPoint& where, MouseButton button, Modifiers mods)
{
	auto event = makeMouseEvent<MouseDownEvent> (where, button, mods);
	return dispatch (event);
}

bool OffscreenPlatformFrame::mouseMove (const CPoint& where, MouseButton button, Modifiers mods)
{
	auto event = makeMouseEvent<MouseMoveEvent> (where, button, mods);
	return dispatch (event);
}

bool OffscreenPlatformFrame::mouseUp (const CPoint& where, MouseButton button, Modifiers mods)
{
	auto event = makeMouseEvent<MouseUpEvent> (where, button, mods);
	return dispatch (event);
}

bool OffscreenPlatformFrame::click (const CPoint& where, MouseButton button, Modifiers mods)
{
	bool down = mouseDown (where, button, mods);
	bool up = mouseUp (where, button, mods);
	return down || up;
}

bool OffscreenPlatformFrame::wheel (const CPoint& where, CCoord deltaX, CCoord deltaY, Modifiers mods)
{
	MouseWheelEvent event;
	event.mousePosition = where;
	event.deltaX = deltaX;
	event.deltaY = deltaY;
	event.modifiers = mods;
	return dispatch (event);
}

bool OffscreenPlatformFrame::keyDown (VirtualKey virt, char32_t character, Modifiers mods)
{
	return key (EventType::KeyDown, virt, character, mods);
}

bool OffscreenPlatformFrame::keyUp (VirtualKey virt, char32_t character, Modifiers mods)
{
	return key (EventType::KeyUp, virt, character, mods);
}

bool OffscreenPlatformFrame::key (EventType type, VirtualKey virt, char32_t character, Modifiers mods)
{
	KeyboardEvent event (type);
	event.virt = virt;
	event.character = character;
	event.modifiers = mods;
	return dispatch (event);
}

void OffscreenPlatformFrame::ensureImage ()
{
	if (!context)
		context = COffscreenContext::create (CPoint (size.getWidth (), size.getHeight ()), scaleFactor);
}

void OffscreenPlatformFrame::paint (const CRect& rect)
{
	ensureImage ();
	if (!context || closed)
		return;
	context->beginDraw ();
	context->saveGlobalState ();
	context->setClipRect (rect);
	context->clearRect (rect);
	frame->platformDrawRect (context, rect);
	context->restoreGlobalState ();
	context->endDraw ();
}

std::vector<CRect> OffscreenPlatformFrame::renderInvalid ()
{
	auto region = std::move (invalidRegion);
	invalidRegion.clear ();
	for (const auto& r : region)
		paint (r);
	return region;
}

void OffscreenPlatformFrame::renderAll ()
{
	invalidRegion.clear ();
	paint (CRect (0., 0., size.getWidth (), size.getHeight ()));
}

CBitmap* OffscreenPlatformFrame::getBitmap () const
{
	const_cast<OffscreenPlatformFrame*> (this)->ensureImage ();
	return context ? context->getBitmap () : nullptr;
}

bool OffscreenPlatformFrame::writePNG (const std::string& path) const
{
	auto bitmap = getBitmap ();
	if (!bitmap)
		return false;
	auto png = IPlatformBitmap::createMemoryPNGRepresentation (bitmap->getPlatformBitmap ());
	if (png.empty ())
		return false;
	std::ofstream out (path, std::ios::binary);
	out.write (reinterpret_cast<const char*> (png.data ()), static_cast<std::streamsize> (png.size ()));
	return static_cast<bool> (out);
}

CColor OffscreenPlatformFrame::getPixel (uint32_t x, uint32_t y) const
{
	CColor color (0, 0, 0, 0);
	auto access = CBitmapPixelAccess::create (getBitmap (), false);
	if (access && access->setPosition (x, y))
		access->getColor (color);
	return color;
}

uint32_t OffscreenPlatformFrame::getPixelWidth () const
{
	auto access = CBitmapPixelAccess::create (getBitmap (), false);
	return access ? access->getBitmapWidth () : 0;
}

uint32_t OffscreenPlatformFrame::getPixelHeight () const
{
	auto access = CBitmapPixelAccess::create (getBitmap (), false);
	return access ? access->getBitmapHeight () : 0;
}

bool OffscreenPlatformFrame::getGlobalPosition (CPoint& pos) const
{
	pos = size.getTopLeft ();
	return true;
}

bool OffscreenPlatformFrame::setSize (const CRect& newSize)
{
	if (newSize.getWidth () != size.getWidth () || newSize.getHeight () != size.getHeight ())
		context = nullptr;
	size = newSize;
	invalidRegion.clear ();
	invalidRect (CRect (0., 0., size.getWidth (), size.getHeight ()));
	return true;
}

bool OffscreenPlatformFrame::getSize (CRect& outSize) const
{
	outSize = size;
	return true;
}

bool OffscreenPlatformFrame::getCurrentMousePosition (CPoint& position) const
{
	position = mousePosition;
	return true;
}

bool OffscreenPlatformFrame::getCurrentMouseButtons (CButtonState& buttons) const
{
	MouseEvent e;
	e.buttonState = mouseButtons;
	e.modifiers = modifiers;
	buttons = buttonStateFromMouseEvent (e);
	return true;
}

bool OffscreenPlatformFrame::getCurrentModifiers (Modifiers& mods) const
{
	mods = modifiers;
	return true;
}

bool OffscreenPlatformFrame::setMouseCursor (CCursorType type)
{
	cursor = type;
	return true;
}

namespace
{

bool touchesOrOverlaps (const CRect& a, const CRect& b)
{
	return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

} // namespace

bool OffscreenPlatformFrame::invalidRect (const CRect& rect)
{
	CRect r (rect);
	r.normalize ();
	r.bound (CRect (0., 0., size.getWidth (), size.getHeight ()));
	if (r.isEmpty ())
		return true;
	// Merge with every rectangle it touches until none is left to merge with.
	bool merged = true;
	while (merged)
	{
		merged = false;
		for (auto it = invalidRegion.begin (); it != invalidRegion.end (); ++it)
		{
			if (touchesOrOverlaps (*it, r))
			{
				r.unite (*it);
				invalidRegion.erase (it);
				merged = true;
				break;
			}
		}
	}
	invalidRegion.push_back (r);
	return true;
}

bool OffscreenPlatformFrame::showTooltip (const CRect& rect, const char* utf8Text)
{
	tooltip = utf8Text;
	return true;
}

bool OffscreenPlatformFrame::hideTooltip ()
{
	tooltip.clear ();
	return true;
}

void OffscreenPlatformFrame::onFrameClosed ()
{
	closed = true;
}

} // namespace VSTGUI
