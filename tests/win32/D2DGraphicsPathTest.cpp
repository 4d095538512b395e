// What a path's elements become in a Direct2D geometry sink: Bézier curves that trace their chord arrive as lines
// (the form Wine's Direct2D closes fast), every other curve as the Bézier it is.
#include "vstgui/lib/platform/win32/direct2d/d2dgraphicspath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;

namespace
{

using Elements = CGraphicsPath::ElementList;

std::string text (D2D1_POINT_2F p)
{
	auto number = [] (FLOAT v)
	{
		std::string s = std::to_string (v);
		s.erase (s.find_last_not_of ('0') + 1);
		if (s.back () == '.')
			s.pop_back ();
		return s;
	};
	return number (p.x) + "," + number (p.y);
}

/** A geometry sink that writes down what it is given, one entry a call. */
class RecordingSink final : public ID2D1GeometrySink
{
public:
	std::vector<std::string> calls;

	STDMETHOD_ (void, SetFillMode) (D2D1_FILL_MODE) override { calls.push_back ("fill mode"); }
	STDMETHOD_ (void, SetSegmentFlags) (D2D1_PATH_SEGMENT) override { calls.push_back ("segment flags"); }
	STDMETHOD_ (void, BeginFigure) (D2D1_POINT_2F start, D2D1_FIGURE_BEGIN) override
	{
		calls.push_back ("begin " + text (start));
	}
	STDMETHOD_ (void, AddLines) (const D2D1_POINT_2F*, UINT) override { calls.push_back ("lines"); }
	STDMETHOD_ (void, AddBeziers) (const D2D1_BEZIER_SEGMENT*, UINT) override { calls.push_back ("beziers"); }
	STDMETHOD_ (void, EndFigure) (D2D1_FIGURE_END end) override
	{
		calls.push_back (end == D2D1_FIGURE_END_CLOSED ? "end closed" : "end open");
	}
	STDMETHOD (Close) () override
	{
		calls.push_back ("close");
		return S_OK;
	}
	STDMETHOD_ (void, AddLine) (D2D1_POINT_2F to) override { calls.push_back ("line " + text (to)); }
	STDMETHOD_ (void, AddBezier) (const D2D1_BEZIER_SEGMENT* b) override
	{
		calls.push_back ("bezier " + text (b->point1) + " " + text (b->point2) + " " + text (b->point3));
	}
	STDMETHOD_ (void, AddQuadraticBezier) (const D2D1_QUADRATIC_BEZIER_SEGMENT*) override
	{
		calls.push_back ("quadratic");
	}
	STDMETHOD_ (void, AddQuadraticBeziers) (const D2D1_QUADRATIC_BEZIER_SEGMENT*, UINT) override
	{
		calls.push_back ("quadratics");
	}
	STDMETHOD_ (void, AddArc) (const D2D1_ARC_SEGMENT*) override { calls.push_back ("arc"); }

	// Lives on the test's stack: nobody holds it beyond the call.
	STDMETHOD (QueryInterface) (REFIID, void** object) override
	{
		*object = nullptr;
		return E_NOINTERFACE;
	}
	STDMETHOD_ (ULONG, AddRef) () override { return 1; }
	STDMETHOD_ (ULONG, Release) () override { return 1; }
};

CGraphicsPath::Element subpath (CPoint at)
{
	CGraphicsPath::Element e{};
	e.type = CGraphicsPath::Element::kBeginSubpath;
	e.points[0] = at;
	return e;
}

CGraphicsPath::Element curveTo (CPoint control1, CPoint control2, CPoint end)
{
	CGraphicsPath::Element e{};
	e.type = CGraphicsPath::Element::kBezierCurve;
	e.points[0] = control1;
	e.points[1] = control2;
	e.points[2] = end;
	return e;
}

CGraphicsPath::Element closing ()
{
	CGraphicsPath::Element e{};
	e.type = CGraphicsPath::Element::kCloseSubpath;
	return e;
}

D2D1_POINT_2F point (const CPoint& p)
{
	return {static_cast<FLOAT> (p.x), static_cast<FLOAT> (p.y)};
}

std::vector<std::string> figures (const Elements& elements)
{
	RecordingSink sink;
	addD2DFigures (sink, elements);
	return sink.calls;
}

} // namespace

