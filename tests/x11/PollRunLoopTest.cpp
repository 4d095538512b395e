// The host's run loop without a display: descriptor handlers and timers, callbacks that unregister themselves or
// others and register new ones, and the quirk of a host that never delivers descriptor events.

#include "host/PollRunLoop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <unistd.h>

using namespace Steinberg;
using namespace QuorvaneHost;

namespace
{

/** A timer and descriptor handler whose callbacks run a test's function; counted like a plug-in's object. */
class Callback : public Linux::ITimerHandler, public Linux::IEventHandler
{
public:
	std::function<void ()> action;
	int calls{0};
	int references{1};

	void PLUGIN_API onTimer () override { run (); }
	void PLUGIN_API onFDIsSet (Linux::FileDescriptor) override { run (); }

	tresult PLUGIN_API queryInterface (const TUID, void** obj) override
	{
		*obj = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () override { return static_cast<uint32> (++references); }
	uint32 PLUGIN_API release () override { return static_cast<uint32> (--references); }

private:
	void run ()
	{
		++calls;
		if (action)
			action ();
	}
};

struct Pipe
{
	int fds[2]{-1, -1};
	Pipe () { EXPECT_EQ (pipe (fds), 0); }
	~Pipe ()
	{
		close (fds[0]);
		close (fds[1]);
	}
	void write () const { EXPECT_EQ (::write (fds[1], "x", 1), 1); }
	void drain () const
	{
		char byte;
		EXPECT_EQ (::read (fds[0], &byte, 1), 1);
	}
};

} // namespace

TEST (HostRunLoop, TimersFireAtTheirIntervalsAndStopWhenUnregistered)
{
	IPtr<PollRunLoop> loop = owned (new PollRunLoop);
	Callback fast, slow;
	ASSERT_EQ (loop->registerTimer (&fast, 10), kResultTrue);
	ASSERT_EQ (loop->registerTimer (&slow, 1000), kResultTrue);
	EXPECT_EQ (fast.references, 2); // held while registered
	loop->runUntil ([&] { return fast.calls >= 3; }, 2000);
	EXPECT_EQ (fast.calls, 3);
	EXPECT_EQ (slow.calls, 0);
	EXPECT_EQ (loop->unregisterTimer (&fast), kResultTrue);
	EXPECT_EQ (loop->unregisterTimer (&fast), kInvalidArgument);
	loop->runFor (40);
	EXPECT_EQ (fast.calls, 3);
	EXPECT_EQ (fast.references, 1);
	EXPECT_EQ (loop->registerTimer (nullptr, 10), kInvalidArgument);
	EXPECT_EQ (loop->registerTimer (&fast, 0), kInvalidArgument);
	loop->unregisterTimer (&slow);
}

TEST (HostRunLoop, CallbacksMayUnregisterAndRegisterDuringDispatch)
{
	IPtr<PollRunLoop> loop = owned (new PollRunLoop);
	Callback self, victim, added, adder;
	// Due in the same pass: `self` removes itself and `victim`, which must not run after that.
	self.action = [&]
	{
		EXPECT_EQ (loop->unregisterTimer (&self), kResultTrue);
		EXPECT_EQ (loop->unregisterTimer (&victim), kResultTrue);
		EXPECT_GE (self.references, 2); // the loop still holds it while it runs
	};
	victim.action = [&] { ADD_FAILURE () << "an unregistered timer fired"; };
	adder.action = [&]
	{
		if (adder.calls == 1)
		{
			EXPECT_EQ (loop->registerTimer (&added, 5), kResultTrue);
		}
	};
	loop->registerTimer (&self, 5);
	loop->registerTimer (&victim, 5);
	loop->registerTimer (&adder, 5);
	loop->runUntil ([&] { return added.calls >= 2; }, 2000);
	EXPECT_EQ (self.calls, 1);
	EXPECT_EQ (victim.calls, 0);
	EXPECT_EQ (added.calls, 2);
	EXPECT_EQ (self.references, 1);
	EXPECT_EQ (victim.references, 1);
	EXPECT_EQ (loop->timerCount (), 2u);
	loop->unregisterTimer (&adder);
	loop->unregisterTimer (&added);
	EXPECT_EQ (added.references, 1);
}

TEST (HostRunLoop, DescriptorEventsReachHandlersUnlessTheHostNeverDeliversThem)
{
	for (const bool deliver : {true, false})
	{
		SCOPED_TRACE (deliver ? "delivering" : "never delivering");
		IPtr<PollRunLoop> loop = owned (new PollRunLoop);
		loop->setDeliverDescriptorEvents (deliver);
		Pipe pipe;
		Callback reader, ticker;
		reader.action = [&]
		{
			pipe.drain ();
			if (reader.calls == 2)
			{
				EXPECT_EQ (loop->unregisterEventHandler (&reader), kResultTrue);
			}
		};
		ASSERT_EQ (loop->registerEventHandler (&reader, pipe.fds[0]), kResultTrue);
		loop->registerTimer (&ticker, 5);
		for (int i = 0; i < 3; ++i)
		{
			pipe.write ();
			loop->runUntil ([&] { return reader.calls > i; }, deliver && i < 2 ? 2000 : 50);
		}
		EXPECT_EQ (reader.calls, deliver ? 2 : 0);
		EXPECT_EQ (loop->descriptorEventsDelivered (), deliver ? 2u : 0u);
		EXPECT_GT (ticker.calls, 0); // timers run either way
		EXPECT_EQ (loop->eventHandlerCount (), deliver ? 0u : 1u);
		loop->unregisterEventHandler (&reader);
		loop->unregisterTimer (&ticker);
		EXPECT_EQ (reader.references, 1);
	}
}
