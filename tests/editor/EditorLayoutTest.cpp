// The opened editor's view tree: every rectangle and tag at the default size, exact doubling, the square
// Duration knob and the mirrored pairs at any size.

#include "editor/EditorTestSupport.h"
#include "editor/RectNear.h"

#include "plugin/ids.h"
#include "vstgui/lib/controls/ccontrol.h"

using VSTGUI::CRect;
using VSTGUI::CView;

using EditorLayout = OpenEditorTest;

TEST_F (EditorLayout, DefaultSizeGivesTheDesignedRectanglesAndTwiceTheSizeExactlyTwiceThem)
{
	const struct
	{
		MainChild child;
		int tag;                         // -1: a plain view
		double left, top, right, bottom; // at 200 × 336, to two decimals
	} table[] = {
	    {kPanel, -1, 0, 0, 200, 336},
	    {kBypassSwitch, kBypassId, 10.08, 286.76, 189.92, 325.92},
	    {kOffsetSlider, kOffsetId, 19.56, 218.28, 180.44, 258.71},
	    {kOffsetCaption, -1, 20.88, 260.03, 179.12, 270.59},
	    {kDurationCaption, -1, 22.63, 190.62, 177.37, 215.21},
	    {kDurationKnob, kDurationId, 36.03, 77.48, 163.97, 205.41},
	    {kMixCaption, -1, 145.61, 53.79, 179.24, 63.40},
	    {kMixKnob, kMixId, 144.41, 19.56, 180.44, 46.58},
	    {kSyncCaption, -1, 20.76, 53.79, 54.39, 63.40},
	    {kNoteSyncSpinner, kNoteSyncId, 19.56, 19.56, 55.59, 46.58},
	    {kVersionLabel, -1, 167.57, 267.62, 180.44, 271.91},
	};
	open ();
	ASSERT_EQ (mainContainer ()->getNbViews (), uint32_t (kMainChildCount));
	for (CView* whole : std::initializer_list<CView*>{frame (), background (), aspectBox (), mainContainer ()})
		EXPECT_EQ (whole->getViewSize (), CRect (0, 0, 200, 336));
	std::vector<CRect> atDefault;
	for (const auto& e : table)
	{
		SCOPED_TRACE (e.child);
		const CRect r = child (e.child)->getViewSize ();
		EXPECT_TRUE (rectNear (r, CRect (e.left, e.top, e.right, e.bottom), 0.005));
		atDefault.push_back (r);
		auto* control = dynamic_cast<VSTGUI::CControl*> (child (e.child));
		EXPECT_EQ (control ? control->getTag () : -1, e.tag);
		if (control)
		{
			EXPECT_EQ (control->getListener (), static_cast<VSTGUI::IControlListener*> (editor ()));
		}
	}

	resize (400, 672);
	for (size_t i = 0; i < std::size (table); ++i)
	{
		const CRect& r = atDefault[i];
		EXPECT_EQ (child (table[i].child)->getViewSize (), CRect (2 * r.left, 2 * r.top, 2 * r.right, 2 * r.bottom))
		    << table[i].child;
	}
}

TEST_F (EditorLayout, DurationKnobIsSquareAndThePairsMirrorAtEverySize)
{
	open ();
	const Steinberg::int32 sizes[][2] = {{200, 336}, {100, 168}, {400, 336}, {200, 500}, {640, 1075}, {257, 431}};
	for (const auto& size : sizes)
	{
		SCOPED_TRACE (testing::Message () << size[0] << " x " << size[1]);
		resize (size[0], size[1]);
		const double width = mainContainer ()->getViewSize ().getWidth ();
		const double height = mainContainer ()->getViewSize ().getHeight ();
		const double tolerance = 1e-4 * width;
		const CRect knob = child (kDurationKnob)->getViewSize ();
		EXPECT_NEAR (knob.getWidth (), knob.getHeight (), tolerance);
		EXPECT_NEAR (knob.getWidth (), -0.7733334 * width + 0.841076 * height, tolerance);
		for (auto pair : {std::make_pair (kNoteSyncSpinner, kMixKnob), std::make_pair (kSyncCaption, kMixCaption)})
		{
			const CRect left = child (pair.first)->getViewSize ();
			const CRect right = child (pair.second)->getViewSize ();
			EXPECT_NEAR (right.left, width - left.right, tolerance);
			EXPECT_NEAR (right.right, width - left.left, tolerance);
			EXPECT_EQ (right.top, left.top);
			EXPECT_EQ (right.bottom, left.bottom);
		}
		// The Offset caption stays in the band between the slider and the version label's bottom line.
		EXPECT_GT (child (kOffsetCaption)->getViewSize ().top, child (kOffsetSlider)->getViewSize ().bottom);
		EXPECT_LT (child (kOffsetCaption)->getViewSize ().bottom, child (kVersionLabel)->getViewSize ().bottom);
	}
}
