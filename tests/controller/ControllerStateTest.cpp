// The editor size: the controller's stored record, the shared holder, and the dirty report to the host.

#include "ControllerTestSupport.h"
#include "FakeComponentHandler.h"
#include "StateBytes.h"

using namespace Steinberg;

namespace
{

tresult restore (DuckerController& controller, Bytes bytes)
{
	auto stream = streamOver (bytes);
	return controller.setState (&stream);
}

Bytes saved (DuckerController& controller, tresult expectedResult = kResultOk)
{
	MemoryStream stream;
	EXPECT_EQ (controller.getState (&stream), expectedResult);
	return writtenBytes (stream);
}

/** A controller that a host has initialized and given its component handler. */
class ControllerWithHandler : public testing::Test
{
protected:
	void SetUp () override
	{
		ASSERT_EQ (controller->initialize (nullptr), kResultOk);
		controller->setComponentHandler (&handler);
	}
	void TearDown () override { controller->terminate (); }

	FakeComponentHandler handler;
	IPtr<DuckerController> controller = newController ();
};

using Calls = std::vector<std::string>;

} // namespace

TEST (ControllerState, NewControllerStoresNothing)
{
	auto controller = newController ();
	EXPECT_EQ (controller->getWinSize (), nullptr);
	EXPECT_EQ (saved (*controller), Bytes ());
	EXPECT_EQ (controller->getState (nullptr), kResultFalse);
	EXPECT_EQ (controller->setState (nullptr), kResultFalse);
}

