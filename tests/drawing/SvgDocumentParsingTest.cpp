// Documents: basic shapes, transforms, units and view box, colours, opacity, styles and hidden shapes.
#include "SvgTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace svgtest;

TEST (SvgShapes, RectIsAClosedClockwiseOutlineFromItsTopLeft)
{
	auto image = parseBody ("<rect x=\"10\" y=\"20\" width=\"30\" height=\"40\"/>");
	ASSERT_TRUE (image && image->shapes);
	const NSVGpath* path = image->shapes->paths;
	ASSERT_EQ (path->npts, 13);
	EXPECT_EQ (path->closed, 1);
	EXPECT_POINT (path, 0, 10.f, 20.f);
	EXPECT_POINT (path, 3, 40.f, 20.f);
	EXPECT_POINT (path, 6, 40.f, 60.f);
	EXPECT_POINT (path, 9, 10.f, 60.f);
	EXPECT_POINT (path, 12, 10.f, 20.f);
}

TEST (SvgShapes, RoundedRectTakesOneRadiusForBothAndClampsIt)
{
	auto image = parseBody ("<rect x=\"0\" y=\"0\" width=\"20\" height=\"10\" rx=\"8\"/>");
	ASSERT_TRUE (image && image->shapes);
	const float* b = image->shapes->bounds;
	EXPECT_NEAR (b[0], 0.f, 1e-4f);
	EXPECT_NEAR (b[2], 20.f, 1e-4f);
	EXPECT_NEAR (b[3], 10.f, 1e-4f);
	// ry = rx = 8, clamped to half the height: the left edge is reached only at y = 5.
	const NSVGpath* path = image->shapes->paths;
	EXPECT_POINT (path, 0, 8.f, 0.f);
}

TEST (SvgShapes, CircleEllipseLinePolygonAndPolyline)
{
	auto image = parseBody ("<circle cx=\"50\" cy=\"40\" r=\"10\"/>"
	                        "<ellipse cx=\"20\" cy=\"20\" rx=\"10\" ry=\"5\"/>"
	                        "<line x1=\"0\" y1=\"0\" x2=\"30\" y2=\"30\"/>"
	                        "<polygon points=\"0,0 30,0 30,30\"/>"
	                        "<polyline points=\"0 0 10 10 20 0\"/>");
	ASSERT_TRUE (image);
	ASSERT_EQ (countShapes (image.get ()), 5);
	const NSVGshape* circle = image->shapes;
	// Four quarter curves back to the start, then NanoSVG's closing line, of no length.
	EXPECT_EQ (circle->paths->npts, 16);
	EXPECT_EQ (circle->paths->closed, 1);
	EXPECT_POINT (circle->paths, 0, 60.f, 40.f);
	EXPECT_POINT (circle->paths, 3, 50.f, 50.f); // clockwise on screen: right, bottom, left, top
	EXPECT_POINT (circle->paths, 12, 60.f, 40.f);
	EXPECT_POINT (circle->paths, 13, 60.f, 40.f);
	EXPECT_POINT (circle->paths, 15, 60.f, 40.f);
	EXPECT_NEAR (circle->bounds[1], 30.f, 1e-3f);
	const NSVGshape* ellipse = circle->next;
	EXPECT_NEAR (ellipse->bounds[0], 10.f, 1e-3f);
	EXPECT_NEAR (ellipse->bounds[3], 25.f, 1e-3f);
	const NSVGshape* line = ellipse->next;
	EXPECT_EQ (line->paths->npts, 4);
	EXPECT_EQ (line->paths->closed, 0);
	const NSVGshape* polygon = line->next;
	EXPECT_EQ (polygon->paths->npts, 10);
	EXPECT_EQ (polygon->paths->closed, 1);
	const NSVGshape* polyline = polygon->next;
	EXPECT_EQ (polyline->paths->npts, 7);
	EXPECT_EQ (polyline->paths->closed, 0);
}

TEST (SvgShapes, ShapesWithoutAreaOrPathsAreLeftOut)
{
	auto image = parseBody ("<rect width=\"0\" height=\"10\"/><circle r=\"-1\"/><path d=\"M1 1\"/><path/>");
	ASSERT_TRUE (image);
	EXPECT_EQ (image->shapes, nullptr);
}

