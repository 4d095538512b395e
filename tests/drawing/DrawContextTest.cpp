// The GUI library stand-in: reference counting, geometry, paths, gradients and the cairo draw context.
#include "DrawingTestSupport.h"

#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cgraphicstransform.h"

using namespace VSTGUI;
using drawtest::Canvas;
using drawtest::transparent;

namespace
{

struct Counted : CBaseObject
{
	explicit Counted (bool& destroyed) : destroyed (destroyed) {}
	~Counted () noexcept override { destroyed = true; }
	bool& destroyed;
};

} // namespace

TEST (GuiReferenceCounting, RememberForgetAndSharedPointer)
{
	bool destroyed = false;
	auto* object = new Counted (destroyed);
	EXPECT_EQ (object->getNbReference (), 1);
	object->remember ();
	EXPECT_EQ (object->getNbReference (), 2);
	{
		SharedPointer<Counted> shared (object);
		EXPECT_EQ (object->getNbReference (), 3);
		SharedPointer<Counted> moved (std::move (shared));
		EXPECT_EQ (object->getNbReference (), 3);
	}
	EXPECT_EQ (object->getNbReference (), 2);
	object->forget ();
	EXPECT_FALSE (destroyed);
	{
		auto last = owned (object);
		EXPECT_EQ (object->getNbReference (), 1);
	}
	EXPECT_TRUE (destroyed);
}

TEST (GuiGeometry, TransformBuildersRotateClockwiseOnScreenAndInvert)
{
	CPoint p (10., 0.);
	CGraphicsTransform ().rotate (90.).transform (p);
	EXPECT_NEAR (p.x, 0., 1e-12);
	EXPECT_NEAR (p.y, 10., 1e-12);

	// translate then scale: the scale acts on the translated point.
	CPoint q (1., 1.);
	CGraphicsTransform ().translate (1., 2.).scale (2., 3.).transform (q);
	EXPECT_EQ (q, CPoint (4., 9.));

	CPoint r (60., 50.);
	CGraphicsTransform ().rotate (90., CPoint (50., 50.)).transform (r);
	EXPECT_NEAR (r.x, 50., 1e-12);
	EXPECT_NEAR (r.y, 60., 1e-12);

	const CGraphicsTransform t (2., 1., -1., 3., 5., 7.);
	CPoint s (3., 4.);
	t.transform (s);
	t.inverse ().transform (s);
	EXPECT_NEAR (s.x, 3., 1e-12);
	EXPECT_NEAR (s.y, 4., 1e-12);
	EXPECT_EQ (CGraphicsTransform (0., 0., 0., 0., 1., 1.).inverse (), CGraphicsTransform ());
}

TEST (GuiGeometry, RectHelpers)
{
	CRect r (10., 20., 110., 70.);
	EXPECT_EQ (r.getWidth (), 100.);
	EXPECT_EQ (r.getHeight (), 50.);
	EXPECT_EQ (r.getCenter (), CPoint (60., 45.));
	EXPECT_TRUE (r.pointInside (CPoint (10., 20.)));
	EXPECT_FALSE (r.pointInside (CPoint (110., 20.)));
	CRect b = r;
	b.bound (CRect (0., 0., 50., 50.));
	EXPECT_EQ (b, CRect (10., 20., 50., 50.));
}

TEST (GuiGraphicsPath, AddPathWithTransformMapsEveryPoint)
{
	Canvas canvas (10., 10.);
	auto source = owned (canvas.get ()->createGraphicsPath ());
	source->beginSubpath (CPoint (1., 2.));
	source->addBezierCurve (CPoint (3., 4.), CPoint (5., 6.), CPoint (7., 8.));
	source->closeSubpath ();
	auto copy = owned (canvas.get ()->createGraphicsPath ());
	CGraphicsTransform t (2., 0., 0., 3., 10., 20.);
	copy->addPath (*source, &t);
	const auto& e = copy->getElements ();
	ASSERT_EQ (e.size (), 3u);
	EXPECT_EQ (e[0].type, CGraphicsPath::Element::kBeginSubpath);
	EXPECT_EQ (e[0].points[0], CPoint (12., 26.));
	EXPECT_EQ (e[1].type, CGraphicsPath::Element::kBezierCurve);
	EXPECT_EQ (e[1].points[0], CPoint (16., 32.));
	EXPECT_EQ (e[1].points[1], CPoint (20., 38.));
	EXPECT_EQ (e[1].points[2], CPoint (24., 44.));
	EXPECT_EQ (e[2].type, CGraphicsPath::Element::kCloseSubpath);
	EXPECT_EQ (copy->getBoundingBox (), CRect (12., 26., 24., 44.));
}

