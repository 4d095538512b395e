// IPlatformTimer: a platform's periodic timer; it calls its callback's fire() every interval until stopped.
#pragma once

#include "../vstguifwd.h"

namespace VSTGUI
{

class IPlatformTimerCallback
{
public:
	virtual ~IPlatformTimerCallback () noexcept = default;
	virtual void fire () = 0;
};

class IPlatformTimer : public AtomicReferenceCounted
{
public:
	virtual bool start (uint32_t fireTime) = 0;
	virtual bool stop () = 0;
};

} // namespace VSTGUI
