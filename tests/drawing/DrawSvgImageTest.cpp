// drawSvgImage: what it hands to the draw context (recorded exactly) and what lands in the pixels.
#include "DrawingTestSupport.h"
#include "SvgTestSupport.h"

#include "editor/DrawSvgImage.h"
#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/cgraphicspath.h"

#include <cmath>
#include <cstdlib>
#include <vector>

using namespace VSTGUI;
using drawtest::Canvas;
using drawtest::transparent;
using svgtest::ImagePtr;
using svgtest::parse;

namespace
{

// Records every path draw and gradient fill; draws nothing.
class RecordingContext : public CDrawContext
{
public:
	struct PathCall
	{
		PathDrawMode mode;
		CGraphicsTransform transform;
		bool hasTransform;
		CColor fill, frame;
		CCoord lineWidth;
		size_t elements;
	};
	struct GradientCall
	{
		bool radial;
		CPoint a, b; // start/end, or centre/origin offset
		CCoord radius;
		std::vector<std::pair<double, CColor>> stops;
		std::vector<CGraphicsPath::Element> outline;
		bool evenOdd;
		bool hasTransform;
	};

	RecordingContext () : CDrawContext (CRect (0., 0., 100., 100.)) {}

	void drawLines (const LineList&) override {}
	void drawPolygon (const PointList&, const CDrawStyle) override {}
	void drawRect (const CRect&, const CDrawStyle) override {}
	void drawArc (const CRect&, const float, const float, const CDrawStyle) override {}
	void drawEllipse (const CRect&, const CDrawStyle) override {}
	void drawPoint (const CPoint&, const CColor&) override {}
	void clearRect (const CRect&) override {}
	CGraphicsPath* createGraphicsPath () override
	{
		++pathsCreated;
		return canMakePaths ? makeGraphicsPath () : nullptr;
	}
	void drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform* t) override
	{
		paths.push_back ({mode, t ? *t : CGraphicsTransform (), t != nullptr, getFillColor (), getFrameColor (),
		                  getLineWidth (), path->getElements ().size ()});
	}
	void fillLinearGradient (CGraphicsPath* path, const CGradient& g, const CPoint& start, const CPoint& end,
	                         bool evenOdd, CGraphicsTransform* t) override
	{
		record (false, path, g, start, end, 0., evenOdd, t);
	}
	void fillRadialGradient (CGraphicsPath* path, const CGradient& g, const CPoint& centre, CCoord radius,
	                         const CPoint& offset, bool evenOdd, CGraphicsTransform* t) override
	{
		record (true, path, g, centre, offset, radius, evenOdd, t);
	}

	bool canMakePaths = true;
	int pathsCreated = 0;
	std::vector<PathCall> paths;
	std::vector<GradientCall> gradients;

private:
	void record (bool radial, CGraphicsPath* path, const CGradient& g, CPoint a, CPoint b, CCoord r, bool evenOdd,
	             CGraphicsTransform* t)
	{
		gradients.push_back ({radial,
		                      a,
		                      b,
		                      r,
		                      {g.getColorStops ().begin (), g.getColorStops ().end ()},
		                      path->getElements (),
		                      evenOdd,
		                      t != nullptr});
	}
};

const CGraphicsTransform identity;

// Four 50 × 50 quadrants of a 100 × 100 image: red, green / blue, white.
const char* quadrants = "<svg width=\"100\" height=\"100\">"
                        "<rect width=\"50\" height=\"50\" fill=\"#ff0000\"/>"
                        "<rect x=\"50\" width=\"50\" height=\"50\" fill=\"#00ff00\"/>"
                        "<rect y=\"50\" width=\"50\" height=\"50\" fill=\"#0000ff\"/>"
                        "<rect x=\"50\" y=\"50\" width=\"50\" height=\"50\" fill=\"#ffffff\"/></svg>";

const CColor red (255, 0, 0, 255), green (0, 255, 0, 255), blue (0, 0, 255, 255), white (255, 255, 255, 255);

// Stops that switch hard from red to blue at the middle, so the gradient's geometry shows in exact colours.
const char* hardStops = "<linearGradient id=\"s\"><stop offset=\"0\" stop-color=\"#f00\"/>"
                        "<stop offset=\"0.5\" stop-color=\"#f00\"/><stop offset=\"0.5\" stop-color=\"#00f\"/>"
                        "<stop offset=\"1\" stop-color=\"#00f\"/></linearGradient>";

