// An RGBA colour with 8 bits per channel.
#pragma once

#include <cstdint>

namespace VSTGUI
{

struct CColor
{
	constexpr CColor () = default;
	constexpr CColor (uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255)
	    : red (red), green (green), blue (blue), alpha (alpha)
	{
	}

	uint8_t red{255};
	uint8_t green{255};
	uint8_t blue{255};
	uint8_t alpha{255};

	constexpr bool operator== (const CColor& c) const
	{
		return red == c.red && green == c.green && blue == c.blue && alpha == c.alpha;
	}
	constexpr bool operator!= (const CColor& c) const { return !(*this == c); }

	constexpr uint8_t getRed () const { return red; }
	constexpr uint8_t getGreen () const { return green; }
	constexpr uint8_t getBlue () const { return blue; }
	constexpr uint8_t getAlpha () const { return alpha; }
	void setRed (uint8_t v) { red = v; }
	void setGreen (uint8_t v) { green = v; }
	void setBlue (uint8_t v) { blue = v; }
	void setAlpha (uint8_t v) { alpha = v; }

	// Channels as fractions 0..1.
	constexpr double normRed () const { return red / 255.; }
	constexpr double normGreen () const { return green / 255.; }
	constexpr double normBlue () const { return blue / 255.; }
	constexpr double normAlpha () const { return alpha / 255.; }
};

inline constexpr CColor kTransparentCColor = CColor (255, 255, 255, 0);
inline constexpr CColor kBlackCColor = CColor (0, 0, 0, 255);
inline constexpr CColor kWhiteCColor = CColor (255, 255, 255, 255);
inline constexpr CColor kGreyCColor = CColor (127, 127, 127, 255);
inline constexpr CColor kRedCColor = CColor (255, 0, 0, 255);
inline constexpr CColor kGreenCColor = CColor (0, 255, 0, 255);
inline constexpr CColor kBlueCColor = CColor (0, 0, 255, 255);
inline constexpr CColor kYellowCColor = CColor (255, 255, 0, 255);
inline constexpr CColor kCyanCColor = CColor (0, 255, 255, 255);
inline constexpr CColor kMagentaCColor = CColor (255, 0, 255, 255);

} // namespace VSTGUI
