// Sizing: the host's size limits, resizes started by either side, the content scale factor and the unscaled
// size handed to saveWinSize.
#include "framework/FrameworkTestSupport.h"

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

class EditorSizing : public EditorTest
{
protected:
	/** Opened offscreen with the host's plug frame at the given scale (frame at the minimum, 100 x 168). */
	IPtr<TestEditor> openAt (float scale)
	{
		auto editor = makeEditor ();
		editor->setFrame (&plugFrame);
		editor->setContentScaleFactor (scale);
		open (*editor);
		plugFrame.requests.clear ();
		editor->savedSizes.clear ();
		return editor;
	}
	void close (TestEditor& editor)
	{
		editor.removed ();
		editor.setFrame (nullptr);
	}
	static CRect frameSize (TestEditor& editor)
	{
		CRect size;
		editor.getFrame ()->getSize (size);
		return size;
	}

	FakePlugFrame plugFrame;
};

TEST_F (EditorSizing, SizeConstraintKeepsTheScaledMinimumAndMaximum)
{
	struct Case
	{
		float scale;
		ViewRect in;
		ViewRect expected;
	};
	const Case cases[] = {
	    {2.f, {0, 0, 150, 200}, {0, 0, 200, 336}},     {1.5f, {10, 20, 50, 60}, {10, 20, 160, 272}},
	    {1.f, {0, 0, 8000, 5000}, {0, 0, 7680, 4320}}, {1.25f, {0, 0, 10000, 6000}, {0, 0, 9600, 5400}},
	    {1.f, {5, 5, 305, 405}, {5, 5, 305, 405}},
	};
	for (const auto& c : cases)
	{
		auto editor = makeEditor ();
		editor->setContentScaleFactor (c.scale);
		ViewRect rect = c.in;
		EXPECT_EQ (editor->checkSizeConstraint (&rect), kResultTrue);
		EXPECT_EQ (rect, c.expected) << "scale " << c.scale;
	}
}

TEST_F (EditorSizing, OwnRequestTakesOnlyTheSizeItAskedFor)
{
	auto editor = openAt (2.f);
	std::vector<tresult> answers;
	plugFrame.onResize = [&] (IPlugView* view, ViewRect*)
	{
		ViewRect wrong (0, 0, 401, 672);
		answers.push_back (view->onSize (&wrong));
		EXPECT_TRUE (editor->savedSizes.empty ());
		ViewRect asked (0, 0, 400, 672);
		answers.push_back (view->onSize (&asked));
		return kResultTrue;
	};
	EXPECT_TRUE (editor->getFrame ()->setSize (400, 672));

	EXPECT_EQ (answers, (std::vector<tresult>{kResultFalse, kResultOk}));
	EXPECT_EQ (frameSize (*editor), CRect (0, 0, 400, 672));
	EXPECT_EQ (editor->savedSizes, (std::vector<std::pair<int32, int32>>{{200, 336}}));
	EXPECT_EQ (plugFrame.requests, (std::vector<FakePlugFrame::Request>{{400, 672}}));
	close (*editor);
}

TEST_F (EditorSizing, SizeChangeDuringAPendingRequestDoesNotAskTheHostAgain)
{
	auto editor = openAt (1.f);
	bool nested = false;
	plugFrame.onResize = [&] (IPlugView*, ViewRect*)
	{
		nested = editor->beforeSizeChange (CRect (0, 0, 300, 500), CRect (0, 0, 100, 168));
		return kResultTrue;
	};
	EXPECT_TRUE (editor->beforeSizeChange (CRect (0, 0, 250, 400), CRect (0, 0, 100, 168)));
	EXPECT_TRUE (nested);
	EXPECT_EQ (plugFrame.requests, (std::vector<FakePlugFrame::Request>{{250, 400}}));
	close (*editor);
}

TEST_F (EditorSizing, HostRefusalOrNoPlugFrameKeepsTheFrameSize)
{
	auto editor = openAt (1.f);
	plugFrame.answer = kResultFalse;
	EXPECT_FALSE (editor->getFrame ()->setSize (300, 400));
	EXPECT_EQ (frameSize (*editor), CRect (0, 0, 100, 168));
	EXPECT_TRUE (editor->savedSizes.empty ());

	editor->setFrame (nullptr);
	EXPECT_FALSE (editor->beforeSizeChange (CRect (0, 0, 300, 400), CRect (0, 0, 100, 168)));
	// The guard is clear again: a host resize is followed (case C), not refused as a foreign answer (case A).
	ViewRect hostSize (0, 0, 250, 400);
	EXPECT_EQ (editor->onSize (&hostSize), kResultTrue);
	EXPECT_EQ (frameSize (*editor), CRect (0, 0, 250, 400));
	EXPECT_EQ (editor->savedSizes, (std::vector<std::pair<int32, int32>>{{250, 400}}));
	editor->removed ();
}

TEST_F (EditorSizing, NewScaleFactorAsksTheHostForTheScaledSizeWhateverItAnswers)
{
	for (const tresult answer : {kResultTrue, kResultFalse})
	{
		auto editor = makeEditor ();
		editor->storedSize = CPoint (200, 336);
		editor->setFrame (&plugFrame);
		open (*editor);
		plugFrame.requests.clear ();
		editor->savedSizes.clear ();
		plugFrame.answer = answer;

		EXPECT_EQ (editor->setContentScaleFactor (2.f), kResultOk);
		EXPECT_EQ (plugFrame.requests, (std::vector<FakePlugFrame::Request>{{400, 672}}));
		EXPECT_EQ (editor->getContentScaleFactor (), 2.);
		if (answer == kResultTrue)
		{
			EXPECT_EQ (frameSize (*editor), CRect (0, 0, 400, 672));
			EXPECT_EQ (editor->savedSizes, (std::vector<std::pair<int32, int32>>{{200, 336}}));
		}
		plugFrame.answer = kResultTrue;
		close (*editor);
	}
}

TEST_F (EditorSizing, ScaleFactorThatIsNotPositiveIsRefused)
{
	auto editor = makeEditor ();
	editor->setContentScaleFactor (1.25f);
	for (const float factor : {0.f, -1.f, std::numeric_limits<float>::quiet_NaN ()})
	{
		EXPECT_EQ (editor->setContentScaleFactor (factor), kResultFalse);
		EXPECT_EQ (editor->getContentScaleFactor (), 1.25);
	}
}

TEST_F (EditorSizing, HostResizeStoresTheUnscaledSizeInSinglePrecision)
{
	struct Case
	{
		float scale;
		int32 width, height;
		std::pair<int32, int32> unscaled;
	};
	const Case cases[] = {
	    {1.5f, 301, 505, {200, 336}},
	    {1.1f, 220, 369, {200, 335}},
	    {2.f, 400, 672, {200, 336}},
	    {1.f, 641, 1075, {641, 1075}},
	};
	for (const auto& c : cases)
	{
		auto editor = openAt (c.scale);
		ViewRect hostSize (0, 0, c.width, c.height);
		EXPECT_EQ (editor->onSize (&hostSize), kResultTrue);
		EXPECT_EQ (frameSize (*editor), CRect (0, 0, c.width, c.height));
		EXPECT_EQ (editor->savedSizes, (std::vector<std::pair<int32, int32>>{c.unscaled})) << "scale " << c.scale;
		EXPECT_TRUE (plugFrame.requests.empty ());
		close (*editor);
	}
}

} // namespace