TEST (SvgTransforms, EachKindMapsPointsAsSvgDefinesIt)
{
	struct Case
	{
		const char* transform;
		float x, y; // where the path's start (10, 0) lands
	};
	const Case cases[] = {
	    {"translate(5,7)", 15.f, 7.f},
	    {"translate(5)", 15.f, 0.f},
	    {"scale(2,3)", 20.f, 0.f},
	    {"scale(2)", 20.f, 0.f},
	    {"rotate(90)", 0.f, 10.f},
	    {"rotate(90 10 10)", 20.f, 10.f},
	    {"skewY(45)", 10.f, 10.f},
	    {"matrix(1 2 3 4 5 6)", 15.f, 26.f},
	    {"translate(5) scale(2)", 25.f, 0.f},
	    {"scale(2) translate(5)", 30.f, 0.f},
	};
	for (const Case& c : cases)
	{
		auto image = parseBody (std::string ("<path transform=\"") + c.transform + "\" d=\"M10 0 L20 0\"/>");
		ASSERT_TRUE (image && image->shapes) << c.transform;
		EXPECT_POINT (image->shapes->paths, 0, c.x, c.y);
	}
	auto skew = parseBody ("<path transform=\"skewX(45)\" d=\"M0 10 L1 10\"/>");
	ASSERT_TRUE (skew && skew->shapes);
	EXPECT_POINT (skew->shapes->paths, 0, 10.f, 10.f);
}

TEST (SvgTransforms, GroupTransformActsAfterTheElementsOwn)
{
	auto image = parseBody ("<g transform=\"translate(10,0)\"><g transform=\"rotate(90)\">"
	                        "<path transform=\"scale(2)\" d=\"M1 0 L2 0\"/></g></g>");
	ASSERT_TRUE (image && image->shapes);
	EXPECT_POINT (image->shapes->paths, 0, 10.f, 2.f);
}

TEST (SvgTransforms, StrokeWidthScalesByTheMeanLengthOfTheMatrixRows)
{
	const struct
	{
		const char* transform;
		float width;
	} cases[] = {
	    {"scale(3)", 6.f},
	    {"scale(3,1)", 4.f},
	    {"rotate(30)", 2.f},
	    // Rows (2, 1) and (0, 1): lengths 2.236068 and 1; the columns would give 2 and 1.414214.
	    {"matrix(2,0,1,1,0,0)", 2.f * (std::sqrt (5.f) + 1.f) * 0.5f},
	};
	for (const auto& c : cases)
	{
		auto image = parseBody (std::string ("<path transform=\"") + c.transform +
		                        "\" stroke=\"red\" stroke-width=\"2\" d=\"M0 0 L1 0\"/>");
		ASSERT_TRUE (image && image->shapes) << c.transform;
		EXPECT_FLOAT_EQ (image->shapes->strokeWidth, c.width) << c.transform;
	}
}

TEST (SvgUnits, MillimetreDocumentIsScaledFromItsViewBoxToPixels)
{
	auto image = parse ("<svg width=\"38.67495mm\" height=\"38.379723mm\" viewBox=\"0 0 38.67495 38.379723\">"
	                    "<rect width=\"38.67495\" height=\"38.379723\" style=\"stroke:#000;stroke-width:1\"/></svg>");
	ASSERT_TRUE (image && image->shapes);
	EXPECT_NEAR (image->width, 146.1729f, 1e-3f);
	EXPECT_NEAR (image->height, 145.0571f, 1e-3f);
	EXPECT_NEAR (image->shapes->bounds[2], image->width, 1e-3f);
	EXPECT_NEAR (image->shapes->bounds[3], image->height, 1e-3f);
	EXPECT_NEAR (image->shapes->strokeWidth, 96.f / 25.4f, 1e-4f);
}

