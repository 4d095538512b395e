#include "d2dgraphicspath.h"

#include "../win32factory.h"

#include <cmath>

namespace VSTGUI
{
namespace
{

D2D1_POINT_2F toD2D (const CPoint& p)
{
	return D2D1::Point2F (static_cast<FLOAT> (p.x), static_cast<FLOAT> (p.y));
}

// A cubic whose control points lie on its chord, in order from start to end, is that chord: filled, stroked or
// dashed. NanoSVG writes every straight edge of an SVG document so, and the editor's artwork is mostly straight
// edges. Wine's Direct2D closes a geometry of Bézier segments many times slower than one of lines: under Wine the
// editor's first paint drew its artwork in 1.8 s with those edges as Béziers, in 0.13 s as lines. Distances count
// in parts of the chord's length, so the test holds at any scale; a millionth is far below a pixel at any size an
// editor draws. Short edges far from the origin can miss it by NanoSVG's float rounding and stay Béziers: slower, not
// wrong.
bool tracesItsChord (const CPoint& start, const CPoint& control1, const CPoint& control2, const CPoint& end)
{
	constexpr double allowance = 1e-6;
	const double dx = end.x - start.x;
	const double dy = end.y - start.y;
	const double squaredLength = dx * dx + dy * dy;
	if (!(squaredLength > 0.))
		return false;
	auto along = [&] (const CPoint& p) { return ((p.x - start.x) * dx + (p.y - start.y) * dy) / squaredLength; };
	auto across = [&] (const CPoint& p)
	{ return std::abs ((p.x - start.x) * dy - (p.y - start.y) * dx) / squaredLength; };
	const double first = along (control1);
	const double second = along (control2);
	return across (control1) <= allowance && across (control2) <= allowance && first >= -allowance &&
	       first <= second + allowance && second <= 1. + allowance;
}

} // namespace

void addD2DFigures (ID2D1GeometrySink& sink, const CGraphicsPath::ElementList& elements)
{
	bool inFigure = false;
	CPoint current;
	CPoint start;
	auto beginFigureAt = [&] (const CPoint& from)
	{
		if (inFigure)
			sink.EndFigure (D2D1_FIGURE_END_OPEN);
		sink.BeginFigure (toD2D (from), D2D1_FIGURE_BEGIN_FILLED);
		inFigure = true;
		current = start = from;
	};
	for (const auto& e : elements)
	{
		switch (e.type)
		{
		case CGraphicsPath::Element::kBeginSubpath:
			beginFigureAt (e.points[0]);
			break;
		case CGraphicsPath::Element::kLine:
			// A segment without a subpath starts one where the pen is, as cairo and CoreGraphics do.
			if (!inFigure)
				beginFigureAt (current);
			sink.AddLine (toD2D (e.points[0]));
			current = e.points[0];
			break;
		case CGraphicsPath::Element::kBezierCurve:
			if (!inFigure)
				beginFigureAt (current);
			if (tracesItsChord (current, e.points[0], e.points[1], e.points[2]))
				sink.AddLine (toD2D (e.points[2]));
			else
				sink.AddBezier (D2D1::BezierSegment (toD2D (e.points[0]), toD2D (e.points[1]), toD2D (e.points[2])));
			current = e.points[2];
			break;
		case CGraphicsPath::Element::kCloseSubpath:
			if (inFigure)
				sink.EndFigure (D2D1_FIGURE_END_CLOSED);
			inFigure = false;
			current = start;
			break;
		default:
			break;
		}
	}
	if (inFigure)
		sink.EndFigure (D2D1_FIGURE_END_OPEN);
}

COM::Ptr<ID2D1PathGeometry> createD2DPathGeometry (const CGraphicsPath::ElementList& elements, D2D1_FILL_MODE fillMode)
{
	for (const auto& e : elements)
		for (const CPoint& p : e.points)
			if (!std::isfinite (p.x) || !std::isfinite (p.y))
				return {};
	auto* factory = Win32::getD2DFactory ();
	COM::Ptr<ID2D1PathGeometry> geometry;
	COM::Ptr<ID2D1GeometrySink> sink;
	if (!factory || FAILED (factory->CreatePathGeometry (geometry.put ())) || FAILED (geometry->Open (sink.put ())))
		return {};
	sink->SetFillMode (fillMode);
	addD2DFigures (*sink.get (), elements);
	if (FAILED (sink->Close ()))
		return {};
	return geometry;
}

} // namespace VSTGUI