TEST (GuiGraphicsPath, ArcEllipseAndRectBecomeCurvesAndLines)
{
	Canvas canvas (10., 10.);
	auto path = owned (canvas.get ()->createGraphicsPath ());
	path->addEllipse (CRect (0., 0., 20., 10.));
	path->addRect (CRect (1., 1., 2., 2.));
	path->addArc (CRect (0., 0., 10., 10.), 0., 90., true);
	const auto flat = path->flattenedElements ();
	ASSERT_EQ (flat.size (), 6u + 5u + 2u);
	EXPECT_EQ (flat[0].points[0], CPoint (20., 5.));
	EXPECT_NEAR (flat[1].points[2].x, 10., 1e-12); // a quarter turn clockwise reaches the bottom
	EXPECT_NEAR (flat[1].points[2].y, 10., 1e-12);
	EXPECT_NEAR (path->getCurrentPosition ().x, 5., 1e-12);
	EXPECT_NEAR (path->getCurrentPosition ().y, 10., 1e-12);
}

TEST (GuiGraphicsPath, ArcDirectionAndWrapping)
{
	Canvas canvas (10., 10.);
	auto path = owned (canvas.get ()->createGraphicsPath ());
	path->addArc (CRect (0., 0., 10., 10.), 0., 90., false); // the long way round: 270° counter-clockwise
	auto flat = path->flattenedElements ();
	ASSERT_EQ (flat.size (), 4u);
	EXPECT_NEAR (flat[1].points[2].x, 5., 1e-12); // first stop: the top
	EXPECT_NEAR (flat[1].points[2].y, 0., 1e-12);

	auto wrapped = owned (canvas.get ()->createGraphicsPath ());
	wrapped->addArc (CRect (0., 0., 10., 10.), 0., -1e300, true); // must end, drawing at most one turn
	wrapped->addArc (CRect (0., 0., 10., 10.), 0., 720., true);
	wrapped->addArc (CRect (0., 0., 10., 10.), 0., std::nan (""), true);
	EXPECT_LE (wrapped->flattenedElements ().size (), 1u + 4u + 5u);
}

TEST (GuiGradient, StopsSortByOffsetAndKeepInsertionOrderWhenEqual)
{
	auto gradient = owned (CGradient::create (GradientColorStopMap ()));
	gradient->addColorStop (1., kBlueCColor);
	gradient->addColorStop (0.5, kRedCColor);
	gradient->addColorStop (0.5, kGreenCColor);
	std::vector<std::pair<double, CColor>> stops (gradient->getColorStops ().begin (),
	                                              gradient->getColorStops ().end ());
	ASSERT_EQ (stops.size (), 3u);
	EXPECT_EQ (stops[0], std::make_pair (0.5, kRedCColor));
	EXPECT_EQ (stops[1], std::make_pair (0.5, kGreenCColor));
	EXPECT_EQ (stops[2], std::make_pair (1., kBlueCColor));
}

TEST (GuiOffscreen, DevicePixelsAreTheSizeTimesTheScale)
{
	auto context = COffscreenContext::create (CPoint (200., 336.), 2.);
	ASSERT_TRUE (context);
	const auto& platform = context->getBitmap ()->getPlatformBitmap ();
	EXPECT_EQ (platform->getSize (), CPoint (400., 672.));
	EXPECT_EQ (context->getBitmap ()->getWidth (), 200.);
	EXPECT_EQ (context->getBitmap ()->getHeight (), 336.);
	EXPECT_EQ (context->getScaleFactor (), 2.);
	auto access = CBitmapPixelAccess::create (context->getBitmap ());
	ASSERT_TRUE (access);
	EXPECT_EQ (access->getBitmapWidth (), 400u);
	EXPECT_EQ (access->getBitmapHeight (), 672u);
}