TEST (SvgUnits, RequestedUnitsConvertTheResult)
{
	const std::string doc = "<svg width=\"25.4mm\" height=\"50.8mm\" viewBox=\"0 0 10 20\">"
	                        "<rect x=\"5\" width=\"5\" height=\"20\"/></svg>";
	auto inches = parse (doc, "in");
	ASSERT_TRUE (inches && inches->shapes);
	EXPECT_NEAR (inches->width, 1.f, 1e-5f);
	EXPECT_NEAR (inches->height, 2.f, 1e-5f);
	EXPECT_NEAR (inches->shapes->bounds[0], 0.5f, 1e-5f);
	auto millimetres = parse (doc, "mm");
	ASSERT_TRUE (millimetres);
	EXPECT_NEAR (millimetres->width, 25.4f, 1e-4f);
	auto pixels = parse (doc, "px", 72.f);
	ASSERT_TRUE (pixels);
	EXPECT_NEAR (pixels->width, 72.f, 1e-4f);
}

TEST (SvgUnits, AbsoluteUnitsOfSizesAndLengths)
{
	auto image = parse ("<svg width=\"72pt\" height=\"1in\"><rect width=\"1cm\" height=\"6pc\"/></svg>");
	ASSERT_TRUE (image && image->shapes);
	EXPECT_NEAR (image->width, 96.f, 1e-4f);
	EXPECT_NEAR (image->height, 96.f, 1e-4f);
	EXPECT_NEAR (image->shapes->bounds[2], 96.f / 2.54f, 1e-3f);
	EXPECT_NEAR (image->shapes->bounds[3], 96.f, 1e-3f);
}

TEST (SvgUnits, ViewBoxOriginIsMovedToTheImageOrigin)
{
	auto image = parse ("<svg width=\"200\" height=\"100\" viewBox=\"10 20 100 50\">"
	                    "<path d=\"M10 20 L110 70\"/></svg>");
	ASSERT_TRUE (image && image->shapes);
	EXPECT_POINT (image->shapes->paths, 0, 0.f, 0.f);
	EXPECT_POINT (image->shapes->paths, 3, 200.f, 100.f);
}

TEST (SvgUnits, MismatchedViewBoxIsFittedUniformlyAndCentredUnlessPreserveAspectRatioSaysOtherwise)
{
	// The view box 0 0 100 50 in 200 x 200, and where its corners land. Without the attribute, SVG's centred
	// meet; with it, NanoSVG's reading: the x alignment and meet or slice, the top always aligned ("YMid" and
	// "YMax" are not the words NanoSVG looks for).
	const struct
	{
		const char* attribute;
		float x0, y0, x1, y1;
	} cases[] = {
	    {"", 0.f, 50.f, 200.f, 150.f},
	    {" preserveAspectRatio=\"none\"", 0.f, 0.f, 200.f, 200.f},
	    {" preserveAspectRatio=\"xMidYMid meet\"", 0.f, 0.f, 200.f, 100.f},
	    {" preserveAspectRatio=\"xMinYMax\"", 0.f, 0.f, 200.f, 100.f},
	    {" preserveAspectRatio=\"xMidYMid slice\"", -100.f, 0.f, 300.f, 200.f},
	    {" preserveAspectRatio=\"xMaxYMax slice\"", -200.f, 0.f, 200.f, 200.f},
	    {" preserveAspectRatio=\"xMinYMin slice\"", 0.f, 0.f, 400.f, 200.f},
	};
	for (const auto& c : cases)
	{
		auto image = parse (std::string ("<svg width=\"200\" height=\"200\" viewBox=\"0 0 100 50\"") + c.attribute +
		                    "><path d=\"M0 0 L100 50\"/></svg>");
		SCOPED_TRACE (c.attribute);
		ASSERT_TRUE (image && image->shapes);
		EXPECT_POINT (image->shapes->paths, 0, c.x0, c.y0);
		EXPECT_POINT (image->shapes->paths, 3, c.x1, c.y1);
	}
}

TEST (SvgUnits, MissingSizeComesFromTheViewBox)
{
	auto image = parse ("<svg viewBox=\"0 0 40 30\"><rect width=\"1\" height=\"1\"/></svg>");
	ASSERT_TRUE (image);
	EXPECT_FLOAT_EQ (image->width, 40.f);
	EXPECT_FLOAT_EQ (image->height, 30.f);
}

