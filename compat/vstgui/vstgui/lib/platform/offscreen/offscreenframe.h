// The offscreen platform frame: a CFrame opened with no parent window renders into an image and takes
// injected events, so that tests and tools drive the whole library without a display.
#pragma once

#include "../../ccolor.h"
#include "../../cstring.h"
#include "../common/clickcounter.h"
#include "../iplatformframe.h"

#include <string>
#include <vector>

namespace VSTGUI
{

class OffscreenPlatformFrame : public IPlatformFrame
{
public:
	OffscreenPlatformFrame (IPlatformFrameCallback* callback, const CRect& size, double scaleFactor = 1.);
	~OffscreenPlatformFrame () noexcept override;

	// Device pixels per view unit; a change repaints nothing by itself (call renderAll).
	void setScaleFactor (double factor);
	double getScaleFactor () const override { return scaleFactor; }

	// Event injection. Events are stamped with Offscreen::currentTime (); mouse-downs get their click count
	// from the time and distance to the previous press. Each answers whether a view or observer consumed it.
	bool dispatch (Event& event);
	bool mouseDown (const CPoint& where, MouseButton button = MouseButton::Left, Modifiers modifiers = {});
	bool mouseMove (const CPoint& where, MouseButton button = MouseButton::None, Modifiers modifiers = {});
	bool mouseUp (const CPoint& where, MouseButton button = MouseButton::Left, Modifiers modifiers = {});
	// A complete click: down, then up at the same point.
	bool click (const CPoint& where, MouseButton button = MouseButton::Left, Modifiers modifiers = {});
	bool wheel (const CPoint& where, CCoord deltaX, CCoord deltaY, Modifiers modifiers = {});
	bool keyDown (VirtualKey virt, char32_t character = 0, Modifiers modifiers = {});
	bool keyUp (VirtualKey virt, char32_t character = 0, Modifiers modifiers = {});
	uint32_t getLastClickCount () const { return lastClickCount; }

	// Rendering. The invalid region is the union of the invalidated rectangles (frame coordinates, clipped to
	// the frame), kept as a short list of non-overlapping rectangles.
	const std::vector<CRect>& getInvalidRegion () const { return invalidRegion; }
	// Paints only the invalid region, empties it and answers it.
	std::vector<CRect> renderInvalid ();
	void renderAll ();
	CBitmap* getBitmap () const;
	bool writePNG (const std::string& path) const;
	// One device pixel with straight (not premultiplied) alpha; transparent outside the image.
	CColor getPixel (uint32_t x, uint32_t y) const;
	uint32_t getPixelWidth () const;
	uint32_t getPixelHeight () const;

	UTF8String getTooltipText () const { return tooltip; }
	CCursorType getCursor () const { return cursor; }

	// IPlatformFrame
	bool getGlobalPosition (CPoint& pos) const override;
	bool setSize (const CRect& newSize) override;
	bool getSize (CRect& size) const override;
	bool getCurrentMousePosition (CPoint& mousePosition) const override;
	bool getCurrentMouseButtons (CButtonState& buttons) const override;
	bool getCurrentModifiers (Modifiers& modifiers) const override;
	bool setMouseCursor (CCursorType type) override;
	bool invalidRect (const CRect& rect) override;
	bool showTooltip (const CRect& rect, const char* utf8Text) override;
	bool hideTooltip () override;
	void* getPlatformRepresentation () const override { return nullptr; }
	PlatformType getPlatformType () const override { return PlatformType::kDefaultNative; }
	void onFrameClosed () override;

private:
	bool key (EventType type, VirtualKey virt, char32_t character, Modifiers modifiers);
	void ensureImage ();
	void paint (const CRect& rect);

	CRect size;
	double scaleFactor;
	SharedPointer<COffscreenContext> context;
	std::vector<CRect> invalidRegion;
	ClickCounter clickCounter;
	uint32_t lastClickCount{0};
	CPoint mousePosition;
	MouseEventButtonState mouseButtons;
	Modifiers modifiers;
	CCursorType cursor{kCursorDefault};
	UTF8String tooltip;
	bool closed{false};
};

} // namespace VSTGUI
