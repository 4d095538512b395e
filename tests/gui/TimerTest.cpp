// Timers on the offscreen manual clock.
#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/lib/platform/linux/x11platform.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;

TEST (Timers, FireInTimeOrderOnTheManualClock)
{
	std::vector<std::string> log;
	uint64_t start = Offscreen::currentTime ();
	auto stamp = [&] (const char* name)
	{ log.push_back (std::string (name) + "@" + std::to_string (Offscreen::currentTime () - start)); };
	auto a = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { stamp ("a"); }, 30);
	auto b = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { stamp ("b"); }, 50);
	auto idle = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { stamp ("never"); }, 10, false);
	EXPECT_TRUE (a->isRunning ());
	EXPECT_FALSE (idle->isRunning ());

	Offscreen::advanceTimers (29);
	EXPECT_TRUE (log.empty ());
	Offscreen::advanceTimers (71);
	EXPECT_EQ (log, (std::vector<std::string>{"a@30", "b@50", "a@60", "a@90", "b@100"}));

	log.clear ();
	b->setFireTime (5);
	Offscreen::advanceTimers (10);
	EXPECT_EQ (log, (std::vector<std::string>{"b@105", "b@110"}));
	EXPECT_EQ (b->getFireTime (), 5u);
	a->stop ();
	b->stop ();
	log.clear ();
	Offscreen::advanceTimers (1000);
	EXPECT_TRUE (log.empty ());
}

TEST (Timers, StoppedOrDestroyedFromACallbackNeverFiresAgain)
{
	int selfStops = 0;
	int victimFires = 0;
	SharedPointer<CVSTGUITimer> victim;
	auto killer = makeOwned<CVSTGUITimer> (
	    [&] (CVSTGUITimer* self)
	    {
		    victim = nullptr; // destroys the other timer, which is due at the same time
		    self->stop ();
		    ++selfStops;
	    },
	    20);
	victim = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { ++victimFires; }, 20);

	int selfReleases = 0;
	SharedPointer<CVSTGUITimer> once;
	once = makeOwned<CVSTGUITimer> (
	    [&] (CVSTGUITimer*)
	    {
		    ++selfReleases;
		    once = nullptr; // the last reference, released from inside its own callback
	    },
	    15);

	Offscreen::advanceTimers (100);
	EXPECT_EQ (selfStops, 1);
	EXPECT_EQ (victimFires, 0);
	EXPECT_EQ (selfReleases, 1);
	EXPECT_FALSE (killer->isRunning ());
}

TEST (Timers, TimerObjectIsNotified)
{
	struct Target : CBaseObject
	{
		int hits = 0;
		CMessageResult notify (CBaseObject*, IdStringPtr message) override
		{
			hits += message == CVSTGUITimer::kMsgTimer;
			return kMessageNotified;
		}
	};
	auto target = makeOwned<Target> ();
	auto timer = makeOwned<CVSTGUITimer> (target.get (), 25, true);
	Offscreen::advanceTimers (60);
	EXPECT_EQ (target->hits, 2);
}

namespace
{
struct IdleRunLoop : X11::IRunLoop, AtomicReferenceCounted
{
	bool registerEventHandler (int, X11::IEventHandler*) override { return true; }
	bool unregisterEventHandler (X11::IEventHandler*) override { return true; }
	bool registerTimer (uint64_t, X11::ITimerHandler*) override { return true; }
	bool unregisterTimer (X11::ITimerHandler*) override { return true; }
};
} // namespace

// Two editors each install their host's run loop; closing the first must not take it from the second.
TEST (Timers, RunLoopStaysUntilItsLastUserExits)
{
	auto first = makeOwned<IdleRunLoop> ();
	auto second = makeOwned<IdleRunLoop> ();
	X11::RunLoop::init (first);
	X11::RunLoop::init (second);
	EXPECT_EQ (X11::RunLoop::get ().get (), first.get ());
	X11::RunLoop::exit ();
	EXPECT_EQ (X11::RunLoop::get ().get (), first.get ());
	X11::RunLoop::exit ();
	EXPECT_EQ (X11::RunLoop::get ().get (), nullptr);
	X11::RunLoop::exit ();
	X11::RunLoop::init (second);
	EXPECT_EQ (X11::RunLoop::get ().get (), second.get ());
	X11::RunLoop::exit ();
}
