#include "cgraphicspath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace VSTGUI
{
namespace
{

using Element = CGraphicsPath::Element;

Element makeElement (Element::Type type)
{
	Element e{};
	e.type = type;
	return e;
}

Element pointElement (Element::Type type, const CPoint& p)
{
	Element e = makeElement (type);
	e.points[0] = p;
	return e;
}

Element curveElement (const CPoint& c1, const CPoint& c2, const CPoint& end)
{
	Element e = makeElement (Element::kBezierCurve);
	e.points[0] = c1;
	e.points[1] = c2;
	e.points[2] = end;
	return e;
}

// An elliptical arc of the ellipse inscribed in `rect` as cubic Béziers of at most a quarter turn each.
// `connect`: the arc continues the open subpath with a line to its start instead of beginning a new one.
void appendArc (Element::Type firstType, const CRect& rect, double startDegrees, double sweepDegrees,
                CGraphicsPath::ElementList& out)
{
	const double cx = (rect.left + rect.right) / 2., cy = (rect.top + rect.bottom) / 2.;
	const double rx = rect.getWidth () / 2., ry = rect.getHeight () / 2.;
	const double start = radians (startDegrees);
	const double sweep = radians (sweepDegrees);
	const int segments = std::max (1, int (std::ceil (std::fabs (sweep) / (3.14159265358979323846 / 2.) - 1e-9)));
	const double step = sweep / segments;
	const double k = 4. / 3. * std::tan (step / 4.);
	auto at = [&] (double t) { return CPoint (cx + rx * std::cos (t), cy + ry * std::sin (t)); };
	auto tangent = [&] (double t) { return CPoint (-rx * std::sin (t), ry * std::cos (t)); };
	out.push_back (pointElement (firstType, at (start)));
	double t = start;
	for (int i = 0; i < segments; ++i)
	{
		const double t2 = t + step;
		const CPoint p0 = at (t), p1 = at (t2), d0 = tangent (t), d1 = tangent (t2);
		out.push_back (curveElement ({p0.x + k * d0.x, p0.y + k * d0.y}, {p1.x - k * d1.x, p1.y - k * d1.y}, p1));
		t = t2;
	}
}

void appendRect (const CRect& r, CGraphicsPath::ElementList& out)
{
	out.push_back (pointElement (Element::kBeginSubpath, r.getTopLeft ()));
	out.push_back (pointElement (Element::kLine, r.getTopRight ()));
	out.push_back (pointElement (Element::kLine, r.getBottomRight ()));
	out.push_back (pointElement (Element::kLine, r.getBottomLeft ()));
	out.push_back (makeElement (Element::kCloseSubpath));
}

void appendRoundRect (const CRect& r, CCoord radius, CGraphicsPath::ElementList& out)
{
	radius = std::clamp (radius, 0., std::min (r.getWidth (), r.getHeight ()) / 2.);
	if (radius <= 0.)
	{
		appendRect (r, out);
		return;
	}
	const CCoord d = radius * 2.;
	appendArc (Element::kBeginSubpath, CRect (r.right - d, r.top, r.right, r.top + d), 270., 90., out);
	appendArc (Element::kLine, CRect (r.right - d, r.bottom - d, r.right, r.bottom), 0., 90., out);
	appendArc (Element::kLine, CRect (r.left, r.bottom - d, r.left + d, r.bottom), 90., 90., out);
	appendArc (Element::kLine, CRect (r.left, r.top, r.left + d, r.top + d), 180., 90., out);
	out.push_back (makeElement (Element::kCloseSubpath));
}

} // namespace

void CGraphicsPath::addArc (const CRect& rect, double startAngle, double endAngle, bool clockwise)
{
	Element e = makeElement (Element::kArc);
	e.rect = rect;
	e.startAngle = startAngle;
	e.endAngle = endAngle;
	e.clockwise = clockwise;
	elements.push_back (e);
}

void CGraphicsPath::addEllipse (const CRect& rect)
{
	Element e = makeElement (Element::kEllipse);
	e.rect = rect;
	elements.push_back (e);
}

void CGraphicsPath::addRect (const CRect& rect)
{
	Element e = makeElement (Element::kRect);
	e.rect = rect;
	elements.push_back (e);
}

void CGraphicsPath::addRoundRect (const CRect& size, CCoord radius)
{
	Element e = makeElement (Element::kRoundRect);
	e.rect = size;
	e.radius = radius;
	elements.push_back (e);
}

void CGraphicsPath::addLine (const CPoint& to)
{
	elements.push_back (pointElement (Element::kLine, to));
}

void CGraphicsPath::addBezierCurve (const CPoint& control1, const CPoint& control2, const CPoint& end)
{
	elements.push_back (curveElement (control1, control2, end));
}

void CGraphicsPath::beginSubpath (const CPoint& start)
{
	elements.push_back (pointElement (Element::kBeginSubpath, start));
}

void CGraphicsPath::closeSubpath ()
{
	elements.push_back (makeElement (Element::kCloseSubpath));
}

void CGraphicsPath::addPath (const CGraphicsPath& path, CGraphicsTransform* transformation)
{
	if (!transformation)
	{
		const ElementList source = path.elements; // the path may be this one
		elements.insert (elements.end (), source.begin (), source.end ());
		return;
	}
	// Arcs and rectangles do not stay arcs and rectangles under rotation or skew, so the transformed copy is
	// made of their curves and lines.
	for (Element e : path.flattenedElements ())
	{
		for (CPoint& p : e.points)
			transformation->transform (p);
		elements.push_back (e);
	}
}

CGraphicsPath::ElementList CGraphicsPath::flattenedElements () const
{
	ElementList out;
	out.reserve (elements.size ());
	bool open = false; // a subpath has a current point that an arc or line can continue
	for (const Element& e : elements)
	{
		switch (e.type)
		{
		case Element::kArc:
		{
			// Like cairo: a clockwise arc runs forward from start to end, adding whole turns to the end until it
			// lies ahead; at most one full turn is drawn.
			double sweep = e.endAngle - e.startAngle;
			if (e.clockwise && sweep < 0.)
			{
				sweep = std::fmod (sweep, 360.);
				if (sweep < 0.)
					sweep += 360.;
			}
			else if (!e.clockwise && sweep > 0.)
			{
				sweep = std::fmod (sweep, 360.);
				if (sweep > 0.)
					sweep -= 360.;
			}
			sweep = std::clamp (sweep, -360., 360.);
			if (!std::isfinite (sweep))
				break;
			appendArc (open ? Element::kLine : Element::kBeginSubpath, e.rect, e.startAngle, sweep, out);
			open = true;
			break;
		}
		case Element::kEllipse:
			appendArc (Element::kBeginSubpath, e.rect, 0., 360., out);
			out.push_back (makeElement (Element::kCloseSubpath));
			open = false;
			break;
		case Element::kRect:
			appendRect (e.rect, out);
			open = false;
			break;
		case Element::kRoundRect:
			appendRoundRect (e.rect, e.radius, out);
			open = false;
			break;
		case Element::kLine:
			out.push_back (pointElement (open ? Element::kLine : Element::kBeginSubpath, e.points[0]));
			open = true;
			break;
		case Element::kBezierCurve:
			if (!open)
				out.push_back (pointElement (Element::kBeginSubpath, e.points[0]));
			out.push_back (e);
			open = true;
			break;
		case Element::kBeginSubpath:
			out.push_back (e);
			open = true;
			break;
		case Element::kCloseSubpath:
			out.push_back (e);
			open = false;
			break;
		}
	}
	return out;
}

CPoint CGraphicsPath::getCurrentPosition () const
{
	CPoint current;
	CPoint start;
	for (const Element& e : flattenedElements ())
	{
		if (e.type == Element::kBeginSubpath)
			start = current = e.points[0];
		else if (e.type == Element::kLine)
			current = e.points[0];
		else if (e.type == Element::kBezierCurve)
			current = e.points[2];
		else if (e.type == Element::kCloseSubpath)
			current = start;
	}
	return current;
}

CRect CGraphicsPath::getBoundingBox () const
{
	constexpr double inf = std::numeric_limits<double>::infinity ();
	CRect box (inf, inf, -inf, -inf);
	auto grow = [&] (const CPoint& p)
	{
		box.left = std::min (box.left, p.x);
		box.top = std::min (box.top, p.y);
		box.right = std::max (box.right, p.x);
		box.bottom = std::max (box.bottom, p.y);
	};
	for (const Element& e : flattenedElements ())
	{
		if (e.type == Element::kBeginSubpath || e.type == Element::kLine)
			grow (e.points[0]);
		else if (e.type == Element::kBezierCurve)
			for (const CPoint& p : e.points)
				grow (p);
	}
	if (box.left > box.right)
		return {};
	return box;
}

} // namespace VSTGUI
