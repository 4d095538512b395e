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

} // namespace

COM::Ptr<ID2D1PathGeometry> createD2DPathGeometry (const CGraphicsPath::ElementList& elements,
                                                   D2D1_FILL_MODE fillMode)
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
	bool inFigure = false;
	CPoint current;
	CPoint start;
	auto beginFigureAt = [&] (const CPoint& from)
	{
		if (inFigure)
			sink->EndFigure (D2D1_FIGURE_END_OPEN);
		sink->BeginFigure (toD2D (from), D2D1_FIGURE_BEGIN_FILLED);
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
			sink->AddLine (toD2D (e.points[0]));
			current = e.points[0];
			break;
		case CGraphicsPath::Element::kBezierCurve:
			if (!inFigure)
				beginFigureAt (current);
			sink->AddBezier (D2D1::BezierSegment (toD2D (e.points[0]), toD2D (e.points[1]), toD2D (e.points[2])));
			current = e.points[2];
			break;
		case CGraphicsPath::Element::kCloseSubpath:
			if (inFigure)
				sink->EndFigure (D2D1_FIGURE_END_CLOSED);
			inFigure = false;
			current = start;
			break;
		default:
			break;
		}
	}
	if (inFigure)
		sink->EndFigure (D2D1_FIGURE_END_OPEN);
	if (FAILED (sink->Close ()))
		return {};
	return geometry;
}

} // namespace VSTGUI
