// Gradients: the xform from image units into gradient space, stops with inheritance and opacity.
#include "SvgTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace svgtest;

namespace
{

const NSVGgradient* fillGradient (const ImagePtr& image)
{
	if (!image || !image->shapes)
		return nullptr;
	const NSVGpaint& fill = image->shapes->fill;
	if (fill.type != NSVG_PAINT_LINEAR_GRADIENT && fill.type != NSVG_PAINT_RADIAL_GRADIENT)
		return nullptr;
	return fill.gradient;
}

#define EXPECT_MAPS(gradient, gx, gy, eu, ev)                                                                          \
	do                                                                                                                 \
	{                                                                                                                  \
		const auto q_ = toGradient ((gradient), (gx), (gy));                                                           \
		EXPECT_NEAR (q_.x, (eu), 1e-4f) << "u of (" << (gx) << ", " << (gy) << ")";                                    \
		EXPECT_NEAR (q_.y, (ev), 1e-4f) << "v of (" << (gx) << ", " << (gy) << ")";                                    \
	} while (false)

const char* twoStops = "<linearGradient id=\"stops\"><stop offset=\"0\" style=\"stop-color:#ff0000\"/>"
                       "<stop offset=\"1\" stop-color=\"#0000ff\" stop-opacity=\"0.5\"/></linearGradient>";

} // namespace