ImagePtr radialDocument (float cy, float r)
{
	return parse (std::string ("<svg width=\"100\" height=\"100\"><defs>") + hardStops +
	              "<radialGradient id=\"r\" xlink:href=\"#s\" cx=\"50\" cy=\"" + std::to_string (cy) + "\" r=\"" +
	              std::to_string (r) +
	              "\" gradientUnits=\"userSpaceOnUse\"/></defs>"
	              "<rect width=\"100\" height=\"100\" fill=\"url(#r)\"/></svg>");
}

} // namespace

TEST (DrawSvgImageCalls, SquareImageInAWideRectIsScaledByHeightAndCentred)
{
	auto image = parse (quadrants);
	RecordingContext context;
	drawSvgImage (&context, image.get (), CRect (0., 0., 200., 100.), false, identity);
	ASSERT_EQ (context.paths.size (), 4u);
	EXPECT_EQ (context.paths[0].transform, CGraphicsTransform (1., 0., 0., 1., 50., 0.));
	EXPECT_EQ (context.getDrawMode (), CDrawMode (kAntiAliasing));

	RecordingContext stretched;
	drawSvgImage (&stretched, image.get (), CRect (10., 20., 210., 120.), true, identity);
	ASSERT_EQ (stretched.paths.size (), 4u);
	EXPECT_EQ (stretched.paths[0].transform, CGraphicsTransform (2., 0., 0., 1., 10., 20.));
}

TEST (DrawSvgImageCalls, CallerTransformActsAboutTheImageCentre)
{
	auto image = parse (quadrants);
	RecordingContext context;
	const CGraphicsTransform t (0., -1., 1., 0., 5., 7.); // 90° clockwise, then moved by (5, 7)
	drawSvgImage (&context, image.get (), CRect (0., 0., 200., 100.), false, t);
	ASSERT_FALSE (context.paths.empty ());
	const CGraphicsTransform& d = context.paths[0].transform;
	// m11 = T.m11·s, m12 = T.m12·s, ...; dx = T.m11·hx + T.m12·hy + T.dx + centre.
	EXPECT_EQ (d, CGraphicsTransform (0., -1., 1., 0., 0. * -50. + -1. * -50. + 5. + 100., 1. * -50. + 0. + 7. + 50.));
	CPoint topLeft (0., 0.);
	d.transform (topLeft);
	EXPECT_EQ (topLeft, CPoint (155., 7.)); // the image's top left turns to the top right
}

TEST (DrawSvgImageCalls, ScaleFactorsAreRoundedToSinglePrecision)
{
	auto image = parse ("<svg width=\"3\" height=\"3\"><rect width=\"3\" height=\"3\"/></svg>");
	RecordingContext context;
	drawSvgImage (&context, image.get (), CRect (0., 0., 1., 1.), false, identity);
	ASSERT_EQ (context.paths.size (), 1u);
	EXPECT_EQ (context.paths[0].transform.m11, double (float (1. / 3.)));
	EXPECT_NE (context.paths[0].transform.m11, 1. / 3.);
}

TEST (DrawSvgImageCalls, EachPathIsBegunCurvedAndClosedInImageUnits)
{
	auto image = parse ("<svg width=\"10\" height=\"10\"><path d=\"M1 1 L4 1 L4 4 Z M6 6 L8 8\"/></svg>");
	RecordingContext context;
	drawSvgImage (&context, image.get (), CRect (0., 0., 100., 100.), false, identity);
	ASSERT_EQ (context.paths.size (), 1u);
	// begin + 3 curves + close, then begin + 1 curve.
	EXPECT_EQ (context.paths[0].elements, 5u + 2u);
	EXPECT_EQ (context.paths[0].mode, CDrawContext::kPathFilled);
	EXPECT_EQ (context.paths[0].fill, CColor (0, 0, 0, 255));
}

