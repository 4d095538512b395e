// Offscreen rendering and pixel reading for the drawing tests.
#pragma once

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/coffscreencontext.h"

#include <gtest/gtest.h>

#include <ostream>

namespace VSTGUI
{
inline std::ostream& operator<< (std::ostream& os, const CColor& c)
{
	return os << "rgba(" << int (c.red) << ", " << int (c.green) << ", " << int (c.blue) << ", " << int (c.alpha)
	          << ")";
}
} // namespace VSTGUI

namespace drawtest
{

using namespace VSTGUI;

// A transparent offscreen surface; pixels are read in device pixels, as stored (premultiplied).
class Canvas
{
public:
	Canvas (double width, double height, double scale = 1.)
	    : context (COffscreenContext::create (CPoint (width, height), scale))
	{
		if (context)
			context->beginDraw ();
	}

	CDrawContext* get () const { return context; }

	CColor pixel (uint32_t x, uint32_t y) const
	{
		context->endDraw ();
		auto access = CBitmapPixelAccess::create (context->getBitmap ());
		CColor c (1, 2, 3, 4);
		if (access && access->setPosition (x, y))
			access->getColor (c);
		return c;
	}

	bool allTransparent () const
	{
		context->endDraw ();
		auto access = CBitmapPixelAccess::create (context->getBitmap ());
		if (!access)
			return false;
		do
		{
			CColor c;
			access->getColor (c);
			if (c.alpha != 0)
				return false;
		} while (++*access);
		return true;
	}

	SharedPointer<COffscreenContext> context;
};

inline constexpr CColor transparent (0, 0, 0, 0);

// Whether the platform's drawing covers pixels in part at a shape's edge. Wine's Direct2D does not: tests of
// partial coverage skip there.
inline bool drawsAntiAliased ()
{
	Canvas canvas (2., 1.);
	canvas.get ()->setDrawMode (kAntiAliasing | kNonIntegralMode);
	canvas.get ()->setFillColor (kBlackCColor);
	auto path = owned (canvas.get ()->createGraphicsPath ());
	path->addRect (CRect (0., 0., 0.5, 1.));
	canvas.get ()->drawGraphicsPath (path);
	const auto alpha = canvas.pixel (0, 0).alpha;
	return alpha > 0 && alpha < 255;
}

} // namespace drawtest