TEST (D2DGraphicsPath, CurvesAlongTheirChordInOrderArriveAsLines)
{
	// A triangle as NanoSVG writes one (control points at a third and two thirds of each edge), a curve whose
	// control points sit on its ends, and a chord that runs backwards across the origin.
	const Elements triangle = {subpath ({0., 0.}),
	                           curveTo ({10., 0.}, {20., 0.}, {30., 0.}),
	                           curveTo ({30., 10.}, {30., 20.}, {30., 30.}),
	                           curveTo ({30., 30.}, {0., 0.}, {0., 0.}),
	                           closing (),
	                           subpath ({6., 3.}),
	                           curveTo ({2., 1.}, {-2., -1.}, {-6., -3.})};
	EXPECT_EQ (figures (triangle), (std::vector<std::string>{"begin 0,0", "line 30,0", "line 30,30", "line 0,0",
	                                                         "end closed", "begin 6,3", "line -6,-3", "end open"}));
}

// Straightness counts in parts of the chord's length, so it holds at any scale; anything off the chord, or on its
// line but outside it or out of order, stays a curve.
TEST (D2DGraphicsPath, OnlyCurvesThatTraceTheirChordBecomeLines)
{
	const struct
	{
		const char* name;
		Elements elements;
		bool line;
	} cases[] = {
	    // A diagonal edge a thousandth of a unit long far from the origin.
	    {"tiny",
	     {subpath ({5000., 5000.}), curveTo ({5000.00025, 5000.0005}, {5000.0005, 5000.001}, {5000.00075, 5000.0015})},
	     true},
	    // Thirty thousand units long, a control point a hundredth of a unit off: a third of a millionth.
	    {"long", {subpath ({0., 0.}), curveTo ({10000., 0.01}, {20000., 0.}, {30000., 0.})}, true},
	    // Off by a hundred-millionth of a unit, more than a hundred-thousandth of this edge's length.
	    {"short and bent", {subpath ({0., 0.}), curveTo ({0.00025, 1e-8}, {0.0005, 0.}, {0.00075, 0.})}, false},
	    {"a quarter of a circle", {subpath ({10., 0.}), curveTo ({10., 5.5}, {5.5, 10.}, {0., 10.})}, false},
	    // Off the chord by a hundred-thousandth of its length.
	    {"nearly straight", {subpath ({0., 0.}), curveTo ({1000., 0.03}, {2000., 0.}, {3000., 0.})}, false},
	    // On the chord's line, past its end: the curve runs out beyond the end point and back.
	    {"past the end", {subpath ({0., 0.}), curveTo ({10., 0.}, {45., 0.}, {30., 0.})}, false},
	    {"before the start", {subpath ({0., 0.}), curveTo ({-15., 0.}, {20., 0.}, {30., 0.})}, false},
	    // On the chord, in reverse order: the curve runs forward, back and forward again.
	    {"reversed", {subpath ({0., 0.}), curveTo ({20., 0.}, {10., 0.}, {30., 0.})}, false},
	    // Ends that meet: a loop, whatever its control points.
	    {"closed loop", {subpath ({0., 0.}), curveTo ({10., 0.}, {10., 10.}, {0., 0.})}, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		const auto& p = c.elements[1].points;
		const std::string segment =
		    c.line ? "line " + text (point (p[2]))
		           : "bezier " + text (point (p[0])) + " " + text (point (p[1])) + " " + text (point (p[2]));
		EXPECT_EQ (figures (c.elements),
		           (std::vector<std::string>{"begin " + text (point (c.elements[0].points[0])), segment, "end open"}));
	}
}
