// Malformed, truncated and hostile text: always an image (possibly empty) or null, finite numbers, no hang.
#include "SvgTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace svgtest;

namespace
{

// Every number in the image is finite and every path has 1 + 3k points.
void expectWellFormed (const NSVGimage* image)
{
	ASSERT_NE (image, nullptr);
	EXPECT_TRUE (std::isfinite (image->width) && std::isfinite (image->height));
	for (const NSVGshape* s = image->shapes; s; s = s->next)
	{
		EXPECT_TRUE (std::isfinite (s->strokeWidth));
		for (const NSVGpaint* paint : {&s->fill, &s->stroke})
		{
			EXPECT_GE (paint->type, NSVG_PAINT_NONE);
			EXPECT_LE (paint->type, NSVG_PAINT_RADIAL_GRADIENT);
			if (paint->type >= NSVG_PAINT_LINEAR_GRADIENT)
			{
				for (float v : paint->gradient->xform)
					EXPECT_TRUE (std::isfinite (v));
			}
		}
		for (const NSVGpath* p = s->paths; p; p = p->next)
		{
			EXPECT_EQ ((p->npts - 1) % 3, 0);
			EXPECT_GE (p->npts, 4);
			for (int i = 0; i < 2 * p->npts; ++i)
				EXPECT_TRUE (std::isfinite (p->pts[i]));
		}
	}
}

} // namespace

TEST (SvgMalformedInput, NullInputGivesNull)
{
	EXPECT_EQ (nsvgParse (nullptr, "px", 96.f), nullptr);
}

TEST (SvgMalformedInput, EmptyAndNonXmlTextGiveAnEmptyImage)
{
	for (const char* text : {"", "hello", "<", "<>", "</>", "<<<>>>", "\xff\xfe\x00", "<svg", "<!--"})
	{
		auto image = parse (text);
		ASSERT_TRUE (image) << text;
		EXPECT_EQ (image->shapes, nullptr) << text;
		EXPECT_FLOAT_EQ (image->width, 0.f);
	}
}

TEST (SvgMalformedInput, TruncatedTagIsDroppedAndCompleteOnesKept)
{
	auto image = parse ("<svg width=\"10\" height=\"10\"><rect width=\"5\" height=\"5\"/><path d=\"M0 0 L10");
	ASSERT_TRUE (image);
	EXPECT_EQ (countShapes (image.get ()), 1);
	expectWellFormed (image.get ());
}

TEST (SvgMalformedInput, UnquotedAndUnterminatedAttributeValues)
{
	auto unquoted = parse ("<svg width=10 height=10><rect width=5 height=5 fill=red/></svg>");
	ASSERT_TRUE (unquoted);
	expectWellFormed (unquoted.get ());
	auto unterminated = parse ("<svg width=\"10\"><rect width=\"5\" height=\"5 />");
	ASSERT_TRUE (unterminated);
	expectWellFormed (unterminated.get ());
}

TEST (SvgMalformedInput, HugeAndOutOfRangeNumbersStayFinite)
{
	auto image = parse ("<svg width=\"1e999mm\" height=\"3e38in\" viewBox=\"0 0 1e-45 1e-45\">"
	                    "<path transform=\"scale(1e30)\" stroke=\"#000\" stroke-width=\"1e38\" "
	                    "d=\"M3e38 3e38 l3e38 3e38 a1e38 1e38 0 1 1 -3e38 0 c1e999 0 0 0 1 1\"/>"
	                    "<circle r=\"1e38\" transform=\"matrix(1e38 0 0 1e38 1e38 1e38)\"/></svg>",
	                    "mm");
	ASSERT_TRUE (image);
	expectWellFormed (image.get ());
}

