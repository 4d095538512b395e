// The X11 platform's public interfaces: the host's run loop as the library sees it and the frame configuration.
#pragma once

#include "iplatformframecallback.h"

namespace VSTGUI
{
namespace X11
{

class IEventHandler
{
public:
	virtual ~IEventHandler () noexcept = default;
	virtual void onEvent () = 0;
};

class ITimerHandler
{
public:
	virtual ~ITimerHandler () noexcept = default;
	virtual void onTimer () = 0;
};

class IRunLoop : public virtual IReference
{
public:
	virtual bool registerEventHandler (int fd, IEventHandler* handler) = 0;
	virtual bool unregisterEventHandler (IEventHandler* handler) = 0;
	virtual bool registerTimer (uint64_t interval, ITimerHandler* handler) = 0;
	virtual bool unregisterTimer (ITimerHandler* handler) = 0;
};

struct FrameConfig : IPlatformFrameConfig
{
	SharedPointer<IRunLoop> runLoop;
};

// The run loop used by frames opened without a configuration, and by timers.
struct RunLoop
{
	static void init (const SharedPointer<IRunLoop>& runLoop);
	static void exit ();
	static const SharedPointer<IRunLoop>& get ();
};

} // namespace X11
} // namespace VSTGUI
