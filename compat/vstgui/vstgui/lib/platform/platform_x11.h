// The X11 platform's public interfaces: the host's run loop as the library sees it and the frame configuration
// that hands it to a frame. An X11 frame opens only with a run loop in its configuration.
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

class FrameConfig : public IPlatformFrameConfig
{
public:
	SharedPointer<IRunLoop> runLoop;
};

} // namespace X11
} // namespace VSTGUI
