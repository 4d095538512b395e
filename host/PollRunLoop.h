// The host's run loop for plug-in views on Linux (Steinberg::Linux::IRunLoop): file-descriptor handlers and
// timers dispatched from poll() on the thread that runs it. Handlers may unregister themselves or others and
// register new ones from inside their own callbacks. A switch imitates hosts that never deliver descriptor events.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace QuorvaneHost
{

class PollRunLoop : public Steinberg::FObject, public Steinberg::Linux::IRunLoop
{
public:
	using Clock = std::chrono::steady_clock;

	/** Starts with one reference, the creator's. */
	PollRunLoop () = default;

	/** Off: registered descriptors are accepted but never watched, as some hosts do; only timers run. */
	void setDeliverDescriptorEvents (bool deliver) { deliverDescriptorEvents = deliver; }
	bool deliversDescriptorEvents () const { return deliverDescriptorEvents; }

	/** A descriptor of the host's own (its window connection), watched whatever the switch says; `callback`
	    runs after every pass, as the connection may have read its events already while waiting for a reply.
	    A null `callback` stops watching it. */
	void watchHostDescriptor (int fd, std::function<void ()> callback);

	/** Waits up to `timeoutMs` for a descriptor or the next timer and dispatches what is ready or due.
	    Returns how many callbacks ran. */
	int runOnce (int timeoutMs);
	/** Runs until `done` answers true (checked after every pass) or `maxMs` have passed; true when done. */
	bool runUntil (const std::function<bool ()>& done, int maxMs);
	void runFor (int ms);

	size_t eventHandlerCount () const { return handlers.size (); }
	size_t timerCount () const { return timers.size (); }
	/** Plug-in callbacks run so far: descriptor events and timer firings. */
	uint64_t descriptorEventsDelivered () const { return descriptorEvents; }
	uint64_t timerFirings () const { return timerFires; }

	//---from Linux::IRunLoop---
	Steinberg::tresult PLUGIN_API registerEventHandler (Steinberg::Linux::IEventHandler* handler,
	                                                    Steinberg::Linux::FileDescriptor fd) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API unregisterEventHandler (Steinberg::Linux::IEventHandler* handler) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API registerTimer (Steinberg::Linux::ITimerHandler* handler,
	                                             Steinberg::Linux::TimerInterval milliseconds) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API unregisterTimer (Steinberg::Linux::ITimerHandler* handler) SMTG_OVERRIDE;

	OBJ_METHODS (PollRunLoop, FObject)
	FUNKNOWN_METHODS (Steinberg::Linux::IRunLoop, FObject)

private:
	~PollRunLoop () override = default;

	// Entries are shared so that a dispatch pass works on a snapshot: an entry removed during the pass is
	// marked dead and skipped, one added during the pass waits for the next.
	struct EventEntry
	{
		Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
		int fd{-1};
		bool alive{true};
	};
	struct TimerEntry
	{
		Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
		Clock::duration interval{};
		Clock::time_point due{};
		bool alive{true};
	};

	int dispatchDueTimers ();
	Clock::time_point nextTimerDue () const;

	bool deliverDescriptorEvents{true};
	std::vector<std::shared_ptr<EventEntry>> handlers;
	std::vector<std::shared_ptr<TimerEntry>> timers;
	int hostFd{-1};
	std::function<void ()> hostCallback;
	uint64_t descriptorEvents{0};
	uint64_t timerFires{0};
};

} // namespace QuorvaneHost
