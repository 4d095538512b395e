#include "cairocontext.h"

#include "../../cgradient.h"
#include "../../cgraphicspath.h"
#include "../common/pixelalign.h"
#include "cairobitmap.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace VSTGUI
{
namespace Cairo
{
namespace
{

bool isFinite (const CGraphicsTransform& t)
{
	return std::isfinite (t.m11) && std::isfinite (t.m12) && std::isfinite (t.m21) && std::isfinite (t.m22) &&
	       std::isfinite (t.dx) && std::isfinite (t.dy);
}

// Cairo refuses singular matrices and stays in an error state afterwards, so they are never handed over.
bool isInvertible (const CGraphicsTransform& t)
{
	const double det = t.m11 * t.m22 - t.m12 * t.m21;
	return isFinite (t) && det != 0. && std::isfinite (det);
}

cairo_matrix_t toCairo (const CGraphicsTransform& t)
{
	cairo_matrix_t m;
	cairo_matrix_init (&m, t.m11, t.m21, t.m12, t.m22, t.dx, t.dy);
	return m;
}

bool isFinite (const CPoint& p)
{
	return std::isfinite (p.x) && std::isfinite (p.y);
}

} // namespace

Context::Context (CBitmap* bitmap) : COffscreenContext (bitmap)
{
	auto* cairoBitmap = bitmap ? dynamic_cast<Bitmap*> (bitmap->getPlatformBitmap ().get ()) : nullptr;
	if (!cairoBitmap || !cairoBitmap->valid ())
		return;
	scaleFactor = cairoBitmap->getScaleFactor ();
	surface = cairo_surface_reference (cairoBitmap->getSurface ());
	cr = cairo_create (surface);
}

Context::Context (const CRect& rect, cairo_surface_t* target, double scale) : COffscreenContext (rect)
{
	if (!target || !(scale > 0.) || !std::isfinite (scale))
		return;
	scaleFactor = scale;
	surface = cairo_surface_reference (target);
	cr = cairo_create (surface);
}

Context::~Context () noexcept
{
	if (cr)
		cairo_destroy (cr);
	if (surface)
		cairo_surface_destroy (surface);
}

void Context::endDraw ()
{
	if (surface)
		cairo_surface_flush (surface);
}

bool Context::begin ()
{
	if (!valid ())
		return false;
	const CGraphicsTransform& t = getCurrentTransform ();
	if (!isInvertible (t))
		return false;
	cairo_save (cr);
	cairo_identity_matrix (cr);
	cairo_scale (cr, scaleFactor, scaleFactor);
	const CRect& clip = getAbsoluteClipRect ();
	cairo_rectangle (cr, clip.left, clip.top, clip.getWidth (), clip.getHeight ());
	cairo_clip (cr);
	const cairo_matrix_t m = toCairo (t);
	cairo_transform (cr, &m);
	cairo_set_antialias (cr, getDrawMode ().antiAliasing () ? CAIRO_ANTIALIAS_BEST : CAIRO_ANTIALIAS_NONE);
	cairo_set_operator (cr, CAIRO_OPERATOR_OVER);
	cairo_new_path (cr);
	return true;
}

void Context::end ()
{
	cairo_new_path (cr);
	cairo_restore (cr);
}

void Context::setSourceColor (const CColor& color)
{
	cairo_set_source_rgba (cr, color.normRed (), color.normGreen (), color.normBlue (),
	                       color.normAlpha () * getGlobalAlpha ());
}

void Context::applyStroke ()
{
	cairo_set_line_width (cr, getLineWidth ());
	const CLineStyle& style = getLineStyle ();
	static constexpr cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND, CAIRO_LINE_CAP_SQUARE};
	static constexpr cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND, CAIRO_LINE_JOIN_BEVEL};
	cairo_set_line_cap (cr, caps[std::clamp (int (style.getLineCap ()), 0, 2)]);
	cairo_set_line_join (cr, joins[std::clamp (int (style.getLineJoin ()), 0, 2)]);
	// Dash lengths are multiples of the line width, the phase is not; an unusable pattern draws a solid line.
	std::vector<double> dashes;
	double total = 0.;
	bool usable = std::isfinite (style.getDashPhase ());
	for (CCoord length : style.getDashLengths ())
	{
		const double d = length * getLineWidth ();
		usable = usable && std::isfinite (d) && d >= 0.;
		dashes.push_back (d);
		total += d;
	}
	if (usable && total > 0.)
		cairo_set_dash (cr, dashes.data (), int (dashes.size ()), style.getDashPhase ());
	else
		cairo_set_dash (cr, nullptr, 0, 0.);
	setSourceColor (getFrameColor ());
}

