#include "cvstguitimer.h"

#include "platform/iplatformfactory.h"

namespace VSTGUI
{

IdStringPtr CVSTGUITimer::kMsgTimer = "timer fired";

CVSTGUITimer::CVSTGUITimer (CBaseObject* timerObject, uint32_t fireTime, bool doStart)
    : fireTime (fireTime), timerObject (timerObject)
{
	if (doStart)
		start ();
}

CVSTGUITimer::CVSTGUITimer (const CallbackFunc& callback, uint32_t fireTime, bool doStart)
    : fireTime (fireTime), callbackFunc (callback)
{
	if (doStart)
		start ();
}

CVSTGUITimer::CVSTGUITimer (CallbackFunc&& callback, uint32_t fireTime, bool doStart)
    : fireTime (fireTime), callbackFunc (std::move (callback))
{
	if (doStart)
		start ();
}

CVSTGUITimer::~CVSTGUITimer () noexcept
{
	stop ();
}

bool CVSTGUITimer::start ()
{
	if (platformTimer)
		return false;
	platformTimer = getPlatformFactory ().createTimer (this);
	if (platformTimer && !platformTimer->start (fireTime))
		platformTimer = nullptr;
	return platformTimer != nullptr;
}

bool CVSTGUITimer::stop ()
{
	if (!platformTimer)
		return false;
	auto timer = std::move (platformTimer);
	timer->stop ();
	return true;
}

bool CVSTGUITimer::setFireTime (uint32_t newFireTime)
{
	if (fireTime == newFireTime)
		return true;
	fireTime = newFireTime;
	if (isRunning ())
	{
		stop ();
		start ();
	}
	return true;
}

void CVSTGUITimer::fire ()
{
	// The callback may stop or release the timer.
	SharedPointer<CVSTGUITimer> keepAlive (this);
	if (callbackFunc)
		callbackFunc (this);
	else if (timerObject)
		timerObject->notify (this, kMsgTimer);
}

} // namespace VSTGUI