TEST (DrawSvgImageCalls, StrokeWidthIsPassedInImageUnitsWhateverTheScale)
{
	auto image = parse ("<svg width=\"10\" height=\"10\"><path d=\"M0 0 L10 10\" fill=\"none\" "
	                    "stroke=\"#102030\" stroke-opacity=\"0.5\" stroke-width=\"1\"/></svg>");
	RecordingContext context;
	drawSvgImage (&context, image.get (), CRect (0., 0., 200., 200.), false, identity);
	ASSERT_EQ (context.paths.size (), 1u);
	EXPECT_EQ (context.paths[0].mode, CDrawContext::kPathStroked);
	EXPECT_EQ (context.paths[0].lineWidth, 1.);
	EXPECT_EQ (context.paths[0].frame, CColor (0x10, 0x20, 0x30, 127)); // 0.5 × 255 truncates
	EXPECT_EQ (context.getLineWidth (), 1.);
}

TEST (DrawSvgImageCalls, LinearGradientRunsFromDOfGZeroToDOfGOne)
{
	auto image = parse (std::string ("<svg width=\"100\" height=\"100\"><defs>") + hardStops +
	                    "<linearGradient id=\"g\" xlink:href=\"#s\" x1=\"10\" y1=\"20\" x2=\"90\" y2=\"20\" "
	                    "gradientUnits=\"userSpaceOnUse\"/></defs><rect width=\"100\" height=\"100\" "
	                    "fill=\"url(#g)\"/></svg>");
	RecordingContext context;
	drawSvgImage (&context, image.get (), CRect (0., 0., 200., 200.), false, identity);
	ASSERT_EQ (context.gradients.size (), 1u);
	const auto& g = context.gradients[0];
	EXPECT_FALSE (g.radial);
	EXPECT_FALSE (g.evenOdd);
	EXPECT_FALSE (g.hasTransform);
	EXPECT_NEAR (g.a.x, 20., 1e-4);
	EXPECT_NEAR (g.a.y, 40., 1e-4);
	EXPECT_NEAR (g.b.x, 180., 1e-4);
	EXPECT_NEAR (g.b.y, 40., 1e-4);
	ASSERT_EQ (g.stops.size (), 4u);
	EXPECT_EQ (g.stops[1], std::make_pair (0.5, CColor (255, 0, 0, 255)));
	EXPECT_EQ (g.stops[2], std::make_pair (0.5, CColor (0, 0, 255, 255)));
	// The outline handed over is already in drawing coordinates.
	ASSERT_FALSE (g.outline.empty ());
	EXPECT_EQ (g.outline[0].points[0], CPoint (0., 0.));
	EXPECT_TRUE (context.paths.empty ());
}

TEST (DrawSvgImageCalls, RadialRadiusIsMeasuredFromTheImagesHorizontalCentreLine)
{
	struct Case
	{
		float cy, r;
		double radius; // in the 200 × 200 rectangle, scale 2
	};
	for (const Case& c : {Case{50.f, 40.f, 80.}, Case{70.f, 20.f, 80.}, Case{40.f, 30.f, 40.}})
	{
		auto image = radialDocument (c.cy, c.r);
		RecordingContext context;
		drawSvgImage (&context, image.get (), CRect (0., 0., 200., 200.), false, identity);
		ASSERT_EQ (context.gradients.size (), 1u);
		const auto& g = context.gradients[0];
		EXPECT_TRUE (g.radial);
		EXPECT_NEAR (g.radius, c.radius, 1e-3) << "cy " << c.cy;
		EXPECT_NEAR (g.a.x, 100., 1e-3);
		EXPECT_NEAR (g.a.y, 2. * c.cy, 1e-3);
		EXPECT_EQ (g.b, CPoint (0., 0.));
	}
}