TEST (GuiOffscreen, UnusableSizesGiveNoContext)
{
	EXPECT_FALSE (COffscreenContext::create (CPoint (0., 10.)));
	EXPECT_FALSE (COffscreenContext::create (CPoint (10., -1.)));
	EXPECT_FALSE (COffscreenContext::create (CPoint (10., 10.), 0.));
	EXPECT_FALSE (COffscreenContext::create (CPoint (1e9, 10.)));
	EXPECT_FALSE (COffscreenContext::create (CPoint (std::nan (""), 10.)));
}

TEST (GuiOffscreen, FilledRectangleCoversExactlyItsPixelsAtScaleTwo)
{
	Canvas canvas (20., 20., 2.);
	canvas.get ()->setFillColor (CColor (10, 20, 30, 255));
	canvas.get ()->drawRect (CRect (2., 3., 6., 8.), kDrawFilled);
	EXPECT_EQ (canvas.pixel (4, 6), CColor (10, 20, 30, 255));
	EXPECT_EQ (canvas.pixel (11, 15), CColor (10, 20, 30, 255));
	EXPECT_EQ (canvas.pixel (3, 6), transparent);
	EXPECT_EQ (canvas.pixel (12, 15), transparent);
	EXPECT_EQ (canvas.pixel (11, 16), transparent);
}

TEST (GuiOffscreen, StrokedRectangleInIntegralModeStaysInsideTheRectangle)
{
	Canvas canvas (20., 20.);
	CDrawContext* c = canvas.get ();
	c->setFillColor (kRedCColor);
	c->setFrameColor (kBlueCColor);
	c->setLineWidth (1.);
	c->drawRect (CRect (5., 5., 15., 15.), kDrawFilledAndStroked);
	EXPECT_EQ (canvas.pixel (5, 10), kBlueCColor);
	EXPECT_EQ (canvas.pixel (14, 10), kBlueCColor);
	EXPECT_EQ (canvas.pixel (6, 10), kRedCColor);
	EXPECT_EQ (canvas.pixel (13, 13), kRedCColor);
	EXPECT_EQ (canvas.pixel (4, 10), transparent);
	EXPECT_EQ (canvas.pixel (15, 10), transparent);
}

TEST (GuiOffscreen, ClipAndTransformHelperApply)
{
	Canvas canvas (20., 20.);
	CDrawContext* c = canvas.get ();
	c->setFillColor (kRedCColor);
	{
		CDrawContext::Transform shift (*c, CGraphicsTransform ().translate (10., 0.));
		c->setClipRect (CRect (0., 0., 5., 20.)); // becomes x 10 to 15 on the surface
		c->drawRect (CRect (0., 0., 10., 10.), kDrawFilled);
		CRect clip;
		EXPECT_EQ (c->getClipRect (clip), CRect (0., 0., 5., 20.));
	}
	EXPECT_EQ (c->getCurrentTransform (), CGraphicsTransform ());
	EXPECT_EQ (canvas.pixel (12, 5), kRedCColor);
	EXPECT_EQ (canvas.pixel (16, 5), transparent);
	EXPECT_EQ (canvas.pixel (5, 5), transparent);
}

TEST (GuiOffscreen, StrokedPathLineWidthIsScaledByThePathTransform)
{
	Canvas canvas (40., 40.);
	CDrawContext* c = canvas.get ();
	auto path = owned (c->createGraphicsPath ());
	path->beginSubpath (CPoint (1., 0.));
	path->addLine (CPoint (1., 4.));
	c->setDrawMode (kAntiAliasing);
	c->setFrameColor (kBlueCColor);
	c->setLineWidth (2.);
	// The line lands at x = 10, 20 wide: from 0 to 20.
	CGraphicsTransform scale (10., 0., 0., 10., 0., 0.);
	c->drawGraphicsPath (path, CDrawContext::kPathStroked, &scale);
	EXPECT_EQ (canvas.pixel (0, 20), kBlueCColor);
	EXPECT_EQ (canvas.pixel (19, 20), kBlueCColor);
	EXPECT_EQ (canvas.pixel (20, 20), transparent);
}

