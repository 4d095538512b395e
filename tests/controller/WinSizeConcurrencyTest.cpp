// The stored size read and replaced on several threads at once, also by editors being created (an editor that is
// not opened touches no GUI state): every reader sees one whole pair. Its real check is the ThreadSanitizer build;
// here it also runs as an ordinary test.

#include "ControllerTestSupport.h"
#include "FakeComponentHandler.h"

#include "pluginterfaces/gui/iplugview.h"

#include <atomic>
#include <thread>

/** An initialised controller that reports to a recording handler. */
class WinSizeConcurrency : public InitializedController
{
protected:
	void SetUp () override
	{
		InitializedController::SetUp ();
		controller->setComponentHandler (&handler);
	}

	FakeComponentHandler handler;
};

TEST_F (WinSizeConcurrency, ReaderSeesWholePairsWhileAWriterStores)
{
	constexpr int stores = 20000;

	std::atomic<bool> writing{true};
	std::thread writer (
	    [&]
	    {
		    for (int i = 0; i < stores; ++i)
			    controller->setWinSize ({i, 2 * i + 1});
		    writing = false;
	    });

	int reads = 0;
	int tornPairs = 0;
	int lastWidth = -1;
	int widthsGoingBack = 0;
	while (writing.load () || reads == 0)
	{
		if (const auto size = controller->getWinSize ())
		{
			tornPairs += size->height != 2 * size->width + 1;
			widthsGoingBack += size->width < lastWidth;
			lastWidth = size->width;
		}
		++reads;
	}
	writer.join ();

	EXPECT_EQ (tornPairs, 0);
	EXPECT_EQ (widthsGoingBack, 0);
	EXPECT_EQ (controller->getWinSize ()->width, stores - 1);
	EXPECT_TRUE (handler.calls.empty ());
}

TEST_F (WinSizeConcurrency, EditorsCreatedWhileSizesAreStoredAndReadTakeWholePairs)
{
	if (!QUORVANE_WITH_EDITOR)
		GTEST_SKIP () << "built without the editor";
	constexpr int stores = 5000;
	// Every size ever stored has height 2 × width + 1; the default size has not.
	controller->setWinSize ({100, 201});

	std::atomic<bool> writing{true};
	std::thread writer (
	    [&]
	    {
		    for (int i = 1; i <= stores; ++i)
			    controller->setWinSize ({100 + i, 201 + 2 * i});
		    writing = false;
	    });
	std::atomic<int> tornReads{0};
	std::thread reader (
	    [&]
	    {
		    while (writing.load ())
		    {
			    const auto size = controller->getWinSize ();
			    tornReads += size->height != 2 * size->width + 1;
		    }
	    });

	int views = 0;
	int tornViews = 0;
	while (writing.load () || views == 0)
	{
		IPtr<Steinberg::IPlugView> view = Steinberg::owned (controller->createView ("editor"));
		ASSERT_TRUE (view);
		Steinberg::ViewRect rect;
		ASSERT_EQ (view->getSize (&rect), kResultOk);
		tornViews += rect.getHeight () != 2 * rect.getWidth () + 1;
		++views;
	}
	writer.join ();
	reader.join ();
	RecordProperty ("editorsCreated", views);

	EXPECT_EQ (tornReads.load (), 0);
	EXPECT_EQ (tornViews, 0);
	EXPECT_EQ (controller->getWinSize ()->width, 100 + stores);
	EXPECT_TRUE (handler.calls.empty ());
	// Each editor held the controller while it lived: all of them are gone again.
	EXPECT_EQ (controller->getRefCount (), 1);
}
