// The layout records' float32 arithmetic, the letterbox, and the records derived at run time.

#include "editor/DuckerLayout.h"
#include "editor/RectNear.h"

#include <gtest/gtest.h>

#include <cmath>

using VSTGUI::CRect;

namespace
{

bool sameRecord (const ResizeView& a, const ResizeView& b)
{
	return a.c0 == b.c0 && a.c1 == b.c1 && a.c2 == b.c2 && a.c3 == b.c3 && a.c4 == b.c4 && a.c5 == b.c5 &&
	       a.c6 == b.c6 && a.c7 == b.c7;
}

} // namespace

TEST (ResizeViewRecord, PlacesFromParentWidthAndHeight)
{
	EXPECT_EQ (DuckerLayout::kFill.place (CRect (0, 0, 200, 336)), CRect (0, 0, 200, 336));
	EXPECT_EQ (DuckerLayout::kFill.place (CRect (0, 0, 0, 0)), CRect (0, 0, 0, 0));
	// Only the parent's size counts, not where it sits.
	EXPECT_EQ (DuckerLayout::kFill.place (CRect (50, 7, 250, 343)), CRect (0, 0, 200, 336));

	const ResizeView spinner{0.f, 0.0582f, 0.f, 0.0582f, 0.224f, 0.0321264f, 0.168f, 0.0386448f};
	const CRect single = spinner.place (CRect (0, 0, 200, 336));
	EXPECT_TRUE (rectNear (single, CRect (19.56, 19.56, 55.59, 46.58), 0.005));
	// Doubling W and H doubles every float32 product and sum exactly.
	const CRect twice = spinner.place (CRect (0, 0, 400, 672));
	EXPECT_EQ (twice, CRect (2 * single.left, 2 * single.top, 2 * single.right, 2 * single.bottom));
	// Each product and the sum rounded to float32 on its own; a fused multiply-add would round once.
	const float w = 200.f, h = 336.f;
	const float right = 0.224f * w + 0.0321264f * h;
	EXPECT_EQ (single.right, double (right));
}

TEST (ResizeViewARecord, LetterboxesToItsAspect)
{
	struct Case
	{
		double width, height;
		CRect expected;
	} cases[] = {
	    {200, 336, CRect (0, 0, 200, 336)},  {300, 336, CRect (50, 0, 250, 336)}, {400, 336, CRect (100, 0, 300, 336)},
	    {200, 500, CRect (0, 82, 200, 418)}, {100, 168, CRect (0, 0, 100, 168)},  {0, 0, CRect (0, 0, 0, 0)},
	    {0, 100, CRect (0, 50, 0, 50)},
	};
	EXPECT_EQ (DuckerLayout::kAspectBox.aspect, 1.6799999475479126f);
	for (const auto& c : cases)
	{
		SCOPED_TRACE (testing::Message () << c.width << " x " << c.height);
		EXPECT_TRUE (rectNear (DuckerLayout::kAspectBox.place (CRect (0, 0, c.width, c.height)), c.expected, 1e-4));
	}
}

TEST (DerivedLayoutRecords, MirrorsAndTheOffsetCaptionAreTheDesignedFloats)
{
	using namespace DuckerLayout;
	EXPECT_TRUE (sameRecord (mirrored (kNoteSync),
	                         {0.776f, -0.032126397f, 0.f, 0.0582f, 1.f, -0.0582f, 0.16800001f, 0.038644798f}));
	EXPECT_TRUE (sameRecord (mirrored (kSyncCaption), {0.7834667f, -0.03299552f, 0.2128f, 0.03343008f, 0.9925333f,
	                                                   -0.05733088f, 0.27253333f, 0.02647712f}));
	EXPECT_TRUE (sameRecord (offsetCaption (kOffsetSlider), {0.008207706f, 0.05724462f, -0.07386935f, 0.81785846f,
	                                                         0.9917923f, -0.05724462f, -0.008207708f, 0.8102155f}));
	// The caption band ends on the version label's bottom line.
	EXPECT_EQ (kCaptionBandBottom, kVersion.c7);
}
