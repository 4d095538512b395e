// The Direct2D draw context, drawing into WIC bitmaps: each primitive's colour at interior pixels and just
// outside its edges. Wine's Direct2D draws without anti-aliasing, so points are chosen clear of the edges and
// the checks hold on Windows as well.
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/coffscreencontext.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace
{

const CColor red (255, 0, 0, 255);
const CColor blue (0, 0, 255, 255);
const CColor none (0, 0, 0, 0);

struct Probe
{
	uint32_t x, y;
	CColor color;
	int tolerance = 0;
};

struct DrawCase
{
	const char* name;
	double scale;
	std::function<void (CDrawContext&)> draw;
	std::vector<Probe> probes;
};

CColor pixelAt (COffscreenContext& context, uint32_t x, uint32_t y)
{
	CColor c (1, 2, 3, 4);
	auto access = CBitmapPixelAccess::create (context.getBitmap ());
	if (access && access->setPosition (x, y))
		access->getColor (c);
	return c;
}

bool near (const CColor& a, const CColor& b, int tolerance)
{
	auto close = [tolerance] (int u, int v) { return std::abs (u - v) <= tolerance; };
	return close (a.red, b.red) && close (a.green, b.green) && close (a.blue, b.blue) && close (a.alpha, b.alpha);
}

std::string text (const CColor& c)
{
	return "rgba(" + std::to_string (c.red) + ", " + std::to_string (c.green) + ", " + std::to_string (c.blue) + ", " +
	       std::to_string (c.alpha) + ")";
}

SharedPointer<CGraphicsPath> makePath (CDrawContext& context)
{
	return owned (context.createGraphicsPath ());
}

} // namespace