TEST (DrawSvgImageCalls, NothingForNoShapesNoImageOrNoArea)
{
	auto empty = parse ("<svg width=\"10\" height=\"10\"></svg>");
	RecordingContext context;
	drawSvgImage (&context, empty.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_EQ (context.pathsCreated, 0);
	EXPECT_EQ (context.getDrawMode (), CDrawMode (kAntiAliasing));

	auto zeroSize = parse ("<svg width=\"0\" height=\"10\"><rect width=\"5\" height=\"5\"/></svg>");
	drawSvgImage (&context, zeroSize.get (), CRect (0., 0., 100., 100.), true, identity);
	auto shapes = parse (quadrants);
	drawSvgImage (&context, shapes.get (), CRect (0., 0., 0., 100.), false, identity);
	drawSvgImage (&context, nullptr, CRect (0., 0., 100., 100.), false, identity);
	drawSvgImage (nullptr, shapes.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_EQ (context.pathsCreated, 0);
	EXPECT_TRUE (context.paths.empty ());
}

TEST (DrawSvgImageCalls, AContextThatCannotMakePathsDrawsNothing)
{
	auto image = parse (quadrants);
	RecordingContext context;
	context.canMakePaths = false;
	drawSvgImage (&context, image.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_TRUE (context.paths.empty ());
	EXPECT_EQ (context.pathsCreated, 1);
}

TEST (DrawSvgImagePixels, SquareImageWithoutStretchIsCentredInAWideRect)
{
	auto image = parse (quadrants);
	Canvas canvas (200., 100.);
	drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 200., 100.), false, identity);
	EXPECT_EQ (canvas.pixel (49, 50), transparent);
	EXPECT_EQ (canvas.pixel (50, 0), red);
	EXPECT_EQ (canvas.pixel (99, 49), red);
	EXPECT_EQ (canvas.pixel (100, 0), green);
	EXPECT_EQ (canvas.pixel (50, 99), blue);
	EXPECT_EQ (canvas.pixel (149, 99), white);
	EXPECT_EQ (canvas.pixel (150, 50), transparent);
}

TEST (DrawSvgImagePixels, StretchFillsTheRectInBothDirections)
{
	auto image = parse (quadrants);
	Canvas canvas (200., 100.);
	drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 200., 100.), true, identity);
	EXPECT_EQ (canvas.pixel (0, 0), red);
	EXPECT_EQ (canvas.pixel (99, 49), red);
	EXPECT_EQ (canvas.pixel (100, 0), green);
	EXPECT_EQ (canvas.pixel (0, 99), blue);
	EXPECT_EQ (canvas.pixel (199, 99), white);
}

TEST (DrawSvgImagePixels, QuarterTurnRotatesAboutTheImageCentreAndStaysCentred)
{
	auto image = parse (quadrants);
	Canvas canvas (200., 100.);
	drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 200., 100.), false, CGraphicsTransform ().rotate (90.));
	// Clockwise: red (top left) goes to the top right, blue (bottom left) to the top left.
	EXPECT_EQ (canvas.pixel (60, 10), blue);
	EXPECT_EQ (canvas.pixel (140, 10), red);
	EXPECT_EQ (canvas.pixel (60, 90), white);
	EXPECT_EQ (canvas.pixel (140, 90), green);
	EXPECT_EQ (canvas.pixel (45, 50), transparent);
	EXPECT_EQ (canvas.pixel (155, 50), transparent);
}

TEST (DrawSvgImagePixels, DevicePixelsAtScaleTwoInA200By336View)
{
	auto image = parse (quadrants);
	Canvas canvas (200., 336., 2.);
	drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 200., 336.), false, identity);
	// 200 × 200 centred vertically: y 68 to 268 in view units, 136 to 536 in device pixels.
	EXPECT_EQ (canvas.pixel (0, 135), transparent);
	EXPECT_EQ (canvas.pixel (0, 136), red);
	EXPECT_EQ (canvas.pixel (399, 136), green);
	EXPECT_EQ (canvas.pixel (0, 535), blue);
	EXPECT_EQ (canvas.pixel (399, 535), white);
	EXPECT_EQ (canvas.pixel (399, 536), transparent);
}

