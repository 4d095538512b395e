// Draw modes (anti-aliasing, integral coordinates) and draw styles of the draw context.
#pragma once

#include <cstdint>

namespace VSTGUI
{

enum CDrawModeFlags : uint32_t
{
	kAliasing = 0,
	kAntiAliasing = 1,
	// Coordinates are drawn as given instead of being aligned to device pixels.
	kNonIntegralMode = 0xF0000000
};

struct CDrawMode
{
	constexpr CDrawMode (uint32_t mode = kAliasing) : mode (mode) {}
	constexpr CDrawMode (const CDrawMode&) = default;
	CDrawMode& operator= (const CDrawMode&) = default;

	constexpr uint32_t modeIgnoringIntegralMode () const { return mode & ~kNonIntegralMode; }
	constexpr bool integralMode () const { return (mode & kNonIntegralMode) == 0; }
	constexpr bool aliasing () const { return modeIgnoringIntegralMode () == kAliasing; }
	constexpr bool antiAliasing () const { return modeIgnoringIntegralMode () == kAntiAliasing; }

	constexpr uint32_t operator() () const { return mode; }
	// Modes compare by their anti-aliasing alone, whatever their integral flag.
	constexpr bool operator== (const CDrawMode& m) const
	{
		return modeIgnoringIntegralMode () == m.modeIgnoringIntegralMode ();
	}
	constexpr bool operator!= (const CDrawMode& m) const { return !(*this == m); }

private:
	uint32_t mode;
};

enum CDrawStyle
{
	kDrawStroked = 0,
	kDrawFilled,
	kDrawFilledAndStroked
};

} // namespace VSTGUI
