// The artwork drawn through the editor's drawing routine: fits at the default editor size and
// colours at chosen points.

#include "artwork/ArtworkRender.h"
#include "editor/artwork/Artwork.h"

#include <gtest/gtest.h>

#include <cmath>

using VSTGUI::CGraphicsTransform;
using VSTGUI::CRect;

namespace
{
constexpr double kPixelsPerMm = 96.0 / 25.4;

// Expects a pixel's colour within `tolerance` per channel (anti-aliasing and 8-bit rounding).
void expectColour (const StraightPixel& p, int r, int g, int b, int a, int tolerance = 2)
{
	EXPECT_NEAR (p.r, r, tolerance);
	EXPECT_NEAR (p.g, g, tolerance);
	EXPECT_NEAR (p.b, b, tolerance);
	EXPECT_NEAR (p.a, a, tolerance);
}

struct InkBounds
{
	int left = -1, top = -1, right = -1, bottom = -1; // inclusive pixel indices; -1 when empty
};

InkBounds inkBounds (const ArtworkCanvas& canvas, int minimumAlpha = 1)
{
	InkBounds ink;
	for (int y = 0; y < canvas.height (); ++y)
		for (int x = 0; x < canvas.width (); ++x)
			if (canvas.pixel (x, y).a >= minimumAlpha)
			{
				if (ink.left < 0 || x < ink.left)
					ink.left = x;
				if (x > ink.right)
					ink.right = x;
				if (ink.top < 0)
					ink.top = y;
				ink.bottom = y;
			}
	return ink;
}

// Cairo samples anti-aliased fills at 15 rows per pixel: the part of a pixel's height a shape covers counts
// in fifteenths.
double sampledRows (double coverage)
{
	return std::round (coverage * 15) / 15;
}

// Integral mode rounds the document's points to whole units of the document (px at 96 dpi) before they are
// scaled into the view: the panel's bottom edge, 205.154 mm = 775.38 px, is drawn from 775.
constexpr double kPanelBottomPx = 775;

// A document drawn at `scale` canvas pixels per millimetre of its own size, filling the canvas.
ArtworkCanvas drawAtScale (const char* document, double widthMm, double heightMm, double scale,
                           const CGraphicsTransform& transform = CGraphicsTransform ())
{
	ArtworkCanvas canvas (static_cast<int> (std::ceil (widthMm * scale)),
	                      static_cast<int> (std::ceil (heightMm * scale)));
	EXPECT_TRUE (canvas.valid ());
	EXPECT_TRUE (canvas.draw (document, CRect (0, 0, widthMm * scale, heightMm * scale), false, transform));
	return canvas;
}

// The rotation a SpinKnob applies: clockwise on screen for a positive angle.
CGraphicsTransform rotation (double degrees)
{
	const double a = degrees * M_PI / 180.0;
	return CGraphicsTransform (std::cos (a), -std::sin (a), std::sin (a), std::cos (a), 0, 0);
}
} // namespace

TEST (ArtworkFit, PanelFillsTheDefaultEditorWithAFractionOfAPixelToSpare)
{
	ArtworkCanvas canvas (200, 336);
	ASSERT_TRUE (canvas.valid ());
	ASSERT_TRUE (canvas.draw (panelSvg, CRect (0, 0, 200, 336), false));
	// Drawn 200 × 335.72, centred: 0.14 left free at the top. Two shapes reach the edge (the ground
	// and the dark-brown frame), each covering 0.86 of the edge pixels, so together they leave 0.14²
	// of the background showing there. At the bottom the rounded edge leaves 0.31 free.
	const double gap = (336 - 200 * (205.15402 / 122.21889)) / 2;
	EXPECT_NEAR (gap, 0.14, 0.005);
	const double bottomGap = 336 - (gap + kPanelBottomPx * 200 / (122.21889 * kPixelsPerMm));
	EXPECT_NEAR (bottomGap, 0.31, 0.005);
	EXPECT_NEAR (canvas.pixel (100, 0).a, 255 * (1 - std::pow (1 - sampledRows (1 - gap), 2)), 1.5);
	EXPECT_NEAR (canvas.pixel (100, 335).a, 255 * (1 - std::pow (1 - sampledRows (1 - bottomGap), 2)), 1.5);
	EXPECT_EQ (canvas.pixel (100, 1).a, 255);
	EXPECT_EQ (canvas.pixel (100, 334).a, 255);
	// Full width: the outer dark-brown line in the first and last column, then the tan band.
	expectColour (canvas.pixel (0, 168), 0x3d, 0x25, 0x14, 255);
	expectColour (canvas.pixel (199, 168), 0x3d, 0x25, 0x14, 255);
	expectColour (canvas.pixel (3, 168), 0xdf, 0xb2, 0x6c, 255);
	expectColour (canvas.pixel (196, 168), 0xdf, 0xb2, 0x6c, 255);
	// Inside the frame the panel is plain black.
	expectColour (canvas.pixel (100, 150), 0, 0, 0, 255);
	expectColour (canvas.pixel (100, 300), 0, 0, 0, 255);
}