TEST (SvgMalformedInput, DegenerateTransformsAndGradientsGiveFiniteResults)
{
	auto image = parseBody ("<defs><linearGradient id=\"z\" x1=\"1\" y1=\"1\" x2=\"1\" y2=\"1\" "
	                        "gradientUnits=\"userSpaceOnUse\"><stop offset=\"0\"/></linearGradient>"
	                        "<radialGradient id=\"r0\" r=\"0\"><stop offset=\"0\"/></radialGradient></defs>"
	                        "<rect width=\"1\" height=\"1\" transform=\"scale(0)\" fill=\"url(#z)\"/>"
	                        "<rect width=\"1\" height=\"1\" fill=\"url(#r0)\"/>"
	                        "<rect width=\"1\" height=\"1\" transform=\"matrix(0 0 0 0 0 0)\"/>");
	ASSERT_TRUE (image);
	expectWellFormed (image.get ());
}

TEST (SvgMalformedInput, DeepNestingIsParsedWithoutGrowingWithoutBound)
{
	std::string text = "<svg width=\"10\" height=\"10\">";
	for (int i = 0; i < 100000; ++i)
		text += "<g fill=\"#f00\">";
	text += "<rect width=\"1\" height=\"1\"/>";
	auto image = parse (text);
	ASSERT_TRUE (image);
	EXPECT_EQ (countShapes (image.get ()), 1);
	EXPECT_EQ (image->shapes->fill.color, 0xff0000ffu);
}

TEST (SvgMalformedInput, UnbalancedEndTagsDoNotUnderflowTheStyleStack)
{
	auto image = parse ("</g></g></svg><svg width=\"10\" height=\"10\"></g></g><rect width=\"1\" height=\"1\"/>");
	ASSERT_TRUE (image);
	EXPECT_EQ (countShapes (image.get ()), 1);
}

TEST (SvgMalformedInput, LongGradientsKeepAtMostTheStopLimit)
{
	std::string text = "<svg width=\"10\" height=\"10\"><linearGradient id=\"g\">";
	for (int i = 0; i < 1000; ++i)
		text += "<stop offset=\"1\"/>";
	text += "</linearGradient><rect width=\"1\" height=\"1\" fill=\"url(#g)\"/></svg>";
	auto image = parse (text);
	ASSERT_TRUE (image && image->shapes);
	ASSERT_EQ (image->shapes->fill.type, NSVG_PAINT_LINEAR_GRADIENT);
	EXPECT_EQ (image->shapes->fill.gradient->nstops, 256);
}

TEST (SvgMalformedInput, BadValuesAreIgnored)
{
	auto image = parseBody ("<rect width=\"1\" height=\"1\" fill=\"#12\" stroke=\"url(\" "
	                        "transform=\"rotate(\" style=\";;:;fill-opacity:x;stroke-width:-3;opacity:\"/>"
	                        "<rect width=\"1\" height=\"1\" fill=\"notacolour\" stroke=\"rgb(1,2)\"/>");
	ASSERT_TRUE (image);
	ASSERT_EQ (countShapes (image.get ()), 2);
	expectWellFormed (image.get ());
	EXPECT_EQ (image->shapes->fill.color, 0xff000000u);
	EXPECT_FLOAT_EQ (image->shapes->strokeWidth, 1.f);
	EXPECT_EQ (image->shapes->next->fill.color, 0xff000000u);
}

TEST (SvgMalformedInput, InvalidUnitsAndDpiFallBackToPixelsAt96)
{
	const std::string doc = "<svg width=\"1in\" height=\"1in\"/>";
	for (const char* units : {"furlongs", "", "%"})
	{
		auto image = parse (doc, units);
		ASSERT_TRUE (image);
		EXPECT_FLOAT_EQ (image->width, 96.f) << units;
	}
	auto noDpi = parse (doc, "px", std::nanf (""));
	ASSERT_TRUE (noDpi);
	EXPECT_FLOAT_EQ (noDpi->width, 96.f);
	auto nullUnits = parse (doc, nullptr, -5.f);
	ASSERT_TRUE (nullUnits);
	EXPECT_FLOAT_EQ (nullUnits->width, 96.f);
}

TEST (SvgMalformedInput, PercentSizesDoNotReferToThemselves)
{
	auto image = parse ("<svg width=\"50%\" height=\"19.%\"><rect width=\"10%\" height=\"1\"/></svg>");
	ASSERT_TRUE (image);
	expectWellFormed (image.get ());
}

TEST (SvgMalformedInput, DeleteAcceptsNull)
{
	nsvgDelete (nullptr);
}
