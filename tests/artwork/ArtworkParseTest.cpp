// Every document as the editor's views parse it: units "px" at 96 dots per inch.

#include "artwork/ArtworkTable.h"
#include "editor/artwork/Artwork.h"

#include <gtest/gtest.h>
#include <nanosvg.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct ImageDeleter
{
	void operator() (NSVGimage* image) const { nsvgDelete (image); }
};
using Image = std::unique_ptr<NSVGimage, ImageDeleter>;

// The views parse their own copy: the parser writes into the text.
Image parse (const char* text)
{
	std::string copy (text);
	return Image (nsvgParse (copy.data (), "px", 96.0f));
}

std::vector<NSVGshape*> shapesOf (const NSVGimage& image)
{
	std::vector<NSVGshape*> shapes;
	for (NSVGshape* s = image.shapes; s; s = s->next)
		shapes.push_back (s);
	return shapes;
}

unsigned rgba (unsigned r, unsigned g, unsigned b, double alpha)
{
	return r | (g << 8) | (b << 16) | (static_cast<unsigned> (alpha * 255.0) << 24);
}

void expectStops (const NSVGgradient& gradient, const std::vector<std::pair<float, unsigned>>& stops)
{
	ASSERT_EQ (gradient.nstops, static_cast<int> (stops.size ()));
	for (size_t i = 0; i < stops.size (); ++i)
	{
		SCOPED_TRACE (i);
		EXPECT_FLOAT_EQ (gradient.stops[i].offset, stops[i].first);
		EXPECT_EQ (gradient.stops[i].color, stops[i].second);
	}
}
} // namespace

TEST (ArtworkParse, EveryDocumentHasItsTablePixelSizeAndRatio)
{
	for (const auto& document : artworkDocuments ())
	{
		SCOPED_TRACE (document.name);
		const Image image = parse (document.text);
		ASSERT_TRUE (image);
		EXPECT_NEAR (image->width, document.widthPx, 0.005);
		EXPECT_NEAR (image->height, document.heightPx, 0.005);
		EXPECT_NEAR (image->height / image->width, document.ratio, 0.00005);
		EXPECT_NE (image->shapes, nullptr);
	}
}

TEST (ArtworkParse, EveryPathIsCubicAndStaysInsideItsDocument)
{
	for (const auto& document : artworkDocuments ())
	{
		SCOPED_TRACE (document.name);
		const Image image = parse (document.text);
		ASSERT_TRUE (image);
		// The scale from view box to pixels; half a view-box unit of slack at the edges for
		// nothing but rounding.
		const float slack = 0.01f * image->width / std::stof (document.widthMm);
		for (NSVGshape* shape : shapesOf (*image))
		{
			for (NSVGpath* path = shape->paths; path; path = path->next)
			{
				ASSERT_GE (path->npts, 4);
				EXPECT_EQ ((path->npts - 1) % 3, 0);
				for (int i = 0; i < path->npts; ++i)
					ASSERT_TRUE (std::isfinite (path->pts[2 * i]) && std::isfinite (path->pts[2 * i + 1]));
				// The curves, not their handles: NanoSVG cuts a half circle into three pieces, whose handles
				// reach beyond a circle that touches the document's edge.
				EXPECT_GE (path->bounds[0], -slack) << shape->id;
				EXPECT_GE (path->bounds[1], -slack) << shape->id;
				EXPECT_LE (path->bounds[2], image->width + slack) << shape->id;
				EXPECT_LE (path->bounds[3], image->height + slack) << shape->id;
			}
		}
	}
}

