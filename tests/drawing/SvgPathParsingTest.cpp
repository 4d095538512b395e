// Path data: every command in absolute and relative form becomes a start point plus cubic triples.
#include "SvgTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace svgtest;

namespace
{

const NSVGpath* onlyPath (const ImagePtr& image)
{
	if (!image || !image->shapes || !image->shapes->paths)
		return nullptr;
	return image->shapes->paths;
}

ImagePtr parsePath (const std::string& d)
{
	return parseBody ("<path d=\"" + d + "\"/>");
}

} // namespace

TEST (SvgPathParsing, LineBecomesCubicWithControlPointsAtTheThirds)
{
	for (const char* d : {"M10 20 L40 20", "m10 20 l30 0", "M10,20L40,20"})
	{
		auto image = parsePath (d);
		const NSVGpath* path = onlyPath (image);
		ASSERT_NE (path, nullptr) << d;
		ASSERT_EQ (path->npts, 4) << d;
		EXPECT_POINT (path, 0, 10.f, 20.f);
		EXPECT_POINT (path, 1, 20.f, 20.f);
		EXPECT_POINT (path, 2, 30.f, 20.f);
		EXPECT_POINT (path, 3, 40.f, 20.f);
		EXPECT_EQ (path->closed, 0);
	}
}

TEST (SvgPathParsing, HorizontalAndVerticalLinesAbsoluteAndRelative)
{
	for (const char* d : {"M10 20 H40 V50", "M10 20 h30 v30"})
	{
		auto image = parsePath (d);
		const NSVGpath* path = onlyPath (image);
		ASSERT_NE (path, nullptr) << d;
		ASSERT_EQ (path->npts, 7) << d;
		EXPECT_POINT (path, 3, 40.f, 20.f);
		EXPECT_POINT (path, 4, 40.f, 30.f);
		EXPECT_POINT (path, 6, 40.f, 50.f);
	}
}

TEST (SvgPathParsing, ImplicitRepeatsAfterMoveAreLines)
{
	auto image = parsePath ("M0 0 10 0 10 10");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	ASSERT_EQ (path->npts, 7);
	EXPECT_POINT (path, 3, 10.f, 0.f);
	EXPECT_POINT (path, 6, 10.f, 10.f);
}

TEST (SvgPathParsing, CubicAbsoluteAndRelative)
{
	for (const char* d : {"M5 5 C15 5 25 15 35 35", "M5 5 c10 0 20 10 30 30"})
	{
		auto image = parsePath (d);
		const NSVGpath* path = onlyPath (image);
		ASSERT_NE (path, nullptr) << d;
		ASSERT_EQ (path->npts, 4);
		EXPECT_POINT (path, 1, 15.f, 5.f);
		EXPECT_POINT (path, 2, 25.f, 15.f);
		EXPECT_POINT (path, 3, 35.f, 35.f);
	}
}

TEST (SvgPathParsing, SmoothCubicReflectsThePreviousControlPoint)
{
	for (const char* d : {"M0 0 C0 10 20 10 30 0 S50 -10 60 0", "M0 0 C0 10 20 10 30 0 s20 -10 30 0"})
	{
		auto image = parsePath (d);
		const NSVGpath* path = onlyPath (image);
		ASSERT_NE (path, nullptr) << d;
		ASSERT_EQ (path->npts, 7);
		EXPECT_POINT (path, 4, 40.f, -10.f); // 2·(30, 0) − (20, 10)
		EXPECT_POINT (path, 5, 50.f, -10.f);
		EXPECT_POINT (path, 6, 60.f, 0.f);
	}
}

TEST (SvgPathParsing, QuadraticRaisedToCubicAndSmoothQuadraticReflects)
{
	for (const char* d : {"M0 0 Q30 30 60 0 T120 0", "M0 0 q30 30 60 0 t60 0"})
	{
		auto image = parsePath (d);
		const NSVGpath* path = onlyPath (image);
		ASSERT_NE (path, nullptr) << d;
		ASSERT_EQ (path->npts, 7);
		EXPECT_POINT (path, 1, 20.f, 20.f);
		EXPECT_POINT (path, 2, 40.f, 20.f);
		EXPECT_POINT (path, 3, 60.f, 0.f);
		// The reflected control point is (90, −30).
		EXPECT_POINT (path, 4, 80.f, -20.f);
		EXPECT_POINT (path, 5, 100.f, -20.f);
		EXPECT_POINT (path, 6, 120.f, 0.f);
	}
}