TEST (SvgGradients, LinearGradientRunsFromZeroToOneAlongTheSecondAxis)
{
	auto image = parseBody (std::string ("<defs>") + twoStops +
	                        "<linearGradient id=\"g\" xlink:href=\"#stops\" x1=\"10\" y1=\"20\" x2=\"10\" y2=\"60\" "
	                        "gradientUnits=\"userSpaceOnUse\"/></defs>"
	                        "<rect width=\"100\" height=\"100\" fill=\"url(#g)\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	EXPECT_EQ (image->shapes->fill.type, NSVG_PAINT_LINEAR_GRADIENT);
	EXPECT_MAPS (g, 10.f, 20.f, 0.f, 0.f);
	EXPECT_MAPS (g, 10.f, 60.f, 0.f, 1.f);
	EXPECT_MAPS (g, 10.f, 40.f, 0.f, 0.5f);
}

TEST (SvgGradients, HorizontalGradientEndsAtZeroOne)
{
	auto image = parseBody (std::string ("<defs>") + twoStops +
	                        "<linearGradient id=\"g\" xlink:href=\"#stops\" x1=\"0\" y1=\"0\" x2=\"100\" y2=\"0\" "
	                        "gradientUnits=\"userSpaceOnUse\"/></defs>"
	                        "<rect width=\"100\" height=\"100\" style=\"fill:url(#g)\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	EXPECT_MAPS (g, 0.f, 0.f, 0.f, 0.f);
	EXPECT_MAPS (g, 100.f, 0.f, 0.f, 1.f);
	EXPECT_MAPS (g, 50.f, 30.f, -0.3f, 0.5f);
}

TEST (SvgGradients, StopsAreInheritedThroughHrefWithTheirOpacity)
{
	auto image = parseBody (std::string ("<defs>") + twoStops +
	                        "<linearGradient id=\"mid\" xlink:href=\"#stops\"/>"
	                        "<linearGradient id=\"g\" xlink:href=\"#mid\" gradientUnits=\"userSpaceOnUse\"/></defs>"
	                        "<rect width=\"10\" height=\"10\" fill=\"url(#g)\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	ASSERT_EQ (g->nstops, 2);
	EXPECT_EQ (g->stops[0].color, 0xff0000ffu);
	EXPECT_FLOAT_EQ (g->stops[0].offset, 0.f);
	EXPECT_EQ (g->stops[1].color, 0x7fff0000u);
	EXPECT_FLOAT_EQ (g->stops[1].offset, 1.f);
}

TEST (SvgGradients, OwnStopsWinOverReferencedOnesAndAttributesAreInherited)
{
	auto image = parseBody ("<defs><linearGradient id=\"base\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"50\" "
	                        "gradientUnits=\"userSpaceOnUse\" spreadMethod=\"reflect\">"
	                        "<stop offset=\"0\" stop-color=\"#fff\"/></linearGradient>"
	                        "<linearGradient id=\"g\" xlink:href=\"#base\"><stop offset=\"50%\" stop-color=\"#000\"/>"
	                        "</linearGradient></defs><rect width=\"10\" height=\"10\" fill=\"url(#g)\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	ASSERT_EQ (g->nstops, 1);
	EXPECT_EQ (g->stops[0].color, 0xff000000u);
	EXPECT_FLOAT_EQ (g->stops[0].offset, 0.5f);
	EXPECT_EQ (g->spread, NSVG_SPREAD_REFLECT);
	EXPECT_MAPS (g, 0.f, 50.f, 0.f, 1.f);
}

TEST (SvgGradients, RadialGradientHasItsCentreAtTheOriginAndRadiusOne)
{
	auto image = parseBody (std::string ("<defs>") + twoStops +
	                        "<radialGradient id=\"r\" xlink:href=\"#stops\" cx=\"50\" cy=\"40\" r=\"20\" fx=\"60\" "
	                        "fy=\"40\" gradientUnits=\"userSpaceOnUse\"/></defs>"
	                        "<circle cx=\"50\" cy=\"40\" r=\"20\" fill=\"url(#r)\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	EXPECT_EQ (image->shapes->fill.type, NSVG_PAINT_RADIAL_GRADIENT);
	EXPECT_MAPS (g, 50.f, 40.f, 0.f, 0.f);
	EXPECT_MAPS (g, 50.f, 60.f, 0.f, 1.f);
	EXPECT_MAPS (g, 70.f, 40.f, 1.f, 0.f);
	// NanoSVG keeps the focal point's coordinates over the radius: (60, 40) / 20.
	EXPECT_FLOAT_EQ (g->fx, 3.f);
	EXPECT_FLOAT_EQ (g->fy, 2.f);
}

// NanoSVG leaves an unset focal coordinate at 0 user units, not at the centre as SVG would.
TEST (SvgGradients, FocalPointDefaultsToTheOrigin)
{
	auto image =
	    parseBody (std::string ("<defs>") + twoStops +
	               "<radialGradient id=\"r\" xlink:href=\"#stops\" cx=\"50\" cy=\"40\" r=\"20\" "
	               "gradientUnits=\"userSpaceOnUse\"/></defs><circle cx=\"50\" cy=\"40\" r=\"20\" fill=\"url(#r)\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	EXPECT_FLOAT_EQ (g->fx, 0.f);
	EXPECT_FLOAT_EQ (g->fy, 0.f);
}

TEST (SvgGradients, GradientTransformAndShapeTransformAreBothInTheXform)
{
	auto image =
	    parseBody (std::string ("<defs>") + twoStops +
	               "<radialGradient id=\"r\" xlink:href=\"#stops\" cx=\"0\" cy=\"0\" r=\"10\" "
	               "gradientTransform=\"matrix(2,0,0,1,5,0)\" gradientUnits=\"userSpaceOnUse\"/></defs>"
	               "<g transform=\"translate(20,30)\"><rect width=\"40\" height=\"40\" fill=\"url(#r)\"/></g>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	// The centre (0, 0) goes to (5, 0) by the gradient transform and to (25, 30) by the group.
	EXPECT_MAPS (g, 25.f, 30.f, 0.f, 0.f);
	EXPECT_MAPS (g, 45.f, 30.f, 1.f, 0.f); // the x radius is doubled
	EXPECT_MAPS (g, 25.f, 40.f, 0.f, 1.f);
}

TEST (SvgGradients, ObjectBoundingBoxUnitsFollowTheShape)
{
	auto image = parseBody (std::string ("<defs>") + twoStops +
	                        "<linearGradient id=\"g\" xlink:href=\"#stops\"/></defs>"
	                        "<rect x=\"10\" y=\"10\" width=\"100\" height=\"50\" fill=\"url(#g)\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	EXPECT_MAPS (g, 10.f, 10.f, 0.f, 0.f);
	EXPECT_MAPS (g, 110.f, 10.f, 0.f, 1.f);
}

TEST (SvgGradients, ObjectBoundingBoxResolvesInUserSpaceAsNanoSvgDoes)
{
	// The box is (10, 10) to (110, 60). Percentages count along it; the gradient transform then moves the
	// resolved line in user units (by 5, not by 5 box widths); a plain number is a user coordinate.
	const struct
	{
		const char* attributes;
		float x1, y1, x2, y2;
	} cases[] = {
	    {"x1=\"0%\" x2=\"100%\" gradientTransform=\"translate(5,0)\"", 15.f, 10.f, 115.f, 10.f},
	    {"x1=\"0\" x2=\"1\"", 0.f, 10.f, 1.f, 10.f},
	    {"x1=\"50%\" y1=\"0%\" x2=\"50%\" y2=\"100%\"", 60.f, 10.f, 60.f, 60.f},
	};
	for (const auto& c : cases)
	{
		auto image = parseBody (std::string ("<defs>") + twoStops + "<linearGradient id=\"g\" xlink:href=\"#stops\" " +
		                        c.attributes + "/></defs><rect x=\"10\" y=\"10\" width=\"100\" height=\"50\" " +
		                        "fill=\"url(#g)\"/>");
		const NSVGgradient* g = fillGradient (image);
		ASSERT_NE (g, nullptr) << c.attributes;
		EXPECT_MAPS (g, c.x1, c.y1, 0.f, 0.f);
		EXPECT_MAPS (g, c.x2, c.y2, 0.f, 1.f);
	}
}

TEST (SvgGradients, ObjectBoundingBoxRadialRadiusIsAShareOfTheNormalizedDiagonal)
{
	// Box 100 × 50: 50% of sqrt((100² + 50²) / 2) = 39.528471; centre (60, 35).
	auto image = parseBody (std::string ("<defs>") + twoStops +
	                        "<radialGradient id=\"r\" xlink:href=\"#stops\"/></defs>"
	                        "<rect x=\"10\" y=\"10\" width=\"100\" height=\"50\" fill=\"url(#r)\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	const float r = 0.5f * std::sqrt ((100.f * 100.f + 50.f * 50.f) / 2.f);
	EXPECT_MAPS (g, 60.f, 35.f, 0.f, 0.f);
	EXPECT_MAPS (g, 60.f, 35.f + r, 0.f, 1.f);
}

TEST (SvgGradients, XformIsExpressedInTheScaledImageUnits)
{
	auto image =
	    parse (std::string ("<svg width=\"20mm\" height=\"10mm\" viewBox=\"0 0 20 10\"><defs>") + twoStops +
	           "<linearGradient id=\"g\" xlink:href=\"#stops\" x1=\"5\" y1=\"0\" x2=\"15\" y2=\"0\" "
	           "gradientUnits=\"userSpaceOnUse\"/></defs><rect width=\"20\" height=\"10\" fill=\"url(#g)\"/></svg>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	const float px = 96.f / 25.4f;
	EXPECT_MAPS (g, 5.f * px, 0.f, 0.f, 0.f);
	EXPECT_MAPS (g, 15.f * px, 0.f, 0.f, 1.f);
}

TEST (SvgGradients, FillOpacityScalesTheStopsAlpha)
{
	auto image = parseBody (std::string ("<defs>") + twoStops +
	                        "</defs><rect width=\"10\" height=\"10\" style=\"fill:url(#stops);fill-opacity:0.5\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	EXPECT_EQ (g->stops[0].color >> 24, 127u);
	EXPECT_EQ (g->stops[1].color >> 24, 63u); // 127 / 255 stop alpha × 0.5 fill opacity, truncated
}

TEST (SvgGradients, StopOffsetsAreClampedAndNeverGoBackwards)
{
	auto image = parseBody ("<defs><linearGradient id=\"g\"><stop offset=\"0.5\"/><stop offset=\"0.2\"/>"
	                        "<stop offset=\"150%\"/><stop offset=\"-1\"/></linearGradient></defs>"
	                        "<rect width=\"10\" height=\"10\" fill=\"url(#g)\"/>");
	const NSVGgradient* g = fillGradient (image);
	ASSERT_NE (g, nullptr);
	ASSERT_EQ (g->nstops, 4);
	EXPECT_FLOAT_EQ (g->stops[0].offset, 0.5f);
	EXPECT_FLOAT_EQ (g->stops[1].offset, 0.5f);
	EXPECT_FLOAT_EQ (g->stops[2].offset, 1.f);
	EXPECT_FLOAT_EQ (g->stops[3].offset, 1.f);
	EXPECT_EQ (g->stops[0].color, 0xff000000u); // a stop without colour is opaque black
}

TEST (SvgGradients, GradientStrokeIsResolvedLikeAFill)
{
	auto image = parseBody (std::string ("<defs>") + twoStops +
	                        "</defs><path d=\"M0 0 L10 0\" style=\"fill:none;stroke:url(#stops)\"/>");
	ASSERT_TRUE (image && image->shapes);
	EXPECT_EQ (image->shapes->fill.type, NSVG_PAINT_NONE);
	EXPECT_EQ (image->shapes->stroke.type, NSVG_PAINT_LINEAR_GRADIENT);
	EXPECT_EQ (image->shapes->stroke.gradient->nstops, 2);
}

TEST (SvgGradients, UnknownOrStoplessGradientsPaintNothing)
{
	auto image = parseBody ("<defs><linearGradient id=\"empty\"/><linearGradient id=\"a\" xlink:href=\"#b\"/>"
	                        "<linearGradient id=\"b\" xlink:href=\"#a\"/></defs>"
	                        "<rect width=\"1\" height=\"1\" fill=\"url(#missing)\"/>"
	                        "<rect width=\"1\" height=\"1\" fill=\"url(#empty)\"/>"
	                        "<rect width=\"1\" height=\"1\" fill=\"url(#a)\"/>");
	ASSERT_TRUE (image);
	ASSERT_EQ (countShapes (image.get ()), 3);
	for (const NSVGshape* s = image->shapes; s; s = s->next)
		EXPECT_EQ (s->fill.type, NSVG_PAINT_NONE);
}

TEST (SvgGradients, GradientDefinedAfterItsUserIsFound)
{
	auto image =
	    parseBody (std::string ("<rect width=\"1\" height=\"1\" fill=\"url(#stops)\"/><defs>") + twoStops + "</defs>");
	ASSERT_NE (fillGradient (image), nullptr);
}