TEST (ArtworkParse, MixKnobIsAReflectedGlowWithRingPointerAndHiddenGuide)
{
	const Image image = parse (mixKnobSvg);
	ASSERT_TRUE (image);
	const auto shapes = shapesOf (*image);
	ASSERT_EQ (shapes.size (), 4u);

	ASSERT_EQ (shapes[0]->fill.type, NSVG_PAINT_RADIAL_GRADIENT);
	EXPECT_EQ (shapes[0]->fill.gradient->spread, NSVG_SPREAD_REFLECT);
	expectStops (*shapes[0]->fill.gradient, {{0.0f, rgba (0xf5, 0xe9, 0xbc, 1)},
	                                         {0.28082854f, rgba (0xf4, 0x43, 0x2e, 1)},
	                                         {0.65269917f, rgba (0x1f, 0x03, 0x03, 1)},
	                                         {1.0f, rgba (0, 0, 0, 1)}});

	ASSERT_EQ (shapes[1]->fill.type, NSVG_PAINT_COLOR);
	EXPECT_EQ (shapes[1]->fill.color, rgba (0x5a, 0x36, 0x1e, 1));

	ASSERT_EQ (shapes[2]->fill.type, NSVG_PAINT_LINEAR_GRADIENT);
	expectStops (*shapes[2]->fill.gradient, {{0.0f, rgba (0xf5, 0x14, 0x00, 0)},
	                                         {0.77065295f, rgba (0xf5, 0x14, 0x00, 1)},
	                                         {1.0f, rgba (0xf5, 0x14, 0x00, 1)}});

	// The guide: hidden, and transparent as well, because the drawing routine ignores visibility.
	EXPECT_EQ (shapes[3]->flags & NSVG_FLAGS_VISIBLE, 0);
	ASSERT_EQ (shapes[3]->fill.type, NSVG_PAINT_COLOR);
	EXPECT_EQ (shapes[3]->fill.color >> 24, 0u);
	for (size_t i = 0; i < 3; ++i)
		EXPECT_NE (shapes[i]->flags & NSVG_FLAGS_VISIBLE, 0);
}

TEST (ArtworkParse, DurationArtworkGradientsHaveTheirStops)
{
	const Image knob = parse (durationKnobSvg);
	ASSERT_TRUE (knob);
	ASSERT_EQ (knob->shapes->fill.type, NSVG_PAINT_LINEAR_GRADIENT);
	expectStops (*knob->shapes->fill.gradient, {{0.0f, rgba (0xfd, 0xfc, 0xd7, 1)},
	                                            {0.5f, rgba (0xfd, 0xfc, 0xd7, 1)},
	                                            {0.75f, rgba (0xdf, 0xb2, 0x6c, 1)},
	                                            {0.875f, rgba (0xde, 0x6b, 0x3e, 1)},
	                                            {0.90625f, rgba (0xdd, 0x59, 0x32, 1)},
	                                            {0.9375f, rgba (0xdd, 0x48, 0x27, 1)},
	                                            {0.96875f, rgba (0xdd, 0x36, 0x1c, 1)},
	                                            {1.0f, rgba (0xdd, 0x25, 0x11, 1)}});

	const Image dot = parse (durationDotSvg);
	ASSERT_TRUE (dot);
	ASSERT_EQ (shapesOf (*dot).size (), 1u);
	ASSERT_EQ (dot->shapes->fill.type, NSVG_PAINT_RADIAL_GRADIENT);
	expectStops (*dot->shapes->fill.gradient, {{0.0f, rgba (0xfd, 0xfc, 0xd7, 1)},
	                                           {0.08902581f, rgba (0xfd, 0xfc, 0xd7, 1)},
	                                           {0.28161693f, rgba (0xdf, 0xb2, 0x6c, 1)},
	                                           {0.596479f, rgba (0xdf, 0x24, 0x10, 1)},
	                                           {1.0f, rgba (0xdf, 0x24, 0x10, 1)}});
	// The bead's gradient is centred on the document, so the drawing routine's radius rule
	// (measured from the horizontal centre line) gives it exactly its own radius.
	const float* m = dot->shapes->fill.gradient->xform;
	const double det = double (m[0]) * m[3] - double (m[1]) * m[2];
	const double centreY = (m[1] * m[4] - m[0] * m[5]) / det;
	EXPECT_NEAR (centreY, dot->height / 2, 0.01);
}