TEST (SvgPathParsing, CloseAddsTheLineHomeAndMarksThePathClosed)
{
	for (const char* d : {"M0 0 L10 0 L10 10 Z", "m0 0 l10 0 l0 10 z"})
	{
		auto image = parsePath (d);
		const NSVGpath* path = onlyPath (image);
		ASSERT_NE (path, nullptr) << d;
		ASSERT_EQ (path->npts, 10);
		EXPECT_EQ (path->closed, 1);
		EXPECT_POINT (path, 9, 0.f, 0.f);
	}
}

TEST (SvgPathParsing, CloseAddsASegmentOfNoLengthWhenAlreadyHome)
{
	// NanoSVG closes with a line to the first point whether or not the path is there; a move alone stays no path.
	auto image = parsePath ("M0 0 L10 0 L10 10 L0 0 Z M5 5 Z");
	ASSERT_TRUE (image && image->shapes);
	ASSERT_EQ (countPaths (image->shapes), 1);
	const NSVGpath* path = image->shapes->paths;
	ASSERT_EQ (path->npts, 13);
	EXPECT_EQ (path->closed, 1);
	for (int i = 9; i < 13; ++i)
		EXPECT_POINT (path, i, 0.f, 0.f);
}

TEST (SvgPathParsing, DrawingAfterCloseStartsANewPathAtTheSubpathStart)
{
	auto image = parsePath ("M10 10 l10 0 l0 10 z l5 5");
	ASSERT_TRUE (image && image->shapes);
	ASSERT_EQ (countPaths (image->shapes), 2);
	const NSVGpath* second = image->shapes->paths->next;
	ASSERT_EQ (second->npts, 4);
	EXPECT_POINT (second, 0, 10.f, 10.f);
	EXPECT_POINT (second, 3, 15.f, 15.f);
	EXPECT_EQ (second->closed, 0);
}

TEST (SvgPathParsing, RelativeMoveAfterClosedSubpathStartsFromItsStart)
{
	auto image = parsePath ("M10 10 h10 v10 z m5 5 h1 v1 z");
	ASSERT_TRUE (image && image->shapes);
	ASSERT_EQ (countPaths (image->shapes), 2);
	EXPECT_POINT (image->shapes->paths->next, 0, 15.f, 15.f);
}

TEST (SvgPathParsing, ArcSweepFlagChoosesTheSide)
{
	// Sweep 1 turns towards increasing angles, which with y downwards passes over the top. A half turn is three
	// pieces of 60° in NanoSVG.
	const float rise = 50.f * std::sqrt (3.f) / 2.f;
	for (const char* d : {"M0 50 A50 50 0 0 1 100 50", "M0 50 a50 50 0 0 1 100 0", "M0 50 a50 50 0 01100 0"})
	{
		auto image = parsePath (d);
		const NSVGpath* path = onlyPath (image);
		ASSERT_NE (path, nullptr) << d;
		ASSERT_EQ (path->npts, 10) << d;
		EXPECT_POINT (path, 3, 25.f, 50.f - rise);
		EXPECT_POINT (path, 6, 75.f, 50.f - rise);
		EXPECT_POINT (path, 9, 100.f, 50.f);
	}
	auto below = parsePath ("M0 50 a50 50 0 0 0 100 0");
	const NSVGpath* path = onlyPath (below);
	ASSERT_NE (path, nullptr);
	EXPECT_POINT (path, 3, 25.f, 50.f + rise);
}

// NanoSVG cuts an arc into one piece more than the whole quarter turns it spans: a quarter turn is two pieces,
// a three-quarter turn four (as the Duration knob's rings are drawn), anything under a quarter turn one.
TEST (SvgPathParsing, ArcPiecesAreOneMoreThanItsWholeQuarterTurns)
{
	struct Case
	{
		const char* d;
		int pieces;
	} cases[] = {
	    {"M100 50 A50 50 0 0 1 50 100", 2},                  // 90°
	    {"M100 50 A50 50 0 0 1 0 50", 3},                    // 180°
	    {"M100 50 A50 50 0 1 1 50 0", 4},                    // 270°
	    {"M22.1332,63.2568 a 29.1,29.1 0 1 1 41.1536,0", 4}, // the knob's 270° ring
	    {"M100 50 A50 50 0 0 1 50.8726 99.9924", 1},         // 89°
	    {"M100 50 A50 50 0 0 1 41.3176 99.2404", 2},         // 100°
	    {"M100 50 A50 50 0 1 1 99.9924 49.1274", 4},         // 359°
	    {"M0 0 A10 10 0 0 1 0 0", 1},                        // to its own start: a line of no length
	};
	for (const auto& c : cases)
	{
		auto image = parsePath (c.d);
		const NSVGpath* path = onlyPath (image);
		ASSERT_NE (path, nullptr) << c.d;
		EXPECT_EQ (path->npts, 1 + 3 * c.pieces) << c.d;
	}
}