TEST (DrawSvgImagePixels, OutlineOnlyAndGradientStrokeWithoutFill)
{
	auto outline = parse ("<svg width=\"100\" height=\"100\"><rect x=\"20\" y=\"20\" width=\"60\" height=\"60\" "
	                      "fill=\"none\" stroke=\"#00ff00\" stroke-width=\"4\"/></svg>");
	Canvas canvas (100., 100.);
	drawSvgImage (canvas.get (), outline.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_EQ (canvas.pixel (50, 50), transparent);
	EXPECT_EQ (canvas.pixel (50, 19), green);
	EXPECT_EQ (canvas.pixel (50, 20), green);
	EXPECT_EQ (canvas.pixel (50, 17), transparent);
	EXPECT_EQ (canvas.pixel (50, 22), transparent);

	auto gradientStroke = parse (std::string ("<svg width=\"100\" height=\"100\"><defs>") + hardStops +
	                             "</defs><rect width=\"100\" height=\"100\" style=\"fill:none;stroke:url(#s);"
	                             "stroke-width:10\"/></svg>");
	Canvas nothing (100., 100.);
	drawSvgImage (nothing.get (), gradientStroke.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_TRUE (nothing.allTransparent ());
}

TEST (DrawSvgImagePixels, GuideShapesThatSvgDoesNotPaintStayInvisible)
{
	// A frame with no fill and a stroke of width 0, and a box at fill opacity 0, as drawing editors leave them.
	auto image = parse ("<svg width=\"100\" height=\"100\"><rect width=\"100\" height=\"100\" "
	                    "style=\"fill:none;stroke:#faf9d4;stroke-width:0\"/><rect x=\"10\" y=\"10\" width=\"80\" "
	                    "height=\"80\" style=\"fill:#000000;fill-opacity:0\"/></svg>");
	Canvas canvas (100., 100., 2.);
	drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_TRUE (canvas.allTransparent ());
}

TEST (DrawSvgImagePixels, EvenOddRingIsFilledWithTheNonZeroRule)
{
	auto image = parse ("<svg width=\"100\" height=\"100\"><path fill-rule=\"evenodd\" fill=\"#0000ff\" "
	                    "d=\"M10 10 H90 V90 H10 Z M30 30 H70 V70 H30 Z\"/></svg>");
	Canvas canvas (100., 100.);
	drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_EQ (canvas.pixel (50, 50), blue);
	EXPECT_EQ (canvas.pixel (20, 20), blue);
}

TEST (DrawSvgImagePixels, PaintAlphaIsKeptAndShapeOpacityAndVisibilityIgnored)
{
	auto image = parse ("<svg width=\"100\" height=\"100\">"
	                    "<rect width=\"50\" height=\"100\" style=\"fill:#0000ff;fill-opacity:0.5;opacity:0.2\"/>"
	                    "<rect x=\"50\" width=\"50\" height=\"100\" style=\"display:none;fill:#ff0000\"/></svg>");
	Canvas canvas (100., 100.);
	drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_EQ (canvas.pixel (25, 50), CColor (0, 0, 127, 127)); // premultiplied: 0x7f alpha (0.5 × 255 truncates)
	EXPECT_EQ (canvas.pixel (75, 50), red);
}

TEST (DrawSvgImagePixels, LineWidthInImageUnitsGrowsWithTheViewInTheContext)
{
	auto image = parse ("<svg width=\"10\" height=\"10\"><path d=\"M5 0 V10\" stroke=\"#ff0000\" "
	                    "stroke-width=\"1\"/></svg>");
	Canvas canvas (200., 200., 2.);
	drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 200., 200.), false, identity);
	// The width of 1 image unit goes through the drawing transform (×20) and the surface's scale (×2):
	// 40 device pixels centred on x = 100 (device 200).
	EXPECT_EQ (canvas.pixel (180, 100), red);
	EXPECT_EQ (canvas.pixel (219, 100), red);
	EXPECT_EQ (canvas.pixel (179, 100), transparent);
	EXPECT_EQ (canvas.pixel (220, 100), transparent);
}

