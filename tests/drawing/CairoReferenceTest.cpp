// The cairo draw context against plain cairo: a path handed to drawGraphicsPath covers exactly the pixels that
// cairo itself gives the same path under the surface's scale, the context's transform and the path's
// transformation, with the line width, caps and joins as set and VSTGUI's anti-aliasing. In integral mode the
// reference first moves every point (Bézier control points too) to the nearest whole device pixel of the
// context's own transform, as VSTGUI 4.14's cairo back end does, and nothing else.
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cgraphicstransform.h"
#include "vstgui/lib/clinestyle.h"
#include "vstgui/lib/platform/linux/cairocontext.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

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
struct Element
{
	enum Kind
	{
		begin,
		line,
		curve,
		close
	} kind;
	CPoint p[3];
};
const std::vector<Element> kShape = {
    {Element::begin, {{1.3, 2.1}}},
    {Element::line, {{8.7, 2.6}}},
    {Element::curve, {{10.2, 6.1}, {6.4, 9.8}, {3.2, 8.4}}},
    {Element::line, {{5.15, 4.45}}},
    {Element::begin, {{2.2, 10.35}}},
    {Element::line, {{9.45, 10.9}}},
    {Element::line, {{4.6, 13.2}}},
    {Element::close, {}},
};

int countOf (Element::Kind kind)
{
	return kind == Element::curve ? 3 : kind == Element::close ? 0 : 1;
}

cairo_surface_t* makeSurface (double backing)
{
	const int side = int (std::ceil (kSize * backing));
	return cairo_image_surface_create (CAIRO_FORMAT_ARGB32, side, side);
}

cairo_matrix_t toCairo (const CGraphicsTransform& t)
{
	cairo_matrix_t m;
	cairo_matrix_init (&m, t.m11, t.m21, t.m12, t.m22, t.dx, t.dy);
	return m;
}

// Through the GUI library.
cairo_surface_t* drawnByContext (const Case& c)
{
	cairo_surface_t* surface = makeSurface (c.backing);
	{
		auto context = owned (new Cairo::Context (CRect (0., 0., kSize, kSize), surface, c.backing));
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
			for (const Element& e : kShape)
			{
				switch (e.kind)
				{
				case Element::begin:
					path->beginSubpath (e.p[0]);
					break;
				case Element::line:
					path->addLine (e.p[0]);
					break;
				case Element::curve:
					path->addBezierCurve (e.p[0], e.p[1], e.p[2]);
					break;
				case Element::close:
					path->closeSubpath ();
					break;
				}
			}
			CGraphicsTransform pathTransform = c.path;
			context->drawGraphicsPath (path, c.mode, &pathTransform);
		}
		context->endDraw ();
	}
	return surface;
}

// By cairo alone.
cairo_surface_t* drawnByCairo (const Case& c)
{
	cairo_surface_t* surface = makeSurface (c.backing);
	cairo_t* cr = cairo_create (surface);
	cairo_scale (cr, c.backing, c.backing);
	const cairo_matrix_t context = toCairo (c.context);
	cairo_transform (cr, &context);
	const cairo_matrix_t path = toCairo (c.path);
	cairo_transform (cr, &path);
	cairo_set_antialias (cr, CAIRO_ANTIALIAS_BEST);

	// The context's transform with the surface's scale, and its inverse.
	const CGraphicsTransform& t = c.context;
	const double a = c.backing * t.m11, b = c.backing * t.m12, d = c.backing * t.m21, e = c.backing * t.m22;
	const double tx = c.backing * t.dx, ty = c.backing * t.dy;
	const double det = a * e - b * d;
	auto place = [&] (CPoint p)
	{
		if (!c.integral)
			return p;
		const double x = std::round (a * p.x + b * p.y + tx) - tx;
		const double y = std::round (d * p.x + e * p.y + ty) - ty;
		return CPoint ((e * x - b * y) / det, (a * y - d * x) / det);
	};
	for (const Element& el : kShape)
	{
		CPoint q[3];
		for (int i = 0; i < countOf (el.kind); ++i)
			q[i] = place (el.p[i]);
		switch (el.kind)
		{
		case Element::begin:
			cairo_move_to (cr, q[0].x, q[0].y);
			break;
		case Element::line:
			cairo_line_to (cr, q[0].x, q[0].y);
			break;
		case Element::curve:
			cairo_curve_to (cr, q[0].x, q[0].y, q[1].x, q[1].y, q[2].x, q[2].y);
			break;
		case Element::close:
			cairo_close_path (cr);
			break;
		}
	}
	cairo_set_source_rgba (cr, 20. / 255., 90. / 255., 200. / 255., 1.);
	if (c.mode == CDrawContext::kPathStroked)
	{
		static constexpr cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND, CAIRO_LINE_CAP_SQUARE};
		static constexpr cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND,
		                                              CAIRO_LINE_JOIN_BEVEL};
		cairo_set_line_width (cr, c.lineWidth);
		cairo_set_line_cap (cr, caps[c.cap]);
		cairo_set_line_join (cr, joins[c.join]);
		cairo_stroke (cr);
	}
	else
	{
		cairo_set_fill_rule (cr, c.mode == CDrawContext::kPathFilledEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD
		                                                                    : CAIRO_FILL_RULE_WINDING);
		cairo_fill (cr);
	}
	cairo_destroy (cr);
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
		cairo_surface_t* ours = drawnByContext (c);
		cairo_surface_t* cairo = drawnByCairo (c);
		const Comparison r = compare (ours, cairo);
		EXPECT_EQ (r.differing, 0);
		// The case draws something with anti-aliased edges, so a width or placement off by a fraction shows.
		EXPECT_GT (r.covered, 20);
		EXPECT_GT (r.partial, 10);
		cairo_surface_destroy (ours);
		cairo_surface_destroy (cairo);
	}
}

// The reference's snapping is what makes the two integral cases differ from their non-integral twins.
TEST (CairoReference, IntegralModeMovesTheStrokeUnderTheArtworksTransformation)
{
	using LS = CLineStyle;
	Case c{"",   1., kViewPlacement, kArtwork, 0.37, LS::kLineCapButt, LS::kLineJoinMiter, CDrawContext::kPathStroked,
	       false};
	cairo_surface_t* asGiven = drawnByContext (c);
	c.integral = true;
	cairo_surface_t* integral = drawnByContext (c);
	EXPECT_GT (compare (asGiven, integral).differing, 0);
	cairo_surface_destroy (asGiven);
	cairo_surface_destroy (integral);
}