TEST (SvgPathParsing, ArcControlPointsFollowTheCircle)
{
	// A quarter turn about (50, 50) from 180° to 270° in two pieces of 45°: every end point lies on the circle
	// and its handles run along the tangent, 4/3 · tan (45° / 4) of the radius long.
	auto image = parsePath ("M0 50 A50 50 0 0 1 50 0");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	ASSERT_EQ (path->npts, 7);
	const double pi = 3.14159265358979323846;
	const double handle = 50. * 4. / 3. * std::tan (pi / 16.);
	for (int piece = 0; piece < 2; ++piece)
	{
		const double a0 = pi + piece * pi / 4., a1 = a0 + pi / 4.;
		const int i = 3 * piece;
		EXPECT_POINT (path, i + 1, float (50. + 50. * std::cos (a0) - handle * std::sin (a0)),
		              float (50. + 50. * std::sin (a0) + handle * std::cos (a0)));
		EXPECT_POINT (path, i + 2, float (50. + 50. * std::cos (a1) + handle * std::sin (a1)),
		              float (50. + 50. * std::sin (a1) - handle * std::cos (a1)));
		EXPECT_POINT (path, i + 3, float (50. + 50. * std::cos (a1)), float (50. + 50. * std::sin (a1)));
	}
}

TEST (SvgPathParsing, LargeArcFlagTakesTheLongWayRound)
{
	// From 0° to 270° about (50, 50) through the bottom and the left, in four pieces of 67.5°.
	auto image = parsePath ("M100 50 A50 50 0 1 1 50 0");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	ASSERT_EQ (path->npts, 13);
	const double pi = 3.14159265358979323846;
	for (int piece = 1; piece <= 4; ++piece)
	{
		const double a = piece * 3. * pi / 8.;
		EXPECT_POINT (path, 3 * piece, float (50. + 50. * std::cos (a)), float (50. + 50. * std::sin (a)));
	}
	EXPECT_POINT (path, 12, 50.f, 0.f);
}

TEST (SvgPathParsing, ArcRadiiTooSmallAreScaledUp)
{
	// Radius 1 cannot reach from (0, 0) to (100, 0): it grows to 50, a half turn over the top in three pieces.
	auto image = parsePath ("M0 0 A1 1 0 0 1 100 0");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	ASSERT_EQ (path->npts, 10);
	EXPECT_POINT (path, 3, 25.f, -50.f * std::sqrt (3.f) / 2.f);
	EXPECT_POINT (path, 9, 100.f, 0.f);
}

TEST (SvgPathParsing, RotatedEllipticalArcEndsExactlyAtItsEndPoint)
{
	auto image = parsePath ("M10 10 A30 10 45 0 0 60 40");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	EXPECT_POINT (path, path->npts - 1, 60.f, 40.f);
}

TEST (SvgPathParsing, ArcWithZeroRadiusIsAStraightLine)
{
	auto image = parsePath ("M0 0 A0 10 0 0 1 30 0");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	ASSERT_EQ (path->npts, 4);
	EXPECT_POINT (path, 1, 10.f, 0.f);
	EXPECT_POINT (path, 3, 30.f, 0.f);
}

TEST (SvgPathParsing, NumbersWithExponentsSignsAndRunTogetherDecimals)
{
	auto image = parsePath ("M1e1-2E1L.5.5");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	EXPECT_POINT (path, 0, 10.f, -20.f);
	EXPECT_POINT (path, 3, 0.5f, 0.5f);
}

TEST (SvgPathParsing, AMoveWithoutSegmentsMakesNoPath)
{
	auto image = parsePath ("M10 10 M20 20 L30 30 M40 40");
	ASSERT_TRUE (image && image->shapes);
	ASSERT_EQ (countPaths (image->shapes), 1);
	EXPECT_POINT (image->shapes->paths, 0, 20.f, 20.f);
}

TEST (SvgPathParsing, ReadingStopsAtTheFirstErrorAndKeepsWhatCameBefore)
{
	auto image = parsePath ("M0 0 L10 0 L20 X 30 30");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	EXPECT_EQ (path->npts, 4);
	EXPECT_POINT (path, 3, 10.f, 0.f);
}

TEST (SvgPathParsing, PathBoundsAreTightAroundTheCurve)
{
	auto image = parsePath ("M0 0 C0 -40 100 -40 100 0");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	EXPECT_NEAR (path->bounds[0], 0.f, 1e-4f);
	EXPECT_NEAR (path->bounds[1], -30.f, 1e-4f); // the curve's top, not its control points' −40
	EXPECT_NEAR (path->bounds[2], 100.f, 1e-4f);
	EXPECT_NEAR (path->bounds[3], 0.f, 1e-4f);
}
