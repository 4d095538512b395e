#include "host/PollRunLoop.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>

namespace QuorvaneHost
{

using namespace Steinberg;

void PollRunLoop::watchHostDescriptor (int fd, std::function<void ()> callback)
{
	hostFd = callback ? fd : -1;
	hostCallback = std::move (callback);
}

tresult PLUGIN_API PollRunLoop::registerEventHandler (Linux::IEventHandler* handler, Linux::FileDescriptor fd)
{
	if (!handler || fd < 0)
		return kInvalidArgument;
	auto entry = std::make_shared<EventEntry> ();
	entry->handler = handler;
	entry->fd = fd;
	handlers.push_back (std::move (entry));
	return kResultTrue;
}

tresult PLUGIN_API PollRunLoop::unregisterEventHandler (Linux::IEventHandler* handler)
{
	bool found = false;
	for (auto& entry : handlers)
		if (entry->handler == handler)
		{
			entry->alive = false;
			found = true;
		}
	std::erase_if (handlers, [] (const auto& entry) { return !entry->alive; });
	return found ? kResultTrue : kInvalidArgument;
}

tresult PLUGIN_API PollRunLoop::registerTimer (Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds)
{
	if (!handler || milliseconds == 0)
		return kInvalidArgument;
	auto entry = std::make_shared<TimerEntry> ();
	entry->handler = handler;
	entry->interval = std::chrono::milliseconds (milliseconds);
	entry->due = Clock::now () + entry->interval;
	timers.push_back (std::move (entry));
	return kResultTrue;
}

tresult PLUGIN_API PollRunLoop::unregisterTimer (Linux::ITimerHandler* handler)
{
	bool found = false;
	for (auto& entry : timers)
		if (entry->handler == handler)
		{
			entry->alive = false;
			found = true;
		}
	std::erase_if (timers, [] (const auto& entry) { return !entry->alive; });
	return found ? kResultTrue : kInvalidArgument;
}

PollRunLoop::Clock::time_point PollRunLoop::nextTimerDue () const
{
	auto next = Clock::time_point::max ();
	for (const auto& entry : timers)
		next = std::min (next, entry->due);
	return next;
}

int PollRunLoop::dispatchDueTimers ()
{
	const auto now = Clock::now ();
	const auto snapshot = timers;
	int ran = 0;
	for (const auto& entry : snapshot)
	{
		if (!entry->alive || entry->due > now)
			continue;
		// A late timer fires once and keeps its rhythm from now: no burst of catch-up calls.
		entry->due += entry->interval;
		if (entry->due <= now)
			entry->due = now + entry->interval;
		// The snapshot's reference keeps the handler alive should it unregister itself while it runs.
		Steinberg::IPtr<Linux::ITimerHandler> handler = entry->handler;
		handler->onTimer ();
		++timerFires;
		++ran;
	}
	return ran;
}

int PollRunLoop::runOnce (int timeoutMs)
{
	const auto now = Clock::now ();
	const auto nextDue = nextTimerDue ();
	int waitMs = std::max (timeoutMs, 0);
	if (nextDue != Clock::time_point::max ())
	{
		const auto untilDue = std::chrono::ceil<std::chrono::milliseconds> (nextDue - now).count ();
		waitMs = static_cast<int> (std::clamp<long long> (untilDue, 0, waitMs));
	}

	const auto snapshot = handlers;
	std::vector<pollfd> fds;
	if (hostFd >= 0)
		fds.push_back ({hostFd, POLLIN, 0});
	const size_t firstPlugFd = fds.size ();
	if (deliverDescriptorEvents)
		for (const auto& entry : snapshot)
			fds.push_back ({entry->fd, POLLIN, 0});

	int ready = ::poll (fds.data (), fds.size (), waitMs);
	if (ready < 0 && errno != EINTR)
		return 0;

	int ran = 0;
	if (ready > 0)
	{
		for (size_t i = firstPlugFd; i < fds.size (); ++i)
		{
			const auto& entry = snapshot[i - firstPlugFd];
			if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)) || !entry->alive)
				continue;
			Steinberg::IPtr<Linux::IEventHandler> handler = entry->handler;
			handler->onFDIsSet (entry->fd);
			++descriptorEvents;
			++ran;
		}
	}
	ran += dispatchDueTimers ();
	if (hostCallback)
	{
		auto callback = hostCallback;
		callback ();
	}
	return ran;
}

bool PollRunLoop::runUntil (const std::function<bool ()>& done, int maxMs)
{
	const auto end = Clock::now () + std::chrono::milliseconds (maxMs);
	while (!done ())
	{
		const auto left = std::chrono::ceil<std::chrono::milliseconds> (end - Clock::now ()).count ();
		if (left <= 0)
			return done ();
		runOnce (static_cast<int> (std::min<long long> (left, 50)));
	}
	return true;
}

void PollRunLoop::runFor (int ms)
{
	runUntil ([] { return false; }, ms);
}

} // namespace QuorvaneHost
