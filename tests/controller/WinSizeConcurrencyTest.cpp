// The stored size read and replaced on two threads at once: a reader always sees one whole pair.
// Its real check is the ThreadSanitizer build; here it also runs as an ordinary test.

#include "ControllerTestSupport.h"
#include "FakeComponentHandler.h"

#include <atomic>
#include <thread>

TEST (WinSizeConcurrency, ReaderSeesWholePairsWhileAWriterStores)
{
	constexpr int stores = 20000;
	FakeComponentHandler handler;
	auto controller = newController ();
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	controller->setComponentHandler (&handler);

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
	EXPECT_EQ (handler.calls.size (), static_cast<std::size_t> (stores));
	controller->terminate ();
}
