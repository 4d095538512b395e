// Every timer is a thread timer (SetTimer without a window), so it needs no window of its own and fires
// wherever the host's loop dispatches the thread's messages; the timer procedure finds the timer by its id.
#include "wintimer.h"

#include <windows.h>

#include <map>

namespace VSTGUI
{
namespace Win32
{
namespace
{

class Timer;

std::map<UINT_PTR, Timer*>& runningTimers ()
{
	static std::map<UINT_PTR, Timer*> timers;
	return timers;
}

class Timer final : public IPlatformTimer
{
public:
	explicit Timer (IPlatformTimerCallback* callback) : callback (callback) {}
	~Timer () noexcept override { stop (); }

	bool start (uint32_t fireTime) override
	{
		stop ();
		if (fireTime == 0)
			return false;
		id = SetTimer (nullptr, 0, fireTime, &Timer::onTimer);
		if (id == 0)
			return false;
		runningTimers ()[id] = this;
		return true;
	}

	bool stop () override
	{
		if (id == 0)
			return false;
		KillTimer (nullptr, id);
		runningTimers ().erase (id);
		id = 0;
		return true;
	}

private:
	static void CALLBACK onTimer (HWND, UINT, UINT_PTR timerId, DWORD)
	{
		auto& timers = runningTimers ();
		auto it = timers.find (timerId);
		if (it == timers.end ())
			return;
		// The callback may stop or destroy the timer that owns this one; this one lives until the call returns.
		SharedPointer<Timer> self (it->second);
		if (self->callback)
			self->callback->fire ();
	}

	IPlatformTimerCallback* callback;
	UINT_PTR id{0};
};

} // namespace

PlatformTimerPtr createWin32PlatformTimer (IPlatformTimerCallback* callback)
{
	return makeOwned<Timer> (callback);
}

size_t runningTimerCount ()
{
	return runningTimers ().size ();
}

} // namespace Win32
} // namespace VSTGUI
