#include "offscreentimer.h"

#include <algorithm>
#include <vector>

namespace VSTGUI
{
namespace Offscreen
{

namespace
{

class ManualTimer;

struct Clock
{
	uint64_t now{0};
	uint64_t nextSequence{0};
	std::vector<ManualTimer*> timers;
};

Clock& clock ()
{
	static Clock c;
	return c;
}

class ManualTimer : public IPlatformTimer
{
public:
	explicit ManualTimer (IPlatformTimerCallback* callback) : callback (callback) {}
	~ManualTimer () noexcept override { stop (); }

	bool start (uint32_t fireTime) override
	{
		stop ();
		interval = std::max<uint32_t> (fireTime, 1);
		due = clock ().now + interval;
		sequence = clock ().nextSequence++;
		clock ().timers.push_back (this);
		return true;
	}

	bool stop () override
	{
		auto& timers = clock ().timers;
		auto it = std::find (timers.begin (), timers.end (), this);
		if (it == timers.end ())
			return false;
		timers.erase (it);
		return true;
	}

	IPlatformTimerCallback* callback;
	uint32_t interval{1};
	uint64_t due{0};
	uint64_t sequence{0};
};

} // namespace

PlatformTimerPtr createTimer (IPlatformTimerCallback* callback)
{
	return makeOwned<ManualTimer> (callback);
}

void advanceTimers (uint32_t milliseconds)
{
	auto& c = clock ();
	const uint64_t end = c.now + milliseconds;
	while (true)
	{
		// the earliest due timer (ties: the one started first)
		ManualTimer* next = nullptr;
		for (auto* t : c.timers)
		{
			if (t->due <= end && (!next || t->due < next->due || (t->due == next->due && t->sequence < next->sequence)))
				next = t;
		}
		if (!next)
			break;
		c.now = next->due;
		next->due += next->interval;
		// The callback may stop or destroy this timer (or others); hold it while it runs.
		SharedPointer<ManualTimer> keep (next);
		next->callback->fire ();
	}
	c.now = end;
}

uint64_t currentTime ()
{
	return clock ().now;
}

} // namespace Offscreen
} // namespace VSTGUI
