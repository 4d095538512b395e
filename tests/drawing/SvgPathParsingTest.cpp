// Path data: every command in absolute and relative form becomes a start point plus cubic triples.
#include "SvgTestSupport.h"

#include <gtest/gtest.h>

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
	// Sweep 1 turns towards increasing angles, which with y downwards passes over the top.
	for (const char* d : {"M0 50 A50 50 0 0 1 100 50", "M0 50 a50 50 0 0 1 100 0", "M0 50 a50 50 0 01100 0"})
	{
		auto image = parsePath (d);
		const NSVGpath* path = onlyPath (image);
		ASSERT_NE (path, nullptr) << d;
		ASSERT_EQ (path->npts, 7) << d; // two quarter arcs
		EXPECT_POINT (path, 3, 50.f, 0.f);
		EXPECT_POINT (path, 6, 100.f, 50.f);
	}
	auto below = parsePath ("M0 50 a50 50 0 0 0 100 0");
	const NSVGpath* path = onlyPath (below);
	ASSERT_NE (path, nullptr);
	EXPECT_POINT (path, 3, 50.f, 100.f);
}

TEST (SvgPathParsing, ArcControlPointsFollowTheCircle)
{
	auto image = parsePath ("M0 50 A50 50 0 0 1 50 0");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	ASSERT_EQ (path->npts, 4);
	const float k = 50.f * 0.5522847f;
	EXPECT_POINT (path, 1, 0.f, 50.f - k);
	EXPECT_POINT (path, 2, 50.f - k, 0.f);
	EXPECT_POINT (path, 3, 50.f, 0.f);
}

TEST (SvgPathParsing, LargeArcFlagTakesTheLongWayRound)
{
	auto image = parsePath ("M100 50 A50 50 0 1 1 50 0");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	ASSERT_EQ (path->npts, 10); // three quarter arcs
	EXPECT_POINT (path, 3, 50.f, 100.f);
	EXPECT_POINT (path, 6, 0.f, 50.f);
	EXPECT_POINT (path, 9, 50.f, 0.f);
}

TEST (SvgPathParsing, ArcRadiiTooSmallAreScaledUp)
{
	auto image = parsePath ("M0 0 A1 1 0 0 1 100 0");
	const NSVGpath* path = onlyPath (image);
	ASSERT_NE (path, nullptr);
	ASSERT_EQ (path->npts, 7);
	EXPECT_POINT (path, 3, 50.f, -50.f);
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