TEST (ArtworkFit, PanelAtTenTimesTheDefaultSizeShowsItsGapsWhole)
{
	ArtworkCanvas canvas (2000, 3360);
	ASSERT_TRUE (canvas.valid ());
	ASSERT_TRUE (canvas.draw (panelSvg, CRect (0, 0, 2000, 3360), false));
	// The top gap is now 1.42 pixels: one empty row, one partly covered, then the panel. The rounded
	// bottom edge sits at 3356.91: three empty rows under one almost covered.
	const double gap = (3360 - 2000 * (205.15402 / 122.21889)) / 2;
	EXPECT_EQ (canvas.pixel (1000, 0).a, 0);
	EXPECT_NEAR (canvas.pixel (1000, 1).a, 255 * (1 - std::pow (1 - sampledRows (2 - gap), 2)), 1.5);
	EXPECT_EQ (canvas.pixel (1000, 2).a, 255);
	const double bottom = gap + kPanelBottomPx * 2000 / (122.21889 * kPixelsPerMm);
	EXPECT_NEAR (bottom, 3356.91, 0.005);
	EXPECT_EQ (canvas.pixel (1000, 3355).a, 255);
	EXPECT_NEAR (canvas.pixel (1000, 3356).a, 255 * (1 - std::pow (1 - sampledRows (bottom - 3356), 2)), 1.5);
	for (int y : {3357, 3358, 3359})
		EXPECT_EQ (canvas.pixel (1000, y).a, 0) << y;
	EXPECT_EQ (canvas.pixel (0, 1680).a, 255);
	EXPECT_EQ (canvas.pixel (1999, 1680).a, 255);
}

TEST (ArtworkFit, DurationCaptionShowsItsWordSmallAndCentred)
{
	// Its rectangle at the default editor size: 154.74 × 24.59, limited by the height.
	const double w = 154.74, h = 24.59;
	ArtworkCanvas canvas (156, 26);
	ASSERT_TRUE (canvas.draw (durationCaptionSvg, CRect (0, 0, w, h), false));
	const InkBounds ink = inkBounds (canvas, 16);
	ASSERT_GE (ink.left, 0);
	const double inkWidth = ink.right + 1 - ink.left;
	EXPECT_NEAR (inkWidth, 67.0, 1.5);
	EXPECT_NEAR ((ink.left + ink.right + 1) / 2.0, w / 2, 1.0);
	// Only the middle band of the height: 2.2 to 7.8 of 10.15 units.
	EXPECT_GE (ink.top, 4);
	EXPECT_LE (ink.bottom, 20);
}

TEST (ArtworkFit, OffsetCaptionTouchesAllFourEdges)
{
	const ArtworkCanvas canvas = drawAtScale (offsetCaptionSvg, 21.771471, 5.479066, 10.0);
	const InkBounds ink = inkBounds (canvas, 8);
	EXPECT_EQ (ink.left, 0);
	EXPECT_EQ (ink.top, 0);
	// The right edge, 82.29 px of the document, is drawn from 82: at 216.96 of the 217.71 wide canvas,
	// the last column stays empty.
	EXPECT_EQ (ink.right, canvas.width () - 2);
	EXPECT_EQ (ink.bottom, canvas.height () - 1);
}