TEST (GuiOffscreen, EvenOddAndNonZeroFillRules)
{
	Canvas canvas (30., 30.);
	CDrawContext* c = canvas.get ();
	auto ring = owned (c->createGraphicsPath ());
	ring->addRect (CRect (0., 0., 30., 15.));
	ring->addRect (CRect (10., 0., 20., 15.));
	c->setFillColor (kGreenCColor);
	c->drawGraphicsPath (ring, CDrawContext::kPathFilledEvenOdd);
	EXPECT_EQ (canvas.pixel (15, 7), transparent);
	EXPECT_EQ (canvas.pixel (5, 7), kGreenCColor);
	CGraphicsTransform down (1., 0., 0., 1., 0., 15.);
	c->drawGraphicsPath (ring, CDrawContext::kPathFilled, &down);
	EXPECT_EQ (canvas.pixel (15, 22), kGreenCColor);
}

TEST (GuiOffscreen, GradientsPadBeyondTheirEnds)
{
	Canvas canvas (100., 100.);
	CDrawContext* c = canvas.get ();
	auto path = owned (c->createGraphicsPath ());
	path->addRect (CRect (0., 0., 100., 100.));
	auto gradient = owned (CGradient::create (0., 1., kRedCColor, kBlueCColor));
	c->fillLinearGradient (path, *gradient, CPoint (40., 0.), CPoint (60., 0.));
	EXPECT_EQ (canvas.pixel (10, 50), kRedCColor);
	EXPECT_EQ (canvas.pixel (90, 50), kBlueCColor);

	Canvas radial (100., 100.);
	radial.get ()->fillRadialGradient (path, *gradient, CPoint (50., 50.), 20.);
	EXPECT_GT (radial.pixel (50, 50).red, 240);
	EXPECT_EQ (radial.pixel (50, 80), kBlueCColor);
	EXPECT_EQ (radial.pixel (5, 5), kBlueCColor);
}

TEST (GuiOffscreen, NonFiniteInputDrawsNothingAndLeavesTheContextUsable)
{
	Canvas canvas (10., 10.);
	CDrawContext* c = canvas.get ();
	auto path = owned (c->createGraphicsPath ());
	path->addRect (CRect (0., 0., std::nan (""), 5.));
	c->drawGraphicsPath (path);
	CGraphicsTransform singular (0., 0., 0., 0., 0., 0.);
	auto gradient = owned (CGradient::create (0., 1., kRedCColor, kBlueCColor));
	auto good = owned (c->createGraphicsPath ());
	good->addRect (CRect (0., 0., 10., 10.));
	c->fillLinearGradient (good, *gradient, CPoint (0., 0.), CPoint (0., 10.), false, &singular);
	{
		CDrawContext::Transform broken (*c, singular);
		c->drawRect (CRect (0., 0., 10., 10.), kDrawFilled);
	}
	c->setLineWidth (std::nan (""));
	EXPECT_TRUE (canvas.allTransparent ());
	c->setFillColor (kRedCColor);
	c->drawGraphicsPath (good);
	EXPECT_EQ (canvas.pixel (5, 5), kRedCColor);
}

TEST (GuiOffscreen, PngRepresentationIsAPngOfTheDevicePixels)
{
	Canvas canvas (3., 2., 2.);
	const auto png =
	    IPlatformBitmap::createMemoryPNGRepresentation (canvas.context->getBitmap ()->getPlatformBitmap ());
	ASSERT_GT (png.size (), 24u);
	const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
	EXPECT_TRUE (std::equal (signature, signature + 8, png.begin ()));
	// IHDR width and height, big-endian, at bytes 16 and 20.
	EXPECT_EQ (png[19], 6);
	EXPECT_EQ (png[23], 4);
}
