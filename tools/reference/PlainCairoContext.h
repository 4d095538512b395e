// The reference drawing: what plain cairo makes of the GUI library's path calls. The cairo context's test holds
// the library to it, and the editor comparison measures whole renderings against it.
#pragma once

#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/platform/linux/cairocontext.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace QuorvaneReference
{
using namespace VSTGUI;

/** Graphics paths go to cairo as given, under the surface's scale, the context's transform and the path's
    transformation, with the line width, caps and joins as set and VSTGUI's anti-aliasing; everything else is
    drawn by the GUI library's context as usual. `snap`: in integral mode every point, Bézier control points
    too, first moves to the nearest whole device pixel of the context's own transform, as VSTGUI 4.14's cairo
    back end does, and nothing else changes. */
class PlainCairoContext : public VSTGUI::Cairo::Context
{
public:
	PlainCairoContext (const CRect& rect, cairo_surface_t* surface, bool snap, double scaleFactor = 1.)
	    : Cairo::Context (rect, surface, scaleFactor), snap (snap)
	{
	}

	void drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform* transformation) override
	{
		if (!path || !setUp (*path, transformation))
			return;
		cairo_t* cr = getCairo ();
		if (mode == kPathStroked)
		{
			cairo_set_line_width (cr, getLineWidth ());
			static constexpr cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND,
			                                            CAIRO_LINE_CAP_SQUARE};
			static constexpr cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND,
			                                              CAIRO_LINE_JOIN_BEVEL};
			cairo_set_line_cap (cr, caps[int (getLineStyle ().getLineCap ())]);
			cairo_set_line_join (cr, joins[int (getLineStyle ().getLineJoin ())]);
			source (getFrameColor ());
			cairo_stroke (cr);
		}
		else
		{
			cairo_set_fill_rule (cr, mode == kPathFilledEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
			source (getFillColor ());
			cairo_fill (cr);
		}
		cairo_restore (cr);
	}

	void fillLinearGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& start, const CPoint& end,
	                         bool evenOdd, CGraphicsTransform* transformation) override
	{
		fillPattern (path, gradient, cairo_pattern_create_linear (start.x, start.y, end.x, end.y), evenOdd,
		             transformation);
	}

	void fillRadialGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& center, CCoord radius,
	                         const CPoint& originOffset, bool evenOdd, CGraphicsTransform* transformation) override
	{
		const CPoint focus = center + originOffset;
		fillPattern (path, gradient, cairo_pattern_create_radial (focus.x, focus.y, 0., center.x, center.y, radius),
		             evenOdd, transformation);
	}

private:
	bool snap;

	// The context's own transform to device pixels, the path's transformation not included.
	CPoint snapped (CPoint p) const
	{
		if (!snap || !getDrawMode ().integralMode ())
			return p;
		const CGraphicsTransform& t = getCurrentTransform ();
		const double s = getScaleFactor ();
		const double dx = std::round (s * (t.m11 * p.x + t.m12 * p.y + t.dx));
		const double dy = std::round (s * (t.m21 * p.x + t.m22 * p.y + t.dy));
		const double ux = dx / s - t.dx, uy = dy / s - t.dy;
		const double det = t.m11 * t.m22 - t.m12 * t.m21;
		return CPoint ((t.m22 * ux - t.m12 * uy) / det, (t.m11 * uy - t.m21 * ux) / det);
	}

	void source (const CColor& c)
	{
		cairo_set_source_rgba (getCairo (), c.normRed (), c.normGreen (), c.normBlue (),
		                       c.normAlpha () * getGlobalAlpha ());
	}

	bool setUp (const CGraphicsPath& path, const CGraphicsTransform* transformation)
	{
		cairo_t* cr = getCairo ();
		cairo_save (cr);
		cairo_identity_matrix (cr);
		cairo_scale (cr, getScaleFactor (), getScaleFactor ());
		const CRect& clip = getAbsoluteClipRect ();
		cairo_rectangle (cr, clip.left, clip.top, clip.getWidth (), clip.getHeight ());
		cairo_clip (cr);
		const CGraphicsTransform& t = getCurrentTransform ();
		cairo_matrix_t m;
		cairo_matrix_init (&m, t.m11, t.m21, t.m12, t.m22, t.dx, t.dy);
		cairo_transform (cr, &m);
		if (transformation)
		{
			const CGraphicsTransform& p = *transformation;
			cairo_matrix_init (&m, p.m11, p.m21, p.m12, p.m22, p.dx, p.dy);
			cairo_transform (cr, &m);
		}
		cairo_set_antialias (cr, CAIRO_ANTIALIAS_BEST);
		cairo_new_path (cr);
		for (auto e : path.flattenedElements ())
		{
			for (CPoint& p : e.points)
				p = snapped (p);
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

	void fillPattern (CGraphicsPath* path, const CGradient& gradient, cairo_pattern_t* pattern, bool evenOdd,
	                  CGraphicsTransform* transformation)
	{
		for (const auto& [offset, c] : gradient.getColorStops ())
			cairo_pattern_add_color_stop_rgba (pattern, std::clamp (offset, 0., 1.), c.normRed (), c.normGreen (),
			                                   c.normBlue (), c.normAlpha () * getGlobalAlpha ());
		cairo_pattern_set_extend (pattern, CAIRO_EXTEND_PAD);
		if (path && setUp (*path, transformation))
		{
			cairo_set_fill_rule (getCairo (), evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
			cairo_set_source (getCairo (), pattern);
			cairo_fill (getCairo ());
			cairo_restore (getCairo ());
		}
		cairo_pattern_destroy (pattern);
	}
};

} // namespace QuorvaneReference