TEST (D2DDrawContext, PrimitivesCoverTheirPixels)
{
	const std::vector<DrawCase> cases = {
	    {"filled rectangle",
	     1.,
	     [] (CDrawContext& c)
	     {
		     c.setFillColor (red);
		     c.drawRect (CRect (10, 10, 30, 20), kDrawFilled);
	     },
	     {{10, 10, red}, {29, 19, red}, {30, 15, none}, {20, 20, none}, {9, 15, none}}},
	    {"stroke of width 4 centred on y = 20",
	     1.,
	     [] (CDrawContext& c)
	     {
		     c.setDrawMode (kAliasing | kNonIntegralMode);
		     c.setFrameColor (blue);
		     c.setLineWidth (4.);
		     c.drawLine (CPoint (5, 20), CPoint (40, 20));
	     },
	     {{20, 18, blue}, {20, 21, blue}, {20, 17, none}, {20, 22, none}}},
	    {"cubic Bézier outline, non-zero fill",
	     1.,
	     [] (CDrawContext& c)
	     {
		     auto path = makePath (c);
		     path->beginSubpath (CPoint (10, 40));
		     path->addBezierCurve (CPoint (10, 10), CPoint (40, 10), CPoint (40, 40));
		     path->closeSubpath ();
		     // A second, overlapping outline in the same direction: non-zero winding keeps the overlap filled.
		     path->addRect (CRect (20, 30, 50, 45));
		     c.setFillColor (red);
		     c.drawGraphicsPath (path, CDrawContext::kPathFilled);
	     },
	     {{25, 25, red}, {25, 35, red}, {45, 42, red}, {12, 14, none}, {25, 47, none}}},
	    {"even-odd fill leaves the overlap empty",
	     1.,
	     [] (CDrawContext& c)
	     {
		     auto path = makePath (c);
		     path->addRect (CRect (10, 10, 40, 40));
		     path->addRect (CRect (20, 20, 30, 30));
		     c.setFillColor (red);
		     c.drawGraphicsPath (path, CDrawContext::kPathFilledEvenOdd);
	     },
	     {{15, 15, red}, {25, 25, none}, {35, 35, red}}},
	    {"linear gradient from red to blue",
	     1.,
	     [] (CDrawContext& c)
	     {
		     auto path = makePath (c);
		     path->addRect (CRect (0, 0, 100, 10));
		     auto gradient = owned (CGradient::create (0., 1., red, blue));
		     c.fillLinearGradient (path, *gradient, CPoint (0, 0), CPoint (100, 0));
	     },
	     {{0, 5, red, 8}, {99, 5, blue, 8}, {50, 5, CColor (128, 0, 128, 255), 40}}},
	    {"radial gradient from red at the centre to blue at radius 20",
	     1.,
	     [] (CDrawContext& c)
	     {
		     auto path = makePath (c);
		     path->addRect (CRect (0, 0, 60, 60));
		     auto gradient = owned (CGradient::create (0., 1., red, blue));
		     c.fillRadialGradient (path, *gradient, CPoint (30, 30), 20.);
	     },
	     {{30, 30, red, 16}, {55, 55, blue}, {2, 30, blue}}},
	    {"transform: translated and scaled by 2",
	     1.,
	     [] (CDrawContext& c)
	     {
		     CDrawContext::Transform t (c, CGraphicsTransform ().scale (2., 2.).translate (10., 5.));
		     c.setFillColor (blue);
		     c.drawRect (CRect (0, 0, 10, 10), kDrawFilled);
	     },
	     {{10, 5, blue}, {29, 24, blue}, {30, 15, none}, {9, 15, none}}},
	    {"clip: nothing outside the clip rectangle",
	     1.,
	     [] (CDrawContext& c)
	     {
		     c.setClipRect (CRect (20, 20, 30, 30));
		     c.setFillColor (red);
		     c.drawEllipse (CRect (0, 0, 50, 50), kDrawFilled);
	     },
	     {{25, 25, red}, {19, 25, none}, {30, 25, none}, {25, 31, none}}},
	    {"scale factor 2: one view unit is two pixels",
	     2.,
	     [] (CDrawContext& c)
	     {
		     c.setFillColor (red);
		     c.drawRect (CRect (5, 5, 10, 10), kDrawFilled);
	     },
	     {{10, 10, red}, {19, 19, red}, {20, 15, none}, {9, 15, none}}},
	    {"global alpha halves the colour",
	     1.,
	     [] (CDrawContext& c)
	     {
		     c.setGlobalAlpha (0.5f);
		     c.setFillColor (red);
		     c.drawRect (CRect (0, 0, 10, 10), kDrawFilled);
	     },
	     {{5, 5, CColor (128, 0, 0, 128), 1}}},
	    {"clearRect makes pixels transparent again",
	     1.,
	     [] (CDrawContext& c)
	     {
		     c.setFillColor (red);
		     c.drawRect (CRect (0, 0, 40, 40), kDrawFilled);
		     c.clearRect (CRect (10, 10, 20, 20));
	     },
	     {{5, 5, red}, {15, 15, none}, {25, 25, red}}},
	    {"a non-finite point draws nothing of its path",
	     1.,
	     [] (CDrawContext& c)
	     {
		     auto path = makePath (c);
		     path->addRect (CRect (0, 0, 40, 40));
		     path->addLine (CPoint (std::nan (""), 3.));
		     c.setFillColor (red);
		     c.drawGraphicsPath (path);
	     },
	     {{5, 5, none}}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		auto context = COffscreenContext::create (CPoint (100, 60), c.scale);
		ASSERT_TRUE (context);
		context->beginDraw ();
		c.draw (*context);
		context->endDraw ();
		for (const auto& p : c.probes)
		{
			const CColor got = pixelAt (*context, p.x, p.y);
			EXPECT_TRUE (near (got, p.color, p.tolerance))
			    << "at " << p.x << ", " << p.y << ": " << text (got) << ", expected " << text (p.color);
		}
	}
}

TEST (D2DDrawContext, BitmapSizeAndPNG)
{
	auto context = COffscreenContext::create (CPoint (10.5, 3), 2.);
	ASSERT_TRUE (context);
	const auto& bitmap = context->getBitmap ()->getPlatformBitmap ();
	EXPECT_EQ (bitmap->getSize (), CPoint (21, 6));
	EXPECT_FALSE (COffscreenContext::create (CPoint (0, 10)));

	const auto png = IPlatformBitmap::createMemoryPNGRepresentation (bitmap);
	ASSERT_GT (png.size (), 24u);
	const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
	EXPECT_TRUE (std::equal (std::begin (signature), std::end (signature), png.begin ()));
	// IHDR: width and height, big-endian, at bytes 16 and 20.
	EXPECT_EQ (png[19], 21);
	EXPECT_EQ (png[23], 6);
}
