// The plug frame's Linux run loop as the GUI library's X11 run loop.
#include "framework/FrameworkTestSupport.h"

#include "editor/framework/PlugFrameRunLoop.h"

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

/** A host's run loop: records registrations and lets the test fire them. */
class FakeRunLoop : public Linux::IRunLoop
{
public:
	std::vector<std::string> log;
	std::vector<Linux::ITimerHandler*> timers;
	std::vector<Linux::IEventHandler*> eventHandlers;

	tresult PLUGIN_API registerEventHandler (Linux::IEventHandler* handler, Linux::FileDescriptor fd) override
	{
		log.push_back ("registerEventHandler " + std::to_string (fd));
		eventHandlers.push_back (handler);
		return kResultTrue;
	}
	tresult PLUGIN_API unregisterEventHandler (Linux::IEventHandler* handler) override
	{
		log.push_back ("unregisterEventHandler");
		std::erase (eventHandlers, handler);
		return kResultTrue;
	}
	tresult PLUGIN_API registerTimer (Linux::ITimerHandler* handler, Linux::TimerInterval ms) override
	{
		log.push_back ("registerTimer " + std::to_string (ms));
		timers.push_back (handler);
		return kResultTrue;
	}
	tresult PLUGIN_API unregisterTimer (Linux::ITimerHandler* handler) override
	{
		log.push_back ("unregisterTimer");
		std::erase (timers, handler);
		return kResultTrue;
	}
	tresult PLUGIN_API queryInterface (const TUID, void** obj) override
	{
		*obj = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () override { return ++references; }
	uint32 PLUGIN_API release () override { return --references; }
	uint32 references = 1;
};

/** A plug frame that offers the host's run loop, as Linux hosts do. */
class RunLoopPlugFrame : public FakePlugFrame
{
public:
	FakeRunLoop loop;
	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) override
	{
		if (FUnknownPrivate::iidEqual (iid, Linux::IRunLoop::iid))
		{
			loop.addRef ();
			*obj = static_cast<Linux::IRunLoop*> (&loop);
			return kResultOk;
		}
		return FakePlugFrame::queryInterface (iid, obj);
	}
};

struct CountingHandler : X11::ITimerHandler, X11::IEventHandler
{
	int timerCalls = 0;
	int eventCalls = 0;
	void onTimer () override { ++timerCalls; }
	void onEvent () override { ++eventCalls; }
};

// The GUI library's handlers reach the host's loop through counted adapters, fire from it, and whatever the
// library leaves registered is taken back when the run loop goes.
TEST (PlugFrameRunLoop, CarriesTheGuiLibrarysHandlersToThePlugFramesLoop)
{
	FakePlugFrame withoutLoop;
	EXPECT_EQ (PlugFrameRunLoop::create (&withoutLoop), nullptr);
	EXPECT_EQ (PlugFrameRunLoop::create (nullptr), nullptr);

	RunLoopPlugFrame plugFrame;
	auto runLoop = PlugFrameRunLoop::create (&plugFrame);
	ASSERT_NE (runLoop, nullptr);
	CountingHandler handler;
	EXPECT_TRUE (runLoop->registerTimer (40, &handler));
	EXPECT_TRUE (runLoop->registerEventHandler (7, &handler));
	ASSERT_EQ (plugFrame.loop.timers.size (), 1u);
	ASSERT_EQ (plugFrame.loop.eventHandlers.size (), 1u);
	plugFrame.loop.timers[0]->onTimer ();
	plugFrame.loop.eventHandlers[0]->onFDIsSet (7);
	EXPECT_EQ (handler.timerCalls, 1);
	EXPECT_EQ (handler.eventCalls, 1);
	EXPECT_TRUE (runLoop->unregisterTimer (&handler));
	EXPECT_FALSE (runLoop->unregisterTimer (&handler)) << "already gone";
	EXPECT_EQ (plugFrame.loop.log,
	           (std::vector<std::string>{"registerTimer 40", "registerEventHandler 7", "unregisterTimer"}));

	runLoop = nullptr;
	EXPECT_EQ (plugFrame.loop.log.back (), "unregisterEventHandler");
	EXPECT_EQ (plugFrame.loop.references, 1u);
}

} // namespace
