// Integral mode: paths, gradients, rectangles and lines land on whole device pixels; non-integral mode draws
// coordinates as given.
#include "DrawingTestSupport.h"

#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cgraphicstransform.h"

#include <cmath>
#include <functional>

using namespace VSTGUI;
using drawtest::Canvas;
using drawtest::transparent;

namespace
{

constexpr CDrawMode kNonIntegral (kAntiAliasing | kNonIntegralMode);

// A shape with fractional corners and a curve whose control points are fractional too.
void addShape (CGraphicsPath& path, const std::function<CPoint (CPoint)>& place)
{
	path.beginSubpath (place ({2.3, 1.4}));
	path.addLine (place ({13.6, 2.2}));
	path.addBezierCurve (place ({15.2, 6.7}), place ({11.4, 12.6}), place ({7.5, 13.3}));
	path.addLine (place ({1.8, 9.5}));
	path.closeSubpath ();
}

bool samePixels (const Canvas& a, const Canvas& b, uint32_t width, uint32_t height)
{
	for (uint32_t y = 0; y < height; ++y)
		for (uint32_t x = 0; x < width; ++x)
			if (!(a.pixel (x, y) == b.pixel (x, y)))
				return false;
	return true;
}

struct Placement
{
	const char* name;
	double scale;   // of the context's transform
	double dx, dy;  // its translation, in view units
	double backing; // device pixels per view unit of the surface
};

constexpr Placement kPlacements[] = {
    {"scale 1", 1., 0., 0., 1.},
    {"scale 1.5, shifted", 1.5, 0.3, 0.55, 1.},
    {"scale 2, shifted", 2., 0.7, 0.2, 1.},
    {"scale 1.5 on a surface of scale 2", 1.5, 0.25, 0.4, 2.},
};

enum class Fill
{
	colour,
	linearGradient,
	radialGradient
};

void fill (CDrawContext* c, CGraphicsPath* path, Fill how)
{
	auto gradient = owned (CGradient::create (0., 1., kRedCColor, kBlueCColor));
	switch (how)
	{
	case Fill::colour:
		c->setFillColor (CColor (30, 160, 90, 255));
		c->drawGraphicsPath (path);
		break;
	case Fill::linearGradient:
		c->fillLinearGradient (path, *gradient, CPoint (2., 0.), CPoint (14., 0.));
		break;
	case Fill::radialGradient:
		c->fillRadialGradient (path, *gradient, CPoint (8., 7.), 6.);
		break;
	}
}

} // namespace

// The aligned shape is worked out here in device space: s·p + d rounded, mapped back into view units.
TEST (IntegralMode, FilledPathCoversExactlyWhatItsAlignedPathCovers)
{
	for (const Placement& at : kPlacements)
		for (Fill how : {Fill::colour, Fill::linearGradient, Fill::radialGradient})
		{
			SCOPED_TRACE (at.name);
			SCOPED_TRACE (int (how));
			const double s = at.scale * at.backing;
			const double dx = at.dx * at.backing, dy = at.dy * at.backing;
			const uint32_t size = uint32_t (std::ceil (20. * at.backing));
			const CGraphicsTransform view (at.scale, 0., 0., at.scale, at.dx, at.dy);
			auto aligned = [&] (CPoint p)
			{ return CPoint ((std::round (s * p.x + dx) - dx) / s, (std::round (s * p.y + dy) - dy) / s); };

			Canvas integral (20., 20., at.backing);
			{
				CDrawContext::Transform t (*integral.get (), view);
				integral.get ()->setDrawMode (kAntiAliasing);
				auto path = owned (integral.get ()->createGraphicsPath ());
				addShape (*path, [] (CPoint p) { return p; });
				fill (integral.get (), path, how);
			}
			Canvas expected (20., 20., at.backing);
			{
				CDrawContext::Transform t (*expected.get (), view);
				expected.get ()->setDrawMode (kNonIntegral);
				auto path = owned (expected.get ()->createGraphicsPath ());
				addShape (*path, aligned);
				fill (expected.get (), path, how);
			}
			Canvas asGiven (20., 20., at.backing);
			{
				CDrawContext::Transform t (*asGiven.get (), view);
				asGiven.get ()->setDrawMode (kNonIntegral);
				auto path = owned (asGiven.get ()->createGraphicsPath ());
				addShape (*path, [] (CPoint p) { return p; });
				fill (asGiven.get (), path, how);
			}
			EXPECT_TRUE (samePixels (integral, expected, size, size));
			EXPECT_FALSE (samePixels (integral, asGiven, size, size));
		}
}

TEST (IntegralMode, NonIntegralModeDrawsCoordinatesAsGiven)
{
	if (!drawtest::drawsAntiAliased ())
		GTEST_SKIP () << "this platform's drawing covers no pixel in part";
	// A square from 2.25 to 5.75: its edge pixels are three quarters covered (cairo counts 256ths: 192).
	Canvas canvas (8., 8.);
	CDrawContext* c = canvas.get ();
	c->setDrawMode (kNonIntegral);
	c->setFillColor (kBlackCColor);
	auto path = owned (c->createGraphicsPath ());
	path->addRect (CRect (2.25, 2., 5.75, 6.));
	c->drawGraphicsPath (path);
	EXPECT_EQ (int (canvas.pixel (2, 3).alpha), 192);
	EXPECT_EQ (int (canvas.pixel (3, 3).alpha), 255);
	EXPECT_EQ (int (canvas.pixel (5, 3).alpha), 192);
}