TEST (ControllerState, StoredSizeWritesNineBytes)
{
	auto controller = newController ();
	controller->setWinSize ({200, 336});
	EXPECT_EQ (saved (*controller), (Bytes{0x01, 0xC8, 0x00, 0x00, 0x00, 0x50, 0x01, 0x00, 0x00}));
	// Sizes are stored as given, with no range check.
	controller->setWinSize ({-1, 70000});
	EXPECT_EQ (saved (*controller), (Bytes{0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
}

TEST_F (ControllerWithHandler, VersionOneRecordStoresTheSizeWithoutReportingDirty)
{
	EXPECT_EQ (restore (*controller, controllerRecord (1, 640, 1075)), kResultOk);
	const auto size = controller->getWinSize ();
	ASSERT_NE (size, nullptr);
	EXPECT_EQ (size->width, 640);
	EXPECT_EQ (size->height, 1075);
	// Sizes come from the host (its project, its window): storing one, new or the same, never reports dirty.
	EXPECT_EQ (restore (*controller, controllerRecord (1, 640, 1075)), kResultOk);
	for (const WinSize other : {WinSize{640, 1075}, WinSize{641, 1075}, WinSize{641, 1076}})
		controller->setWinSize (other);
	EXPECT_EQ (handler.calls, Calls ());
	EXPECT_EQ (saved (*controller), controllerRecord (1, 641, 1076));
}

TEST_F (ControllerWithHandler, OtherVersionsAreAcceptedAndIgnored)
{
	EXPECT_EQ (restore (*controller, controllerRecord (2, 640, 1075)), kResultOk);
	EXPECT_EQ (restore (*controller, controllerRecord (0, 640, 1075)), kResultOk);
	EXPECT_EQ (handler.calls, Calls ());
	EXPECT_EQ (controller->getWinSize (), nullptr);
	EXPECT_EQ (saved (*controller), Bytes ());

	controller->setWinSize ({300, 400});
	EXPECT_EQ (restore (*controller, controllerRecord (2, 640, 1075)), kResultOk);
	EXPECT_EQ (controller->getWinSize ()->width, 300);
	EXPECT_EQ (handler.calls, Calls ());
}

TEST_F (ControllerWithHandler, ShortRecordsAreRefusedWithNothingStored)
{
	const Bytes whole = controllerRecord (1, 640, 1075);
	for (std::size_t length = 1; length <= 8; ++length)
	{
		EXPECT_EQ (restore (*controller, Bytes (whole.begin (), whole.begin () + length)), kResultFalse)
		    << length << " bytes";
	}
	// The version is looked at only after all three reads.
	const Bytes otherVersion = controllerRecord (2, 640, 1075);
	EXPECT_EQ (restore (*controller, Bytes (otherVersion.begin (), otherVersion.begin () + 5)), kResultFalse);
	EXPECT_EQ (controller->getWinSize (), nullptr);
	EXPECT_EQ (handler.calls, Calls ());
}

TEST_F (ControllerWithHandler, BytesAfterTheNinthAreNotRead)
{
	Bytes longer = controllerRecord (1, 320, 540);
	longer.insert (longer.end (), {0x01, 0x02, 0x03});
	auto stream = streamOver (longer);
	EXPECT_EQ (controller->setState (&stream), kResultOk);
	int64 position = -1;
	stream.tell (&position);
	EXPECT_EQ (position, 9);
	EXPECT_EQ (controller->getWinSize ()->height, 540);
}

// A host hands back exactly what getState wrote, also the nothing written while no size is stored.
TEST_F (ControllerWithHandler, AcceptsWhateverItsOwnGetStateWrote)
{
	const Bytes empty = saved (*controller);
	ASSERT_EQ (empty, Bytes ());
	EXPECT_EQ (restore (*controller, empty), kResultOk);
	EXPECT_EQ (controller->getWinSize (), nullptr);
	EXPECT_EQ (handler.calls, Calls ());

	controller->setWinSize ({640, 1075});
	handler.calls.clear ();
	EXPECT_EQ (restore (*controller, saved (*controller)), kResultOk);
	// An empty state over a stored size leaves that size alone.
	EXPECT_EQ (restore (*controller, empty), kResultOk);
	EXPECT_EQ (controller->getWinSize ()->width, 640);
	EXPECT_EQ (handler.calls, Calls ());
}

TEST (ControllerState, SavedSizeRestoresIntoAFreshController)
{
	auto first = newController ();
	first->setWinSize ({321, 654});
	auto second = newController ();
	EXPECT_EQ (restore (*second, saved (*first)), kResultOk);
	ASSERT_NE (second->getWinSize (), nullptr);
	EXPECT_EQ (second->getWinSize ()->width, 321);
	EXPECT_EQ (second->getWinSize ()->height, 654);
}

TEST (ControllerState, ReaderKeepsItsCopyWhileANewSizeIsStored)
{
	auto controller = newController ();
	controller->setWinSize ({200, 336});
	const auto readersCopy = controller->getWinSize ();
	controller->setWinSize ({800, 1344});
	EXPECT_EQ (readersCopy->width, 200);
	EXPECT_EQ (readersCopy->height, 336);
	EXPECT_EQ (readersCopy.use_count (), 1); // the controller let go of it; the reader still has it
	EXPECT_EQ (controller->getWinSize ()->width, 800);
	EXPECT_NE (controller->getWinSize (), readersCopy);
}

TEST (ControllerState, ReadersCopyOutlivesTheController)
{
	auto controller = newController ();
	controller->setWinSize ({250, 420});
	const auto readersCopy = controller->getWinSize ();
	controller = nullptr;
	EXPECT_EQ (readersCopy->width, 250);
	EXPECT_EQ (readersCopy->height, 420);
}

TEST (ControllerState, SizeIsStoredWithAFirstVersionHandler)
{
	FakeComponentHandler firstVersionHandler (false);
	auto controller = newController ();
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	controller->setComponentHandler (&firstVersionHandler);
	EXPECT_EQ (restore (*controller, controllerRecord (1, 640, 1075)), kResultOk);
	EXPECT_EQ (controller->getWinSize ()->width, 640);
	EXPECT_EQ (firstVersionHandler.calls, Calls ());
	controller->terminate ();
	EXPECT_EQ (firstVersionHandler.references (), 1u);
}

TEST_F (ControllerWithHandler, StoredSizeSurvivesTerminateAndInitialize)
{
	controller->setWinSize ({640, 1075});
	EXPECT_EQ (handler.references (), 3u); // ours, and the controller's two handler interfaces
	ASSERT_EQ (controller->terminate (), kResultOk);
	EXPECT_EQ (handler.references (), 1u);
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	EXPECT_EQ (saved (*controller), controllerRecord (1, 640, 1075));
	controller->setWinSize ({100, 168});
	EXPECT_EQ (saved (*controller), controllerRecord (1, 100, 168));
	EXPECT_EQ (handler.calls, Calls ());
}
