#include "cgradient.h"

namespace VSTGUI
{

CGradient* CGradient::create (const GradientColorStopMap& colorStopMap)
{
	return new CGradient (colorStopMap);
}

CGradient* CGradient::create (double color1Start, double color2Start, const CColor& color1, const CColor& color2)
{
	GradientColorStopMap map;
	map.emplace (color1Start, color1);
	map.emplace (color2Start, color2);
	return new CGradient (map);
}

void CGradient::addColorStop (double start, const CColor& color)
{
	colorStops.emplace (start, color);
}

const CColor& CGradient::getColor1 () const
{
	static const CColor none = kTransparentCColor;
	return colorStops.empty () ? none : colorStops.begin ()->second;
}

const CColor& CGradient::getColor2 () const
{
	static const CColor none = kTransparentCColor;
	return colorStops.empty () ? none : colorStops.rbegin ()->second;
}

} // namespace VSTGUI
