#include "d2ddrawcontext.h"

#include "../../../cgradient.h"
#include "../../../cgraphicspath.h"
#include "../../common/pixelalign.h"
#include "../win32factory.h"
#include "d2dbitmap.h"
#include "d2dgraphicspath.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace VSTGUI
{
namespace
{

bool isFinite (const CPoint& p)
{
	return std::isfinite (p.x) && std::isfinite (p.y);
}

bool isFinite (const CRect& r)
{
	return isFinite (r.getTopLeft ()) && isFinite (r.getBottomRight ());
}

// Singular or non-finite transforms would put the render target into an error state; they draw nothing.
bool isInvertible (const CGraphicsTransform& t)
{
	const double det = t.m11 * t.m22 - t.m12 * t.m21;
	return std::isfinite (t.m11) && std::isfinite (t.m12) && std::isfinite (t.m21) && std::isfinite (t.m22) &&
	       std::isfinite (t.dx) && std::isfinite (t.dy) && det != 0. && std::isfinite (det);
}

D2D1_MATRIX_3X2_F toD2D (const CGraphicsTransform& t)
{
	return D2D1::Matrix3x2F (static_cast<FLOAT> (t.m11), static_cast<FLOAT> (t.m21), static_cast<FLOAT> (t.m12),
	                         static_cast<FLOAT> (t.m22), static_cast<FLOAT> (t.dx), static_cast<FLOAT> (t.dy));
}

D2D1_RECT_F toD2D (const CRect& r)
{
	return D2D1::RectF (static_cast<FLOAT> (r.left), static_cast<FLOAT> (r.top), static_cast<FLOAT> (r.right),
	                    static_cast<FLOAT> (r.bottom));
}

D2D1_POINT_2F toD2D (const CPoint& p)
{
	return D2D1::Point2F (static_cast<FLOAT> (p.x), static_cast<FLOAT> (p.y));
}

D2D1_COLOR_F toD2D (const CColor& c, float alpha)
{
	return D2D1::ColorF (c.normRed (), c.normGreen (), c.normBlue (), c.normAlpha () * alpha);
}

} // namespace

D2DDrawContext::D2DDrawContext (CBitmap* bitmap) : COffscreenContext (bitmap)
{
	auto* d2dBitmap = bitmap ? dynamic_cast<D2DBitmap*> (bitmap->getPlatformBitmap ().get ()) : nullptr;
	auto* factory = Win32::getD2DFactory ();
	if (!d2dBitmap || !d2dBitmap->valid () || !factory)
		return;
	scaleFactor = d2dBitmap->getScaleFactor ();
	// 96 DPI: one Direct2D unit is one device pixel, and the context applies its scale itself.
	const auto properties = D2D1::RenderTargetProperties (
	    D2D1_RENDER_TARGET_TYPE_SOFTWARE, D2D1::PixelFormat (DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED),
	    96.f, 96.f);
	if (FAILED (factory->CreateWicBitmapRenderTarget (d2dBitmap->getBitmap (), properties, target.put ())))
		target.reset ();
}

D2DDrawContext::~D2DDrawContext () noexcept
{
	if (passOpen)
		target->EndDraw ();
}

void D2DDrawContext::beginDraw ()
{
	++drawDepth;
}

void D2DDrawContext::endDraw ()
{
	if (drawDepth > 0 && --drawDepth == 0 && passOpen)
	{
		passOpen = false;
		target->EndDraw ();
	}
}

CGraphicsTransform D2DDrawContext::deviceTransform () const
{
	return CGraphicsTransform (scaleFactor, 0., 0., scaleFactor, 0., 0.) * getCurrentTransform ();
}

bool D2DDrawContext::begin ()
{
	if (!target || !isInvertible (getCurrentTransform ()))
		return false;
	if (!passOpen)
	{
		target->BeginDraw ();
		passOpen = true;
	}
	// The clip is kept in surface coordinates and is axis-aligned there.
	target->SetTransform (D2D1::Matrix3x2F::Scale (static_cast<FLOAT> (scaleFactor), static_cast<FLOAT> (scaleFactor)));
	target->PushAxisAlignedClip (toD2D (getAbsoluteClipRect ()), D2D1_ANTIALIAS_MODE_ALIASED);
	target->SetTransform (toD2D (deviceTransform ()));
	target->SetAntialiasMode (getDrawMode ().antiAliasing () ? D2D1_ANTIALIAS_MODE_PER_PRIMITIVE
	                                                         : D2D1_ANTIALIAS_MODE_ALIASED);
	return true;
}

void D2DDrawContext::end ()
{
	target->PopAxisAlignedClip ();
	if (drawDepth == 0 && passOpen)
	{
		passOpen = false;
		target->EndDraw ();
	}
}

COM::Ptr<ID2D1SolidColorBrush> D2DDrawContext::solidBrush (const CColor& color)
{
	COM::Ptr<ID2D1SolidColorBrush> brush;
	if (FAILED (target->CreateSolidColorBrush (toD2D (color, getGlobalAlpha ()), brush.put ())))
		brush.reset ();
	return brush;
}

COM::Ptr<ID2D1StrokeStyle> D2DDrawContext::strokeStyle () const
{
	const CLineStyle& style = getLineStyle ();
	static constexpr D2D1_CAP_STYLE caps[] = {D2D1_CAP_STYLE_FLAT, D2D1_CAP_STYLE_ROUND, D2D1_CAP_STYLE_SQUARE};
	static constexpr D2D1_LINE_JOIN joins[] = {D2D1_LINE_JOIN_MITER, D2D1_LINE_JOIN_ROUND, D2D1_LINE_JOIN_BEVEL};
	const D2D1_CAP_STYLE cap = caps[std::clamp (int (style.getLineCap ()), 0, 2)];
	// Direct2D measures dashes and their offset in line widths; the library measures the dashes so too, the phase
	// in view units. An unusable pattern draws a solid line.
	std::vector<FLOAT> dashes;
	double total = 0.;
	bool usable = std::isfinite (style.getDashPhase ());
	for (CCoord length : style.getDashLengths ())
	{
		usable = usable && std::isfinite (length) && length >= 0.;
		dashes.push_back (static_cast<FLOAT> (length));
		total += length;
	}
	const bool dashed = usable && total > 0.;
	const auto properties =
	    D2D1::StrokeStyleProperties (cap, cap, cap, joins[std::clamp (int (style.getLineJoin ()), 0, 2)], 10.f,
	                                 dashed ? D2D1_DASH_STYLE_CUSTOM : D2D1_DASH_STYLE_SOLID,
	                                 dashed ? static_cast<FLOAT> (style.getDashPhase ()) : 0.f);
	COM::Ptr<ID2D1StrokeStyle> result;
	if (FAILED (Win32::getD2DFactory ()->CreateStrokeStyle (properties, dashed ? dashes.data () : nullptr,
	                                                        dashed ? static_cast<UINT32> (dashes.size ()) : 0,
	                                                        result.put ())))
		result.reset ();
	return result;
}

void D2DDrawContext::fill (ID2D1Geometry* geometry, const CColor& color)
{
	if (auto brush = solidBrush (color))
		target->FillGeometry (geometry, brush.get ());
}

void D2DDrawContext::stroke (ID2D1Geometry* geometry)
{
	// Direct2D would draw a hairline for a zero width; the library draws nothing.
	if (!(getLineWidth () > 0.))
		return;
	auto brush = solidBrush (getFrameColor ());
	auto style = strokeStyle ();
	if (brush)
		target->DrawGeometry (geometry, brush.get (), static_cast<FLOAT> (getLineWidth ()), style.get ());
}

COM::Ptr<ID2D1PathGeometry> D2DDrawContext::geometryOf (const CGraphicsPath& path, bool evenOdd, bool align)
{
	auto elements = path.flattenedElements ();
	if (align && getDrawMode ().integralMode ())
		pixelAlign (deviceTransform (), elements);
	return createD2DPathGeometry (elements, evenOdd ? D2D1_FILL_MODE_ALTERNATE : D2D1_FILL_MODE_WINDING);
}

bool D2DDrawContext::applyPathTransformation (const CGraphicsTransform* transformation)
{
	if (!transformation)
		return true;
	if (!isInvertible (*transformation))
		return false;
	target->SetTransform (toD2D (deviceTransform () * *transformation));
	return true;
}

void D2DDrawContext::drawLines (const LineList& lines)
{
	if (!begin ())
		return;
	auto brush = solidBrush (getFrameColor ());
	auto style = strokeStyle ();
	const bool integral = getDrawMode ().integralMode ();
	const CGraphicsTransform alignment = deviceTransform ();
	const CPoint shift = integral ? lineWidthTranslate (getLineWidth ()) : CPoint ();
	// Each line is a stroke of its own: where lines cross, translucent colour is laid on twice.
	for (const auto& line : lines)
	{
		if (!brush || !(getLineWidth () > 0.) || !isFinite (line.first) || !isFinite (line.second))
			continue;
		const CPoint start = (integral ? pixelAlign (alignment, line.first) : line.first) + shift;
		const CPoint end = (integral ? pixelAlign (alignment, line.second) : line.second) + shift;
		target->DrawLine (toD2D (start), toD2D (end), brush.get (), static_cast<FLOAT> (getLineWidth ()), style.get ());
	}
	end ();
}

void D2DDrawContext::drawPolygon (const PointList& points, const CDrawStyle drawStyle)
{
	if (points.empty () || !std::all_of (points.begin (), points.end (), [] (const CPoint& p) { return isFinite (p); }))
		return;
	const bool integral = getDrawMode ().integralMode ();
	const CGraphicsTransform alignment = deviceTransform ();
	auto place = [&] (const CPoint& p) { return integral ? pixelAlign (alignment, p) : p; };
	// The outline starts at the last point, so it always runs back to where it began, stroked or filled.
	auto path = owned (createGraphicsPath ());
	path->beginSubpath (place (points.back ()));
	for (const CPoint& point : points)
		path->addLine (place (point));
	if (!begin ())
		return;
	if (auto geometry = createD2DPathGeometry (path->flattenedElements (), D2D1_FILL_MODE_WINDING))
	{
		if (drawStyle != kDrawStroked)
			fill (geometry.get (), getFillColor ());
		if (drawStyle != kDrawFilled)
			stroke (geometry.get ());
	}
	end ();
}

void D2DDrawContext::drawRect (const CRect& rect, const CDrawStyle drawStyle)
{
	if (!isFinite (rect) || !begin ())
		return;
	const CRect r =
	    rectToDraw (deviceTransform (), rect, drawStyle, getDrawMode ().integralMode (), getLineWidth ());
	if (drawStyle != kDrawStroked)
	{
		if (auto brush = solidBrush (getFillColor ()))
			target->FillRectangle (toD2D (r), brush.get ());
	}
	if (drawStyle != kDrawFilled && getLineWidth () > 0.)
	{
		auto brush = solidBrush (getFrameColor ());
		auto style = strokeStyle ();
		if (brush)
			target->DrawRectangle (toD2D (r), brush.get (), static_cast<FLOAT> (getLineWidth ()), style.get ());
	}
	end ();
}

void D2DDrawContext::drawArc (const CRect& rect, const float startAngle, const float endAngle,
                              const CDrawStyle drawStyle)
{
	auto path = owned (createGraphicsPath ());
	if (drawStyle != kDrawStroked)
		path->beginSubpath (rect.getCenter ());
	path->addArc (rect, startAngle, endAngle, true);
	if (drawStyle != kDrawStroked)
		path->closeSubpath ();
	drawShape (*path, drawStyle);
}

void D2DDrawContext::drawEllipse (const CRect& rect, const CDrawStyle drawStyle)
{
	auto path = owned (createGraphicsPath ());
	path->addEllipse (rect);
	drawShape (*path, drawStyle);
}

void D2DDrawContext::drawShape (const CGraphicsPath& path, CDrawStyle drawStyle)
{
	if (!begin ())
		return;
	if (auto geometry = geometryOf (path, false, false))
	{
		if (drawStyle != kDrawStroked)
			fill (geometry.get (), getFillColor ());
		if (drawStyle != kDrawFilled)
			stroke (geometry.get ());
	}
	end ();
}

void D2DDrawContext::drawPoint (const CPoint& point, const CColor& color)
{
	if (!isFinite (point) || !begin ())
		return;
	if (auto brush = solidBrush (color))
		target->FillRectangle (toD2D (CRect (point, CPoint (1., 1.))), brush.get ());
	end ();
}

void D2DDrawContext::clearRect (const CRect& rect)
{
	if (!isFinite (rect) || !begin ())
		return;
	// Clear paints the whole clip: narrowed to the rectangle, it makes just that transparent.
	target->PushAxisAlignedClip (toD2D (rect), D2D1_ANTIALIAS_MODE_ALIASED);
	target->Clear (D2D1::ColorF (0.f, 0.f, 0.f, 0.f));
	target->PopAxisAlignedClip ();
	end ();
}

CGraphicsPath* D2DDrawContext::createGraphicsPath ()
{
	return makeGraphicsPath ();
}

void D2DDrawContext::drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform* transformation)
{
	if (!path || !begin ())
		return;
	// Aligned for the context's own transform first; the path's transformation then moves the points.
	auto geometry = geometryOf (*path, mode == kPathFilledEvenOdd, true);
	if (geometry && applyPathTransformation (transformation))
	{
		if (mode == kPathStroked)
			stroke (geometry.get ());
		else
			fill (geometry.get (), getFillColor ());
	}
	end ();
}

