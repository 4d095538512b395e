// Every CVSTGUITimer of an X11 editor runs as a timer of the host's run loop, so it fires on the host's
// user-interface thread between the host's own events.
#include "x11timer.h"

#include "x11platform.h"

namespace VSTGUI
{
namespace X11
{
namespace
{

class RunLoopTimer final : public IPlatformTimer, public ITimerHandler
{
public:
	explicit RunLoopTimer (IPlatformTimerCallback* callback) : callback (callback) {}
	~RunLoopTimer () noexcept override { stop (); }

	bool start (uint32_t fireTime) override
	{
		stop ();
		loop = RunLoop::get ();
		if (!loop || fireTime == 0)
			return false;
		running = loop->registerTimer (fireTime, this);
		return running;
	}

	bool stop () override
	{
		if (!running)
			return false;
		running = false;
		loop->unregisterTimer (this);
		loop = nullptr;
		return true;
	}

	void onTimer () override
	{
		// The callback may stop or destroy the timer that owns this one; this one lives until the call returns.
		SharedPointer<RunLoopTimer> self (this);
		if (running && callback)
			callback->fire ();
	}

private:
	IPlatformTimerCallback* callback;
	SharedPointer<IRunLoop> loop;
	bool running{false};
};

} // namespace

PlatformTimerPtr createX11PlatformTimer (IPlatformTimerCallback* callback)
{
	if (!RunLoop::get ())
		return nullptr;
	return makeOwned<RunLoopTimer> (callback);
}

} // namespace X11
} // namespace VSTGUI
