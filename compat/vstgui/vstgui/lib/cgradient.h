// A colour gradient: colour stops at offsets from 0 to 1, used to fill paths linearly or radially.
#pragma once

#include "ccolor.h"
#include "vstguifwd.h"

namespace VSTGUI
{

class CGradient : public AtomicReferenceCounted
{
public:

	// The caller owns the returned gradient's one reference.
	static CGradient* create (const GradientColorStopMap& colorStopMap);
	static CGradient* create (double color1Start, double color2Start, const CColor& color1, const CColor& color2);

	// Stops at the same offset keep the order in which they were added.
	virtual void addColorStop (double start, const CColor& color);
	void addColorStop (const std::pair<double, CColor>& colorStop) { addColorStop (colorStop.first, colorStop.second); }

	const GradientColorStopMap& getColorStops () const { return colorStops; }
	double getColor1Start () const { return colorStops.empty () ? 0. : colorStops.begin ()->first; }
	double getColor2Start () const { return colorStops.empty () ? 0. : colorStops.rbegin ()->first; }
	const CColor& getColor1 () const;
	const CColor& getColor2 () const;

protected:
	explicit CGradient (const GradientColorStopMap& map) : colorStops (map) {}

	GradientColorStopMap colorStops;
};

} // namespace VSTGUI