COM::Ptr<ID2D1GradientStopCollection> D2DDrawContext::gradientStops (const CGradient& gradient)
{
	std::vector<D2D1_GRADIENT_STOP> stops;
	for (const auto& [offset, color] : gradient.getColorStops ())
	{
		if (!std::isfinite (offset))
			continue;
		stops.push_back ({static_cast<FLOAT> (std::clamp (offset, 0., 1.)), toD2D (color, getGlobalAlpha ())});
	}
	COM::Ptr<ID2D1GradientStopCollection> collection;
	if (stops.empty () ||
	    FAILED (target->CreateGradientStopCollection (stops.data (), static_cast<UINT32> (stops.size ()),
	                                                  D2D1_GAMMA_2_2, D2D1_EXTEND_MODE_CLAMP, collection.put ())))
		collection.reset ();
	return collection;
}

void D2DDrawContext::fillWithBrush (CGraphicsPath* path, ID2D1Brush* brush, bool evenOdd,
                                    CGraphicsTransform* transformation)
{
	auto geometry = geometryOf (*path, evenOdd, true);
	if (geometry && applyPathTransformation (transformation))
		target->FillGeometry (geometry.get (), brush);
}

void D2DDrawContext::fillLinearGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
                                         const CPoint& endPoint, bool evenOdd, CGraphicsTransform* transformation)
{
	if (!path || !isFinite (startPoint) || !isFinite (endPoint) || !begin ())
		return;
	COM::Ptr<ID2D1LinearGradientBrush> brush;
	if (auto stops = gradientStops (gradient);
	    stops &&
	    SUCCEEDED (target->CreateLinearGradientBrush (
	        D2D1::LinearGradientBrushProperties (toD2D (startPoint), toD2D (endPoint)), stops.get (), brush.put ())))
		fillWithBrush (path, brush.get (), evenOdd, transformation);
	end ();
}

void D2DDrawContext::fillRadialGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& center,
                                         CCoord radius, const CPoint& originOffset, bool evenOdd,
                                         CGraphicsTransform* transformation)
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
	if (!begin ())
		return;
	COM::Ptr<ID2D1RadialGradientBrush> brush;
	const auto r = static_cast<FLOAT> (radius);
	if (auto stops = gradientStops (gradient);
	    stops && SUCCEEDED (target->CreateRadialGradientBrush (
	                 D2D1::RadialGradientBrushProperties (toD2D (center), toD2D (originOffset), r, r), stops.get (),
	                 brush.put ())))
		fillWithBrush (path, brush.get (), evenOdd, transformation);
	end ();
}

} // namespace VSTGUI
