// The host's plug frame without a display: resize requests against the view's constraint, the window and onSize,
// requests from inside onSize, and the run loop handed out through it.

#include "host/PlugFrame.h"
#include "FakePlugView.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace QuorvaneHost;
using QuorvaneTest::FakePlugView;

namespace
{

struct FrameWithWindow
{
	std::vector<std::pair<int32, int32>> windowSizes;
	bool windowAccepts{true};
	IPtr<PlugFrame> frame = owned (new PlugFrame (nullptr,
	                                              [this] (int32 width, int32 height)
	                                              {
		                                              if (windowAccepts)
			                                              windowSizes.emplace_back (width, height);
		                                              return windowAccepts;
	                                              }));

	tresult request (IPlugView& view, int32 width, int32 height)
	{
		ViewRect size (0, 0, width, height);
		return frame->resizeView (&view, &size);
	}
};

} // namespace

TEST (HostPlugFrame, ResizeHonoursTheViewsConstraintWindowAndOnSize)
{
	struct Case
	{
		int32 width, height;
		bool windowAccepts;
		tresult answer;
		bool resized;
	};
	const Case cases[] = {
	    {120, 130, true, kResultTrue, true},   // within the constraint
	    {100, 100, true, kResultTrue, true},   // exactly the minimum
	    {99, 130, true, kResultFalse, false},  // the constraint would widen it
	    {120, 50, true, kResultFalse, false},  // ... or make it taller
	    {120, 130, false, kResultFalse, false} // the window refuses
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE (testing::Message () << c.width << "x" << c.height << " window " << c.windowAccepts);
		FakePlugView view;
		FrameWithWindow host;
		host.windowAccepts = c.windowAccepts;
		EXPECT_EQ (host.request (view, c.width, c.height), c.answer);
		std::vector<std::pair<int32, int32>> expected;
		if (c.resized)
			expected.emplace_back (c.width, c.height);
		EXPECT_EQ (view.onSizeCalls, expected);
		EXPECT_EQ (host.windowSizes, expected);
		ASSERT_EQ (host.frame->resizeRequests ().size (), 1u);
		EXPECT_EQ (host.frame->resizeRequests ()[0].answer, c.answer);
	}
}

TEST (HostPlugFrame, RepeatedOnSizeQuirkCallsOnSizeTwiceWithTheSameSize)
{
	FakePlugView view;
	FrameWithWindow host;
	host.frame->setRepeatOnSize (true);
	EXPECT_EQ (host.request (view, 300, 200), kResultTrue);
	EXPECT_EQ (view.onSizeCalls, (std::vector<std::pair<int32, int32>>{{300, 200}, {300, 200}}));
}

TEST (HostPlugFrame, RequestsFromInsideOnSizeAreServedAndBounded)
{
	// One nested request: served in full before the outer one answers; the window ends at the inner size.
	FakePlugView view;
	FrameWithWindow host;
	bool askedAgain = false;
	view.duringOnSize = [&] (ViewRect& size)
	{
		if (std::exchange (askedAgain, true))
			return;
		size = ViewRect (0, 0, 111, 222); // the view scribbles on the host's rectangle too
		EXPECT_EQ (host.request (view, 150, 160), kResultTrue);
	};
	EXPECT_EQ (host.request (view, 300, 200), kResultTrue);
	EXPECT_EQ (view.onSizeCalls, (std::vector<std::pair<int32, int32>>{{300, 200}, {150, 160}}));
	EXPECT_EQ (host.windowSizes.back (), (std::pair<int32, int32>{150, 160}));

	// A view that asks again from every onSize is stopped instead of recursing without end.
	FakePlugView greedy;
	FrameWithWindow other;
	int32 next = 200;
	greedy.duringOnSize = [&] (ViewRect&) { other.request (greedy, ++next, 200); };
	EXPECT_EQ (other.request (greedy, next, 200), kResultTrue);
	EXPECT_EQ (greedy.onSizeCalls.size (), 4u);
	EXPECT_EQ (other.frame->resizeRequests ().back ().answer, kResultFalse);
	EXPECT_EQ (greedy.references, 1);
}

TEST (HostPlugFrame, HandsOutItsRunLoopOnlyWhenItHasOne)
{
	IPtr<PollRunLoop> loop = owned (new PollRunLoop);
	IPtr<PlugFrame> withLoop = owned (new PlugFrame (loop, nullptr));
	IPtr<PlugFrame> withoutLoop = owned (new PlugFrame (nullptr, nullptr));

	void* answer = nullptr;
	ASSERT_EQ (withLoop->queryInterface (Linux::IRunLoop::iid, &answer), kResultOk);
	EXPECT_EQ (answer, static_cast<Linux::IRunLoop*> (loop.get ()));
	static_cast<Linux::IRunLoop*> (answer)->release ();
	EXPECT_EQ (withoutLoop->queryInterface (Linux::IRunLoop::iid, &answer), kNoInterface);
	EXPECT_EQ (answer, nullptr);
	ASSERT_EQ (withoutLoop->queryInterface (IPlugFrame::iid, &answer), kResultOk);
	static_cast<IPlugFrame*> (answer)->release ();
}