TEST (ArtworkColour, MixKnobGlowsAtItsCentreAndFadesToBlack)
{
	const double scale = 200 / 19.632814;
	ArtworkCanvas canvas (200, 200);
	ASSERT_TRUE (canvas.draw (mixKnobSvg, CRect (0, 0, 200, 200), false));
	// The disc's centre (9.70, 9.93): the gradient's first stop.
	expectColour (canvas.pixel (static_cast<int> (9.70 * scale), static_cast<int> (9.93 * scale)), 0xf5, 0xe9, 0xbc,
	              255, 3);
	// Near the disc's rim, left of the centre, almost black.
	const StraightPixel rim = canvas.pixel (static_cast<int> (1.0 * scale), static_cast<int> (9.93 * scale));
	EXPECT_EQ (rim.a, 255);
	EXPECT_LE (rim.r, 12);
	// The pointer, opaque red towards its tip at the right edge.
	expectColour (canvas.pixel (static_cast<int> (18.0 * scale), static_cast<int> (9.934 * scale)), 0xf5, 0x14, 0x00,
	              255);
	// The hidden, transparent guide leaves the corners empty.
	EXPECT_EQ (canvas.pixel (0, 0).a, 0);
	EXPECT_EQ (canvas.pixel (199, 199).a, 0);
}

TEST (ArtworkColour, MixKnobPointerFollowsTheRotation)
{
	const double scale = 200 / 19.632814;
	ArtworkCanvas canvas (200, 200);
	// Turned a quarter turn clockwise the pointer points down.
	ASSERT_TRUE (canvas.draw (mixKnobSvg, CRect (0, 0, 200, 200), false, rotation (90)));
	expectColour (canvas.pixel (static_cast<int> (9.70 * scale), static_cast<int> (18.0 * scale)), 0xf5, 0x14, 0x00,
	              255);
	EXPECT_LE (canvas.pixel (static_cast<int> (18.0 * scale), static_cast<int> (9.934 * scale)).r, 40);
}

TEST (ArtworkColour, BypassLampIsLitInTheOffPlateAndDarkInTheOnPlate)
{
	const double w = 107.30665, h = 23.537107, scale = 8.0;
	const int lampX = static_cast<int> (100.45 * scale), lampY = static_cast<int> (12.24 * scale);
	// First dot of the "K": first column, top row of the 5 × 7 grid.
	const int dotX = static_cast<int> (7.2 * scale), dotY = static_cast<int> ((12.24 - 2.7) * scale);

	const ArtworkCanvas off = drawAtScale (bypassOffSvg, w, h, scale);
	// Red at 0.7 opacity over the cream core: a hot orange-red.
	expectColour (off.pixel (lampX, lampY), 232, 101, 76, 255);
	expectColour (off.pixel (dotX, dotY), 0xfd, 0xfc, 0xd7, 255);

	const ArtworkCanvas on = drawAtScale (bypassOnSvg, w, h, scale);
	expectColour (on.pixel (lampX, lampY), 0x26, 0x17, 0x0d, 255);
	expectColour (on.pixel (dotX, dotY), 0xdf, 0xb2, 0x6c, 255);

	// Both plates: the cream frame at the edge, the black plate inside.
	for (const ArtworkCanvas* plate : {&off, &on})
	{
		expectColour (plate->pixel (static_cast<int> (50 * scale), 2), 0xfd, 0xfc, 0xd7, 255);
		expectColour (plate->pixel (static_cast<int> (50 * scale), static_cast<int> (3 * scale)), 0, 0, 0, 255);
	}
}