TEST (SvgColours, PackedRedInTheLowByteAlphaInTheHighByte)
{
	struct Case
	{
		const char* fill;
		unsigned int packed;
	};
	const Case cases[] = {
	    {"#102030", 0xff302010u},          {"#abc", 0xffccbbaau},    {"rgb(16, 32, 48)", 0xff302010u},
	    {"rgb(100%,0%,50%)", 0xff8000ffu}, {"crimson", 0xff3c14dcu}, {"White", 0xffffffffu},
	};
	for (const Case& c : cases)
	{
		auto image = parseBody (std::string ("<rect width=\"1\" height=\"1\" fill=\"") + c.fill + "\"/>");
		ASSERT_TRUE (image && image->shapes) << c.fill;
		EXPECT_EQ (image->shapes->fill.type, NSVG_PAINT_COLOR) << c.fill;
		EXPECT_EQ (image->shapes->fill.color, c.packed) << c.fill;
	}
}

TEST (SvgColours, AbsentFillIsBlackAndStrokeIsNone)
{
	auto image = parseBody ("<rect width=\"1\" height=\"1\"/>");
	ASSERT_TRUE (image && image->shapes);
	EXPECT_EQ (image->shapes->fill.type, NSVG_PAINT_COLOR);
	EXPECT_EQ (image->shapes->fill.color, 0xff000000u);
	EXPECT_EQ (image->shapes->stroke.type, NSVG_PAINT_NONE);
	EXPECT_FLOAT_EQ (image->shapes->strokeWidth, 1.f);
}

TEST (SvgOpacity, PaintOpacitiesFoldIntoAlphaWhileOpacityStaysApart)
{
	auto image = parseBody ("<rect width=\"1\" height=\"1\" style=\"fill:#0000ff;fill-opacity:0.5;"
	                        "stroke:#00ff00;stroke-opacity:0.25;opacity:0.2\"/>");
	ASSERT_TRUE (image && image->shapes);
	EXPECT_EQ (image->shapes->fill.color, 0x7fff0000u); // 127.5 and 63.75 truncate
	EXPECT_EQ (image->shapes->stroke.color, 0x3f00ff00u);
	EXPECT_FLOAT_EQ (image->shapes->opacity, 0.2f);
}

TEST (SvgOpacity, AlphaTruncatesLikeNanoSvg)
{
	const struct
	{
		const char* opacity;
		unsigned alpha;
	} cases[] = {{"0.7", 178}, {"0.999", 254}, {"1", 255}, {"0.002", 0}, {"70%", 178}};
	for (const auto& c : cases)
	{
		auto image = parseBody (std::string ("<rect width=\"1\" height=\"1\" fill-opacity=\"") + c.opacity +
		                        "\" stroke=\"#fff\" stroke-opacity=\"" + c.opacity + "\"/>");
		ASSERT_TRUE (image && image->shapes) << c.opacity;
		EXPECT_EQ (image->shapes->fill.color >> 24, c.alpha) << c.opacity;
		EXPECT_EQ (image->shapes->stroke.color >> 24, c.alpha) << c.opacity;
	}
}

TEST (SvgOpacity, GroupOpacitiesMultiplyAndPaintOpacityIsInherited)
{
	auto image =
	    parseBody ("<g opacity=\"0.5\" fill-opacity=\"0\"><rect width=\"1\" height=\"1\" opacity=\"0.5\"/></g>");
	ASSERT_TRUE (image && image->shapes);
	EXPECT_FLOAT_EQ (image->shapes->opacity, 0.25f);
	EXPECT_EQ (image->shapes->fill.color, 0x00000000u);
}

