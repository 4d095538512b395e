#include "DrawSvgImage.h"

#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/cgraphicspath.h"

#include <algorithm>
#include <cmath>

using namespace VSTGUI;

namespace
{

CColor toColor (unsigned int packed)
{
	return CColor (uint8_t (packed & 0xff), uint8_t ((packed >> 8) & 0xff), uint8_t ((packed >> 16) & 0xff),
	               uint8_t ((packed >> 24) & 0xff));
}

// Maps the gradient's own space back into image units; a singular matrix has no inverse and the
// gradient is then drawn as if its space were the image's.
CGraphicsTransform invertGradientMatrix (const float (&xform)[6])
{
	const double a = xform[0], b = xform[1], c = xform[2], d = xform[3], e = xform[4], f = xform[5];
	const double det = a * d - b * c;
	if (det == 0. || std::isnan (det))
		return CGraphicsTransform ();
	// (u, v) -> ((d·u − c·v + c·f − d·e) / det, (−b·u + a·v + b·e − a·f) / det)
	return CGraphicsTransform (d / det, -c / det, -b / det, a / det, (c * f - d * e) / det, (b * e - a * f) / det);
}

void fillWithGradient (CDrawContext* context, CGraphicsPath* shapePath, const NSVGpaint& paint,
                       CGraphicsTransform& drawing, double imageHeight, double sy)
{
	const NSVGgradient* source = paint.gradient;
	if (!source)
		return;
	const CGraphicsTransform toImage = invertGradientMatrix (source->xform);

	CGradient* gradient = CGradient::create (GradientColorStopMap ());
	if (!gradient)
		return;
	for (int i = 0; i < source->nstops; ++i)
		gradient->addColorStop (double (source->stops[i].offset), toColor (source->stops[i].color));

	CGraphicsPath* outline = context->createGraphicsPath ();
	if (outline)
	{
		outline->addPath (*shapePath, &drawing);
		CPoint origin (0., 0.);
		CPoint edge (0., 1.);
		toImage.transform (origin);
		toImage.transform (edge);
		if (paint.type == NSVG_PAINT_LINEAR_GRADIENT)
		{
			CPoint start = origin, end = edge;
			drawing.transform (start);
			drawing.transform (end);
			context->fillLinearGradient (outline, *gradient, start, end, false, nullptr);
		}
		else
		{
			// The radius is the scaled vertical distance from the image's horizontal centre line to the
			// gradient's edge point, whatever the gradient's own centre: the artwork is made for that rule.
			const double radius = sy * (edge.y - imageHeight / 2.);
			CPoint centre = origin;
			drawing.transform (centre);
			if (radius > 0.)
				context->fillRadialGradient (outline, *gradient, centre, radius, CPoint (0., 0.), false, nullptr);
			else if (source->nstops > 0)
			{
				// A circle of no (or negative) size: SVG paints such a gradient in its last stop's colour.
				context->setFillColor (toColor (source->stops[source->nstops - 1].color));
				context->drawGraphicsPath (outline, CDrawContext::kPathFilled, nullptr);
			}
		}
		outline->forget ();
	}
	gradient->forget ();
}

} // namespace

void drawSvgImage (CDrawContext* context, NSVGimage* image, const CRect& rect, bool stretch,
                   const CGraphicsTransform& transform)
{
	if (!context)
		return;
	context->setDrawMode (kAntiAliasing);
	if (!image)
		return;

	const double w = rect.right - rect.left;
	const double h = rect.bottom - rect.top;
	float sx = float (w / double (image->width));
	float sy = float (h / double (image->height));
	if (!stretch)
		sx = sy = std::min (sx, sy);
	// A document without extent, or a rectangle without area, has nothing that could be seen.
	if (!(sx > 0.f) || !(sy > 0.f) || !std::isfinite (sx) || !std::isfinite (sy))
		return;

	const CGraphicsTransform& t = transform;
	const double hx = -(double (image->width) * sx) / 2.;
	const double hy = -(double (image->height) * sy) / 2.;
	CGraphicsTransform drawing (t.m11 * sx, t.m12 * sy, t.m21 * sx, t.m22 * sy,
	                            t.m11 * hx + t.m12 * hy + t.dx + rect.left + w / 2.,
	                            t.m21 * hx + t.m22 * hy + t.dy + rect.top + h / 2.);

	for (NSVGshape* shape = image->shapes; shape; shape = shape->next)
	{
		CGraphicsPath* path = context->createGraphicsPath ();
		if (!path)
			return; // a context that cannot make paths cannot draw any shape
		for (NSVGpath* p = shape->paths; p; p = p->next)
		{
			if (p->npts < 1 || !p->pts)
				continue;
			const float* pts = p->pts;
			path->beginSubpath (CPoint (pts[0], pts[1]));
			const int groups = (p->npts - 1) / 3;
			for (int j = 0; j < groups; ++j)
			{
				const float* c = pts + 2 * (3 * j + 1);
				path->addBezierCurve (CPoint (c[0], c[1]), CPoint (c[2], c[3]), CPoint (c[4], c[5]));
			}
			if (p->closed)
				path->closeSubpath ();
		}

		switch (shape->fill.type)
		{
		case NSVG_PAINT_COLOR:
			context->setFillColor (toColor (shape->fill.color));
			context->drawGraphicsPath (path, CDrawContext::kPathFilled, &drawing);
			break;
		case NSVG_PAINT_LINEAR_GRADIENT:
		case NSVG_PAINT_RADIAL_GRADIENT:
			fillWithGradient (context, path, shape->fill, drawing, double (image->height), double (sy));
			break;
		default:
			break;
		}

		if (shape->stroke.type == NSVG_PAINT_COLOR)
		{
			context->setFrameColor (toColor (shape->stroke.color));
			// In image units, as given: the context scales it with the drawing transform.
			context->setLineWidth (double (shape->strokeWidth));
			context->drawGraphicsPath (path, CDrawContext::kPathStroked, &drawing);
		}
		path->forget ();
	}
}
