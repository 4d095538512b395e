// The cairo draw context against plain cairo (tools/reference): a path handed to drawGraphicsPath covers exactly
// the pixels that cairo itself gives the same path under the surface's scale, the context's transform and the
// path's transformation, with the line width, caps and joins as set; in integral mode after moving every point to
// a whole device pixel of the context's own transform, as VSTGUI 4.14's cairo back end does, and nothing else.
#include "tools/reference/PlainCairoContext.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cgraphicstransform.h"
#include "vstgui/lib/clinestyle.h"
#include "vstgui/lib/platform/linux/cairocontext.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace VSTGUI;

namespace
{

constexpr double kSize = 24.; // view units on each side

struct Case
{
	const char* name;
	double backing;             // device pixels per view unit
	CGraphicsTransform context; // the context's transform
	CGraphicsTransform path;    // the path's own transformation
	double lineWidth;           // in the path's units
	CLineStyle::LineCap cap;
	CLineStyle::LineJoin join;
	CDrawContext::PathDrawMode mode;
	bool integral;
};

// An open stroke with a sharp turn (the miter limit and the caps show) and a closed triangle (its close join
// shows), all at fractional coordinates.
void addShape (CGraphicsPath& path)
{
	path.beginSubpath ({1.3, 2.1});
	path.addLine ({8.7, 2.6});
	path.addBezierCurve ({10.2, 6.1}, {6.4, 9.8}, {3.2, 8.4});
	path.addLine ({5.15, 4.45});
	path.beginSubpath ({2.2, 10.35});
	path.addLine ({9.45, 10.9});
	path.addLine ({4.6, 13.2});
	path.closeSubpath ();
}

cairo_surface_t* makeSurface (double backing)
{
	const int side = int (std::ceil (kSize * backing));
	return cairo_image_surface_create (CAIRO_FORMAT_ARGB32, side, side);
}

// The case drawn by the GUI library's context, or by the reference.
cairo_surface_t* drawn (const Case& c, bool reference)
{
	cairo_surface_t* surface = makeSurface (c.backing);
	{
		const CRect rect (0., 0., kSize, kSize);
		auto context = reference ? SharedPointer<Cairo::Context> (owned (
		                               new QuorvaneReference::PlainCairoContext (rect, surface, true, c.backing)))
		                         : owned (new Cairo::Context (rect, surface, c.backing));
		context->beginDraw ();
		{
			CDrawContext::Transform transform (*context, c.context);
			context->setDrawMode (c.integral ? CDrawMode (kAntiAliasing)
			                                 : CDrawMode (kAntiAliasing | kNonIntegralMode));
			context->setLineWidth (c.lineWidth);
			context->setLineStyle (CLineStyle (c.cap, c.join));
			context->setFrameColor (CColor (20, 90, 200, 255));
			context->setFillColor (CColor (20, 90, 200, 255));
			auto path = owned (context->createGraphicsPath ());
			addShape (*path);
			CGraphicsTransform pathTransform = c.path;
			context->drawGraphicsPath (path, c.mode, &pathTransform);
		}
		context->endDraw ();
	}
	cairo_surface_flush (surface);
	return surface;
}

struct Comparison
{
	int differing = 0;
	int covered = 0; // pixels the reference touches at all
	int partial = 0; // of those, pixels only partly covered: the edges
};

Comparison compare (cairo_surface_t* a, cairo_surface_t* b)
{
	Comparison r;
	const int w = cairo_image_surface_get_width (a), h = cairo_image_surface_get_height (a);
	for (int y = 0; y < h; ++y)
		for (int x = 0; x < w; ++x)
		{
			uint32_t pa, pb;
			std::memcpy (&pa, cairo_image_surface_get_data (a) + y * cairo_image_surface_get_stride (a) + 4 * x, 4);
			std::memcpy (&pb, cairo_image_surface_get_data (b) + y * cairo_image_surface_get_stride (b) + 4 * x, 4);
			if (pa != pb)
				++r.differing;
			const uint32_t alpha = pb >> 24;
			if (alpha != 0)
				++r.covered;
			if (alpha != 0 && alpha != 255)
				++r.partial;
		}
	return r;
}

const CGraphicsTransform kIdentity;
const CGraphicsTransform kViewPlacement (1.5, 0., 0., 1.5, 0.3, 0.55);
// An image drawn into a view: scaled down, rotated by 30° and moved, as a knob draws its artwork.
const CGraphicsTransform kArtwork (1.25 * 0.8660254037844387, 1.25 * -0.5, 1.25 * 0.5, 1.25 * 0.8660254037844387, 6.35,
                                   -2.15);

} // namespace

TEST (CairoReference, PathsCoverWhatCairoGivesThemUnderTheSameTransforms)
{
	using LS = CLineStyle;
	const Case cases[] = {
	    {"hairline under a scaled view and artwork", 1., kViewPlacement, kArtwork, 0.37, LS::kLineCapButt,
	     LS::kLineJoinMiter, CDrawContext::kPathStroked, false},
	    {"the same in integral mode", 1., kViewPlacement, kArtwork, 0.37, LS::kLineCapButt, LS::kLineJoinMiter,
	     CDrawContext::kPathStroked, true},
	    {"fractional width at backing scale 2", 2., kViewPlacement, kArtwork, 1.3, LS::kLineCapRound,
	     LS::kLineJoinRound, CDrawContext::kPathStroked, true},
	    {"square caps and bevels at backing scale 1.5", 1.5, kIdentity, kArtwork, 0.85, LS::kLineCapSquare,
	     LS::kLineJoinBevel, CDrawContext::kPathStroked, false},
	    {"wide miters under a plain scale", 1., kIdentity, CGraphicsTransform (1.6, 0., 0., 1.6, 0.25, 0.4), 1.7,
	     LS::kLineCapButt, LS::kLineJoinMiter, CDrawContext::kPathStroked, true},
	    {"filled, non-zero", 1., kViewPlacement, kArtwork, 1., LS::kLineCapButt, LS::kLineJoinMiter,
	     CDrawContext::kPathFilled, true},
	    {"filled, even-odd at backing scale 2", 2., kViewPlacement, kArtwork, 1., LS::kLineCapButt, LS::kLineJoinMiter,
	     CDrawContext::kPathFilledEvenOdd, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE (c.name);
		cairo_surface_t* ours = drawn (c, false);
		cairo_surface_t* cairo = drawn (c, true);
		const Comparison r = compare (ours, cairo);
		EXPECT_EQ (r.differing, 0);
		// The case draws something with anti-aliased edges, so a width or placement off by a fraction shows.
		EXPECT_GT (r.covered, 20);
		EXPECT_GT (r.partial, 10);
		cairo_surface_destroy (ours);
		cairo_surface_destroy (cairo);
	}
}

// Snapping is what makes the integral cases differ from their non-integral twins.
TEST (CairoReference, IntegralModeMovesTheStrokeUnderTheArtworksTransformation)
{
	Case c{"",
	       1.,
	       kViewPlacement,
	       kArtwork,
	       0.37,
	       CLineStyle::kLineCapButt,
	       CLineStyle::kLineJoinMiter,
	       CDrawContext::kPathStroked,
	       false};
	cairo_surface_t* asGiven = drawn (c, false);
	c.integral = true;
	cairo_surface_t* integral = drawn (c, false);
	EXPECT_GT (compare (asGiven, integral).differing, 0);
	cairo_surface_destroy (asGiven);
	cairo_surface_destroy (integral);
}