TEST (SvgStyles, StyleAttributeOverridesPresentationAttributesAndGroupsAreInherited)
{
	auto image =
	    parseBody ("<g fill=\"#ff0000\" stroke=\"#00ff00\" stroke-width=\"3\">"
	               "<rect width=\"1\" height=\"1\" style=\"fill:#0000ff; -inkscape-stroke:none\" fill=\"#123456\"/>"
	               "<rect width=\"1\" height=\"1\" fill-rule=\"evenodd\"/></g>"
	               "<rect width=\"1\" height=\"1\"/>");
	ASSERT_TRUE (image);
	ASSERT_EQ (countShapes (image.get ()), 3);
	const NSVGshape* first = image->shapes;
	EXPECT_EQ (first->fill.color, 0xffff0000u);
	EXPECT_EQ (first->stroke.color, 0xff00ff00u);
	EXPECT_FLOAT_EQ (first->strokeWidth, 3.f);
	const NSVGshape* second = first->next;
	EXPECT_EQ (second->fill.color, 0xff0000ffu);
	EXPECT_EQ (second->fillRule, NSVG_FILLRULE_EVENODD);
	const NSVGshape* outside = second->next;
	EXPECT_EQ (outside->fill.color, 0xff000000u);
	EXPECT_EQ (outside->stroke.type, NSVG_PAINT_NONE);
}

TEST (SvgStyles, StrokeDetailsAndId)
{
	auto image = parseBody ("<path id=\"outline\" d=\"M0 0 L1 0\" style=\"stroke:#000;stroke-linejoin:round;"
	                        "stroke-linecap:square;stroke-miterlimit:8;stroke-dasharray:2, 1;stroke-dashoffset:1\"/>");
	ASSERT_TRUE (image && image->shapes);
	const NSVGshape* s = image->shapes;
	EXPECT_STREQ (s->id, "outline");
	EXPECT_EQ (s->strokeLineJoin, NSVG_JOIN_ROUND);
	EXPECT_EQ (s->strokeLineCap, NSVG_CAP_SQUARE);
	EXPECT_FLOAT_EQ (s->miterLimit, 8.f);
	ASSERT_EQ (s->strokeDashCount, 2);
	EXPECT_FLOAT_EQ (s->strokeDashArray[0], 2.f);
	EXPECT_FLOAT_EQ (s->strokeDashArray[1], 1.f);
	EXPECT_FLOAT_EQ (s->strokeDashOffset, 1.f);
}

// Items apart by spaces or commas, each a length in its unit at 96 dpi; an item that is no number counts as 0; at
// most eight; nothing when they add up to 0 or for "none".
TEST (SvgStyles, DashArrayItemsAreLengthsInTheirUnits)
{
	const struct
	{
		const char* value;
		std::vector<float> dashes;
	} cases[] = {
	    {"2mm 1mm", {7.559055f, 3.779528f}},
	    {"10mm,1in  0.5pt", {37.795277f, 96.f, 0.6666667f}},
	    {"3 x -2", {3.f, 0.f, 2.f}},
	    {"1 2 3 4 5 6 7 8 9", {1.f, 2.f, 3.f, 4.f, 5.f, 6.f, 7.f, 8.f}},
	    {"0 0", {}},
	    {"none", {}},
	};
	for (const auto& c : cases)
	{
		auto image =
		    parseBody (std::string ("<path d=\"M0 0 L1 0\" stroke=\"#000\" stroke-dasharray=\"") + c.value + "\"/>");
		ASSERT_TRUE (image && image->shapes) << c.value;
		const NSVGshape* s = image->shapes;
		ASSERT_EQ (s->strokeDashCount, int (c.dashes.size ())) << c.value;
		for (size_t i = 0; i < c.dashes.size (); ++i)
			EXPECT_FLOAT_EQ (s->strokeDashArray[i], c.dashes[i]) << c.value << " #" << i;
	}
}

TEST (SvgStyles, PaintOrderIsPackedTwoBitsPerStepAndInherited)
{
	const struct
	{
		const char* markup;
		unsigned char order;
	} cases[] = {
	    {"<rect width=\"1\" height=\"1\"/>", 0 | 2 << 2 | 1 << 4},
	    {"<rect width=\"1\" height=\"1\" paint-order=\"stroke fill markers\"/>", 2 | 0 << 2 | 1 << 4},
	    {"<rect width=\"1\" height=\"1\" style=\"paint-order:markers stroke fill\"/>", 1 | 2 << 2 | 0 << 4},
	    {"<g paint-order=\"fill markers stroke\"><rect width=\"1\" height=\"1\"/></g>", 0 | 1 << 2 | 2 << 4},
	    {"<rect width=\"1\" height=\"1\" paint-order=\"normal\"/>", 0 | 2 << 2 | 1 << 4},
	    // Only the six full orders are read; a shortened one gives the default.
	    {"<rect width=\"1\" height=\"1\" paint-order=\"stroke\"/>", 0 | 2 << 2 | 1 << 4},
	};
	for (const auto& c : cases)
	{
		auto image = parseBody (c.markup);
		ASSERT_TRUE (image && image->shapes) << c.markup;
		EXPECT_EQ (image->shapes->paintOrder, c.order) << c.markup;
	}
	EXPECT_EQ (NSVG_PAINT_FILL | NSVG_PAINT_MARKERS << 2 | NSVG_PAINT_STROKE << 4, 0 | 1 << 2 | 2 << 4);
}