void Context::fillOrStroke (CDrawStyle style)
{
	if (style == kDrawFilled || style == kDrawFilledAndStroked)
	{
		setSourceColor (getFillColor ());
		cairo_fill_preserve (cr);
	}
	if (style == kDrawStroked || style == kDrawFilledAndStroked)
	{
		applyStroke ();
		cairo_stroke_preserve (cr);
	}
}

CGraphicsTransform Context::deviceTransform () const
{
	return CGraphicsTransform (scaleFactor, 0., 0., scaleFactor, 0., 0.) * getCurrentTransform ();
}

bool Context::appendPath (const CGraphicsPath& path, const CGraphicsTransform* alignment)
{
	auto elements = path.flattenedElements ();
	if (alignment)
		pixelAlign (*alignment, elements);
	// Checked first: a path with a non-finite point is not drawn at all rather than drawn in part.
	for (const auto& e : elements)
		for (const CPoint& p : e.points)
			if (!isFinite (p))
				return false;
	for (const auto& e : elements)
	{
		switch (e.type)
		{
		case CGraphicsPath::Element::kBeginSubpath:
			cairo_move_to (cr, e.points[0].x, e.points[0].y);
			break;
		case CGraphicsPath::Element::kLine:
			cairo_line_to (cr, e.points[0].x, e.points[0].y);
			break;
		case CGraphicsPath::Element::kBezierCurve:
			cairo_curve_to (cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x,
			                e.points[2].y);
			break;
		case CGraphicsPath::Element::kCloseSubpath:
			cairo_close_path (cr);
			break;
		default:
			break;
		}
	}
	return true;
}

bool Context::appendGraphicsPath (const CGraphicsPath& path, const CGraphicsTransform* transformation)
{
	if (transformation && !isInvertible (*transformation))
		return false;
	// The path's points are aligned for the context's own transform before the path's transformation is
	// applied, and that transformation then scales the stroke width too.
	const CGraphicsTransform alignment = deviceTransform ();
	if (transformation)
	{
		const cairo_matrix_t m = toCairo (*transformation);
		cairo_transform (cr, &m);
	}
	return appendPath (path, getDrawMode ().integralMode () ? &alignment : nullptr);
}

void Context::drawLines (const LineList& lines)
{
	if (!begin ())
		return;
	applyStroke ();
	const bool integral = getDrawMode ().integralMode ();
	const CGraphicsTransform alignment = deviceTransform ();
	const CPoint shift = integral ? lineWidthTranslate (getLineWidth ()) : CPoint ();
	// Each line is a stroke of its own: where lines cross, translucent colour is laid on twice.
	for (const auto& line : lines)
	{
		if (!isFinite (line.first) || !isFinite (line.second))
			continue;
		const CPoint start = integral ? pixelAlign (alignment, line.first) : line.first;
		const CPoint end = integral ? pixelAlign (alignment, line.second) : line.second;
		cairo_move_to (cr, start.x + shift.x, start.y + shift.y);
		cairo_line_to (cr, end.x + shift.x, end.y + shift.y);
		cairo_stroke (cr);
	}
	end ();
}

void Context::drawPolygon (const PointList& points, const CDrawStyle drawStyle)
{
	if (points.empty () || !std::all_of (points.begin (), points.end (), [] (const CPoint& p) { return isFinite (p); }))
		return;
	if (!begin ())
		return;
	const bool integral = getDrawMode ().integralMode ();
	const CGraphicsTransform alignment = deviceTransform ();
	auto place = [&] (const CPoint& p) { return integral ? pixelAlign (alignment, p) : p; };
	// The outline starts at the last point, so it always runs back to where it began, stroked or filled.
	const CPoint last = place (points.back ());
	cairo_move_to (cr, last.x, last.y);
	for (const CPoint& point : points)
	{
		const CPoint p = place (point);
		cairo_line_to (cr, p.x, p.y);
	}
	fillOrStroke (drawStyle);
	end ();
}

void Context::drawRect (const CRect& rect, const CDrawStyle drawStyle)
{
	if (!isFinite (rect.getTopLeft ()) || !isFinite (rect.getBottomRight ()) || !begin ())
		return;
	const CRect r =
	    rectToDraw (deviceTransform (), rect, drawStyle, getDrawMode ().integralMode (), getLineWidth ());
	cairo_rectangle (cr, r.left, r.top, r.getWidth (), r.getHeight ());
	fillOrStroke (drawStyle);
	end ();
}