TEST (ArtworkParse, NoteSyncFramesShareOneLayout)
{
	for (size_t k = 0; k < noteSyncSvgs.size (); ++k)
	{
		SCOPED_TRACE (k);
		const Image image = parse (noteSyncSvgs[k]);
		ASSERT_TRUE (image);
		const auto shapes = shapesOf (*image);
		// Two arrows, the window, the value's rim and the value.
		ASSERT_EQ (shapes.size (), 5u);
		const unsigned red = rgba (0xdf, 0x24, 0x10, 1);
		EXPECT_EQ (shapes[0]->fill.color, red);
		EXPECT_EQ (shapes[1]->fill.color, red);
		EXPECT_EQ (shapes[2]->fill.color, rgba (0x5a, 0x36, 0x1e, 1));
		EXPECT_EQ (shapes[3]->fill.color, rgba (0x5a, 0x36, 0x1e, 1));
		EXPECT_EQ (shapes[4]->fill.color, rgba (0xfd, 0xfc, 0xd7, 1));
		// The lower arrow is the upper one turned about the centre: apex on the bottom edge.
		EXPECT_NEAR (shapes[1]->bounds[3], image->height, 0.02);
		EXPECT_NEAR (shapes[0]->bounds[1], 0.0f, 0.02);
	}
}

TEST (ArtworkParse, VersionLabelIsOneTanOutline)
{
	const Image image = parse (versionSvg);
	ASSERT_TRUE (image);
	const auto shapes = shapesOf (*image);
	ASSERT_EQ (shapes.size (), 1u);
	EXPECT_EQ (shapes[0]->fill.color, rgba (0xdf, 0xb2, 0x6c, 1));
	// "V", "1", "." and "2": at least four outlines, and together they fill most of the width.
	int paths = 0;
	for (NSVGpath* p = shapes[0]->paths; p; p = p->next)
		++paths;
	EXPECT_GE (paths, 4);
	EXPECT_GT (shapes[0]->bounds[2] - shapes[0]->bounds[0], 0.9f * image->width);
}

TEST (ArtworkParse, LetteringSitsOnARimWiderByAboutPointThreeUnits)
{
	const unsigned brown = rgba (0x5a, 0x36, 0x1e, 1);
	const unsigned cream = rgba (0xfd, 0xfc, 0xd7, 1);
	int pairs = 0;
	for (const auto& document : artworkDocuments ())
	{
		SCOPED_TRACE (document.name);
		const Image image = parse (document.text);
		ASSERT_TRUE (image);
		const float unit = image->width / std::stof (document.widthMm); // pixels per view-box unit
		const auto shapes = shapesOf (*image);
		for (size_t i = 0; i + 1 < shapes.size (); ++i)
		{
			const NSVGshape& rim = *shapes[i];
			const NSVGshape& glyphs = *shapes[i + 1];
			if (rim.fill.type != NSVG_PAINT_COLOR || rim.fill.color != brown || glyphs.fill.type != NSVG_PAINT_COLOR ||
			    glyphs.fill.color != cream)
				continue;
			++pairs;
			// The rim is the glyphs' area grown by 0.3 units: 0.3 further out on every side.
			EXPECT_NEAR (glyphs.bounds[0] - rim.bounds[0], 0.3f * unit, 0.02f * unit);
			EXPECT_NEAR (glyphs.bounds[1] - rim.bounds[1], 0.3f * unit, 0.02f * unit);
			EXPECT_NEAR (rim.bounds[2] - glyphs.bounds[2], 0.3f * unit, 0.02f * unit);
			EXPECT_NEAR (rim.bounds[3] - glyphs.bounds[3], 0.3f * unit, 0.02f * unit);
		}
	}
	// Four captions, nine Note Sync values and the three scale labels.
	EXPECT_EQ (pairs, 16);
}