TEST (SvgHiddenShapes, DisplayNoneIsRecordedInTheFlagsAndTheShapeIsKept)
{
	auto image = parseBody ("<rect width=\"1\" height=\"1\" style=\"display:none\"/>"
	                        "<g display=\"none\"><rect width=\"1\" height=\"1\" display=\"inline\"/></g>"
	                        "<rect width=\"1\" height=\"1\"/>");
	ASSERT_TRUE (image);
	ASSERT_EQ (countShapes (image.get ()), 3);
	EXPECT_EQ (image->shapes->flags & NSVG_FLAGS_VISIBLE, 0);
	EXPECT_EQ (image->shapes->next->flags & NSVG_FLAGS_VISIBLE, 0);
	EXPECT_EQ (image->shapes->next->next->flags & NSVG_FLAGS_VISIBLE, NSVG_FLAGS_VISIBLE);
}

TEST (SvgHiddenShapes, ShapesInsideDefsAreNotPartOfTheImage)
{
	auto image = parseBody ("<defs><rect width=\"5\" height=\"5\"/></defs><circle r=\"1\"/>");
	ASSERT_TRUE (image);
	EXPECT_EQ (countShapes (image.get ()), 1);
}

TEST (SvgDocument, EditorPrologueCommentsAndNamespacesAreSkipped)
{
	auto image = parse ("\n<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
	                    "<!-- Created with a vector editor -->\n<!DOCTYPE svg [ <!ENTITY x \"<>\"> ]>\n"
	                    "<svg width=\"10mm\" height=\"10mm\" viewBox=\"0 0 10 10\" version=\"1.1\" "
	                    "xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">"
	                    "<![CDATA[ <rect/> ]]><svg:rect width='10' height='10'/></svg>");
	ASSERT_TRUE (image);
	EXPECT_EQ (countShapes (image.get ()), 1);
}

TEST (SvgDocument, ParseFromFileReadsTheWholeFileAndMissingFilesGiveNull)
{
	const std::string path = testing::TempDir () + "svg_parse_from_file.svg";
	FILE* f = std::fopen (path.c_str (), "wb");
	ASSERT_NE (f, nullptr);
	std::fputs ("<svg width=\"20\" height=\"10\"><circle cx=\"5\" cy=\"5\" r=\"5\"/></svg>", f);
	std::fclose (f);
	ImagePtr image (nsvgParseFromFile (path.c_str (), "px", 96.f));
	ASSERT_TRUE (image);
	EXPECT_FLOAT_EQ (image->width, 20.f);
	EXPECT_EQ (countShapes (image.get ()), 1);
	std::remove (path.c_str ());
	EXPECT_EQ (nsvgParseFromFile ((path + ".missing").c_str (), "px", 96.f), nullptr);
}

TEST (SvgDocument, DuplicatePathCopiesOnePath)
{
	auto image = parseBody ("<path d=\"M0 0 L1 1 M5 5 L6 6\"/>");
	ASSERT_TRUE (image && image->shapes);
	NSVGpath* copy = nsvgDuplicatePath (image->shapes->paths);
	ASSERT_NE (copy, nullptr);
	EXPECT_EQ (copy->next, nullptr);
	EXPECT_EQ (copy->npts, 4);
	EXPECT_NE (copy->pts, image->shapes->paths->pts);
	EXPECT_POINT (copy, 3, 1.f, 1.f);
	std::free (copy->pts);
	std::free (copy);
	EXPECT_EQ (nsvgDuplicatePath (nullptr), nullptr);
}