void Context::drawArc (const CRect& rect, const float startAngle, const float endAngle, const CDrawStyle drawStyle)
{
	auto path = owned (createGraphicsPath ());
	if (drawStyle != kDrawStroked)
		path->beginSubpath (rect.getCenter ());
	path->addArc (rect, startAngle, endAngle, true);
	if (drawStyle != kDrawStroked)
		path->closeSubpath ();
	if (!begin ())
		return;
	if (appendPath (*path, nullptr))
		fillOrStroke (drawStyle);
	end ();
}

void Context::drawEllipse (const CRect& rect, const CDrawStyle drawStyle)
{
	auto path = owned (createGraphicsPath ());
	path->addEllipse (rect);
	if (!begin ())
		return;
	if (appendPath (*path, nullptr))
		fillOrStroke (drawStyle);
	end ();
}

void Context::drawPoint (const CPoint& point, const CColor& color)
{
	if (!isFinite (point) || !begin ())
		return;
	cairo_rectangle (cr, point.x, point.y, 1., 1.);
	setSourceColor (color);
	cairo_fill (cr);
	end ();
}

void Context::clearRect (const CRect& rect)
{
	if (!isFinite (rect.getTopLeft ()) || !isFinite (rect.getBottomRight ()) || !begin ())
		return;
	cairo_set_operator (cr, CAIRO_OPERATOR_CLEAR);
	cairo_rectangle (cr, rect.left, rect.top, rect.getWidth (), rect.getHeight ());
	cairo_fill (cr);
	end ();
}

CGraphicsPath* Context::createGraphicsPath ()
{
	return makeGraphicsPath ();
}

void Context::drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform* transformation)
{
	if (!path || !begin ())
		return;
	if (appendGraphicsPath (*path, transformation))
	{
		if (mode == kPathStroked)
		{
			applyStroke ();
			cairo_stroke (cr);
		}
		else
		{
			cairo_set_fill_rule (cr, mode == kPathFilledEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
			setSourceColor (getFillColor ());
			cairo_fill (cr);
		}
	}
	end ();
}

void Context::fillGradient (CGraphicsPath* path, const CGradient& gradient, cairo_pattern_t* pattern, bool evenOdd,
                            CGraphicsTransform* transformation)
{
	for (const auto& [offset, color] : gradient.getColorStops ())
	{
		if (!std::isfinite (offset))
			continue;
		cairo_pattern_add_color_stop_rgba (pattern, std::clamp (offset, 0., 1.), color.normRed (), color.normGreen (),
		                                   color.normBlue (), color.normAlpha () * getGlobalAlpha ());
	}
	cairo_pattern_set_extend (pattern, CAIRO_EXTEND_PAD);
	if (cairo_pattern_status (pattern) == CAIRO_STATUS_SUCCESS && begin ())
	{
		if (appendGraphicsPath (*path, transformation))
		{
			cairo_set_fill_rule (cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
			// Set under the path's transformation, the gradient lies in the path's own space.
			cairo_set_source (cr, pattern);
			cairo_fill (cr);
		}
		end ();
	}
	cairo_pattern_destroy (pattern);
}

void Context::fillLinearGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
                                  const CPoint& endPoint, bool evenOdd, CGraphicsTransform* transformation)
{
	if (!path || !isFinite (startPoint) || !isFinite (endPoint))
		return;
	fillGradient (path, gradient, cairo_pattern_create_linear (startPoint.x, startPoint.y, endPoint.x, endPoint.y),
	              evenOdd, transformation);
}

void Context::fillRadialGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& center, CCoord radius,
                                  const CPoint& originOffset, bool evenOdd, CGraphicsTransform* transformation)
{
	if (!path || !isFinite (center) || !isFinite (originOffset) || !std::isfinite (radius))
		return;
	if (radius <= 0.)
	{
		// A circle of no size leaves only the colour beyond its edge: the last stop's.
		if (gradient.getColorStops ().empty ())
			return;
		saveGlobalState ();
		setFillColor (gradient.getColorStops ().rbegin ()->second);
		drawGraphicsPath (path, evenOdd ? kPathFilledEvenOdd : kPathFilled, transformation);
		restoreGlobalState ();
		return;
	}
	const CPoint focus = center + originOffset;
	fillGradient (path, gradient, cairo_pattern_create_radial (focus.x, focus.y, 0., center.x, center.y, radius),
	              evenOdd, transformation);
}

} // namespace Cairo
} // namespace VSTGUI