TEST (IntegralMode, PathPointsAreAlignedBeforeThePathsOwnTransformation)
{
	if (!drawtest::drawsAntiAliased ())
		GTEST_SKIP () << "this platform's drawing covers no pixel in part";
	// Rounded in the context's space, (0.3, 0) becomes (0, 0) and only then goes through the path's
	// transformation: the stroke's centre lands on x = 8, and its width of 0.5 grows to 5 (5.5 to 10.5).
	Canvas canvas (20., 20.);
	CDrawContext* c = canvas.get ();
	auto path = owned (c->createGraphicsPath ());
	path->beginSubpath (CPoint (0.3, 0.));
	path->addLine (CPoint (0.3, 2.));
	c->setDrawMode (kAntiAliasing);
	c->setFrameColor (kBlueCColor);
	c->setLineWidth (0.5);
	CGraphicsTransform grow (10., 0., 0., 10., 8., 0.);
	c->drawGraphicsPath (path, CDrawContext::kPathStroked, &grow);
	EXPECT_EQ (canvas.pixel (4, 10), transparent);
	EXPECT_EQ (int (canvas.pixel (5, 10).alpha), 128);
	EXPECT_EQ (canvas.pixel (6, 10), kBlueCColor);
	EXPECT_EQ (canvas.pixel (9, 10), kBlueCColor);
	EXPECT_EQ (int (canvas.pixel (10, 10).alpha), 128);
	EXPECT_EQ (canvas.pixel (11, 10), transparent);
}

TEST (IntegralMode, RectanglesAndLinesLandOnWholePixels)
{
	struct Case
	{
		const char* name;
		std::function<void (CDrawContext*)> draw;
		CPoint covered[2];   // fully covered pixels
		CPoint untouched[2]; // pixels left transparent
	};
	const Case cases[] = {
	    // 2.3 to 7.7 across, 1.6 to 5.2 down: pixels 2 to 7 and 2 to 4, none of them in part.
	    {"filled rectangle",
	     [] (CDrawContext* c) { c->drawRect (CRect (2.3, 1.6, 7.7, 5.2), kDrawFilled); },
	     {{2., 2.}, {7., 4.}},
	     {{1., 3.}, {8., 5.}}},
	    // The outline runs through the last column and row inside the rectangle, a pixel wide.
	    {"stroked rectangle",
	     [] (CDrawContext* c) { c->drawRect (CRect (2., 2., 8., 6.), kDrawStroked); },
	     {{2., 4.}, {7., 5.}},
	     {{3., 4.}, {8., 4.}}},
	    // From (1.3, 4.6) to (8.2, 4.6): along row 5, a pixel high.
	    {"line",
	     [] (CDrawContext* c) { c->drawLine (CPoint (1.3, 4.6), CPoint (8.2, 4.6)); },
	     {{2., 5.}, {7., 5.}},
	     {{4., 4.}, {4., 6.}}},
	    // Scaled by 2 the line is 2 pixels wide, its centre shifted by 1 to fall between them.
	    {"line at scale 2",
	     [] (CDrawContext* c)
	     {
		     CDrawContext::Transform t (*c, CGraphicsTransform ().scale (2., 2.));
		     c->drawLine (CPoint (0.6, 2.2), CPoint (4.4, 2.2));
	     },
	     {{3., 4.}, {3., 5.}},
	     {{3., 3.}, {3., 6.}}},
	};
	for (const Case& k : cases)
	{
		SCOPED_TRACE (k.name);
		Canvas canvas (12., 12.);
		CDrawContext* c = canvas.get ();
		c->setDrawMode (kAntiAliasing);
		c->setLineWidth (1.);
		c->setFillColor (kRedCColor);
		c->setFrameColor (kRedCColor);
		k.draw (c);
		for (const CPoint& p : k.covered)
			EXPECT_EQ (canvas.pixel (uint32_t (p.x), uint32_t (p.y)), kRedCColor) << p.x << ", " << p.y;
		for (const CPoint& p : k.untouched)
			EXPECT_EQ (canvas.pixel (uint32_t (p.x), uint32_t (p.y)), transparent) << p.x << ", " << p.y;
	}
}

TEST (IntegralMode, TheModeFlagsAreThoseOfVstgui)
{
	EXPECT_EQ (uint32_t (kNonIntegralMode), 0xF0000000u);
	// Any of the flag's bits leaves integral mode; modes compare by anti-aliasing alone.
	EXPECT_FALSE (CDrawMode (kAntiAliasing | 0x10000000u).integralMode ());
	EXPECT_TRUE (CDrawMode (kAntiAliasing | 0x08000000u).integralMode ());
	EXPECT_TRUE (kNonIntegral.antiAliasing ());
	EXPECT_EQ (kNonIntegral, CDrawMode (kAntiAliasing));
	EXPECT_NE (kNonIntegral, CDrawMode (kAliasing));
}