TEST (DrawSvgImagePixels, LinearGradientDirectionAndExtent)
{
	auto horizontal = parse (std::string ("<svg width=\"100\" height=\"100\"><defs>") + hardStops +
	                         "<linearGradient id=\"g\" xlink:href=\"#s\" x1=\"0\" y1=\"0\" x2=\"100\" y2=\"0\" "
	                         "gradientUnits=\"userSpaceOnUse\"/></defs><rect width=\"100\" height=\"100\" "
	                         "fill=\"url(#g)\"/></svg>");
	Canvas canvas (100., 100.);
	drawSvgImage (canvas.get (), horizontal.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_EQ (canvas.pixel (45, 5), red);
	EXPECT_EQ (canvas.pixel (55, 5), blue);
	EXPECT_EQ (canvas.pixel (45, 95), red);

	auto vertical = parse (std::string ("<svg width=\"100\" height=\"100\"><defs>") + hardStops +
	                       "<linearGradient id=\"g\" xlink:href=\"#s\" x1=\"0\" y1=\"20\" x2=\"0\" y2=\"40\" "
	                       "gradientUnits=\"userSpaceOnUse\"/></defs><rect width=\"100\" height=\"100\" "
	                       "fill=\"url(#g)\"/></svg>");
	Canvas down (100., 100.);
	drawSvgImage (down.get (), vertical.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_EQ (down.pixel (80, 28), red);
	EXPECT_EQ (down.pixel (80, 32), blue);
	EXPECT_EQ (down.pixel (5, 5), red);
	EXPECT_EQ (down.pixel (5, 95), blue);
}

TEST (DrawSvgImagePixels, SingularGradientMatrixDrawsFromTheIdentity)
{
	// Built by hand: the parser never yields a singular xform.
	float pts[] = {0.f, 0.f, 1.f, 0.f, 1.f, 0.f, 1.f, 0.f, 1.f, 1.f, 1.f, 1.f, 1.f,
	               1.f, 0.f, 1.f, 0.f, 1.f, 0.f, 1.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f};
	NSVGpath path{};
	path.pts = pts;
	path.npts = 13;
	path.closed = 1;
	auto* gradient =
	    static_cast<NSVGgradient*> (std::calloc (1, sizeof (NSVGgradient) + 3 * sizeof (NSVGgradientStop)));
	gradient->nstops = 4;
	gradient->stops[0] = {0xff0000ffu, 0.f};
	gradient->stops[1] = {0xff0000ffu, 0.5f};
	gradient->stops[2] = {0xffff0000u, 0.5f};
	gradient->stops[3] = {0xffff0000u, 1.f};
	NSVGshape shape{};
	shape.fill.type = NSVG_PAINT_LINEAR_GRADIENT;
	shape.fill.gradient = gradient; // xform all zero
	shape.paths = &path;
	NSVGimage image{1.f, 1.f, &shape};

	Canvas canvas (100., 100.);
	drawSvgImage (canvas.get (), &image, CRect (0., 0., 100., 100.), false, identity);
	// From D(0, 0) = (0, 0) to D(0, 1) = (0, 100): red above the middle, blue below, whatever x.
	EXPECT_EQ (canvas.pixel (10, 45), red);
	EXPECT_EQ (canvas.pixel (90, 45), red);
	EXPECT_EQ (canvas.pixel (10, 55), blue);
	EXPECT_EQ (canvas.pixel (90, 55), blue);
	std::free (gradient);
}

TEST (DrawSvgImagePixels, RadialGradientCentredOnTheImageGetsTheScaledRadius)
{
	auto image = radialDocument (50.f, 40.f);
	Canvas canvas (100., 100.);
	drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 100., 100.), false, identity);
	// The hard edge lies at half the radius: 20 from the centre.
	EXPECT_EQ (canvas.pixel (50 + 17, 50), red);
	EXPECT_EQ (canvas.pixel (50 + 22, 50), blue);
	EXPECT_EQ (canvas.pixel (50, 50 - 18), red);
	EXPECT_EQ (canvas.pixel (50, 50 - 22), blue);
}

TEST (DrawSvgImagePixels, RadialGradientCentredLowerOrHigherGetsTheRadiusByTheRule)
{
	// Centre at y 70, r 20: radius 70 + 20 − 50 = 40, edge at 20 rather than the true 10.
	auto lower = radialDocument (70.f, 20.f);
	Canvas canvas (100., 100.);
	drawSvgImage (canvas.get (), lower.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_EQ (canvas.pixel (50 + 17, 70), red);
	EXPECT_EQ (canvas.pixel (50 + 22, 70), blue);

	// Centre at y 40, r 30: radius 40 + 30 − 50 = 20, edge at 10 rather than the true 15.
	auto higher = radialDocument (40.f, 30.f);
	Canvas up (100., 100.);
	drawSvgImage (up.get (), higher.get (), CRect (0., 0., 100., 100.), false, identity);
	EXPECT_EQ (up.pixel (50 + 8, 40), red);
	EXPECT_EQ (up.pixel (50 + 12, 40), blue);
}

TEST (DrawSvgImagePixels, RadialRadiusOfZeroOrLessFillsWithTheLastStop)
{
	for (float cy : {10.f, 30.f}) // radius 10 + 20 − 50 < 0, and 30 + 20 − 50 = 0
	{
		auto image = radialDocument (cy, 20.f);
		Canvas canvas (100., 100.);
		drawSvgImage (canvas.get (), image.get (), CRect (0., 0., 100., 100.), false, identity);
		EXPECT_EQ (canvas.pixel (50, int (cy)), blue) << cy;
		EXPECT_EQ (canvas.pixel (5, 95), blue) << cy;
	}
}