TEST (ArtworkColour, RingsAreHollowUnderTheNonZeroRule)
{
	// The drawing routine fills everything non-zero, so every ring's inner edge runs the other way.
	const double scale = 10.0;
	const ArtworkCanvas sync = drawAtScale (noteSyncSvgs[4], 19.064453, 16.760429, scale);
	expectColour (sync.pixel (static_cast<int> (0.28 * scale), static_cast<int> (8.38 * scale)), 0x5a, 0x36, 0x1e, 255);
	EXPECT_EQ (sync.pixel (static_cast<int> (1.5 * scale), static_cast<int> (8.38 * scale)).a, 0);

	const ArtworkCanvas knob = drawAtScale (durationKnobSvg, 85.361717, 85.361717, 4.0);
	EXPECT_EQ (knob.pixel (static_cast<int> (42.68 * 4), static_cast<int> (42.68 * 4)).a, 0);
	// The top of the crescent ring is cream, its pointed ends at the bottom are red.
	expectColour (knob.pixel (static_cast<int> (42.71 * 4), static_cast<int> (4.0 * 4)), 0xfd, 0xfc, 0xd7, 255);
	// At y 70 the ring lies between 21.2 and 22.41 left of the centre line.
	const StraightPixel end = knob.pixel (static_cast<int> ((42.71 - 21.8) * 4), static_cast<int> (70.0 * 4));
	EXPECT_GT (end.r, 200);
	EXPECT_LT (end.g, 140);
	// The thin cream arc at the top, on the dot's orbit.
	expectColour (knob.pixel (static_cast<int> (42.71 * 4), static_cast<int> ((42.68 - 28.6) * 4)), 0xfd, 0xfc, 0xd7,
	              255);

	const ArtworkCanvas mix = drawAtScale (mixKnobSvg, 19.632814, 19.632814, 10.0);
	expectColour (mix.pixel (static_cast<int> (9.816 * 10), static_cast<int> (0.3 * 10)), 0x5a, 0x36, 0x1e, 255);
}

TEST (ArtworkColour, GuideShapesPaintNothing)
{
	const double scale = 4.0;
	// Inside the track's transparent guide box, clear of bar, ticks and labels.
	const ArtworkCanvas track = drawAtScale (offsetTrackSvg, 78.978623, 19.912921, scale);
	EXPECT_EQ (track.pixel (static_cast<int> (15.0 * scale), static_cast<int> (4.0 * scale)).a, 0);
	expectColour (track.pixel (static_cast<int> (15.0 * scale), static_cast<int> (7.92 * scale)), 0xdf, 0xb2, 0x6c,
	              255);
	// The handle's guides: the document's corners and the hollow of the crescent stay empty.
	const ArtworkCanvas handle = drawAtScale (offsetHandleSvg, 19.945686, 19.945686, 10.0);
	EXPECT_EQ (handle.pixel (1, 1).a, 0);
	EXPECT_EQ (handle.pixel (static_cast<int> (15.5 * 10), static_cast<int> (8.1 * 10)).a, 0);
	// The crescent's left edge is pale, its horns reddish.
	const StraightPixel left = handle.pixel (static_cast<int> (9.2 * 10), static_cast<int> (8.1 * 10));
	EXPECT_EQ (left.a, 255);
	EXPECT_GT (left.g, 200);
	// The captions' guide rectangles would trace the fitted document's edges, all four of them; the
	// lettering keeps clear of the right and bottom ones. (On the left and top, rounding the lettering's
	// outermost points to whole document units can carry them onto the edge pixels.)
	struct Caption
	{
		const char* document;
		double ratio;
	};
	for (const Caption& caption :
	     {Caption{syncCaptionSvg, 6.8190575 / 18.551413}, Caption{mixCaptionSvg, 6.8160005 / 13.995081}})
	{
		ArtworkCanvas canvas (200, 100);
		ASSERT_TRUE (canvas.draw (caption.document, CRect (0, 0, 200, 100), false));
		const double top = (100 - 200 * caption.ratio) / 2;
		const InkBounds ink = inkBounds (canvas);
		ASSERT_GE (ink.left, 0);
		EXPECT_LT (ink.right, 199);
		EXPECT_LT (ink.bottom, std::floor (100 - top));
	}
}
